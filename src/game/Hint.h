// The move-choosing strategy shared by the hint and the autoplayer: a quick rating of every legal move, the best few tried.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "game/Types.h"

namespace zv {

// What a hint costs, taken from the score as an undo's 3 points are.
constexpr std::int32_t kHintPrice = 5;

// A suggested move: the ball at cell `from` to the empty cell `to` (numbers 1..100).
struct HintMove {
    int from = 0;
    int to = 0;
    friend bool operator==(const HintMove&, const HintMove&) = default;
};

// How hard the strategy looks. The rating of every move is a few hundred thousand steps at most on any board; the
// moves with the best ratings are then played out on a scratch board, `tries` of them, which is where the time goes.
struct HintEffort {
    int tries = 12;
    // 0: equal ratings go to the first move in board order, so the same board always gets the same hint. Anything
    // else mixes a little noise into the ratings, the same for the same value (the autoplayer varies its games so).
    std::uint64_t noise = 0;
};

// The cells a ball at `from` reaches under the turn's bounded path search: exactly the moves the rules accept.
// Blocked cells are left out, as their overlay takes a click.
std::array<bool, kCells> ReachableTargets(const Grid& board, const std::array<bool, kCells>& blocked, int from);

// The best move the strategy finds, nothing when no ball can move. Always one the rules accept as it stands:
// neither end blocked, the target reached by the bounded path search.
std::optional<HintMove> FindHint(Mode mode, const Grid& board, const std::array<bool, kCells>& blocked,
                                 const HintEffort& effort = {});

} // namespace zv
