// Tests of zvtool on crafted files: list fails whenever the game would refuse the theme, and says where; pack
// takes the picture formats players make.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "view/Bmp.h"
#include "view/ThemeFile.h"

using zv::test::MakeBmp24;
using zv::view::ThemeEntry;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

class ZvtoolList : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("zvtool-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static std::string Slurp(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    Outcome List(const std::string& path) { return Run("list '" + path + "'"); }
    Outcome Run(const std::string& args) {
        const std::string command = std::string("'") + ZVTOOL + "' " + args + " >'" + (dir_ / "out").string() +
                                    "' 2>'" + (dir_ / "err").string() + "'";
        const int raw = std::system(command.c_str());
        Outcome r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(dir_ / "out");
        r.err = Slurp(dir_ / "err");
        return r;
    }

    std::filesystem::path dir_;
};

ThemeEntry Entry(Bytes bitmap, bool compressed = true) {
    ThemeEntry e;
    e.bitmap = std::move(bitmap);
    e.compressed = compressed;
    return e;
}

std::vector<ThemeEntry> SevenPictures() {
    std::vector<ThemeEntry> entries;
    for (int i = 0; i < 7; ++i) entries.push_back(Entry(MakeBmp24(33, 33, static_cast<unsigned>(i)), i % 2 == 0));
    return entries;
}

std::size_t RecordOffset(const Bytes& theme, int picture) {
    const std::size_t at = 13 + 4 * static_cast<std::size_t>(picture);
    return theme[at] | theme[at + 1] << 8 | theme[at + 2] << 16;
}

TEST_F(ZvtoolList, AThemeTheGameTakesIsListedAndPasses) {
    const std::string path = Put("good.zvt", zv::view::WriteThemeBytes(SevenPictures()));
    const Outcome r = List(path);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind(path + ": 7 pictures\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" 6  33 x 33  24 bits  compressed\n"), std::string::npos) << r.out;
}

TEST_F(ZvtoolList, TooFewPicturesFailWithTheGamesReason) {
    const std::string one = Put("one.zvt", zv::view::WriteThemeBytes({Entry(MakeBmp24(33, 33))}));
    Outcome r = List(one);
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.out.rfind(one + ": 1 picture\n", 0), 0u) << r.out;
    EXPECT_NE(r.err.find(one + ": a skin needs at least 7 pictures, this file holds 1"), std::string::npos) << r.err;

    const std::string empty = Put("empty.zvt", zv::view::WriteThemeBytes({}));
    r = List(empty);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(empty + ": a skin needs at least 7 pictures, this file holds 0"), std::string::npos) << r.err;
}

TEST_F(ZvtoolList, APictureThatIsNoBitmapFailsAndIsNamed) {
    std::vector<ThemeEntry> entries = SevenPictures();
    Bytes broken = MakeBmp24(33, 33);
    broken[0] = 'X';
    entries[3] = Entry(broken, false);
    const Bytes theme = zv::view::WriteThemeBytes(entries);
    const std::string path = Put("broken.zvt", theme);
    const Outcome r = List(path);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(path + ": picture 3 (record at offset " + std::to_string(RecordOffset(theme, 3)) +
                         "): Bitmap image is not valid"),
              std::string::npos)
        << r.err;
    // The pictures before it are still shown.
    EXPECT_NE(r.out.find(" 2  33 x 33"), std::string::npos) << r.out;
}

TEST_F(ZvtoolList, AFileCutShortNamesThePictureAndTheOffset) {
    Bytes theme = zv::view::WriteThemeBytes(SevenPictures());
    const std::size_t record5 = RecordOffset(theme, 5);
    theme.resize(record5 + 7);
    const std::string path = Put("cut.zvt", theme);
    const Outcome r = List(path);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(path + ": picture 5 (record at offset " + std::to_string(record5) + "): Stream read error at offset "),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("(the file is " + std::to_string(theme.size()) + " bytes)"), std::string::npos) << r.err;
}

TEST_F(ZvtoolList, NoThemeOrNoFileNamesTheFile) {
    Bytes theme = zv::view::WriteThemeBytes(SevenPictures());
    theme[2] = 'X';
    const std::string path = Put("other.zvt", theme);
    Outcome r = List(path);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(path + ": not a theme file"), std::string::npos) << r.err;
    r = List((dir_ / "absent.zvt").string());
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find((dir_ / "absent.zvt").string() + ": "), std::string::npos) << r.err;
}

std::uint32_t PixelOf(const std::filesystem::path& bmp) {
    std::ifstream in(bmp, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const zv::ui::SurfacePtr s = zv::view::DecodeBmp(bytes.data(), bytes.size());
    return *static_cast<const std::uint32_t*>(s->pixels) & 0xFFFFFF;
}

TEST_F(ZvtoolList, PackTakesPngBesideBmpAndLandsItAsTheGameShowsIt) {
    std::string args = "pack '" + (dir_ / "mine.zvt").string() + "' '" ZV_TEST_DATA "/orange.png' '" ZV_TEST_DATA "/half-clear.png'";
    for (int i = 2; i < 7; ++i) args += " '" + Put(std::to_string(i) + ".bmp", MakeBmp24(33, 33, static_cast<unsigned>(i))) + "'";
    Outcome r = Run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    r = List((dir_ / "mine.zvt").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" 0  33 x 33  24 bits"), std::string::npos) << r.out;
    ASSERT_EQ(Run("unpack '" + (dir_ / "mine.zvt").string() + "' '" + (dir_ / "back").string() + "'").status, 0);
    EXPECT_EQ(PixelOf(dir_ / "back" / "00.bmp"), 0xFF8000u);
    // Half-transparent rgb(200, 100, 50) lies over black.
    const std::uint32_t half = PixelOf(dir_ / "back" / "01.bmp");
    EXPECT_NEAR(static_cast<int>(half >> 16), 100, 1);
    EXPECT_NEAR(static_cast<int>(half >> 8 & 0xFF), 50, 1);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 25, 1);
}

TEST_F(ZvtoolList, PackRefusesWhatItCannotTakeSayingWhatItTakesAndWarnsOfAPictureTheGameRefuses) {
    const std::string png = Slurp(ZV_TEST_DATA "/orange.png");
    const Bytes cutPng(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    Bytes badBmp = MakeBmp24(33, 33);
    badBmp[28] = 7; // seven bits per pixel
    const struct { const char* name; Bytes bytes; const char* says; } refused[] = {
        {"ball.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F'}, "neither a BMP nor a PNG picture; zvtool takes BMP"},
        {"cut.png", cutPng, "the PNG picture cannot be read"},
        {"odd.bmp", badBmp, "Bitmap image is not valid; zvtool takes BMP files of 1, 4, 8, 24 or 32 bits per pixel and PNG"},
    };
    for (const auto& c : refused) {
        const std::string in = Put(c.name, c.bytes);
        const Outcome r = Run("pack '" + (dir_ / "x.zvt").string() + "' '" + in + "'");
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.err.find(in + ": " + c.says), std::string::npos) << r.err;
    }

    // A ball of the wrong size is packed (a theme may be made in steps), with the game's reason; list then fails.
    std::string args = "pack '" + (dir_ / "big.zvt").string() + "'";
    for (int i = 0; i < 7; ++i) args += " '" + Put(std::to_string(i) + ".bmp", MakeBmp24(i == 4 ? 64 : 33, i == 4 ? 64 : 33)) + "'";
    const std::string fault = (dir_ / "big.zvt").string() + ": picture 4 is 64 × 64 pixels";
    Outcome r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("warning: " + fault), std::string::npos) << r.err;
    r = List((dir_ / "big.zvt").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(fault), std::string::npos) << r.err;
}

TEST_F(ZvtoolList, OnlyRegularFilesAreReadAsThemesAndAnythingElseIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((dir_ / "pipe.zvt").c_str(), 0600), 0);
    std::filesystem::create_directories(dir_ / "dir.zvt");
    for (const auto& [path, what] : {std::pair{(dir_ / "pipe.zvt").string(), "a named pipe"},
                                     {(dir_ / "dir.zvt").string(), "a directory"}, {"/dev/zero", "a device"}}) {
        const Outcome r = List(path);
        EXPECT_NE(r.status, 0) << path;
        EXPECT_NE(r.err.find(path + ": " + what), std::string::npos) << r.err;
        zv::ui::ImageList list; // the game reads its themes the same way
        EXPECT_THROW(zv::view::LoadThemeFile(path, list), std::exception) << path;
    }
}

} // namespace
