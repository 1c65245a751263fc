// Tests of theme loading and writing: the record layout, the failure rules and hostile files.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "view/Bmp.h"
#include "view/LzChunk.h"
#include "ui/ImageList.h"
#include "TestBitmaps.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

using zv::test::MakeBmp24;
using zv::test::MakeBmp8;
using zv::test::PutU32;
using zv::ui::ImageList;
using zv::view::ThemeEntry;
using zv::view::ThemeError;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kHeader = {8, 'L', 'M', 'D', 'B', 'M', 'L', '3', '0'};

void AddInt32(Bytes& v, std::uint32_t value) {
    v.resize(v.size() + 4);
    PutU32(v, v.size() - 4, value);
}

// A theme header with `n` pictures and a zeroed offset table; records are appended by the caller.
Bytes ThemeHead(std::int32_t n) {
    Bytes v = kHeader;
    AddInt32(v, static_cast<std::uint32_t>(n));
    if (n > 0) v.resize(v.size() + 4 * static_cast<std::size_t>(n), 0);
    return v;
}

// Loads the bytes and returns the message of the error raised, or "" on success.
std::string Load(const Bytes& bytes, ImageList& list) {
    try {
        zv::view::LoadThemeBytes(bytes.data(), bytes.size(), "skin.zvt", list);
        return "";
    } catch (const ThemeError& e) {
        return e.what();
    }
}

ImageList ListOfTwo() {
    ImageList list("list6");
    list.Append().description = "old 0";
    list.Append().description = "old 1";
    return list;
}

std::uint32_t PixelAt(SDL_Surface* s, int x, int y) {
    std::uint32_t v;
    std::memcpy(&v, static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
    return v & 0xFFFFFF;
}

ThemeEntry Entry(Bytes bitmap, bool compressed = true) {
    ThemeEntry e;
    e.bitmap = std::move(bitmap);
    e.compressed = compressed;
    return e;
}

} // namespace

TEST(ThemeLoad, ThirteenBytesWithNoPicturesLoadAnEmptyList) {
    ImageList list = ListOfTwo();
    const std::uint64_t version = list.Version();
    EXPECT_EQ(Load(ThemeHead(0), list), "");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Version(), version + 1) << "one change notice for the whole load";
}

TEST(ThemeLoad, NegativeCountReadsAsEmptyAndSkipsNoTable) {
    ImageList list = ListOfTwo();
    Bytes bytes = ThemeHead(-5);
    EXPECT_EQ(Load(bytes, list), "");
    EXPECT_EQ(list.Count(), 0);
    bytes = ThemeHead(INT32_MIN);
    bytes.push_back(0xFF);
    EXPECT_EQ(Load(bytes, list), "");
}

TEST(ThemeLoad, CompressedPictureOf33By33ExpandsTo3354Bytes) {
    const Bytes bmp = MakeBmp24(33, 33, 5);
    ASSERT_EQ(bmp.size(), 3354u);
    const Bytes file = zv::view::WriteThemeBytes({Entry(bmp)});
    const auto entries = zv::view::ReadThemeEntries(file.data(), file.size(), "t");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].bitmap, bmp);

    ImageList list;
    ASSERT_EQ(Load(file, list), "");
    ASSERT_EQ(list.Count(), 1);
    SDL_Surface* s = list.Get(0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->format->format, SDL_PIXELFORMAT_RGB888);
    EXPECT_EQ(s->w, 33);
    EXPECT_EQ(s->h, 33);
    for (int y = 0; y < 33; y += 4)
        for (int x = 0; x < 33; x += 3) ASSERT_EQ(PixelAt(s, x, y), zv::test::Bmp24Colour(33, 33, 5, x, y)) << x << "," << y;
    EXPECT_TRUE(list.At(0).compressed);
}

TEST(ThemeLoad, RecordFlagsSelectTheFieldsThatFollow) {
    const Bytes bmp = MakeBmp8(14, 14);
    Bytes stored = {128};
    stored.insert(stored.end(), bmp.begin(), bmp.end());
    Bytes file = ThemeHead(3);
    // flags 9: compressed data directly after the flags byte.
    file.push_back(9);
    AddInt32(file, static_cast<std::uint32_t>(stored.size() + 4));
    AddInt32(file, static_cast<std::uint32_t>(stored.size()));
    file.insert(file.end(), stored.begin(), stored.end());
    // flags 13: an identifier between the flags byte and T.
    file.push_back(13);
    AddInt32(file, 0xDEADBEEF);
    AddInt32(file, static_cast<std::uint32_t>(stored.size() + 4));
    AddInt32(file, static_cast<std::uint32_t>(stored.size()));
    file.insert(file.end(), stored.begin(), stored.end());
    // flags 2 + 32 + 64: a description, pixel format 2 (the first set bit counts), no picture.
    file.insert(file.end(), {2 | 32 | 64, 3, 'a', 'b', 'c'});

    ImageList list;
    ASSERT_EQ(Load(file, list), "");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_NE(list.Get(0), nullptr);
    EXPECT_EQ(list.At(0).identifier, 0);
    EXPECT_EQ(list.At(1).identifier, static_cast<std::int32_t>(0xDEADBEEF));
    EXPECT_EQ(list.Get(1)->w, 14);
    EXPECT_EQ(list.Get(2), nullptr);
    EXPECT_EQ(list.At(2).description, "abc");
    EXPECT_EQ(list.At(2).pixelFormat, 2);
    EXPECT_FALSE(list.At(2).compressed);
}

TEST(ThemeLoad, FilesThatCannotBeOpenedOrAreNoThemeChangeNothing) {
    ImageList list = ListOfTwo();
    try {
        zv::view::LoadThemeFile("/nonexistent-dir/skin.zvt", list);
        FAIL();
    } catch (const ThemeError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file /nonexistent-dir/skin.zvt: No such file or directory");
    }
    Bytes wrong = ThemeHead(0);
    wrong[8] = '1';
    EXPECT_EQ(Load(wrong, list), "Cannot open file skin.zvt: ImageList");
    EXPECT_EQ(Load(Bytes(kHeader.begin(), kHeader.begin() + 5), list), "Cannot open file skin.zvt: ImageList");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(1).description, "old 1");
}

TEST(ThemeLoad, LoadsFromAFileOnDisk) {
    const std::string path = (std::filesystem::temp_directory_path() / ("theme-test-" + std::to_string(::getpid()) + ".zvt")).string();
    const Bytes file = zv::view::WriteThemeBytes({Entry(MakeBmp24(33, 33)), Entry({}), Entry(MakeBmp8(5, 3), false)});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    ImageList list;
    zv::view::LoadThemeFile(path, list);
    std::remove(path.c_str());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_NE(list.Get(0), nullptr);
    EXPECT_EQ(list.Get(1), nullptr);
    EXPECT_EQ(list.Get(2)->w, 5);
    EXPECT_THROW(zv::view::LoadThemeFile(std::filesystem::temp_directory_path().string(), list), ThemeError);
}

TEST(ThemeLoad, FileCutAnywhereKeepsThePicturesBeforeTheCut) {
    const Bytes file = zv::view::WriteThemeBytes(
        {Entry(MakeBmp24(33, 33, 1)), Entry(MakeBmp8(40, 40), false), Entry({}), Entry(MakeBmp24(70, 120, 2))});
    // Record boundaries from the offset table.
    std::vector<std::size_t> ends;
    for (int i = 1; i < 4; ++i) ends.push_back(file[13 + 4 * i] | file[14 + 4 * i] << 8 | file[15 + 4 * i] << 16);
    ends.push_back(file.size());
    for (std::size_t cut = kHeader.size(); cut < file.size(); ++cut) {
        ImageList list = ListOfTwo();
        const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        ASSERT_EQ(Load(part, list), "Stream read error") << "cut at " << cut;
        int failing = 0;
        if (cut < 13 + 16) {
            ASSERT_EQ(list.Count(), 0) << "cut at " << cut;
            continue;
        }
        while (ends[static_cast<std::size_t>(failing)] <= cut) ++failing;
        ASSERT_EQ(list.Count(), failing + 1) << "cut at " << cut;
        for (int i = 0; i < failing; ++i) EXPECT_EQ(list.Get(i) != nullptr, i != 2);
        EXPECT_EQ(list.Get(failing), nullptr);
        EXPECT_EQ(list.At(failing).description, "");
    }
}

TEST(ThemeLoad, MalformedCompressedDataIsAReadError) {
    const Bytes bmp = MakeBmp24(33, 33);
    auto withData = [](std::initializer_list<std::uint32_t> ints, const Bytes& tail) {
        Bytes f = ThemeHead(1);
        f.push_back(9);
        for (std::uint32_t v : ints) AddInt32(f, v);
        f.insert(f.end(), tail.begin(), tail.end());
        return f;
    };
    ImageList list;
    EXPECT_EQ(Load(withData({0xFFFFFFFF}, Bytes(64, 128)), list), "Stream read error");       // negative T
    EXPECT_EQ(Load(withData({100, 20}, Bytes(20, 128)), list), "Stream read error");           // T beyond the file
    Bytes big(32783, 0);
    big[0] = 128;
    EXPECT_EQ(Load(withData({32787, 32783}, big), list), "Stream read error");                // chunk too long
    EXPECT_EQ(Load(withData({8, 0xFFFFFFFF}, Bytes(4, 0)), list), "Stream read error");       // negative C
    EXPECT_EQ(Load(withData({9, 5}, {64, 0x80, 0x00, 0x00, 0x10}), list), "Stream read error");  // bad distance
    EXPECT_EQ(Load(withData({4, 0}, {}), list), "Stream read error");                          // empty chunk
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0), nullptr);
    // Plain data with a negative size, or a count whose offset table the file cannot hold.
    Bytes plain = ThemeHead(1);
    plain.push_back(8);
    AddInt32(plain, 0x80000000);
    EXPECT_EQ(Load(plain, list), "Stream read error");
    Bytes huge = ThemeHead(0);
    PutU32(huge, 9, 0x7FFFFFFF);
    huge.resize(100, 0);
    EXPECT_EQ(Load(huge, list), "Stream read error");
    EXPECT_EQ(list.Count(), 0);
}

TEST(ThemeLoad, InvalidBitmapsFailWithTheDecoderMessage) {
    const Bytes good = MakeBmp24(10, 10);
    auto patched = [&](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        PutU32(b, at, value);
        return b;
    };
    auto narrowPatched = [&](std::size_t at, std::uint16_t value) {
        Bytes b = good;
        zv::test::PutU16(b, at, value);
        return b;
    };
    Bytes notBm = good;
    notBm[0] = 'X';
    const std::vector<Bytes> bad = {
        notBm,
        patched(18, 100000), patched(22, 100000), patched(18, 0), patched(22, 0), patched(22, 0x80000000),
        patched(18, 4097), patched(22, static_cast<std::uint32_t>(-4097)),
        narrowPatched(28, 16), narrowPatched(28, 0), narrowPatched(28, 7),
        patched(30, 4), patched(30, 1), patched(30, 3),  // JPEG data, RLE8 with 24 bits, bit fields with 24 bits
        patched(10, 5000), patched(10, 20),              // pixel data outside the file or inside the headers
        patched(14, 64), patched(14, 1000),              // unknown header sizes
        patched(2, 100000),                              // declared longer than the data
        Bytes(good.begin(), good.end() - 1),             // pixel rows cut short
        Bytes(good.begin(), good.begin() + 30),
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        zv::view::BmpInfo info;
        EXPECT_FALSE(zv::view::ReadBmpInfo(bad[i].data(), bad[i].size(), info)) << "case " << i;
        ImageList list;
        const Bytes file = zv::view::WriteThemeBytes({Entry(good), Entry(bad[i], i % 2 == 0), Entry(good)});
        EXPECT_EQ(Load(file, list), "Bitmap image is not valid") << "case " << i;
        ASSERT_EQ(list.Count(), 2);
        EXPECT_NE(list.Get(0), nullptr);
        EXPECT_EQ(list.Get(1), nullptr);
    }
}

TEST(ThemeLoad, TopDownAndPalettedBitmapsDecode) {
    Bytes topDown = MakeBmp24(12, 9, 4);
    PutU32(topDown, 22, static_cast<std::uint32_t>(-9));
    ImageList list;
    ASSERT_EQ(Load(zv::view::WriteThemeBytes({Entry(topDown), Entry(MakeBmp8(7, 5))}), list), "");
    // Stored top-down, the bottom row of the builder now shows at the top.
    EXPECT_EQ(PixelAt(list.Get(0), 3, 0), zv::test::Bmp24Colour(12, 9, 4, 3, 8));
    SDL_Surface* p = list.Get(1);
    EXPECT_EQ(p->format->format, SDL_PIXELFORMAT_RGB888);
    // Bottom-up: the file's first row (x + 0) % 16 is the picture's last row. Palette entry 3: red 3, green 252, blue 48.
    EXPECT_EQ(PixelAt(p, 3, 4), 0x03FC30u);

    // RLE8, 4 x 2: the bottom row a run of colour 3, the top row a run of colour 5.
    Bytes rle = MakeBmp8(4, 2);
    rle.resize(54 + 64);
    rle.insert(rle.end(), {4, 3, 0, 0, 4, 5, 0, 1});
    PutU32(rle, 2, static_cast<std::uint32_t>(rle.size()));
    PutU32(rle, 30, 1);
    PutU32(rle, 34, 8);
    ASSERT_EQ(Load(zv::view::WriteThemeBytes({Entry(rle)}), list), "");
    EXPECT_EQ(PixelAt(list.Get(0), 0, 1), 0x03FC30u);
    EXPECT_EQ(PixelAt(list.Get(0), 3, 0), 0x05FA50u);
}

TEST(ThemeLoad, ResourceLimitsStopMemoryBombs) {
    // A picture whose chunks expand beyond any acceptable bitmap is stopped while expanding.
    // One chunk of 35 bytes: eight runs filling the whole 32781 bytes.
    Bytes chunk = {64, 0xFF, 0x00};
    for (int i = 0; i < 7; ++i) chunk.insert(chunk.end(), {0, 0x0F, 0xFF, 1});
    chunk.insert(chunk.end(), {0, 0x0F, 0x94, 2});
    const std::size_t chunks = zv::view::kMaxBitmapBytes / zv::view::kMaxChunkOutput + 2;
    Bytes file = ThemeHead(1);
    file.push_back(9);
    AddInt32(file, static_cast<std::uint32_t>(chunks * (chunk.size() + 4)));
    for (std::size_t i = 0; i < chunks; ++i) {
        AddInt32(file, static_cast<std::uint32_t>(chunk.size()));
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    ImageList list;
    EXPECT_EQ(Load(file, list), "Bitmap image is not valid");
    // More pictures than any theme needs.
    Bytes many = ThemeHead(static_cast<std::int32_t>(zv::view::kMaxThemePictures + 1));
    many.resize(many.size() + zv::view::kMaxThemePictures + 1, 0);
    EXPECT_EQ(Load(many, list), "Out of memory");
}

TEST(ThemeWrite, OffsetTablePointsAtEachRecord) {
    std::vector<ThemeEntry> entries = {Entry(MakeBmp24(33, 33)), Entry({}), Entry(MakeBmp8(3, 3), false)};
    entries[1].description = "empty";
    const Bytes file = zv::view::WriteThemeBytes(entries);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 9), kHeader);
    EXPECT_EQ(file[9], 3);
    const std::size_t first = file[13] | file[14] << 8, second = file[17] | file[18] << 8, third = file[21] | file[22] << 8;
    EXPECT_EQ(first, 25u);
    EXPECT_EQ(file[first], 1 | 8);
    EXPECT_EQ(file[second], 1 | 2);
    EXPECT_EQ(file[second + 1], 5);
    EXPECT_EQ(file[third], 8);
    EXPECT_EQ(third, second + 7);

    entries[0].description.assign(256, 'x');
    EXPECT_THROW(zv::view::WriteThemeBytes(entries), std::invalid_argument);
}

TEST(ThemeWrite, RandomThemesRoundTrip) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    for (int round = 0; round < 20; ++round) {
        std::vector<ThemeEntry> entries(rng() % 8);
        for (ThemeEntry& e : entries) {
            switch (rng() % 4) {
            case 0: break;
            case 1: e.bitmap = MakeBmp24(1 + static_cast<int>(rng() % 200), 1 + static_cast<int>(rng() % 200), rng()); break;
            case 2: e.bitmap = MakeBmp8(1 + static_cast<int>(rng() % 90), 1 + static_cast<int>(rng() % 90)); break;
            default:
                // Arbitrary bytes pass through the format unchanged, though no decoder would take them.
                e.bitmap.resize(rng() % 100000);
                for (auto& b : e.bitmap) b = static_cast<std::uint8_t>(rng() % (1 + rng() % 256));
            }
            e.compressed = rng() % 3 != 0;
            e.description.assign(rng() % 256, static_cast<char>('a' + rng() % 26));
            e.identifier = static_cast<std::int32_t>(rng() % 3 == 0 ? rng() : 0);
            e.pixelFormat = static_cast<int>(rng() % 4);
        }
        const Bytes file = zv::view::WriteThemeBytes(entries);
        const auto back = zv::view::ReadThemeEntries(file.data(), file.size(), "r");
        ASSERT_EQ(back.size(), entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(back[i].bitmap, entries[i].bitmap);
            EXPECT_EQ(back[i].description, entries[i].description);
            EXPECT_EQ(back[i].identifier, entries[i].identifier);
            EXPECT_EQ(back[i].pixelFormat, entries[i].pixelFormat);
            EXPECT_EQ(back[i].compressed, entries[i].compressed);
        }
    }
}

TEST(ThemeLoad, DamagedThemesEndInAnErrorNotACrash) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const Bytes good = zv::view::WriteThemeBytes({Entry(MakeBmp24(33, 33)), Entry(MakeBmp8(20, 20), false), Entry(MakeBmp24(40, 30))});
    for (int round = 0; round < 1500; ++round) {
        Bytes bad = good;
        for (int flips = 1 + static_cast<int>(rng() % 6); flips > 0; --flips)
            bad[9 + rng() % (bad.size() - 9)] = static_cast<std::uint8_t>(rng());
        ImageList list;
        const std::string message = Load(bad, list);
        EXPECT_TRUE(message == "" || message == "Stream read error" || message == "Bitmap image is not valid" ||
                    message == "Out of memory")
            << message;
        const auto n = static_cast<std::int32_t>(bad[9] | bad[10] << 8 | bad[11] << 16 | static_cast<std::uint32_t>(bad[12]) << 24);
        if (message.empty())
            EXPECT_EQ(list.Count(), std::max(n, 0));
        else
            EXPECT_LE(list.Count(), std::max(n, 0));
    }
}
