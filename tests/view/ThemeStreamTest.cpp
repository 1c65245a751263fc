// Tests of decoding theme pictures chunk by chunk: the same pictures and the same failures as expanding them whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "ThemeOutcome.h"
#include "view/Bmp.h"
#include "view/BmpStream.h"
#include "view/LzChunk.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

using zv::test::MakeBmp24;
using zv::test::MakeBmp32;
using zv::test::MakeBmp8;
using zv::test::PutU32;
using zv::view::BmpStream;
using zv::view::ThemeError;
using Bytes = std::vector<std::uint8_t>;

namespace {

void AddInt32(Bytes& v, std::uint32_t value) {
    v.resize(v.size() + 4);
    PutU32(v, v.size() - 4, value);
}

Bytes Patched(Bytes v, std::size_t at, std::uint32_t value) {
    PutU32(v, at, value);
    return v;
}

// The chunks of a bitmap file cut into pieces of `piece` bytes.
std::vector<Bytes> ChunksOf(const Bytes& file, std::size_t piece) {
    std::vector<Bytes> chunks;
    for (std::size_t p = 0; p < file.size(); p += piece)
        chunks.push_back(zv::view::CompressChunk(file.data() + p, std::min(piece, file.size() - p)));
    return chunks;
}

// A compressed record of the chunks; its chunk area says `area` bytes, or their true size.
Bytes Record(const std::vector<Bytes>& chunks, std::optional<std::uint32_t> area = {}) {
    Bytes body;
    for (const Bytes& c : chunks) {
        AddInt32(body, static_cast<std::uint32_t>(c.size()));
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes r = {1 | 8};
    AddInt32(r, area.value_or(static_cast<std::uint32_t>(body.size())));
    r.insert(r.end(), body.begin(), body.end());
    return r;
}

Bytes ThemeOf(const std::vector<Bytes>& records) {
    Bytes v = {8, 'L', 'M', 'D', 'B', 'M', 'L', '3', '0'};
    AddInt32(v, static_cast<std::uint32_t>(records.size()));
    v.resize(v.size() + 4 * records.size(), 0);
    for (const Bytes& r : records) v.insert(v.end(), r.begin(), r.end());
    return v;
}

// Loads the theme both ways: the same outcome, and `error` as its message.
void ExpectBothWays(const Bytes& theme, const std::string& error, const std::string& what) {
    const auto streamed = zv::test::OutcomeOf(zv::view::LoadThemeBytes, theme.data(), theme.size());
    const auto whole = zv::test::OutcomeOf(zv::view::LoadThemeBytesExpandingWhole, theme.data(), theme.size());
    EXPECT_EQ(streamed.error, error) << what;
    EXPECT_TRUE(streamed == whole) << what << ": streamed \"" << streamed.error << "\" with "
                                   << streamed.pictures.size() << " pictures, whole \"" << whole.error << "\" with "
                                   << whole.pictures.size();
}

Bytes TopDown(Bytes bmp) {
    const std::int32_t height = static_cast<std::int32_t>(bmp[22] | bmp[23] << 8);
    PutU32(bmp, 22, static_cast<std::uint32_t>(-height));
    return bmp;
}

// A 24-bit file with 5 bytes between its headers and its rows and 9 bytes after them.
Bytes WithGapAndTail(int width, int height) {
    Bytes bmp = MakeBmp24(width, height, 3);
    bmp.insert(bmp.begin() + 54, 5, 0xEE);
    bmp.insert(bmp.end(), 9, 0xDD);
    PutU32(bmp, 10, 59);
    PutU32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    return bmp;
}

} // namespace

TEST(BmpStream, PiecesOfAnySizeGiveWhatTheWholeFileGives) {
    struct Case { Bytes bmp; bool rows; };
    const std::vector<Case> cases = {
        {MakeBmp24(1, 30), true}, {MakeBmp24(2, 20, 1), true}, {MakeBmp24(3, 10, 2), true}, {MakeBmp24(13, 9, 4), true},
        {TopDown(MakeBmp24(13, 9, 5)), true}, {MakeBmp32(7, 6), true}, {TopDown(MakeBmp32(5, 40, 1)), true},
        {WithGapAndTail(6, 7), true}, {MakeBmp8(9, 5), false}, {MakeBmp24(1, 1), false} /* shorter than the largest header */,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Bytes& bmp = cases[i].bmp;
        zv::ui::Picture expected;
        expected.surface = zv::view::DecodeBmp(bmp.data(), bmp.size());
        for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{64}, std::size_t{139}, bmp.size()}) {
            SCOPED_TRACE(testing::Message() << "case " << i << ", pieces of " << piece);
            BmpStream stream(bmp.size());
            for (std::size_t p = 0; p < bmp.size(); p += piece) stream.Append(bmp.data() + p, std::min(piece, bmp.size() - p));
            EXPECT_EQ(stream.Streaming(), cases[i].rows);
            zv::view::BmpInfo info;
            ASSERT_TRUE(stream.Info(info));
            EXPECT_EQ(info.width, expected.surface->w);
            zv::ui::Picture picture;
            picture.surface = stream.Decode();
            EXPECT_TRUE(zv::test::StateOf(picture) == zv::test::StateOf(expected));
        }
    }
}

TEST(BmpStream, CutFilesAndLyingHeadersAreRefusedAsDecodeBmpRefusesThem) {
    const Bytes bmp = MakeBmp24(5, 12);
    std::vector<Bytes> bad = {Patched(bmp, 2, static_cast<std::uint32_t>(bmp.size() + 1)), Patched(bmp, 10, 60),
                              Patched(bmp, 22, 13)};
    for (std::size_t cut = 0; cut < bmp.size(); ++cut) bad.emplace_back(bmp.begin(), bmp.begin() + static_cast<std::ptrdiff_t>(cut));
    for (std::size_t i = 0; i < bad.size(); ++i) {
        BmpStream stream(bmp.size() + 1);
        for (std::size_t p = 0; p < bad[i].size(); p += 7) stream.Append(bad[i].data() + p, std::min<std::size_t>(7, bad[i].size() - p));
        zv::view::BmpInfo info;
        EXPECT_FALSE(stream.Info(info)) << "case " << i;
        EXPECT_THROW(stream.Decode(), ThemeError) << "case " << i;
    }
}

TEST(BmpStream, HeadersPromisingMoreThanCanArriveKeepTheFileWhole) {
    const Bytes bmp = MakeBmp24(33, 33);
    BmpStream stream(bmp.size() - 1);
    stream.Append(bmp.data(), bmp.size());
    EXPECT_FALSE(stream.Streaming());
    EXPECT_EQ(stream.Decode()->w, 33);
}

TEST(ThemeStream, BuiltInThemesGiveTheSamePicturesAndAreDecodedRowByRow) {
    int files = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(ZV_ASSETS)) {
        if (item.path().extension() != ".zvt") continue;
        ++files;
        std::ifstream in(item.path(), std::ios::binary);
        const Bytes theme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto streamed = zv::test::OutcomeOf(zv::view::LoadThemeBytes, theme.data(), theme.size());
        const auto whole = zv::test::OutcomeOf(zv::view::LoadThemeBytesExpandingWhole, theme.data(), theme.size());
        EXPECT_EQ(streamed.error, "") << item.path();
        EXPECT_FALSE(streamed.pictures.empty()) << item.path();
        EXPECT_TRUE(streamed == whole) << item.path();
        for (const zv::view::ThemeEntry& e : zv::view::ReadThemeEntries(theme.data(), theme.size(), "t")) {
            BmpStream stream(e.bitmap.size());
            stream.Append(e.bitmap.data(), std::min(e.bitmap.size(), zv::view::kMaxChunkOutput));
            EXPECT_TRUE(e.bitmap.empty() || stream.Streaming()) << item.path();
        }
    }
    // Five skin lists at three scales, and sixteen window pictures at 2x and 3x.
    EXPECT_GE(files, 5 * 3 + 16 * 2);
}

TEST(ThemeStream, RowsStraddlingChunksDecodeAsWhole) {
    const std::vector<Bytes> bitmaps = {MakeBmp24(13, 9, 1), TopDown(MakeBmp24(13, 9, 2)), MakeBmp32(11, 4), WithGapAndTail(3, 8)};
    for (std::size_t piece : {1, 2, 3, 5, 7, 41, 54, 55, 139}) {
        std::vector<Bytes> records;
        for (const Bytes& bmp : bitmaps) records.push_back(Record(ChunksOf(bmp, piece)));
        ExpectBothWays(ThemeOf(records), "", "pieces of " + std::to_string(piece));
    }
}

TEST(ThemeStream, BrokenPicturesFailAsWhenExpandedWhole) {
    const Bytes good = MakeBmp24(13, 9, 1);
    const Bytes bmp = MakeBmp24(10, 7, 2);  // rows of 32 bytes, 2 of them padding
    const std::vector<Bytes> chunks = ChunksOf(bmp, 50);
    const Bytes tooFewRows = Patched(bmp, 22, 20);
    // The last chunk replaced by one whose first item copies from before the chunk's output.
    auto badLastChunk = [](std::vector<Bytes> c) {
        c.back() = {64, 0x80, 0x00, 0x00, 0x10};
        return Record(c);
    };
    struct Case { std::string what; Bytes record; std::string error; };
    const std::vector<Case> cases = {
        {"short last row", Record(ChunksOf(Bytes(bmp.begin(), bmp.end() - 1), 50)), zv::view::kBitmapNotValid},
        {"header declaring a larger file", Record(ChunksOf(Patched(bmp, 2, static_cast<std::uint32_t>(bmp.size() + 1)), 50)),
         zv::view::kBitmapNotValid},
        {"no declared size", Record(ChunksOf(Patched(bmp, 2, 0), 50)), ""},
        {"pixel data past the end", Record(ChunksOf(Patched(bmp, 10, 60), 50)), zv::view::kBitmapNotValid},
        {"too few rows", Record(ChunksOf(tooFewRows, 50)), zv::view::kBitmapNotValid},
        {"top-down", Record(ChunksOf(TopDown(bmp), 50)), ""},
        {"area shorter than the chunks", Record(chunks, 2 * (4 + static_cast<std::uint32_t>(chunks[0].size()))),
         zv::view::kBitmapNotValid},
        {"area one byte short of the last chunk", Record(chunks, static_cast<std::uint32_t>(Record(chunks).size() - 6)), ""},
        {"a malformed chunk", badLastChunk(chunks), zv::view::kStreamReadError},
        {"a malformed chunk after too few rows", badLastChunk(ChunksOf(tooFewRows, 50)), zv::view::kStreamReadError},
        {"a chunk longer than any chunk may be", Record({Bytes(zv::view::kMaxChunkLength + 1, 128)}), zv::view::kStreamReadError},
    };
    for (const Case& c : cases) {
        // The broken picture between two good ones: on a failure the list ends with it, empty.
        ExpectBothWays(ThemeOf({Record(ChunksOf(good, 50)), c.record, Record(ChunksOf(good, 40))}), c.error, c.what);
    }
    // Chunk lengths and counts that lie, and the theme cut anywhere.
    const Bytes theme = ThemeOf({Record(ChunksOf(bmp, 50)), Record(ChunksOf(MakeBmp8(5, 3), 30)), Record(ChunksOf(good, 70))});
    for (std::size_t at = 25; at < theme.size(); ++at) {
        ExpectBothWays(Bytes(theme.begin(), theme.begin() + static_cast<std::ptrdiff_t>(at)), zv::view::kStreamReadError,
                       "cut at " + std::to_string(at));
        Bytes lie = theme;
        lie[at] = static_cast<std::uint8_t>(lie[at] + 1 + at % 5);
        const auto streamed = zv::test::OutcomeOf(zv::view::LoadThemeBytes, lie.data(), lie.size());
        ExpectBothWays(lie, streamed.error, "byte " + std::to_string(at) + " changed");
    }
}

TEST(ThemeStream, TheSameFaultWinsWhenSeveralApply) {
    // A valid record of one chunk per kMaxChunkOutput bytes of zeros after the headers of `head`, `bytes` long in all.
    const Bytes zeros(zv::view::kMaxChunkOutput, 0);
    const Bytes zeroChunk = zv::view::CompressChunk(zeros.data(), zeros.size());
    auto bigRecord = [&](const Bytes& head, std::size_t bytes) {
        std::vector<Bytes> chunks = ChunksOf(head, head.size());
        for (std::size_t n = head.size(); n < bytes; n += zeros.size())
            chunks.push_back(bytes - n >= zeros.size() ? zeroChunk : zv::view::CompressChunk(zeros.data(), bytes - n));
        return Record(chunks);
    };
    // Three bitmap files of 80 MiB (one pixel and zeros after it) leave 16 MiB of the theme's limit:
    // room for the file of a 2048 x 2048 picture but not for its surface as well.
    auto headOf = [](int width, int height, std::uint32_t fileSize) {
        Bytes h = MakeBmp24(1, 1);
        h.resize(54);
        PutU32(h, 2, fileSize);
        PutU32(h, 18, static_cast<std::uint32_t>(width));
        PutU32(h, 22, static_cast<std::uint32_t>(height));
        return h;
    };
    const std::size_t side = 2048 * 3 * 2048;
    const Bytes filler = bigRecord(headOf(1, 1, 0), zv::view::kMaxBitmapBytes);
    auto theme = [&](const Bytes& last) { return ThemeOf({filler, filler, filler, last}); };
    ExpectBothWays(theme(bigRecord(headOf(2048, 2048, 0), 54 + side)), zv::view::kOutOfMemory, "surface beyond the limit");
    ExpectBothWays(theme(bigRecord(headOf(2048, 2048, 0), 54 + side - 1)), zv::view::kBitmapNotValid,
                   "surface beyond the limit, last row short");
    ExpectBothWays(theme(bigRecord(headOf(2048, 2048, 54 + side + 1), 54 + side)), zv::view::kBitmapNotValid,
                   "surface beyond the limit, larger file declared");
    ExpectBothWays(theme(bigRecord(headOf(4096, 2048, 99), 54 + 2 * side)), zv::view::kOutOfMemory,
                   "file beyond the limit, larger file declared");
    Bytes cut = theme(bigRecord(headOf(2048, 2048, 0), 54 + side - 1));
    cut.resize(cut.size() - 1);
    ExpectBothWays(cut, zv::view::kStreamReadError, "last row short and the data cut");
}
