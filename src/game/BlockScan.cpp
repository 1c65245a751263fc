// The block search: groups of seven or more balls of one colour grown from each new ball.
#include "game/Game.h"

namespace zv {

namespace {

constexpr ColourCode kPending = 15; // in the group, neighbours not looked at yet
constexpr ColourCode kDone = 20;    // in the group, neighbours looked at
constexpr int kMarkingPasses = 25;

} // namespace

void Game::BlockFigureScan() {
    auto& b = s_.Board.cells;
    auto& snap = s_.MoveSnapshot.cells;
    for (std::size_t start = 0; start < static_cast<std::size_t>(kCells); ++start) {
        // A new ball: on the board now, empty when the move was taken.
        if (!(snap[start] == 0 && b[start] > 0)) continue;
        const ColourCode colour = b[start];
        snap[start] = colour; // never examined again in this turn
        b[start] = kPending;
        std::int32_t n = 1;

        // A fixed number of passes: enough for any group of up to 25 balls; a
        // longer winding group may be cut off, and only its marked part counts.
        // A mark placed above or to the left waits for the next pass; when no
        // mark waits, the remaining passes would change nothing and are skipped.
        int from = static_cast<int>(start);
        for (int pass = 0; pass < kMarkingPasses && from < kCells; ++pass) {
            int waiting = kCells;
            for (int i0 = from; i0 < kCells; ++i0) {
                const std::size_t i = static_cast<std::size_t>(i0);
                if (b[i] != kPending) continue;
                const int r = i0 / kCols, c = i0 % kCols;
                b[i] = kDone;
                if (r + 1 < kRows && b[i + kCols] == colour) { b[i + kCols] = kPending; ++n; }
                if (r > 0 && b[i - kCols] == colour) {
                    b[i - kCols] = kPending;
                    ++n;
                    if (i0 - kCols < waiting) waiting = i0 - kCols;
                }
                if (c + 1 < kCols && b[i + 1] == colour) { b[i + 1] = kPending; ++n; }
                if (c > 0 && b[i - 1] == colour) {
                    b[i - 1] = kPending;
                    ++n;
                    if (i0 - 1 < waiting) waiting = i0 - 1;
                }
            }
            from = waiting;
        }

        const bool remove = n >= 7;
        for (auto& cell : b)
            if (cell == kPending || cell == kDone) cell = remove ? 0 : colour;
        if (remove) {
            s_.BlockRemoved = 1;
            const std::int32_t points = BlockPoints(n);
            s_.Score += points;
            tally_.ballsRemoved += n;
            tally_.figurePoints += points;
        }
    }
}

} // namespace zv
