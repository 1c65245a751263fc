// The move-choosing strategy: every legal move rated by what gathers round its target, the best few played out.
#include "game/Hint.h"

#include <algorithm>
#include <climits>

#include "game/Game.h"
#include "game/Modes.h"
#include "game/Sweep.h"

namespace zv {

namespace {

constexpr SweepMarks kReach{.waiting = 10, .expanded = 15};
// The turn's path search gives up on its 50th sweep, even when that sweep reached the target.
constexpr int kSweepsThatCount = 49;
constexpr int kMostTries = 64;

struct Candidate {
    int from = 0, to = 0, rating = INT_MIN;
};

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// How promising moving the ball at `from` to `to` looks: friends of its colour next to the target, fewer left
// behind, and what the mode weighs besides: the run or the group it would join.
int Rate(Mode mode, const Grid& b, int from, int to, ColourCode colour) {
    const CellPos f = CellOf(from), t = CellOf(to);
    auto at = [&](int r, int c) -> ColourCode {
        if (r < 1 || r > kRows || c < 1 || c > kCols) return -1;
        if (r == f.row && c == f.col) return 0;
        return b.at(r, c);
    };
    int rating = 0;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            if (!dr && !dc) continue;
            if (at(t.row + dr, t.col + dc) == colour) rating += (dr && dc) ? 2 : 3;
            const int r = f.row + dr, c = f.col + dc;
            if (r >= 1 && r <= kRows && c >= 1 && c <= kCols && b.at(r, c) == colour) rating -= 2;
        }
    const HintWeight weight = ModeOf(mode).hint;
    if (weight == HintWeight::Run) {
        const int dirs[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}};
        for (auto& d : dirs) {
            int run = 1;
            for (int k = 1; at(t.row + k * d[0], t.col + k * d[1]) == colour; ++k) ++run;
            for (int k = 1; at(t.row - k * d[0], t.col - k * d[1]) == colour; ++k) ++run;
            rating += run * run * 3;
        }
    } else if (weight == HintWeight::Group) {
        int stack[kCells], top = 0, size = 0;
        bool seen[kCells] = {};
        stack[top++] = to - 1;
        seen[to - 1] = true;
        while (top) {
            const int i = stack[--top];
            ++size;
            const int r = i / kCols + 1, c = i % kCols + 1;
            const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (auto& d : nb) {
                const int rr = r + d[0], cc = c + d[1];
                if (at(rr, cc) != colour) continue;
                const int j = (rr - 1) * kCols + (cc - 1);
                if (!seen[j]) seen[j] = true, stack[top++] = j;
            }
        }
        rating += size * 4;
    }
    return rating;
}

} // namespace

std::array<bool, kCells> ReachableTargets(const Grid& board, const std::array<bool, kCells>& blocked, int from) {
    std::array<bool, kCells> out{};
    if (from < 1 || from > kCells || board.cells[static_cast<std::size_t>(from - 1)] == 0) return out;
    // The same sweeps as the turn's search, run to its bound: every cell they expand in time is a target it finds.
    std::array<ColourCode, kCells> b = board.cells;
    b[static_cast<std::size_t>(from - 1)] = kReach.waiting;
    int start = from - 1, marked = 0;
    for (int sweep = 0; sweep < kSweepsThatCount; ++sweep) {
        start = SweepOnce(b, start, 0, kReach, marked);
        if (start == kCells) break;
    }
    for (int i = 0; i < kCells; ++i)
        out[static_cast<std::size_t>(i)] =
            i != from - 1 && b[static_cast<std::size_t>(i)] == kReach.expanded && !blocked[static_cast<std::size_t>(i)];
    return out;
}

std::optional<HintMove> FindHint(Mode mode, const Grid& board, const std::array<bool, kCells>& blocked,
                                 const HintEffort& effort) {
    const int tries = std::clamp(effort.tries, 1, kMostTries);
    std::array<Candidate, kMostTries> top{};
    bool any = false;
    for (int from = 1; from <= kCells; ++from) {
        const ColourCode colour = board.cells[static_cast<std::size_t>(from - 1)];
        if (colour == 0 || blocked[static_cast<std::size_t>(from - 1)]) continue;
        const std::array<bool, kCells> reach = ReachableTargets(board, blocked, from);
        for (int to = 1; to <= kCells; ++to) {
            if (!reach[static_cast<std::size_t>(to - 1)]) continue;
            any = true;
            int rating = Rate(mode, board, from, to, colour) * 64;
            if (effort.noise) rating += static_cast<int>(Mix(effort.noise ^ static_cast<std::uint64_t>(from * 128 + to)) % 64);
            // The best few, best first; an equal rating stays behind the ones found before it.
            if (rating <= top[static_cast<std::size_t>(tries - 1)].rating) continue;
            int k = tries - 1;
            while (k > 0 && top[static_cast<std::size_t>(k - 1)].rating < rating) {
                top[static_cast<std::size_t>(k)] = top[static_cast<std::size_t>(k - 1)];
                --k;
            }
            top[static_cast<std::size_t>(k)] = {from, to, rating};
        }
    }
    if (!any) return std::nullopt;
    // Of the best few, the one that scores most at once; none scoring, the best rated.
    int bestPoints = 0, best = 0;
    for (int k = 0; k < tries && top[static_cast<std::size_t>(k)].from; ++k) {
        const Candidate& c = top[static_cast<std::size_t>(k)];
        const std::int32_t points = MovePoints(mode, board, c.from, c.to);
        if (points > bestPoints) bestPoints = points, best = k;
    }
    return HintMove{top[static_cast<std::size_t>(best)].from, top[static_cast<std::size_t>(best)].to};
}

} // namespace zv
