// The best games' companion file: for the rows of the best-games table, the game's number and its hints, which
// the table's own file has no field for (older copies of the game read that file strictly, so it stays as it was).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game/BestGames.h"

namespace zv::store {

inline constexpr const char* kRowFactsFileName = "bestgames-numbers.txt";
inline constexpr const char* kRowFactsHeader = "Zorvex 2000 best games numbers 1";
// One line per row of the five tables at most.
constexpr std::size_t kMaxRowFacts = kBestGamesPerMode * kModeCount;
constexpr std::size_t kMaxRowFactsFileSize = 8 * 1024;

std::string RowFactsPath(const std::string& dir);

// The header line, then one line per row in key order, six fields separated by a tab: mode, date and time of the
// end (as in the best-games file), score, moves, game number, hints. Lines end in LF.
std::string FormatRowFacts(const RowFactsMap& facts);

// Strict: what FormatRowFacts could write, lines in any order but no key twice, at most kMaxRowFacts of them;
// LF or CRLF, the last line end optional. False with "line N: what is wrong", facts then untouched.
bool ParseRowFacts(std::string_view content, RowFactsMap& facts, std::string& problem);

struct RowFactsLoad {
    RowFactsMap facts;
    std::string error; // "<path>: <problem>; ..." for a file that could not be used
    bool writable = true;
};
// A missing file has no facts. A broken one is renamed aside ("<path>.broken", "-2", ...) and reported; the
// rows then show no numbers. Never throws.
RowFactsLoad LoadRowFacts(const std::string& dir);

// Keeps of facts only the rows of tables.
void KeepRowsOf(RowFactsMap& facts, const BestTables& tables);

// Under the file's lock: the facts on disk and these are joined (these win for a row both have), only the rows of
// tables (the merged best games) kept, the result written atomically and handed back. InOutError on failure.
void MergeIntoRowFactsFile(const std::string& dir, RowFactsMap& facts, const BestTables& tables);

} // namespace zv::store
