// Game start and finish, and the one-step undo.
#include "game/Game.h"

namespace zv {

void Game::GstartClick() {
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
}

void Game::ReportFinished(GameEnd how) {
    if (!s_.GameOpen) return;
    s_.GameOpen = false;
    Mode m;
    if (log_ && ModeFromWord(s_.GameMode, m)) log_->GameFinished(m, s_.Score, s_.MoveCount, s_.AdvancedThroughout, how);
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
    if (ReachesRecord()) records_.WriteRecordFile(m, s_.Score);

    s_.Score = 0;
    view_.SetScoreText("0");
    s_.PlayState = kPlayIdle;
    s_.DropCount = 0;
    s_.Board.clear();
    s_.MoveCount = 0;
    s_.GameOpen = true;
    s_.AdvancedThroughout = s_.AdvancedMode == 1;
    ReseedFromClock();
    DealStartingBalls();
    NewNextBalls();
    RedrawBoard();
}

void Game::finishClick() {
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
}

void Game::TurnBackClick() {
    if (!UndoAvailable()) return;
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
}

} // namespace zv
