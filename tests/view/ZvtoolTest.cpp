// Tests of zvtool list on crafted theme files: it fails whenever the game would refuse the theme, and says where.
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
    Outcome List(const std::string& path) {
        const std::string command = std::string("'") + ZVTOOL + "' list '" + path + "' >'" + (dir_ / "out").string() +
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
