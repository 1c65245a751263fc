// What the player's finished games add up to, per mode: counts, sums, the best score and the run of days played.
// Header only, so the store can use it without linking the engine.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "game/BestGames.h"

namespace zv {

// The day of a date as a count of days (0 is 1970-01-01), so that consecutive days differ by one.
constexpr std::int32_t DayNumber(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The date of a day number.
constexpr DateTime DateOfDay(std::int32_t days) {
    const std::int32_t z = days + 719468;
    const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int32_t doe = z - era * 146097;
    const std::int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int32_t mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    return DateTime{yoe + era * 400 + (m <= 2 ? 1 : 0), m, d, 0, 0, 0};
}

// One finished game as the statistics take it.
struct CountedGame {
    std::int32_t score = 0;
    std::int32_t moves = 0;
    std::int32_t hints = 0;
    std::int32_t day = 0; // DayNumber of the day it ended
    friend bool operator==(const CountedGame&, const CountedGame&) = default;
};

struct ModeStats {
    std::int64_t games = 0;
    std::int64_t scoreTotal = 0;
    std::int32_t best = 0;       // meaningful once games > 0
    std::int64_t moves = 0;
    std::int64_t hintGames = 0;  // games in which at least one hint was taken
    std::int32_t lastDay = 0;    // the last day a game ended, once games > 0
    std::int32_t run = 0;        // days in a row up to lastDay with a game each
    std::int32_t longestRun = 0;
    friend bool operator==(const ModeStats&, const ModeStats&) = default;

    // Adds a game. A day before the last one counted (another copy of the game sharing the files, a clock set
    // back) adds its game but leaves the run alone: it can neither lengthen nor break it any more.
    void Add(const CountedGame& g) {
        best = games == 0 ? g.score : std::max(best, g.score);
        ++games;
        scoreTotal += g.score;
        moves += g.moves;
        if (g.hints > 0) ++hintGames;
        if (games == 1 || g.day > lastDay) {
            run = games > 1 && g.day == lastDay + 1 ? run + 1 : 1;
            lastDay = g.day;
        }
        longestRun = std::max(longestRun, run);
    }
};

// One per mode, indexed by Mode.
using Statistics = std::array<ModeStats, kModeCount>;

} // namespace zv
