// Tests of the scale file: its one line both ways, every kind of broken content, loading, saving and forgetting.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "kit/TempDir.h"
#include "store/ScaleFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;
using namespace std::string_literals;

// Scales in quarters: files written before fractional scales (one digit) read as they did.
TEST(ScaleFormat, OneLineBothWaysWithTheLineEndVariants) {
    const struct {
        int quarters;
        const char* line;
    } cases[] = {{4, "1"}, {5, "1.25"}, {6, "1.5"}, {7, "1.75"}, {8, "2"}, {9, "2.25"}, {10, "2.5"}, {12, "3"}, {15, "3.75"}, {16, "4"}};
    for (const auto& c : cases) {
        const std::string text = FormatScale(c.quarters);
        EXPECT_EQ(text, std::string(c.line) + "\r\n");
        const std::string bare = text.substr(0, text.size() - 2);
        for (const std::string& variant : {text, bare, bare + "\n"}) {
            int back = 0;
            std::string problem;
            EXPECT_TRUE(ParseScale(variant, back, problem)) << problem;
            EXPECT_EQ(back, c.quarters) << variant;
        }
    }
    // Whatever the caller asks for, the file written reads back.
    EXPECT_EQ(FormatScale(0), "1\r\n");
    EXPECT_EQ(FormatScale(36), "4\r\n");
}

TEST(ScaleFormat, EveryKindOfBrokenContentIsRefusedSayingWhat) {
    const struct {
        std::string content;
        const char* problem;
    } cases[] = {
        {"", "the file is empty"},
        {"\r\n", "the scale is missing"},
        {"two\r\n", "the scale is not a number"},
        {" 2\r\n", "the scale is not a number"},
        {"+2", "the scale is not a number"},
        {"2.0", "the scale 2.0 is not a step of 0.25 written as 1.25, 1.5 or 1.75 are"},
        {"1.50", "the scale 1.50 is not a step of 0.25 written as 1.25, 1.5 or 1.75 are"},
        {"1.3", "the scale 1.3 is not a step of 0.25 written as 1.25, 1.5 or 1.75 are"},
        {"1,5", "the scale 1,5 is not a step of 0.25 written as 1.25, 1.5 or 1.75 are"},
        {"4.25", "the scale 4.25 is outside 1 to 4"},
        {"0.75", "the scale 0.75 is outside 1 to 4"},
        {"-1.5", "the scale -1.5 is outside 1 to 4"},
        {"1.", "the scale is not a number"},
        {".5", "the scale is not a number"},
        {"1.5.5", "the scale is not a number"},
        {"01.5", "the scale 01.5 has a leading zero"},
        {"\xEF\xBB\xBF" "2", "the scale is not a number"},
        {"2\0"s, "the file is not plain text (it holds NUL bytes, as UTF-16 does)"},
        {"7\r\n", "the scale 7 is outside 1 to 4"},
        {"0", "the scale 0 is outside 1 to 4"},
        {"-1", "the scale -1 is outside 1 to 4"},
        {"12345678901234567890", "the scale 12345678901234567890 is outside 1 to 4"},
        {"02\r\n", "the scale 02 has a leading zero"},
        {"2\r", "a carriage return without a line feed"},
        {"2\r\r\n", "a carriage return without a line feed"},
        {"2\r\n\r\n", "more than one line"},
        {"2\r\n3\r\n", "more than one line"},
        {"\n2", "more than one line"},
        {std::string(kMaxScaleFileSize + 1, '2'), "the file is too large"},
    };
    for (const auto& c : cases) {
        int scale = 3;
        std::string problem;
        EXPECT_FALSE(ParseScale(c.content, scale, problem)) << c.problem;
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(scale, 3) << "a refused file leaves the scale alone";
    }
}

TEST(ScaleFile, MissingIsNoScaleAndNoErrorAndASavedScaleLoadsBack) {
    TempDir dir;
    ScaleLoad r = LoadScale(dir.path());
    EXPECT_EQ(r.scale, std::nullopt);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(dir.Names().empty()) << "reading creates nothing";
    SaveScale(dir.path(), 8);
    EXPECT_EQ(GetFile(ScalePath(dir.path())), "2\r\n");
    SaveScale(dir.path(), 7);
    EXPECT_EQ(GetFile(ScalePath(dir.path())), "1.75\r\n");
    r = LoadScale(dir.path());
    EXPECT_EQ(r.scale, 7);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{kScaleFileName});
    ForgetScale(dir.path());
    EXPECT_TRUE(dir.Names().empty());
    ForgetScale(dir.path()); // nothing to forget is fine
    EXPECT_EQ(LoadScale(dir.path()).scale, std::nullopt);
}

TEST(ScaleFile, ABrokenOrTooLargeFileIsReportedWithItsPathAndLeftAsItIs) {
    TempDir dir;
    const std::string path = ScalePath(dir.path());
    PutFile(path, "5\r\n");
    ScaleLoad r = LoadScale(dir.path());
    EXPECT_EQ(r.scale, std::nullopt);
    const std::string used = "; the desktop's scale is used and the file is left until a scale is chosen";
    EXPECT_EQ(r.error, path + ": the scale 5 is outside 1 to 4" + used);
    EXPECT_EQ(GetFile(path), "5\r\n");
    // Too large for the file layer as well as for the scale.
    for (std::size_t size : {kMaxScaleFileSize + 1, kMaxTextFileSize + 1}) {
        PutFile(path, std::string(size, '1'));
        r = LoadScale(dir.path());
        EXPECT_EQ(r.scale, std::nullopt);
        EXPECT_EQ(r.error, path + ": the file is too large" + used);
    }
    // A choice made later replaces it.
    SaveScale(dir.path(), 16);
    EXPECT_EQ(LoadScale(dir.path()).scale, 16);
}

TEST(ScaleFile, WhatCannotBeReadIsAnErrorNeverAThrow) {
    TempDir dir;
    const std::string path = ScalePath(dir.path());
    ::mkdir(path.c_str(), 0700);
    ScaleLoad r = LoadScale(dir.path());
    EXPECT_EQ(r.scale, std::nullopt);
    EXPECT_EQ(r.error, path + ": File access denied (a directory, not a file); the desktop's scale is used and the file is left until a scale is chosen");
    // Nor can it be forgotten; what is in it stays.
    PutFile(path + "/keep", "x");
    EXPECT_THROW(ForgetScale(dir.path()), InOutError);
    EXPECT_EQ(GetFile(path + "/keep"), "x");
    EXPECT_NE(LoadScale(std::string("no\0dir", 6)).error, "");
}

TEST(ScaleFile, AnUnreadableFileIsAnError) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    TempDir dir;
    const std::string path = ScalePath(dir.path());
    PutFile(path, "2\r\n");
    ::chmod(path.c_str(), 0);
    const ScaleLoad r = LoadScale(dir.path());
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(r.scale, std::nullopt);
    EXPECT_EQ(r.error, path + ": File access denied; the desktop's scale is used and the file is left until a scale is chosen");
}

TEST(ScaleFile, AFailedSaveLeavesTheOldFile) {
    TempDir dir;
    SaveScale(dir.path(), 8);
    // A file size limit below the content makes the write itself fail, even for root.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        SaveScale(dir.path(), 16);
    } catch (const InOutError& e) {
        threw = std::string(e.what()) == kDiskFull;
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(GetFile(ScalePath(dir.path())), "2\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{kScaleFileName});
    EXPECT_THROW(SaveScale(dir / "missing", 8), InOutError);
}

} // namespace
} // namespace zv::store
