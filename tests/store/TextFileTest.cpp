// Tests of the text-file layer: error messages, bounded reads and atomic rewrites.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kit/TempDir.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

// The message of the error the call throws, or "" when it throws none.
template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const InOutError& e) {
        return e.what();
    }
    return "";
}

TEST(TextFileErrors, UnlistedSystemErrorsShowTheirNumber) {
    EXPECT_EQ(MessageForErrno(EIO), "I/O error 5");
    EXPECT_STREQ(InOutError::FromErrno(EXDEV).what(), "I/O error 18");
    EXPECT_EQ(InOutError::FromErrno(EDQUOT).errnoValue(), EDQUOT);
}

TEST(TextFileRead, ReportsMissingAndMisplacedFiles) {
    TempDir dir;
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / "absent"); }), "File not found");
    PutFile(dir / "plain", "x");
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / "plain/inner"); }), "File not found");
    ::mkdir((dir / "sub").c_str(), 0755);
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / "sub"); }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / std::string(300, 'n')); }), "Invalid filename");
    // A name with a NUL inside must not quietly open the shorter name.
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / std::string("plain\0x", 7)); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(""); }), "Invalid filename");
}

TEST(TextFileRead, ReadsBytesAsTheyAreAndRefusesLargeOrOddFiles) {
    TempDir dir;
    const std::string bytes("a\r\nb\0c\r", 7);
    PutFile(dir / "f", bytes);
    EXPECT_EQ(ReadTextFile(dir / "f"), bytes);

    PutFile(dir / "limit", std::string(kMaxTextFileSize, '7'));
    EXPECT_EQ(ReadTextFile(dir / "limit").size(), kMaxTextFileSize);
    PutFile(dir / "big", std::string(kMaxTextFileSize + 1, '7'));
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / "big"); }), "File access denied");

    // A FIFO has no writer: opening it for reading would block without care.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { ReadTextFile(dir / "fifo"); }), "File access denied");
}

TEST(TextFileWrite, ReplacesContentExactlyAndLeavesNoTemporaryFile) {
    TempDir dir;
    WriteTextFileAtomic(dir / "f", "first, longer content\r\n");
    WriteTextFileAtomic(dir / "f", "2");
    EXPECT_EQ(GetFile(dir / "f"), "2");
    WriteTextFileAtomic(dir / "f", "");
    EXPECT_EQ(GetFile(dir / "f"), "");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"f"});
}

// Content the file already holds is not written again (the file stays the same file); content of the same
// length that differs in one byte is.
TEST(TextFileWrite, LeavesAFileThatAlreadyHoldsTheContent) {
    TempDir dir;
    WriteTextFileAtomic(dir / "f", "same\r\n");
    const auto inode = [&] {
        struct stat st {};
        EXPECT_EQ(::stat((dir / "f").c_str(), &st), 0);
        return st.st_ino;
    };
    const auto before = inode();
    WriteTextFileAtomic(dir / "f", "same\r\n");
    EXPECT_EQ(inode(), before);
    WriteTextFileAtomic(dir / "f", "sane\r\n");
    EXPECT_NE(inode(), before);
    EXPECT_EQ(GetFile(dir / "f"), "sane\r\n");
}

// What counts as holding the content already: a regular file with exactly those bytes. A write replaces a link
// even then, as it replaces one with other content; a write of nothing changed leaves the link and its file alone.
TEST(TextFileWrite, WhatAlreadyHoldsTheContentAndWhatAWriteOfItDoes) {
    TempDir dir;
    PutFile(dir / "target", "same");
    ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
    ::mkdir((dir / "dir").c_str(), 0700);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const struct {
        const char* name;
        bool holds;
    } cases[] = {{"target", true}, {"link", true}, {"dir", false}, {"fifo", false}, {"missing", false}};
    for (const auto& c : cases) EXPECT_EQ(HoldsExactly(dir / c.name, "same"), c.holds) << c.name;
    EXPECT_FALSE(HoldsExactly(dir / "target", "sam"));
    EXPECT_FALSE(HoldsExactly(dir / "target", "same\n"));

    auto isLink = [&] {
        struct stat st {};
        return ::lstat((dir / "link").c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    };
    WriteTextFileIfChanged(dir / "link", "same");
    EXPECT_TRUE(isLink());
    WriteTextFileAtomic(dir / "link", "same");
    EXPECT_FALSE(isLink());
    EXPECT_EQ(GetFile(dir / "link"), "same");
}

TEST(TextFileWrite, KeepsTheModeOfAnExistingFile) {
    TempDir dir;
    PutFile(dir / "f", "old");
    ::chmod((dir / "f").c_str(), 0640);
    WriteTextFileAtomic(dir / "f", "new");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(TextFileWrite, FailuresNameTheCause) {
    TempDir dir;
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "nodir/f", "1"); }), "File not found");
    PutFile(dir / "plain", "x");
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "plain/f", "1"); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "", "1"); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / std::string(300, 'n'), "1"); }), "Invalid filename");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
}

TEST(TextFileWrite, FailedRenameLeavesTheTargetAndRemovesTheTemporaryFile) {
    TempDir dir;
    // A directory (not empty) where the file should be: the rename over it fails.
    ::mkdir((dir / "f").c_str(), 0755);
    PutFile(dir / "f/keep", "kept");
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "f", "new"); }), "File access denied");
    EXPECT_EQ(GetFile(dir / "f/keep"), "kept");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"f"});
}

TEST(TextFileWrite, FailedWriteLeavesTheOldContent) {
    TempDir dir;
    PutFile(dir / "f", "old content");
    // A file size limit makes the write itself fail, even for root.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = ErrorOf([&] { WriteTextFileAtomic(dir / "f", "new and much longer content"); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, "Disk full");
    EXPECT_EQ(GetFile(dir / "f"), "old content");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"f"});
}

TEST(TextFileWrite, HonoursWriteProtection) {
    if (::geteuid() == 0) GTEST_SKIP() << "root is not bound by file permissions";
    TempDir dir;
    PutFile(dir / "ro", "old");
    ::chmod((dir / "ro").c_str(), 0444);
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "ro", "new"); }), "File access denied");
    EXPECT_EQ(GetFile(dir / "ro"), "old");
    ::mkdir((dir / "locked").c_str(), 0555);
    EXPECT_EQ(ErrorOf([&] { WriteTextFileAtomic(dir / "locked/f", "new"); }), "File access denied");
    ::chmod((dir / "locked").c_str(), 0755);
}

TEST(TextFileDirs, EnsureDirectoryCreatesPrivateParentsAndChecksWhatExists) {
    TempDir dir;
    const std::string deep = dir / "a/b//c/";
    EnsureDirectory(deep);
    EnsureDirectory(deep); // already there: fine
    struct stat st {};
    ASSERT_EQ(::stat((dir / "a/b/c").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(FileExists(dir / "a/b"));
    EXPECT_FALSE(FileExists(dir / "a/x"));

    PutFile(dir / "file", "x");
    EXPECT_EQ(ErrorOf([&] { EnsureDirectory(dir / "file"); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { EnsureDirectory(dir / "file/sub"); }), "File not found");
}

TEST(TextFileLines, LineEndsAreLfWithAnOptionalCrBefore) {
    const std::string_view text = "a\r\nb\nc\rd\r\r\n\ne\r";
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) lines.emplace_back(NextLine(text, pos));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c\rd\r", "", "e"}));
}

// The first keep bytes of the last line as NextLine cuts the whole content, or "(none)".
std::string LastLineHeadOf(std::string_view content, std::size_t keep) {
    if (content.empty()) return "(none)";
    std::string_view last;
    std::size_t pos = 0;
    while (pos < content.size()) last = NextLine(content, pos);
    return std::string(last.substr(0, keep));
}

TEST(TextFileLastLine, FoundFromTheEndAsTheWholeContentHasIt) {
    TempDir dir;
    const std::string path = dir / "f";
    auto head = [&](std::size_t keep, std::size_t piece) {
        std::string h = "(none)";
        ReadLastLineHead(path, keep, h, piece);
        return h;
    };
    for (std::string_view content : {"", "\n", "\r", "\r\n", "abc", "abc\r\n", "ab\rcd\r\n", "old\r\nnew",
                                     "old\r\nnew\r\n\r\n", "old\n\r", "x\r\r\n", "\n\nlast line, long\r"}) {
        PutFile(path, content);
        // Pieces of every small size, so that line ends fall on and across their edges.
        for (std::size_t piece = 1; piece <= 8; ++piece)
            for (std::size_t keep : {0, 1, 2, 6, 100})
                ASSERT_EQ(head(keep, piece), LastLineHeadOf(content, keep))
                    << '"' << content << "\" keep " << keep << " piece " << piece;
    }
    const std::string big = std::string(5 * kLastLinePiece, '1') + "\n" + std::string(kLastLinePiece + 1, '2') + "\r\n";
    PutFile(path, big);
    EXPECT_EQ(head(3, kLastLinePiece), "222");
}

TEST(TextFileLastLine, RefusesWhatIsNoRegularFile) {
    TempDir dir;
    std::string h;
    EXPECT_EQ(ErrorOf([&] { ReadLastLineHead(dir / "absent", 6, h); }), "File not found");
    ::mkdir((dir / "sub").c_str(), 0755);
    EXPECT_EQ(ErrorOf([&] { ReadLastLineHead(dir / "sub", 6, h); }), "File access denied");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { ReadLastLineHead(dir / "fifo", 6, h); }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { ReadLastLineHead("", 6, h); }), "Invalid filename");
}

} // namespace
} // namespace zv::store
