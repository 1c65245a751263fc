// The ball supply: preview colours, the drop, the deal, and the blocked cells of advanced mode.
#include "game/Game.h"

namespace zv {

namespace {

int CountEmpty(const Grid& g) {
    int n = 0;
    for (ColourCode v : g.cells) n += (v == 0);
    return n;
}

// Puts up to `count` balls on empty cells, counting them in `placed`: each cell is drawn row first,
// then column, and drawn again when it is full. `put` gives the ball in the empty cell found its colour,
// so a colour drawn at random comes after the cell's draws.
template <class Put>
void PlaceOnEmptyCells(Random& rng, Grid& board, int count, std::int32_t& placed, Put put) {
    int empty = CountEmpty(board);
    placed = 0;
    while (placed < count && empty > 0) {
        const int row = rng(10) + 1;
        const int col = rng(10) + 1;
        ColourCode& cell = board.at(row, col);
        if (cell != 0) continue; // a retry
        put(cell, row, col);
        ++placed;
        --empty;
    }
}

} // namespace

void Game::NewNextBalls() {
    for (auto& ball : s_.NextBalls) ball = rng_(6) + 1;
}

void Game::DropNextBalls() {
    // The turn only drops with at least four empty cells; the count also keeps
    // a direct call on a fuller board from drawing for ever.
    PlaceOnEmptyCells(rng_, s_.Board, 4, s_.DropCount, [&](ColourCode& cell, int row, int col) {
        cell = s_.NextBalls[static_cast<std::size_t>(s_.DropCount)];
        if (report_.droppedCount < static_cast<int>(report_.dropped.size()))
            report_.dropped[static_cast<std::size_t>(report_.droppedCount++)] = {CellIndex(row, col), cell};
        ++tally_.ballsDropped;
    });
}

void Game::DealStartingBalls() {
    PlaceOnEmptyCells(rng_, s_.Board, 6, s_.DropCount, [&](ColourCode& cell, int, int) {
        cell = rng_(6) + 1;
        ++tally_.ballsDealt;
    });
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
