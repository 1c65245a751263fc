// The best games of each mode: a finished game as a row, the table of ten, and the ranking rule.
// Header only, so the store can use it without linking the engine.
#pragma once

#include <array>
#include <compare>
#include <map>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/Types.h"

namespace zv {

struct BestGame {
    std::int32_t score = 0;
    DateTime when;           // when the game ended
    std::int32_t moves = 0;
    bool advanced = false;   // played in advanced mode all through
    std::string player;
    friend bool operator==(const BestGame&, const BestGame&) = default;
};

constexpr std::size_t kBestGamesPerMode = 10;

// Best first, at most kBestGamesPerMode rows.
using BestTable = std::vector<BestGame>;
// One table per mode, indexed by Mode.
using BestTables = std::array<BestTable, kModeCount>;

// Whether a ranks above b: the higher score, and among equal scores the earlier game.
inline bool RanksAbove(const BestGame& a, const BestGame& b) {
    if (a.score != b.score) return a.score > b.score;
    return a.when < b.when;
}

// Whether every row ranks no lower than the one after it.
inline bool InRankingOrder(const BestTable& t) {
    for (std::size_t i = 1; i < t.size(); ++i)
        if (RanksAbove(t[i], t[i - 1])) return false;
    return true;
}

// What identifies a row of a mode's table beyond its file: its mode, end, score and moves.
struct RowKey {
    Mode mode = Mode::Line;
    DateTime when;
    std::int32_t score = 0;
    std::int32_t moves = 0;
    friend auto operator<=>(const RowKey&, const RowKey&) = default;
};
inline RowKey KeyOf(Mode mode, const BestGame& g) { return {mode, g.when, g.score, g.moves}; }

// The facts of a row that the best-games file has no field for: the game's number and the hints it took.
struct RowFacts {
    std::uint32_t number = 0;
    std::int32_t hints = 0;
    friend bool operator==(const RowFacts&, const RowFacts&) = default;
};
using RowFactsMap = std::map<RowKey, RowFacts>;

// Enters a finished game into its table when it beats the last of a full table. Returns its row
// (0 is the best) or -1 when it did not enter. A game that ties a row in score and time goes below it.
inline int EnterGame(BestTable& t, BestGame game) {
    std::size_t row = 0;
    while (row < t.size() && !RanksAbove(game, t[row])) ++row;
    if (row >= kBestGamesPerMode) return -1;
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(row), std::move(game));
    if (t.size() > kBestGamesPerMode) t.pop_back();
    return static_cast<int>(row);
}

} // namespace zv
