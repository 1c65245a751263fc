// Game start and finish, and the one-step undo.
#include "game/Game.h"

#include <climits>

namespace zv {

const TurnReport& Game::GstartClick() {
    Begin();
    // The game being replaced counts when it had points; otherwise it is simply dropped.
    if (s_.Score > 0) ReportFinished(GameEnd::Replaced);
    HideSelection();
    if (s_.AdvancedMode == 1) {
        ClearBlockedCells();
        ScatterBlockedCells();
    }
    StartGame();
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
    report_.ending = {how, m, s_.Score, s_.MoveCount, s_.AdvancedThroughout};
}

void Game::StartGame() {
    view_.SetBannerVisible(false);

    const Mode m = checked_;
    s_.GameMode = ModeWord(m);
    view_.SetModeSelectorsEnabled(false);
    selectorsEnabled_ = false;
    const std::string& text = s_.RecordText[static_cast<std::size_t>(m)];
    std::int32_t best = kDefaultRecord;
    if (ParseRecordNumber(text, best)) {
        view_.SetRecordText(text);
    } else {
        best = kDefaultRecord;
        view_.SetRecordText(std::to_string(best));
    }
    s_.BestScore = best;
    // Score still holds the game before's result here.
    if (ReachesRecord()) WriteRecord(m, s_.Score);

    s_.Score = 0;
    view_.SetScoreText("0");
    s_.PlayState = kPlayIdle;
    s_.DropCount = 0;
    s_.Board.clear();
    s_.MoveCount = 0;
    s_.GameOpen = true;
    s_.AdvancedThroughout = s_.AdvancedMode == 1;
    report_.started = true;
    ReseedFromClock();
    DealStartingBalls();
    NewNextBalls();
    RedrawBoard();
}

void Game::SetPosition(const Position& p) {
    Begin();
    HideSelection();
    ClearBlockedCells();
    s_.GameMode = ModeWord(p.mode);
    checked_ = p.mode;
    s_.Board = p.board;
    s_.MoveSnapshot = p.board;
    s_.NextBalls = p.next;
    s_.Score = p.score;
    s_.ScoreBeforeMove = p.score;
    s_.BestScore = p.record;
    s_.PlayState = kPlayIdle;
    s_.UndoAllowed = 0;
    s_.MoveCount = 0;
    s_.GameOpen = true;
    s_.AdvancedThroughout = s_.AdvancedMode == 1;
    view_.SetBannerVisible(false);
    view_.SetModeMarks(p.mode);
    view_.SetModeSelectorsEnabled(false);
    selectorsEnabled_ = false;
    view_.SetScoreText(std::to_string(p.score));
    RedrawBoard();
}

namespace {

struct Quiet : BoardView, SoundPlayer, RecordWriter, Clock {
    void SetCellPicture(int, int) override {}
    void SetNextPicture(int, int) override {}
    void SetHighlight(int, bool) override {}
    void SetBlocked(int, bool) override {}
    void SetScoreText(const std::string&) override {}
    void SetRecordText(const std::string&) override {}
    void SetBannerVisible(bool) override {}
    void SetModeSelectorsEnabled(bool) override {}
    void SetModeMarks(Mode) override {}
    void Play(const char*) override {}
    void WriteRecordFile(Mode, std::int32_t) override {}
    TimeOfDay Now() const override { return {}; }
};

} // namespace

std::int32_t MovePoints(Mode mode, const Grid& board, int from, int to) {
    static Quiet quiet;
    Game g(quiet, quiet, quiet, quiet);
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

} // namespace zv
