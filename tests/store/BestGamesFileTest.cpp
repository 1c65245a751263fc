// Tests of the best-games file: names, the format both ways, every kind of broken file, and keeping one aside.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <regex>

#include "kit/TempDir.h"
#include "store/BestGamesFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

const DateTime kNow{2026, 5, 17, 14, 30, 5};

BestTables Sample() {
    BestTables t;
    t[0] = {{1234, {2026, 1, 2, 3, 4, 5}, 57, false, "Анна Кузнецова"}, {90, {2025, 12, 31, 23, 59, 59}, 12, true, "bob"}};
    t[2] = {{-3, {2024, 2, 29, 0, 0, 0}, 0, true, "Ω \\ \"x\""}};
    for (int i = 0; i < 10; ++i) t[4].push_back({100 - i, {2026, 4, 1 + i, 12, 0, 0}, i, i % 2 == 0, "p" + std::to_string(i)});
    return t;
}

const std::string kLine1 = "line\t1234\t2026-01-02 03:04:05\t57\tna\tАнна Кузнецова";

TEST(BestGamesNames, AnyUtf8ButControlCharactersAndTheFieldSeparator) {
    EXPECT_EQ(CleanPlayerName("Анна Кузнецова"), "Анна Кузнецова");
    EXPECT_EQ(CleanPlayerName("a\tb\r\nc"), "a b  c");
    EXPECT_EQ(CleanPlayerName("  pad  "), "pad");
    EXPECT_EQ(CleanPlayerName("bad\xC3(\xFF"), "bad\xEF\xBF\xBD(\xEF\xBF\xBD");
    EXPECT_EQ(CleanPlayerName("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"); // a surrogate is no character
    EXPECT_EQ(CleanPlayerName(""), "?");
    EXPECT_EQ(CleanPlayerName("\t\n"), "?");
    EXPECT_EQ(CleanPlayerName("😀 emoji"), "😀 emoji");
    // Long names are cut at a character boundary.
    std::string longName;
    for (int i = 0; i < 40; ++i) longName += "Ж";
    const std::string cut = CleanPlayerName(longName);
    EXPECT_EQ(cut.size(), kMaxPlayerNameBytes);
    EXPECT_TRUE(ValidPlayerName(cut));
    EXPECT_FALSE(ValidPlayerName(longName));
    for (const char* bad : {"", " lead", "trail ", "tab\there", "cr\rhere", "\xC3", "del\x7F"}) EXPECT_FALSE(ValidPlayerName(bad)) << bad;
}

TEST(BestGamesFormat, RoundTripAndTheLinesAsWritten) {
    const BestTables t = Sample();
    const std::string text = FormatBestGames(t);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), kBestGamesHeader);
    EXPECT_NE(text.find("\r\n" + kLine1 + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nblok\t-3\t2024-02-29 00:00:00\t0\tad\tΩ \\ \"x\"\r\n"), std::string::npos);
    BestTables back;
    BestGamesProblem p;
    ASSERT_TRUE(ParseBestGames(text, back, p)) << p.line << ": " << p.what;
    EXPECT_EQ(back, t);
    // LF line ends and a last line without one read the same.
    std::string lf = text;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    lf.pop_back();
    ASSERT_TRUE(ParseBestGames(lf, back, p));
    EXPECT_EQ(back, t);
    // Saved again by an editor: a byte-order mark, or lines ended by CR alone.
    ASSERT_TRUE(ParseBestGames("\xEF\xBB\xBF" + text, back, p)) << p.what;
    EXPECT_EQ(back, t);
    ASSERT_TRUE(ParseBestGames(std::regex_replace(text, std::regex("\r\n"), "\r"), back, p)) << p.what;
    EXPECT_EQ(back, t);
    // An empty table is just the header.
    ASSERT_TRUE(ParseBestGames(FormatBestGames({}), back, p));
    EXPECT_EQ(back, BestTables{});
    // A name that never went through cleaning is still written so that it reads back.
    BestTables raw;
    raw[1] = {{5, kNow, 1, false, "x\ty\r\nz"}};
    ASSERT_TRUE(ParseBestGames(FormatBestGames(raw), back, p));
    EXPECT_EQ(back[1][0].player, "x y  z");
}

TEST(BestGamesFormat, EveryRowTheWriterCanWriteReadsBack) {
    constexpr std::int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    struct Case {
        BestGame written, read;
    } cases[] = {
        // A clock before 1970, west of UTC.
        {{5, {1969, 12, 31, 23, 59, 59}, 3, false, "a"}, {5, {1969, 12, 31, 23, 59, 59}, 3, false, "a"}},
        {{kMin, {0, 1, 1, 0, 0, 0}, 0, true, "b"}, {kMin, {0, 1, 1, 0, 0, 0}, 0, true, "b"}},
        {{kMax, {9999, 12, 31, 23, 59, 59}, kMaxMoves, false, "c"}, {kMax, {9999, 12, 31, 23, 59, 59}, kMaxMoves, false, "c"}},
        {{1, {kMin, kMin, kMin, kMin, kMin, kMin}, kMin, false, "e"}, {1, {0, 1, 1, 0, 0, 0}, 0, false, "e"}},
        {{1, {10000, 1, 1, 0, 0, 0}, kMax, false, "f"}, {1, {9999, 12, 31, 23, 59, 59}, kMaxMoves, false, "f"}},
        {{1, {1900, 2, 29, 24, 60, -1}, 1, false, "h"}, {1, {1900, 2, 28, 23, 59, 0}, 1, false, "h"}},
        {{1, {2000, 2, 29, 0, 0, 0}, 1, false, ""}, {1, {2000, 2, 29, 0, 0, 0}, 1, false, "?"}},
        {{1, kNow, 1, false, "x\xC2\x85y\xE2\x80\xAEz\xE2\x80\x8F"}, {1, kNow, 1, false, "x yz"}},
        {{1, kNow, 1, false, "\xE2\x80\x8B\xE3\x80\x80\xC2\xA0\xE2\x81\xA6"}, {1, kNow, 1, false, "?"}},
    };
    for (const Case& c : cases) {
        BestTables back;
        BestGamesProblem p;
        const std::string text = FormatBestGames({{{}, {}, {c.written}}});
        ASSERT_TRUE(ParseBestGames(text, back, p)) << text << p.line << ": " << p.what;
        EXPECT_EQ(back[2], BestTable{c.read}) << text;
    }
}

TEST(BestGamesFormat, EveryKindOfBrokenFileIsRefusedSayingWhatAndWhere) {
    const std::string head = std::string(kBestGamesHeader) + "\r\n";
    struct Case {
        std::string content;
        int line;
        const char* what;
    } cases[] = {
        {"", 0, "empty"},
        {"zorvex\r\n" + kLine1, 1, "not a best-games file"},
        {head + kLine1 + "\r\n\r\n", 3, "empty line"},
        {head + "line\t5", 2, "6 fields"},
        {head + kLine1 + "\textra", 2, "6 fields"},
        {head + "lines\t5\t2026-01-02 03:04:05\t1\tna\tx", 2, "mode"},
        {head + "line\t+5\t2026-01-02 03:04:05\t1\tna\tx", 2, "score"},
        {head + "line\t99999999999\t2026-01-02 03:04:05\t1\tna\tx", 2, "score"},
        {head + "line\t\t2026-01-02 03:04:05\t1\tna\tx", 2, "score"},
        {head + "line\t5\t2026-02-30 03:04:05\t1\tna\tx", 2, "date"},
        {head + "line\t5\t2026-01-02T03:04:05\t1\tna\tx", 2, "date"},
        {head + "line\t5\t2026-01-02 24:00:00\t1\tna\tx", 2, "date"},
        {head + "line\t5\t2026-01-02 03:04:05\t-1\tna\tx", 2, "moves"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tyes\tx", 2, "advanced"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tna\t", 2, "name"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tna\tbad\xFFutf8", 2, "name"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tna\ta\rb", 2, "carriage return"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tna\tx\r\nline\t6\t2026-01-02 03:04:05\t1\tna\tx", 3, "ranks above"},
        {head + "line\t5\t2026-01-02 03:04:05\t1\tna\tx\r\nline\t5\t2026-01-01 03:04:05\t1\tna\tx", 3, "ranks above"},
        {std::string(kMaxBestGamesFileSize + 1, 'x'), 0, "larger than"},
    };
    for (const Case& c : cases) {
        BestTables out = Sample();
        BestGamesProblem p;
        EXPECT_FALSE(ParseBestGames(c.content, out, p)) << c.what;
        EXPECT_EQ(p.line, c.line) << c.what;
        EXPECT_NE(p.what.find(c.what), std::string::npos) << p.what;
        EXPECT_EQ(out, Sample()) << "a refused file leaves the tables alone";
    }
    // Eleven games of one mode.
    std::string eleven = head;
    for (int i = 0; i < 11; ++i) eleven += "ring\t" + std::to_string(50 - i) + "\t2026-01-02 03:04:05\t1\tna\tx\r\n";
    BestTables out;
    BestGamesProblem p;
    EXPECT_FALSE(ParseBestGames(eleven, out, p));
    EXPECT_EQ(p.line, 12);
    // Modes may come in any order as long as each is in ranking order.
    ASSERT_TRUE(ParseBestGames(head + "ring\t5\t2026-01-02 03:04:05\t1\tna\tx\r\n" + kLine1 +
                                   "\r\nring\t5\t2026-01-02 03:04:06\t1\tna\ty\r\n", out, p));
    EXPECT_EQ(out[3].size(), 2u);
}

TEST(BestGamesFile, MissingIsEmptyAndAWrittenFileLoadsBack) {
    TempDir dir;
    BestGamesLoad r = LoadBestGamesFile(dir.path(), kNow);
    EXPECT_TRUE(r.error.empty());
    EXPECT_TRUE(r.writable);
    EXPECT_EQ(r.tables, BestTables{});
    EXPECT_TRUE(dir.Names().empty()) << "reading creates nothing";
    WriteBestGamesFile(dir.path(), Sample());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{kBestGamesFileName});
    r = LoadBestGamesFile(dir.path(), kNow);
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.tables, Sample());
}

TEST(BestGamesFile, ABrokenFileIsKeptAsideUnderANewNameAndReported) {
    TempDir dir;
    const std::string path = BestGamesPath(dir.path());
    const std::string broken = std::string(kBestGamesHeader) + "\r\n" + kLine1 + "\r\nline\tlots\t2026-01-02 03:04:05\t1\tna\tx\r\n";
    PutFile(path, broken);
    BestGamesLoad r = LoadBestGamesFile(dir.path(), kNow);
    EXPECT_EQ(r.tables, BestTables{});
    EXPECT_TRUE(r.writable);
    EXPECT_EQ(r.keptAs, path + ".broken-20260517-143005");
    EXPECT_NE(r.error.find(path + ": line 3: the score is not a number"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find(r.keptAs), std::string::npos) << r.error;
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(GetFile(r.keptAs), broken);

    // A second broken file in the same second does not replace the first one kept.
    PutFile(path, "junk");
    r = LoadBestGamesFile(dir.path(), kNow);
    EXPECT_EQ(r.keptAs, path + ".broken-20260517-143005-2");
    EXPECT_EQ(GetFile(r.keptAs), "junk");
    EXPECT_EQ(GetFile(path + ".broken-20260517-143005"), broken);

    // Too large for the file layer at all: kept aside just the same.
    PutFile(path, std::string(kMaxTextFileSize + 10, 'x'));
    r = LoadBestGamesFile(dir.path(), {2026, 5, 17, 14, 31, 0});
    EXPECT_NE(r.error.find("larger than"), std::string::npos) << r.error;
    EXPECT_EQ(GetFile(r.keptAs).size(), kMaxTextFileSize + 10);
}

TEST(BestGamesFile, AnUnreadableFileStaysAndIsNotWrittenOver) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    TempDir dir;
    const std::string path = BestGamesPath(dir.path());
    PutFile(path, "secret");
    ::chmod(path.c_str(), 0);
    BestGamesLoad r = LoadBestGamesFile(dir.path(), kNow);
    EXPECT_FALSE(r.writable);
    EXPECT_NE(r.error.find(path + ": File access denied"), std::string::npos) << r.error;
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(GetFile(path), "secret");

    // A broken file in a directory where it cannot be renamed is not written over either.
    PutFile(path, "junk");
    ::chmod(dir.path().c_str(), 0500);
    r = LoadBestGamesFile(dir.path(), kNow);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(r.writable);
    EXPECT_NE(r.error.find("could not be kept aside"), std::string::npos) << r.error;
    EXPECT_EQ(GetFile(path), "junk");
}

} // namespace
} // namespace zv::store
