// The statistics file both ways: the strict reader, the writer, the merge under the lock, a broken file put aside.
#include "store/StatisticsFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <exception>

#include "game/Modes.h"
#include "store/BestGamesFile.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

// A whole number without leading zeros (bar "0"), a '-' allowed, within lo..hi.
bool Whole(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 19 || (digits.size() > 1 && digits.front() == '0') ||
        (digits.size() != text.size() && digits == "0"))
        return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

std::string Day(std::int32_t day) {
    const DateTime d = DateOfDay(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

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
    int number = 0;
    auto fail = [&](const std::string& what) {
        problem = (number > 0 ? "line " + std::to_string(number) + ": " : std::string()) + what;
        return false;
    };
    if (content.size() > kMaxStatisticsFileSize)
        return fail("the file is larger than " + std::to_string(kMaxStatisticsFileSize) + " bytes");
    if (content.empty()) return fail("the file is empty");
    Statistics read{};
    std::array<bool, kModeCount> seen{};
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::string_view line = NextLine(content, pos);
        ++number;
        if (number == 1) {
            if (line != kStatisticsHeader) return fail(std::string("the first line is not \"") + kStatisticsHeader + "\"");
            continue;
        }
        const std::vector<std::string_view> f = TabFields(line);
        if (f.size() != 9) return fail("9 fields separated by tabs expected, " + std::to_string(f.size()) + " found");
        Mode mode;
        if (!ModeFromWord(std::string(f[0]), mode)) return fail("no such mode");
        if (seen[static_cast<std::size_t>(mode)]) return fail("a second line for the mode");
        seen[static_cast<std::size_t>(mode)] = true;
        ModeStats s;
        std::int64_t best = 0, run = 0, longest = 0;
        if (!Whole(f[1], 1, kMaxGames, s.games)) return fail("the number of games is not a whole number from 1");
        if (!Whole(f[2], s.games * INT32_MIN, s.games * INT32_MAX, s.scoreTotal)) return fail("the score total is not a number the games can reach");
        if (!Whole(f[3], INT32_MIN, INT32_MAX, best)) return fail("the best score is not a number");
        s.best = static_cast<std::int32_t>(best);
        // No game scored more than the best, so the total is at most games times it, and at least the best
        // with every other game at the lowest score.
        if (s.scoreTotal > s.games * best || s.scoreTotal < best + (s.games - 1) * std::int64_t{INT32_MIN})
            return fail("the best score does not fit the score total");
        if (!Whole(f[4], 0, s.games * std::int64_t{kMaxMoves}, s.moves)) return fail("the number of moves is not a whole number the games can reach");
        if (!Whole(f[5], 0, s.games, s.hintGames)) return fail("the games with hints are not a whole number from 0 to the games");
        DateTime day;
        if (f[6].size() != 10 || !ParseDateTime(std::string(f[6]) + " 00:00:00", day)) return fail("the last day is not a date (YYYY-MM-DD)");
        s.lastDay = DayNumber(day.year, day.month, day.day);
        if (!Whole(f[7], 1, s.games, run)) return fail("the run of days is not a whole number from 1 to the games");
        if (!Whole(f[8], run, s.games, longest)) return fail("the longest run is not a whole number from the run to the games");
        s.run = static_cast<std::int32_t>(run);
        s.longestRun = static_cast<std::int32_t>(longest);
        read[static_cast<std::size_t>(mode)] = s;
    }
    stats = read;
    return true;
}

StatisticsLoad LoadStatistics(const std::string& dir) {
    const std::string path = StatisticsPath(dir);
    StatisticsLoad r;
    std::string problem;
    try {
        if (!FileExists(path)) return r;
        if (ParseStatistics(ReadTextFile(path), r.stats, problem)) return r;
    } catch (const InOutError& e) {
        if (e.errnoValue() != EFBIG) {
            // Not readable, so not ours to judge: it stays and is not written over.
            r.error = path + ": " + Explain(e) + "; the statistics are not kept this time";
            r.writable = false;
            return r;
        }
        problem = "the file is larger than " + std::to_string(kMaxStatisticsFileSize) + " bytes";
    }
    r.stats = {};
    r.error = path + ": " + problem;
    if (const std::string aside = PutAside(path); !aside.empty()) {
        r.error += "; it is kept as " + aside + " and the statistics start again";
    } else {
        r.writable = false;
        r.error += "; it could not be kept aside, so the statistics are not kept this time";
    }
    return r;
}

void AddToStatisticsFile(const std::string& dir, const std::vector<std::pair<Mode, CountedGame>>& games, Statistics& stats) {
    const std::string path = StatisticsPath(dir);
    FileLock lock(path);
    Statistics merged{};
    try {
        std::string problem;
        if (FileExists(path) && !ParseStatistics(ReadTextFile(path), merged, problem)) merged = {};
    } catch (const InOutError&) {
        merged = {}; // nothing of it can be kept; the write below says whether the file can be replaced
    }
    for (const auto& [mode, game] : games) merged[static_cast<std::size_t>(mode)].Add(game);
    WriteTextFileAtomic(path, FormatStatistics(merged));
    stats = merged;
}

} // namespace zv::store
