// Directory lookups: the user data directory, the program's own name, the data directories.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "platform/ComposeTable.h"
#include "platform/Paths.h"
#include "kit/TempDir.h"

using namespace zv::platform;

TEST(Paths, UserDataDirFollowsXdgDataHomeAndIsCreatedPrivate) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv xdg("XDG_DATA_HOME", (dir / "deep/data").c_str());
    const std::string got = UserDataDir();
    EXPECT_EQ(got, dir / "deep/data/zorvex2000");
    struct stat st{};
    ASSERT_EQ(stat(got.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A second call finds it in place.
    EXPECT_EQ(UserDataDir(), got);
}

TEST(Paths, UserDataDirFallsBackToHomeWhenXdgDataHomeIsUnsetOrRelative) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv home("HOME", dir.path().c_str());
    {
        zv::kit::ScopedEnv xdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(UserDataDir(), dir / ".local/share/zorvex2000");
    }
    {
        zv::kit::ScopedEnv xdg("XDG_DATA_HOME", "relative");
        EXPECT_EQ(UserDataDir(), dir / ".local/share/zorvex2000");
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / ".local/share/zorvex2000"));
}

TEST(Paths, ExecutableNameIsTheNameAsStarted) {
    EXPECT_EQ(ExecutableName("/usr/games/zorvex2000"), "zorvex2000");
    EXPECT_EQ(ExecutableName("./my copy"), "my copy");
    EXPECT_EQ(ExecutableName("zorvex2000"), "zorvex2000");
    // Without argv[0] the running file's own name is taken.
    EXPECT_EQ(ExecutableName(nullptr), "test_platform");
    EXPECT_EQ(ExecutableName(""), "test_platform");
}

TEST(Paths, DataDirsExistAndIncludeTheSourceAssetsFromTheBuildTree) {
    const auto dirs = DataDirs();
    for (const auto& d : dirs) EXPECT_TRUE(std::filesystem::is_directory(d)) << d;
    const std::string sounds = std::filesystem::weakly_canonical(std::string(ZV_TEST_DATA) + "/../../../assets/sounds");
    if (std::filesystem::is_directory(sounds)) {
        EXPECT_NE(std::find(dirs.begin(), dirs.end(), sounds), dirs.end());
    }
}

TEST(Paths, MakeDirectoriesReportsFailure) {
    zv::kit::TempDir dir;
    std::FILE* f = std::fopen((dir / "file").c_str(), "w");
    std::fclose(f);
    EXPECT_FALSE(MakeDirectories(dir / "file/sub", 0700));
    EXPECT_TRUE(MakeDirectories(dir / "a/b/c", 0700));
}

// Xlib is given an empty compose file only while SDL opens the display; the player's own setting, or none,
// comes back after it.
TEST(Paths, TheComposeFileIsEmptyOnlyWhileTheDisplayIsOpened) {
    for (const char* players : {static_cast<const char*>(nullptr), "/home/player/.XCompose"}) {
        zv::kit::ScopedEnv own("XCOMPOSEFILE", players);
        const std::optional<std::string> before = LeaveOutComposeTable();
        EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/dev/null");
        RestoreComposeFile(before);
        if (players) EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), players);
        else EXPECT_EQ(std::getenv("XCOMPOSEFILE"), nullptr);
    }
}
