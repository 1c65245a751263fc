// Game start and finish, and the one-step undo.
#include "game/Game.h"

#include <climits>

#include "game/NullPorts.h"

namespace zv {

const TurnReport& Game::GstartClick() { return StartNumberedGame(ClockGameNumber(clock_.Now())); }

const TurnReport& Game::StartNumberedGame(std::uint32_t number) {
    Begin();
    // The game being replaced counts when it had points; otherwise it is simply dropped.
    if (s_.Score > 0) ReportFinished(GameEnd::Replaced);
    HideSelection();
    if (s_.AdvancedMode == 1) {
        ClearBlockedCells();
        rng_.SetState(kBlockedStream + number);
        ScatterBlockedCells();
    }
    StartGame(number);
    s_.UndoBoard.clear();
    // An undo must not reach back into the game before.
    s_.UndoAllowed = 0;
    return report_;
}

void Game::ReportFinished(GameEnd how) {
    if (!s_.GameOpen) return;
    s_.GameOpen = false;
    Mode m;
    if (!ModeFromWord(s_.GameMode, m)) return;
    report_.ended = true;
    report_.ending = {how, m, s_.Score, s_.MoveCount, s_.AdvancedThroughout, s_.HintsUsed, number_};
}

std::int32_t Game::ShowRecordOf(Mode m) {
    const std::string& text = s_.RecordText[static_cast<std::size_t>(m)];
    std::int32_t best = kDefaultRecord;
    if (ParseRecordNumber(text, best)) {
        view_.SetRecordText(text);
        return best;
    }
    view_.SetRecordText(std::to_string(kDefaultRecord));
    return kDefaultRecord;
}

void Game::StartGame() { StartGame(ClockGameNumber(clock_.Now())); }

void Game::StartGame(std::uint32_t number) {
    view_.SetBannerVisible(false);

    const Mode m = checked_;
    s_.GameMode = ModeWord(m);
    view_.SetModeSelectorsEnabled(false);
    selectorsEnabled_ = false;
    s_.BestScore = ShowRecordOf(m);
    // Score still holds the game before's result here.
    if (ReachesRecord()) WriteRecord(m, s_.Score);

    s_.Score = 0;
    view_.SetScoreText("0");
    s_.PlayState = kPlayIdle;
    s_.DropCount = 0;
    s_.Board.clear();
    s_.MoveCount = 0;
    s_.HintsUsed = 0;
    s_.GameOpen = true;
    s_.AdvancedThroughout = s_.AdvancedMode == 1;
    report_.started = true;
    number_ = number;
    rng_.Seed(number);
    DealStartingBalls();
    NewNextBalls();
    RedrawBoard();
}

void Game::ShowGameInPlay(Mode mode, const Grid& board, const std::array<ColourCode, 4>& next, std::int32_t score) {
    HideSelection();
    ClearBlockedCells();
    checked_ = mode;
    s_.GameMode = ModeWord(mode);
    view_.SetModeMarks(mode);
    view_.SetModeSelectorsEnabled(false);
    selectorsEnabled_ = false;
    view_.SetBannerVisible(false);
    s_.Board = board;
    s_.MoveSnapshot = board;
    s_.NextBalls = next;
    s_.Score = score;
    s_.ScoreBeforeMove = score;
    view_.SetScoreText(std::to_string(score));
    s_.PlayState = kPlayIdle;
    s_.GameOpen = true;
}

void Game::SetPosition(const Position& p) {
    Begin();
    ShowGameInPlay(p.mode, p.board, p.next, p.score);
    s_.BestScore = p.record;
    s_.UndoAllowed = 0;
    s_.MoveCount = 0;
    s_.HintsUsed = 0;
    s_.AdvancedThroughout = s_.AdvancedMode == 1;
    RedrawBoard();
}

std::optional<KeptGame> Game::Keep() const {
    Mode m;
    if (!s_.GameOpen || s_.PlayState == kPlayOver || !ModeFromWord(s_.GameMode, m)) return std::nullopt;
    KeptGame k;
    k.number = number_;
    k.mode = m;
    k.score = s_.Score;
    k.moves = s_.MoveCount;
    k.advanced = s_.AdvancedThroughout;
    k.undo = UndoAvailable();
    k.hints = s_.HintsUsed;
    k.random = rng_.State();
    k.next = s_.NextBalls;
    k.board = s_.Board;
    if (k.undo) k.undoBoard = s_.UndoBoard;
    k.blocked = s_.Blocked;
    return k;
}

bool Game::Resume(const KeptGame& k, std::string& problem) {
    auto refuse = [&](std::string why) {
        problem = std::move(why);
        return false;
    };
    int empty = 0;
    for (ColourCode v : k.board.cells) {
        if (v < 0 || v > 6) return refuse("a cell holds " + std::to_string(v) + ", not a colour 1 to 6 or 0");
        empty += v == 0;
    }
    for (ColourCode v : k.undoBoard.cells)
        if (v < 0 || v > 6) return refuse("a cell of the undo board holds " + std::to_string(v) + ", not a colour 1 to 6 or 0");
    for (ColourCode v : k.next)
        if (v < 1 || v > 6) return refuse("a preview ball holds " + std::to_string(v) + ", not a colour 1 to 6");
    // Four or fewer empty cells is a game over, and a game over is never kept.
    if (empty < 5) return refuse("only " + std::to_string(empty) + " empty cells: that game is over");
    if (k.moves < 0) return refuse("a move count below 0");
    if (k.hints < 0) return refuse("a hint count below 0");

    Begin();
    ShowGameInPlay(k.mode, k.board, k.next, k.score);
    // The record as a game start reads it.
    s_.BestScore = ShowRecordOf(k.mode);
    s_.UndoBoard = k.undoBoard;
    s_.UndoAllowed = k.undo ? 1 : 0;
    s_.DropCount = 0;
    s_.MoveCount = k.moves;
    s_.HintsUsed = k.hints;
    // Advanced mode is switched on later in the start-up, from the settings already read.
    s_.AdvancedThroughout = k.advanced && s_.Switches.advanced;
    for (int n = 1; n <= kCells; ++n)
        if (k.blocked[static_cast<std::size_t>(n - 1)]) SetBlocked(n, true);
    number_ = k.number;
    rng_.SetState(k.random);
    RedrawBoard();
    return true;
}

std::int32_t MovePoints(Mode mode, const Grid& board, int from, int to) {
    static NullPorts quiet;
    static const SetClock clock;
    Game g(quiet, quiet, quiet, clock);
    GameState& x = g.s_;
    x.GameMode = ModeWord(mode);
    x.Board = board;
    const ColourCode colour = x.Board.cells[static_cast<std::size_t>(from - 1)];
    x.Board.cells[static_cast<std::size_t>(from - 1)] = 0;
    x.MoveSnapshot = x.Board;
    x.Board.cells[static_cast<std::size_t>(to - 1)] = colour;
    x.BestScore = INT32_MAX;
    g.FigureScan();
    return x.Score;
}

const TurnReport& Game::finishClick() {
    Begin();
    ReportFinished(GameEnd::Finished);
    s_.Score = 0;
    s_.Board.clear();
    RedrawBoard();
    view_.SetModeSelectorsEnabled(true);
    selectorsEnabled_ = true;
    HideSelection();
    // Abandoning the game also ends the selection and withdraws the undo, so no
    // remembered ball or board of the abandoned game comes back later.
    s_.PlayState = kPlayIdle;
    s_.UndoAllowed = 0;
    ClearBlockedCells();
    return report_;
}

const TurnReport& Game::TurnBackClick() {
    Begin();
    if (!UndoAvailable()) return report_;
    report_.undone = true;
    // The restored board may hold another ball (or none) at the selected cell,
    // so the selection ends with the undo.
    HideSelection();
    s_.PlayState = kPlayIdle;
    s_.Board = s_.UndoBoard;
    RedrawBoard();
    s_.Score -= 3;
    view_.SetScoreText(std::to_string(s_.Score));
    s_.UndoAllowed = 0;
    if (s_.MoveCount > 0) --s_.MoveCount;
    ++tally_.undos;
    return report_;
}

const TurnReport& Game::HintClick(const HintEffort& effort) {
    Begin();
    Mode m;
    if (!s_.GameOpen || s_.PlayState == kPlayOver || !ModeFromWord(s_.GameMode, m)) return report_;
    const std::optional<HintMove> hint = FindHint(m, s_.Board, s_.Blocked, effort);
    if (!hint) return report_;
    s_.Score -= kHintPrice;
    // The undo stays as it was: it is there while the score is the one before the move, less what hints took.
    s_.ScoreBeforeMove -= kHintPrice;
    view_.SetScoreText(std::to_string(s_.Score));
    ++s_.HintsUsed;
    ++tally_.hints;
    report_.hinted = true;
    report_.hintFrom = hint->from;
    report_.hintTo = hint->to;
    return report_;
}

} // namespace zv
