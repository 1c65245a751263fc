// The statistics file: per mode what the finished games add up to, its validating reader, its merging writer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "game/Statistics.h"

namespace zv::store {

inline constexpr const char* kStatisticsFileName = "statistics.txt";
inline constexpr const char* kStatisticsHeader = "Zorvex 2000 statistics 1";
// Five lines of the longest numbers are under 600 bytes; anything much larger is not ours.
constexpr std::size_t kMaxStatisticsFileSize = 4096;
// No count in the file may exceed this (a billion games is more than anyone plays).
constexpr std::int64_t kMaxGames = 1000000000;

std::string StatisticsPath(const std::string& dir);

// The header line, then one line per mode that has a game, in mode order: nine fields separated by a tab:
// mode, games, score total, best score, moves, games with hints, last day played (YYYY-MM-DD), the run of days
// up to it, the longest run. Lines end in LF.
std::string FormatStatistics(const Statistics& stats);

// Strict: what FormatStatistics could write (modes in any order, each once; LF or CRLF; the last line end
// optional), the numbers consistent with each other (hints, best score and runs within what the games allow).
// False with "line N: what is wrong" otherwise, stats then untouched.
bool ParseStatistics(std::string_view content, Statistics& stats, std::string& problem);

struct StatisticsLoad {
    Statistics stats{};
    // "<path>: <problem>; ..." for a file that could not be used, "" when fine or missing.
    std::string error;
    // False when the file is there but could neither be read nor put aside: writing would lose it.
    bool writable = true;
};
// A missing file is no games yet. A broken one is renamed aside (to "<path>.broken", or with "-2", "-3", ...
// when that is taken) and the statistics start empty. Never throws.
StatisticsLoad LoadStatistics(const std::string& dir);

// The write of one copy of the game among others sharing the directory: under the file's lock, the games this
// copy finished since its last write are added to what is on disk now, the result written atomically and handed
// back. A file on disk that does not read is started again. InOutError on failure, stats then as they were.
void AddToStatisticsFile(const std::string& dir, const std::vector<std::pair<Mode, CountedGame>>& games, Statistics& stats);

} // namespace zv::store
