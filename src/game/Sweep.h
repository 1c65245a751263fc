// The in-place marking sweep shared by the path search and the block search.
#pragma once

#include <array>

#include "game/Types.h"

namespace zv {

// Two values written into the board while a search runs, above every colour, taken off when it ends.
struct SweepMarks {
    ColourCode waiting;  // reached, its neighbours not looked at yet
    ColourCode expanded; // reached, its neighbours looked at
};

// One sweep in row-major order from cell index `from`: every waiting cell becomes expanded and marks
// its neighbours that hold `joins` as waiting, adding one to `marked` for each. A neighbour below or
// to the right is expanded later in the same sweep; one above or to the left must wait for the next.
// Returns the first cell left waiting for the next sweep, or kCells when none was.
inline int SweepOnce(std::array<ColourCode, kCells>& b, int from, ColourCode joins, SweepMarks marks, int& marked) {
    int waiting = kCells, added = 0; // a local count: `marked` might alias the board
    auto mark = [&](int i) {
        b[static_cast<std::size_t>(i)] = marks.waiting;
        ++added;
    };
    for (int i = from; i < kCells; ++i) {
        const std::size_t u = static_cast<std::size_t>(i);
        if (b[u] != marks.waiting) continue;
        const int r = i / kCols, c = i % kCols;
        b[u] = marks.expanded;
        if (r + 1 < kRows && b[u + kCols] == joins) mark(i + kCols);
        if (r > 0 && b[u - kCols] == joins) {
            mark(i - kCols);
            if (i - kCols < waiting) waiting = i - kCols;
        }
        if (c + 1 < kCols && b[u + 1] == joins) mark(i + 1);
        if (c > 0 && b[u - 1] == joins) {
            mark(i - 1);
            if (i - 1 < waiting) waiting = i - 1;
        }
    }
    marked += added;
    return waiting;
}

} // namespace zv
