// The greedy player: the hint's strategy picks every move, and the books are checked after each operation.
#include "Player.h"

#include <cstdio>
#include <optional>

namespace zv::autoplay {

namespace {

constexpr std::int64_t kTurnCap = 200000;

} // namespace

Player::Player(Mode mode, bool advanced, bool check, std::uint64_t seed)
    : mode_(mode), check_(check), pick_(seed) {
    game_.SetSound(false);
    game_.SetAdvancedMode(advanced);
    for (const ModeRow& m : Modes()) game_.LoadRecord(m.mode, "100", 100);
}

bool Player::PlayGame(std::uint64_t gameSeed, GameResult& out) {
    // The engine seeds itself from the time of day at every start.
    const std::uint32_t ms = static_cast<std::uint32_t>(gameSeed % 86400000u);
    clock_.now = {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                  static_cast<int>(ms % 1000)};
    ModeOf(mode_).click(game_);
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
        const int ballsBefore = BallCount(s.Board);
        const Tally before = game_.Totals();
        game_.ImClick(from);
        if (check_ && !Check("selection")) return false;
        game_.ImClick(to);
        if (check_ && (!Check("move") || !CheckTurn(ballsBefore, before))) return false;
        if (game_.Totals().refused > before.refused) {
            // The strategy only picks moves the path search accepts: a refusal is a fault of one or the other.
            if (check_) {
                error_ = "the path search refused the move " + std::to_string(from) + " to " + std::to_string(to);
                return false;
            }
            // Unchecked, the game goes on with a step next door.
            bool moved = false;
            for (int n = 1; n <= kCells && !moved; ++n) {
                if (s.Board.cells[static_cast<std::size_t>(n - 1)] == 0 || s.Blocked[static_cast<std::size_t>(n - 1)]) continue;
                const CellPos p = CellOf(n);
                const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (auto& d : nb) {
                    const int r = p.row + d[0], c = p.col + d[1];
                    if (r < 1 || r > 10 || c < 1 || c > 10 || s.Board.at(r, c) != 0 || s.Blocked[static_cast<std::size_t>(CellIndex(r, c) - 1)])
                        continue;
                    const int balls = BallCount(s.Board);
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

bool Player::PickMove(int& from, int& to) {
    const GameState& s = game_.State();
    // The hint's strategy, with a little noise so that games of one seed differ from those of another.
    const std::optional<HintMove> move = FindHint(mode_, s.Board, s.Blocked, HintEffort{.tries = 12, .noise = pick_() | 1});
    if (!move) return false;
    from = move->from;
    to = move->to;
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
    if (s.Score != t.figurePoints - 3 * t.undos - kHintPrice * t.hints) {
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
    if (BallCount(s.Board) != expect) {
        std::snprintf(msg, sizeof msg, "%d balls after the turn, expected %lld", BallCount(s.Board),
                      static_cast<long long>(expect));
        error_ = msg;
        return false;
    }
    if (t.turns > before.turns && FigureLeft(mode_, s.Board)) {
        error_ = std::string("a ") + ModeWord(mode_) + " figure survived the scan";
        return false;
    }
    return true;
}

} // namespace zv::autoplay
