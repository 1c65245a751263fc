// The greedy player: every reachable move gets a quick local rating, the best few are tried on a scratch engine.
#include "Player.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <cstdio>

namespace zv::autoplay {

namespace {

constexpr int kTop = 12;
constexpr std::int64_t kTurnCap = 200000;

struct Candidate {
    int from = 0, to = 0, rating = INT_MIN;
};

} // namespace

Player::Player(Mode mode, bool advanced, bool check, std::uint64_t seed)
    : mode_(mode), check_(check), pick_(seed) {
    // Thousands of games: keep only the counts, not lists that grow without end.
    sound_.keepNames = false;
    records_.keepWrites = false;
    game_.SetSound(false);
    game_.SetAdvancedMode(advanced);
    for (int m = 0; m < kModeCount; ++m) game_.LoadRecord(static_cast<Mode>(m), "100", 100);
}

bool Player::PlayGame(std::uint64_t gameSeed, GameResult& out) {
    // The engine seeds itself from the time of day at every start.
    const std::uint32_t ms = static_cast<std::uint32_t>(gameSeed % 86400000u);
    clock_.now = {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                  static_cast<int>(ms % 1000)};
    switch (mode_) {
    case Mode::Line: game_.lineClick(); break;
    case Mode::Square: game_.cubeClick(); break;
    case Mode::Cross: game_.crossClick(); break;
    case Mode::Ring: game_.ringClick(); break;
    case Mode::Block: game_.cornerClick(); break;
    }
    game_.GstartClick();
    game_.ResetTotals();
    if (check_ && !Check("game start")) return false;

    const GameState& s = game_.State();
    out = GameResult{};
    while (s.PlayState != kPlayOver) {
        if (game_.Totals().turns >= kTurnCap) {
            out.capped = true;
            break;
        }
        int from = 0, to = 0;
        if (!PickMove(from, to)) {
            out.capped = true; // no ball can move: the player would give up
            break;
        }
        const int ballsBefore = kit::BallCount(s.Board);
        const Tally before = game_.Totals();
        game_.ImClick(from);
        if (check_ && !Check("selection")) return false;
        game_.ImClick(to);
        if (check_ && (!Check("move") || !CheckTurn(ballsBefore, before))) return false;
        if (game_.Totals().refused > before.refused) {
            // A very long way can exceed the search bound; fall back to a step next door.
            bool moved = false;
            for (int n = 1; n <= kCells && !moved; ++n) {
                if (s.Board.cells[static_cast<std::size_t>(n - 1)] == 0 || view_.IsBlocked(n)) continue;
                const CellPos p = CellOf(n);
                const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (auto& d : nb) {
                    const int r = p.row + d[0], c = p.col + d[1];
                    if (r < 1 || r > 10 || c < 1 || c > 10 || s.Board.at(r, c) != 0 || view_.IsBlocked(CellIndex(r, c)))
                        continue;
                    const int balls = kit::BallCount(s.Board);
                    const Tally t0 = game_.Totals();
                    game_.ImClick(n);
                    game_.ImClick(CellIndex(r, c));
                    if (check_ && (!Check("fallback move") || !CheckTurn(balls, t0))) return false;
                    moved = true;
                    break;
                }
            }
            if (!moved) {
                out.capped = true;
                break;
            }
        }
    }
    out.score = s.Score;
    out.turns = game_.Totals().turns;
    if (s.PlayState != kPlayOver) game_.finishClick();
    return true;
}

int Player::Evaluate(int from, int to, ColourCode colour) {
    const Grid& b = game_.State().Board;
    const CellPos f = CellOf(from), t = CellOf(to);
    auto at = [&](int r, int c) -> ColourCode {
        if (r < 1 || r > 10 || c < 1 || c > 10) return -1;
        if (r == f.row && c == f.col) return 0;
        return b.at(r, c);
    };
    int rating = 0;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            if (!dr && !dc) continue;
            if (at(t.row + dr, t.col + dc) == colour) rating += (dr && dc) ? 2 : 3;
            if (b.at(f.row, f.col) == colour && f.row + dr >= 1 && f.row + dr <= 10 && f.col + dc >= 1 &&
                f.col + dc <= 10 && b.at(f.row + dr, f.col + dc) == colour)
                rating -= 2; // leaving friends behind
        }
    if (mode_ == Mode::Line) {
        const int dirs[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}};
        for (auto& d : dirs) {
            int run = 1;
            for (int k = 1; at(t.row + k * d[0], t.col + k * d[1]) == colour; ++k) ++run;
            for (int k = 1; at(t.row - k * d[0], t.col - k * d[1]) == colour; ++k) ++run;
            rating += run * run * 3;
        }
    } else if (mode_ == Mode::Block) {
        // Size of the group the ball would join.
        int stack[kCells], top = 0, size = 0;
        bool seen[kCells] = {};
        stack[top++] = to - 1;
        seen[to - 1] = true;
        while (top) {
            const int i = stack[--top];
            ++size;
            const int r = i / 10 + 1, c = i % 10 + 1;
            const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (auto& d : nb) {
                const int rr = r + d[0], cc = c + d[1];
                if (at(rr, cc) != colour) continue;
                const int j = (rr - 1) * 10 + (cc - 1);
                if (!seen[j]) seen[j] = true, stack[top++] = j;
            }
        }
        rating += size * 4;
    }
    return rating;
}

bool Player::PickMove(int& from, int& to) {
    const GameState& s = game_.State();
    const Grid& b = s.Board;
    // Label the regions of empty cells; a ball can go anywhere in a region it touches.
    std::fill(std::begin(component_), std::end(component_), 0);
    int labels = 0, stack[kCells];
    for (int i = 0; i < kCells; ++i) {
        if (b.cells[static_cast<std::size_t>(i)] != 0 || component_[i]) continue;
        ++labels;
        int top = 0;
        stack[top++] = i;
        component_[i] = labels;
        while (top) {
            const int j = stack[--top];
            const int r = j / 10, c = j % 10;
            const int nb[4] = {r < 9 ? j + 10 : -1, r > 0 ? j - 10 : -1, c < 9 ? j + 1 : -1, c > 0 ? j - 1 : -1};
            for (int k : nb)
                if (k >= 0 && b.cells[static_cast<std::size_t>(k)] == 0 && !component_[k])
                    component_[k] = labels, stack[top++] = k;
        }
    }

    Candidate top[kTop];
    int ties = 0;
    for (int i = 0; i < kCells; ++i) {
        const ColourCode colour = b.cells[static_cast<std::size_t>(i)];
        if (colour == 0 || view_.IsBlocked(i + 1)) continue;
        const int r = i / 10, c = i % 10;
        int touch[4] = {r < 9 ? component_[i + 10] : 0, r > 0 ? component_[i - 10] : 0, c < 9 ? component_[i + 1] : 0,
                        c > 0 ? component_[i - 1] : 0};
        if (!touch[0] && !touch[1] && !touch[2] && !touch[3]) continue;
        for (int j = 0; j < kCells; ++j) {
            const int lab = component_[j];
            if (!lab || view_.IsBlocked(j + 1)) continue;
            if (lab != touch[0] && lab != touch[1] && lab != touch[2] && lab != touch[3]) continue;
            Candidate cand{i + 1, j + 1, Evaluate(i + 1, j + 1, colour) * 64 + static_cast<int>(pick_() % 64)};
            // Keep the best few, worst last.
            if (cand.rating <= top[kTop - 1].rating) continue;
            int k = kTop - 1;
            while (k > 0 && top[k - 1].rating < cand.rating) top[k] = top[k - 1], --k;
            top[k] = cand;
            ++ties;
        }
    }
    if (!ties) return false;

    // Try the best few and take the one that scores most.
    int bestPoints = 0, best = 0;
    for (int k = 0; k < kTop && top[k].from; ++k) {
        const std::int32_t points = MovePoints(mode_, b, top[k].from, top[k].to);
        if (points > bestPoints) bestPoints = points, best = k;
    }
    from = top[best].from;
    to = top[best].to;
    return true;
}

bool Player::Check(const char* after) {
    const GameState& s = game_.State();
    char msg[160];
    int empty = 0;
    for (ColourCode v : s.Board.cells) {
        if (v < 0 || v > 6) {
            std::snprintf(msg, sizeof msg, "cell value %d after %s", v, after);
            error_ = msg;
            return false;
        }
        empty += v == 0;
    }
    if (empty != s.EmptyCellCount) {
        std::snprintf(msg, sizeof msg, "EmptyCellCount %d but %d empty after %s", s.EmptyCellCount, empty, after);
        error_ = msg;
        return false;
    }
    const Tally& t = game_.Totals();
    if (s.Score != t.figurePoints - 3 * t.undos) {
        std::snprintf(msg, sizeof msg, "score %d but figures gave %lld and %lld undos after %s", s.Score,
                      static_cast<long long>(t.figurePoints), static_cast<long long>(t.undos), after);
        error_ = msg;
        return false;
    }
    if (s.PlayState != 0 && s.PlayState != 1 && s.PlayState != 3) {
        std::snprintf(msg, sizeof msg, "PlayState %d after %s", s.PlayState, after);
        error_ = msg;
        return false;
    }
    return true;
}

bool Player::CheckTurn(int ballsBefore, const Tally& before) {
    const GameState& s = game_.State();
    const Tally& t = game_.Totals();
    const std::int64_t expect = ballsBefore - (t.ballsRemoved - before.ballsRemoved) + (t.ballsDropped - before.ballsDropped);
    char msg[160];
    if (kit::BallCount(s.Board) != expect) {
        std::snprintf(msg, sizeof msg, "%d balls after the turn, expected %lld", kit::BallCount(s.Board),
                      static_cast<long long>(expect));
        error_ = msg;
        return false;
    }
    if (t.turns > before.turns && kit::FigureLeft(mode_, s.Board)) {
        error_ = std::string("a ") + ModeWord(mode_) + " figure survived the scan";
        return false;
    }
    return true;
}

} // namespace zv::autoplay
