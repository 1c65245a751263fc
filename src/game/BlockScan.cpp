// The block search: groups of seven or more balls of one colour grown from each new ball.
#include "game/FigureScans.h"
#include "game/Game.h"
#include "game/Sweep.h"

namespace zv {

namespace {

// Balls of the new ball's colour joined to it.
constexpr SweepMarks kGroup{.waiting = 15, .expanded = 20};
constexpr int kMarkingPasses = 25;

} // namespace

void BlockFigureScan(ScanTarget& t) {
    GameState& s = t.s;
    auto& b = s.Board.cells;
    auto& snap = s.MoveSnapshot.cells;
    for (std::size_t start = 0; start < static_cast<std::size_t>(kCells); ++start) {
        // A new ball: on the board now, empty when the move was taken.
        if (!(snap[start] == 0 && b[start] > 0)) continue;
        const ColourCode colour = b[start];
        snap[start] = colour; // never examined again in this turn
        b[start] = kGroup.waiting;
        int n = 1;

        // A fixed number of passes: enough for any group of up to 25 balls; a
        // longer winding group may be cut off, and only its marked part counts.
        // A mark placed above or to the left waits for the next pass; when no
        // mark waits, the remaining passes would change nothing and are skipped.
        int from = static_cast<int>(start);
        for (int pass = 0; pass < kMarkingPasses && from < kCells; ++pass) from = SweepOnce(b, from, colour, kGroup, n);

        const bool remove = n >= 7;
        for (auto& cell : b)
            if (cell == kGroup.waiting || cell == kGroup.expanded) cell = remove ? 0 : colour;
        if (remove) {
            s.BlockRemoved = 1;
            const std::int32_t points = BlockPoints(n);
            s.Score += points;
            t.tally.ballsRemoved += n;
            t.tally.figurePoints += points;
        }
    }
    // However many groups went, one scan counts one figure.
    if (s.BlockRemoved == 1) ++s.FiguresRemoved;
    if (s.BlockRemoved == 1) s.BlockRemoved = 0;
}

} // namespace zv
