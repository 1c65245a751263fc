// The ball supply: preview colours, the drop, the deal, and the blocked cells of advanced mode.
#include "game/Game.h"

namespace zv {

namespace {

int CountEmpty(const Grid& g) {
    int n = 0;
    for (ColourCode v : g.cells) n += (v == 0);
    return n;
}

} // namespace

void Game::NewNextBalls() {
    for (auto& ball : s_.NextBalls) ball = rng_(6) + 1;
}

void Game::DropNextBalls() {
    // The turn only drops with at least four empty cells; the count also keeps
    // a direct call on a fuller board from drawing for ever.
    int empty = CountEmpty(s_.Board);
    s_.DropCount = 0;
    while (s_.DropCount < 4 && empty > 0) {
        const int row = rng_(10) + 1; // row first, then column
        const int col = rng_(10) + 1;
        ColourCode& cell = s_.Board.at(row, col);
        if (cell != 0) continue;
        cell = s_.NextBalls[static_cast<std::size_t>(s_.DropCount)];
        if (report_.droppedCount < static_cast<int>(report_.dropped.size()))
            report_.dropped[static_cast<std::size_t>(report_.droppedCount++)] = {CellIndex(row, col), cell};
        ++s_.DropCount;
        --empty;
        ++tally_.ballsDropped;
    }
}

void Game::DealStartingBalls() {
    int empty = CountEmpty(s_.Board);
    s_.DropCount = 0;
    while (s_.DropCount < 6 && empty > 0) {
        const int row = rng_(10) + 1;
        const int col = rng_(10) + 1;
        ColourCode& cell = s_.Board.at(row, col);
        if (cell != 0) continue; // a retry
        // The colour is drawn only once an empty cell has been found.
        cell = rng_(6) + 1;
        ++s_.DropCount;
        --empty;
        ++tally_.ballsDealt;
    }
}

void Game::ClearBlockedCells() {
    for (int n = 1; n <= kCells; ++n) SetBlocked(n, false);
}

void Game::ScatterBlockedCells() {
    // One draw per cell, in cell order; cell N is blocked when its draw hits N - 1.
    for (int n = 1; n <= kCells; ++n)
        if (rng_(100) == n - 1) SetBlocked(n, true);
}

} // namespace zv
