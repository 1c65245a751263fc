// The statistics file: games adding up (runs of days included), the round trip, refusals, and two copies
// of the game sharing the file without counting a game twice.
#include <gtest/gtest.h>

#include "kit/TempDir.h"
#include "store/StatisticsFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

constexpr std::int32_t Day(int d) { return DayNumber(2026, 12, d); }

TEST(Statistics, ASeriesOfGamesAddsUpWithItsRunsOfDays) {
    ModeStats s;
    // Three days running, a second game on the third, a gap, two more days; a game dated back counts but
    // neither lengthens nor breaks the run.
    const CountedGame games[] = {{40, 30, 0, Day(1)}, {-5, 12, 2, Day(2)}, {100, 70, 0, Day(3)}, {10, 5, 1, Day(3)},
                                 {7, 9, 0, Day(6)},   {20, 11, 0, Day(7)}, {3, 2, 0, Day(2)}};
    for (const CountedGame& g : games) s.Add(g);
    EXPECT_EQ(s.games, 7);
    EXPECT_EQ(s.scoreTotal, 40 - 5 + 100 + 10 + 7 + 20 + 3);
    EXPECT_EQ(s.best, 100);
    EXPECT_EQ(s.moves, 30 + 12 + 70 + 5 + 9 + 11 + 2);
    EXPECT_EQ(s.hintGames, 2);
    EXPECT_EQ(s.lastDay, Day(7));
    EXPECT_EQ(s.run, 2);
    EXPECT_EQ(s.longestRun, 3);
    // Across a month's and a year's end the days still follow each other.
    ModeStats y;
    for (auto [yr, mo, d] : {std::array{2026, 12, 31}, std::array{2027, 1, 1}, std::array{2027, 1, 2}})
        y.Add({1, 1, 0, DayNumber(yr, mo, d)});
    EXPECT_EQ(y.longestRun, 3);
    EXPECT_EQ(DateOfDay(DayNumber(2024, 2, 29)), (DateTime{2024, 2, 29, 0, 0, 0}));
}

Statistics Sample() {
    Statistics s{};
    s[0].Add({402, 40, 0, Day(5)});
    s[0].Add({-12, 3, 1, Day(6)});
    s[4].Add({7, 1000, 0, DayNumber(1999, 1, 1)});
    return s;
}

TEST(StatisticsFile, RoundTripsAndReadsCrLf) {
    const std::string text = FormatStatistics(Sample());
    EXPECT_EQ(text, "Zorvex 2000 statistics 1\nline\t2\t390\t402\t43\t1\t2026-12-06\t2\t2\nblock\t1\t7\t7\t1000\t0\t1999-01-01\t1\t1\n");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& content : {text, crlf}) {
        Statistics back{};
        std::string problem;
        ASSERT_TRUE(ParseStatistics(content, back, problem)) << problem;
        EXPECT_EQ(back, Sample());
    }
}

TEST(StatisticsFile, RefusesWhatTheGameNeverWrites) {
    const std::string head = "Zorvex 2000 statistics 1\n";
    const struct {
        std::string content;
        const char* reason;
    } cases[] = {
        {"", "the file is empty"},
        {std::string(kMaxStatisticsFileSize + 1, 'x'), "larger than"},
        {"Zorvex 2000 statistics 2\n", "line 1:"},
        {head + "line\t1\t5\t5\t1\t0\t2026-12-07\t1\n", "line 2: 9 fields"},
        {head + "lines\t1\t5\t5\t1\t0\t2026-12-07\t1\t1\n", "line 2: no such mode"},
        {head + "line\t1\t5\t5\t1\t0\t2026-12-07\t1\t1\nline\t1\t5\t5\t1\t0\t2026-12-07\t1\t1\n", "line 3: a second line"},
        {head + "line\t0\t0\t0\t0\t0\t2026-12-07\t1\t1\n", "line 2: the number of games"},
        {head + "line\t01\t5\t5\t1\t0\t2026-12-07\t1\t1\n", "line 2: the number of games"},
        {head + "line\t2\t50\t20\t1\t0\t2026-12-07\t1\t1\n", "line 2: the best score does not fit"},
        {head + "line\t2\t5\t5\t1\t3\t2026-12-07\t1\t1\n", "line 2: the games with hints"},
        {head + "line\t1\t5\t5\t-1\t0\t2026-12-07\t1\t1\n", "line 2: the number of moves"},
        {head + "line\t1\t5\t5\t1\t0\t2026-02-30\t1\t1\n", "line 2: the last day"},
        {head + "line\t2\t5\t5\t1\t0\t2026-12-07\t2\t1\n", "line 2: the longest run"},
        {head + "line\t2\t5\t5\t1\t0\t2026-12-07\t3\t3\n", "line 2: the run of days"},
        {head + "\n", "line 2: 9 fields"},
    };
    for (const auto& c : cases) {
        Statistics stats = Sample();
        std::string problem;
        EXPECT_FALSE(ParseStatistics(c.content, stats, problem)) << c.content;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
        EXPECT_EQ(stats, Sample()) << "a refused file changed what was read";
    }
}

// Two copies read the same file, each finishes games and writes: every game counts once.
TEST(StatisticsFile, CopiesSharingTheFileAddTheirOwnGamesOnly) {
    TempDir dir;
    Statistics first{}, second{};
    AddToStatisticsFile(dir.path(), {{Mode::Line, {10, 5, 0, Day(1)}}}, first);
    second = LoadStatistics(dir.path()).stats;
    AddToStatisticsFile(dir.path(), {{Mode::Line, {30, 7, 1, Day(2)}}, {Mode::Ring, {4, 2, 0, Day(2)}}}, second);
    AddToStatisticsFile(dir.path(), {{Mode::Line, {20, 6, 0, Day(3)}}}, first);
    EXPECT_EQ(first[0].games, 3);
    EXPECT_EQ(first[0].scoreTotal, 60);
    EXPECT_EQ(first[0].longestRun, 3);
    EXPECT_EQ(first[3].games, 1);
    EXPECT_EQ(LoadStatistics(dir.path()).stats, first);
}

} // namespace
} // namespace zv::store
