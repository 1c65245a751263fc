// Tests of the skin file: integers one per line, the last one counts.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "store/SkinFile.h"
#include "kit/TempDir.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

// The skin after reading content, starting from 1; 0 stands for a rejected content.
std::int32_t Read(std::string_view content) {
    std::int32_t skin = 1;
    return ParseSkinText(content, skin) ? skin : 0;
}

TEST(SkinParse, LastIntegerCountsBlanksAndLineEndsSkipped) {
    EXPECT_EQ(Read("3"), 3);
    EXPECT_EQ(Read("3\r\n"), 3);
    EXPECT_EQ(Read("  \t4"), 4);
    EXPECT_EQ(Read("2\r\n5\r\n"), 5);
    EXPECT_EQ(Read("2\n\n\n   5"), 5);
    EXPECT_EQ(Read("-6"), -6);
    EXPECT_EQ(Read("+2"), 2);
    // One integer per line: whatever follows it on its line is skipped.
    EXPECT_EQ(Read("5 9 junk\r\n"), 5);
    EXPECT_EQ(Read("5 junk\r\n4"), 4);
}

TEST(SkinParse, NoIntegerLeavesTheSkinAndBadTextIsRejected) {
    EXPECT_EQ(Read(""), 1);
    EXPECT_EQ(Read(" \r\n\t\r\n"), 1);
    EXPECT_EQ(Read("3\r\n\r\n  "), 3);
    EXPECT_EQ(Read("abc"), 0);
    EXPECT_EQ(Read("3x"), 0);
    EXPECT_EQ(Read("-"), 0);
    EXPECT_EQ(Read("2147483647"), 2147483647);
    EXPECT_EQ(Read("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(Read("2147483648"), 0);
    EXPECT_EQ(Read("99999999999999999999999"), 0);
    // A rejected content leaves the skin as it was, even after a good line.
    std::int32_t skin = 1;
    EXPECT_FALSE(ParseSkinText("4\r\nx", skin));
    EXPECT_EQ(skin, 1);
}

TEST(SkinFile, WrittenWithoutLineEndAndReadBack) {
    TempDir dir;
    WriteSkinFile(dir / "win.sys", 3);
    EXPECT_EQ(GetFile(dir / "win.sys"), "3");
    std::int32_t skin = 1;
    ASSERT_TRUE(ReadSkinFile(dir / "win.sys", skin));
    EXPECT_EQ(skin, 3);
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(SkinFile, FileThatHoldsTheNumberIsLeftAlone) {
    TempDir dir;
    const std::string path = dir / "win.sys";
    WriteSkinFile(path, 3);
    const ino_t first = Inode(path);
    WriteSkinFile(path, 3);
    EXPECT_EQ(Inode(path), first);

    // Nothing can be written now, not even by root: the same number is still no error.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit none = old;
    none.rlim_cur = 0;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
    std::string same, other;
    try {
        WriteSkinFile(path, 3);
    } catch (const InOutError& e) {
        same = e.what();
    }
    try {
        WriteSkinFile(path, 4);
    } catch (const InOutError& e) {
        other = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(same, "");
    EXPECT_EQ(other, "Disk full");
    EXPECT_EQ(GetFile(path), "3");

    // Anything else in the file is replaced: a line end after it, another number, nothing.
    for (const char* content : {"3\r\n", "4", ""}) {
        PutFile(path, content);
        WriteSkinFile(path, 3);
        EXPECT_EQ(GetFile(path), "3");
    }
    std::remove(path.c_str());
    WriteSkinFile(path, 5);
    EXPECT_EQ(GetFile(path), "5");
}

TEST(SkinFile, MissingEmptyAndBadFiles) {
    TempDir dir;
    std::int32_t skin = 1;
    EXPECT_FALSE(ReadSkinFile(dir / "win.sys", skin));
    EXPECT_EQ(skin, 1);

    PutFile(dir / "win.sys", "");
    EXPECT_TRUE(ReadSkinFile(dir / "win.sys", skin));
    EXPECT_EQ(skin, 1);

    PutFile(dir / "win.sys", "glass");
    try {
        ReadSkinFile(dir / "win.sys", skin);
        FAIL() << "text read as a number";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "Invalid numeric input");
    }
    EXPECT_EQ(skin, 1);
    EXPECT_EQ(GetFile(dir / "win.sys"), "glass");
}

} // namespace
} // namespace zv::store
