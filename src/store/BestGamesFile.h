// The best-games file: the ten best games of every mode in one small text file, its validating
// reader, its writer, and what happens to a file that cannot be used.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game/BestGames.h"

namespace zv::store {

inline constexpr const char* kBestGamesFileName = "bestgames.txt";
// The first line of every best-games file.
inline constexpr const char* kBestGamesHeader = "Zorvex 2000 best games 1";
// Fifty rows with the longest names fit several times over; anything larger is not ours.
constexpr std::size_t kMaxBestGamesFileSize = 16 * 1024;
// Names are cut to this many bytes (at a character boundary) when a game enters the table.
constexpr std::size_t kMaxPlayerNameBytes = 64;
// Moves are counted per game; a file claiming more was not written by the game.
constexpr std::int32_t kMaxMoves = 1000000000;

// The player's name as the table keeps it: valid UTF-8 (a bad sequence becomes U+FFFD), every
// control character (C0 with tab and line ends, DEL, C1) and every space of another width a space,
// characters that draw nothing or turn the text's direction (zero-width ones, direction marks,
// overrides, isolates) left out, blanks trimmed at both ends, at most kMaxPlayerNameBytes bytes;
// "?" when nothing is left.
std::string CleanPlayerName(std::string_view raw);
// Whether a name could have come out of CleanPlayerName.
bool ValidPlayerName(std::string_view name);

// "2026-05-17 14:30:00"; a year outside 0 to 9999 or a field outside its range is written as the
// nearest date and time the reader takes.
std::string FormatDateTime(const DateTime& d);
// The same form, a real calendar date (years 0000 to 9999) and time; false otherwise. Whatever
// FormatDateTime writes reads back.
bool ParseDateTime(std::string_view text, DateTime& out);

// The whole file: the header line, then one line per game, modes in table order, best first,
// every line ending in CR LF.
std::string FormatBestGames(const BestTables& tables);

struct BestGamesProblem {
    int line = 0;     // 1-based; 0 for the file as a whole
    std::string what; // e.g. "the score is not a number"
};
// Reads a file's content. False, with what is wrong where, for anything the game would not have written.
bool ParseBestGames(std::string_view content, BestTables& out, BestGamesProblem& problem);

// dir + "/" + kBestGamesFileName.
std::string BestGamesPath(const std::string& dir);

struct BestGamesLoad {
    BestTables tables;
    // "<path>: <what is wrong where>; ..." when the file could not be used, else "".
    std::string error;
    // Where a broken file was kept, "" when it was not moved.
    std::string keptAs;
    // False when the file is there but could not be read nor moved aside: writing would lose it.
    bool writable = true;
};
// Start-up reading. A missing file is an empty table. A broken file (bad content, too large) is
// renamed aside to a new name beside it and the tables start empty; a file that cannot be read
// at all is left where it is and not written over.
BestGamesLoad LoadBestGamesFile(const std::string& dir, const DateTime& now);

// Rewrites the file atomically; InOutError on failure, the old file then stays as it was.
void WriteBestGamesFile(const std::string& dir, const BestTables& tables);

// Enters every game of from that into lacks, mode by mode, keeping the best ten of both. A row of
// into and a game of from alike in every field are one game.
void MergeBestGames(BestTables& into, const BestTables& from);

// The write of a copy of the game that may share the directory with others: under the file's lock,
// the tables on disk now and these are merged, the result written atomically and handed back in
// tables. A file on disk that is not a best-games file is written over. InOutError on failure, the
// file and tables then as they were.
void MergeIntoBestGamesFile(const std::string& dir, BestTables& tables);

} // namespace zv::store
