// The statistics file both ways: the strict reader, the writer, the merge under the lock, a broken file put aside.
#include "store/StatisticsFile.h"

#include <cstdio>

#include "game/Modes.h"
#include "store/BestGamesFile.h"
#include "store/FormatFile.h"
#include "store/Numbers.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

std::string Day(std::int32_t day) {
    const DateTime d = DateOfDay(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

// A broken file is put aside and the counting starts again; one that cannot be read is left for the player.
const LoadRules kRules{.tooLarge = LargerThan(kMaxStatisticsFileSize),
                       .without = "the statistics are not kept this time",
                       .afresh = " and the statistics start again",
                       .missingUnlessThere = true};

} // namespace

std::string StatisticsPath(const std::string& dir) { return dir + "/" + kStatisticsFileName; }

std::string FormatStatistics(const Statistics& stats) {
    std::string out = std::string(kStatisticsHeader) + "\n";
    for (int m = 0; m < kModeCount; ++m) {
        const ModeStats& s = stats[static_cast<std::size_t>(m)];
        if (s.games == 0) continue;
        out += ModeWord(static_cast<Mode>(m));
        for (std::int64_t v : {s.games, s.scoreTotal, std::int64_t{s.best}, s.moves, s.hintGames})
            out += "\t" + std::to_string(v);
        out += "\t" + Day(s.lastDay) + "\t" + std::to_string(s.run) + "\t" + std::to_string(s.longestRun) + "\n";
    }
    return out;
}

bool ParseStatistics(std::string_view content, Statistics& stats, std::string& problem) {
    Statistics read{};
    std::array<bool, kModeCount> seen{};
    const bool taken = ReadTabbedLines(content, kStatisticsHeader, kMaxStatisticsFileSize, 9, problem,
                                       [&](const std::vector<std::string_view>& f) -> std::string {
        Mode mode;
        if (!ModeFromWord(std::string(f[0]), mode)) return "no such mode";
        if (seen[static_cast<std::size_t>(mode)]) return "a second line for the mode";
        seen[static_cast<std::size_t>(mode)] = true;
        ModeStats s;
        std::int64_t best = 0, run = 0, longest = 0;
        if (!ReadWhole(f[1], 1, kMaxGames, s.games)) return "the number of games is not a whole number from 1";
        if (!ReadWhole(f[2], s.games * INT32_MIN, s.games * INT32_MAX, s.scoreTotal)) return "the score total is not a number the games can reach";
        if (!ReadWhole(f[3], INT32_MIN, INT32_MAX, best)) return "the best score is not a number";
        s.best = static_cast<std::int32_t>(best);
        // No game scored more than the best, so the total is at most games times it, and at least the best
        // with every other game at the lowest score.
        if (s.scoreTotal > s.games * best || s.scoreTotal < best + (s.games - 1) * std::int64_t{INT32_MIN})
            return "the best score does not fit the score total";
        if (!ReadWhole(f[4], 0, s.games * std::int64_t{kMaxMoves}, s.moves)) return "the number of moves is not a whole number the games can reach";
        if (!ReadWhole(f[5], 0, s.games, s.hintGames)) return "the games with hints are not a whole number from 0 to the games";
        DateTime day;
        if (f[6].size() != 10 || !ParseDateTime(std::string(f[6]) + " 00:00:00", day)) return "the last day is not a date (YYYY-MM-DD)";
        s.lastDay = DayNumber(day.year, day.month, day.day);
        if (!ReadWhole(f[7], 1, s.games, run)) return "the run of days is not a whole number from 1 to the games";
        if (!ReadWhole(f[8], run, s.games, longest)) return "the longest run is not a whole number from the run to the games";
        s.run = static_cast<std::int32_t>(run);
        s.longestRun = static_cast<std::int32_t>(longest);
        read[static_cast<std::size_t>(mode)] = s;
        return "";
    });
    if (!taken) return false;
    stats = read;
    return true;
}

StatisticsLoad LoadStatistics(const std::string& dir) {
    std::optional<Statistics> stats;
    const FileLoad load = LoadFile(StatisticsPath(dir), kRules, stats, ParseStatistics);
    return {stats.value_or(Statistics{}), load.error, load.writable};
}

void AddToStatisticsFile(const std::string& dir, const std::vector<std::pair<Mode, CountedGame>>& games, Statistics& stats) {
    MergeIntoFile(
        StatisticsPath(dir), stats,
        [](std::string_view content, Statistics& read) {
            std::string problem;
            return ParseStatistics(content, read, problem);
        },
        [&games](Statistics& merged) {
            for (const auto& [mode, game] : games) merged[static_cast<std::size_t>(mode)].Add(game);
        },
        FormatStatistics);
}

} // namespace zv::store
