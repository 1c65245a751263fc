// Tests of themes as the custom skin: too few pictures are refused, and the check agrees with the loader.
#include <gtest/gtest.h>

#include <SDL.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "ui/ImageList.h"
#include "view/SkinTheme.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

using zv::test::MakeBmp24;
using zv::test::MakeBmp8;
using zv::ui::ImageList;
using zv::view::ThemeEntry;
using zv::view::ThemeError;
using Bytes = std::vector<std::uint8_t>;

namespace {

ThemeEntry Entry(Bytes bitmap, bool compressed = true) {
    ThemeEntry e;
    e.bitmap = std::move(bitmap);
    e.compressed = compressed;
    return e;
}

// A theme of n pictures, every third one stored plain: cell-sized where a skin shows them, small after.
Bytes ThemeOf(int n) {
    std::vector<ThemeEntry> entries;
    for (int i = 0; i < n; ++i) {
        const int side = i < zv::view::kMinSkinPictures ? zv::view::kCellPictureSize : 6 + i;
        entries.push_back(Entry(MakeBmp24(side, side, static_cast<unsigned>(i)), i % 3 != 0));
    }
    return zv::view::WriteThemeBytes(entries);
}

class SkinThemeFile : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() / ("skin-theme-" + std::to_string(::getpid()) + ".zvt")).string();
        list_.Append().description = "current 0";
        list_.Append().description = "current 1";
    }
    void TearDown() override { std::remove(path_.c_str()); }

    void Put(const Bytes& bytes) {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    // The message of the refusal, or "" when the theme was taken.
    std::string LoadAsSkin() {
        try {
            zv::view::LoadSkinThemeFile(path_, list_);
        } catch (const ThemeError& e) {
            return e.what();
        }
        return "";
    }
    bool KeptCurrent() const { return list_.Count() == 2 && list_.At(1).description == "current 1"; }

    std::string path_;
    ImageList list_{"list6"};
};

TEST_F(SkinThemeFile, FewerThanSevenPicturesAreRefusedAndTheSkinStays) {
    Put(ThemeOf(0)); // the 13-byte theme
    EXPECT_EQ(LoadAsSkin(), path_ + ": a skin needs at least 7 pictures, this file holds 0");
    EXPECT_TRUE(KeptCurrent());
    Put(ThemeOf(6));
    EXPECT_EQ(LoadAsSkin(), path_ + ": a skin needs at least 7 pictures, this file holds 6");
    EXPECT_TRUE(KeptCurrent());

    Put(ThemeOf(7));
    EXPECT_EQ(LoadAsSkin(), "");
    ASSERT_EQ(list_.Count(), 7);
    EXPECT_EQ(list_.Get(6)->w, 33);
    EXPECT_EQ(list_.Name(), "list6");
}

TEST_F(SkinThemeFile, EveryRefusalNamesTheFileAndKeepsTheSkin) {
    Bytes cut = ThemeOf(8);
    cut.resize(cut.size() - 10);
    Put(cut);
    EXPECT_EQ(LoadAsSkin(), path_ + ": Stream read error");
    EXPECT_TRUE(KeptCurrent());

    Bytes notBitmap = MakeBmp24(4, 4);
    notBitmap[0] = 'X';
    std::vector<ThemeEntry> entries(7, Entry(MakeBmp8(3, 3)));
    entries[4] = Entry(notBitmap);
    Put(zv::view::WriteThemeBytes(entries));
    EXPECT_EQ(LoadAsSkin(), path_ + ": Bitmap image is not valid");
    EXPECT_TRUE(KeptCurrent());

    Bytes wrong = ThemeOf(7);
    wrong[1] = 'X';
    Put(wrong);
    EXPECT_EQ(LoadAsSkin(), "Cannot open file " + path_ + ": ImageList");
    std::remove(path_.c_str());
    EXPECT_EQ(LoadAsSkin(), "Cannot open file " + path_ + ": No such file or directory");
    EXPECT_TRUE(KeptCurrent());
}

// The check says "no fault" exactly when the loader takes the theme as a skin, and has read the
// same pictures as the loader before a fault.
void ExpectCheckAgreesWithTheLoader(const Bytes& file, const std::string& what) {
    ImageList list;
    bool loaded = true;
    try {
        zv::view::LoadThemeBytes(file.data(), file.size(), "t.zvt", list);
    } catch (const ThemeError&) {
        loaded = false;
    }
    const zv::view::ThemeCheck check = zv::view::CheckSkinThemeBytes(file.data(), file.size(), "t.zvt");
    bool taken = loaded && list.Count() >= zv::view::kMinSkinPictures;
    for (int i = 0; taken && i < zv::view::kMinSkinPictures; ++i)
        if (const SDL_Surface* p = list.Get(i)) taken = p->w == 33 && p->h == 33;
    ASSERT_EQ(check.fault.empty(), taken) << what << ": " << check.fault;
    if (!check.fault.empty()) {
        EXPECT_EQ(check.fault.rfind("t.zvt: ", 0), 0u) << what;
    }
    // A failed load leaves the failing picture in the list, empty.
    const int read = loaded ? list.Count() : std::max(0, list.Count() - 1);
    ASSERT_EQ(static_cast<int>(check.pictures.size()), read) << what;
    for (int i = 0; i < read; ++i) {
        const zv::view::ThemePictureInfo& p = check.pictures[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.bitmapBytes == 0, list.Get(i) == nullptr) << what;
        if (list.Get(i)) {
            EXPECT_EQ(p.bitmap.width, list.Get(i)->w) << what;
        }
    }
}

TEST_F(SkinThemeFile, ACellOrBallPictureOfAnotherSizeIsRefusedByTheGameAndTheCheckAlike) {
    // refusal: after the file's name; "" when the theme is taken.
    const struct { int position, width, height; const char* refusal; } cases[] = {
        {0, 64, 64, ": picture 0 is 64 × 64 pixels; the cell and ball pictures of a skin (0 to 6) must be 33 × 33"},
        {6, 33, 32, ": picture 6 is 33 × 32 pixels; the cell and ball pictures of a skin (0 to 6) must be 33 × 33"},
        {3, 32, 33, ": picture 3 is 32 × 33 pixels; the cell and ball pictures of a skin (0 to 6) must be 33 × 33"},
        {7, 64, 64, ""}, // shown nowhere
        {8, 14, 14, ""},
    };
    for (const auto& c : cases) {
        std::vector<ThemeEntry> entries;
        for (int i = 0; i < 9; ++i) entries.push_back(Entry(MakeBmp24(33, 33, static_cast<unsigned>(i))));
        entries[static_cast<std::size_t>(c.position)] = Entry(MakeBmp24(c.width, c.height));
        const Bytes file = zv::view::WriteThemeBytes(entries);
        Put(file);
        const std::string expected = *c.refusal ? path_ + c.refusal : "";
        EXPECT_EQ(LoadAsSkin(), expected) << c.position;
        EXPECT_EQ(KeptCurrent(), !expected.empty()) << c.position;
        EXPECT_EQ(zv::view::CheckSkinThemeBytes(file.data(), file.size(), path_).fault, expected) << c.position;
        list_.ReplaceWith(ImageList{});
        list_.Append().description = "current 0";
        list_.Append().description = "current 1";
    }
}

TEST(SkinThemeCheck, AgreesWithTheLoaderOnCutAndDamagedThemes) {
    std::vector<ThemeEntry> entries;
    for (int i = 0; i < 7; ++i) entries.push_back(Entry(MakeBmp24(9, 7, static_cast<unsigned>(i)), i != 2));
    entries[5] = Entry({});
    const Bytes file = zv::view::WriteThemeBytes(entries);
    ExpectCheckAgreesWithTheLoader(file, "whole");
    for (std::size_t cut = 0; cut < file.size(); ++cut)
        ExpectCheckAgreesWithTheLoader(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut)),
                                       "cut at " + std::to_string(cut));
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> at(0, file.size() - 1);
    for (int round = 0; round < 500; ++round) {
        Bytes damaged = file;
        damaged[at(rng)] ^= static_cast<std::uint8_t>(1u << (round % 8));
        ExpectCheckAgreesWithTheLoader(damaged, "seed " + std::to_string(seed) + " round " + std::to_string(round));
    }
}

TEST(SkinThemeCheck, FaultsSayWhichPictureAndWhere) {
    const Bytes seven = ThemeOf(7);
    // The offset table begins at 13, four bytes an entry.
    const std::size_t record3 = seven[25] | seven[26] << 8 | seven[27] << 16;
    // A cut inside picture 3: its record offset from the table, the failing read inside it.
    const Bytes cut(seven.begin(), seven.begin() + static_cast<std::ptrdiff_t>(record3 + 10));
    const zv::view::ThemeCheck c = zv::view::CheckSkinThemeBytes(cut.data(), cut.size(), "t.zvt");
    EXPECT_EQ(c.announced, 7);
    EXPECT_EQ(c.pictures.size(), 3u);
    EXPECT_EQ(c.fault.rfind("t.zvt: picture 3 (record at offset " + std::to_string(record3) + "): Stream read error at offset ", 0), 0u)
        << c.fault;
    EXPECT_NE(c.fault.find("(the file is " + std::to_string(cut.size()) + " bytes)"), std::string::npos) << c.fault;

    const Bytes none = ThemeOf(0);
    EXPECT_EQ(zv::view::CheckSkinThemeBytes(none.data(), none.size(), "t.zvt").fault,
              "t.zvt: a skin needs at least 7 pictures, this file holds 0");
    const Bytes table(seven.begin(), seven.begin() + 20);
    EXPECT_EQ(zv::view::CheckSkinThemeBytes(table.data(), table.size(), "t.zvt").fault,
              "t.zvt: picture count and offset table at offset 9: Stream read error at offset 13 (the file is 20 bytes)");
    EXPECT_EQ(zv::view::CheckSkinThemeBytes(seven.data(), 5, "t.zvt").fault.rfind("t.zvt: not a theme file", 0), 0u);
}

} // namespace
