// The rules engine: every routine of a turn, the ball supply, start and finish, undo and the figure scans.
#pragma once

#include <cstdint>
#include <string>

#include "game/GameState.h"
#include "game/Ports.h"
#include "game/Random.h"

namespace zv {

// The picture position that shows a cell value; -1 for values outside 0..6.
int ColourPicture(ColourCode v);

// Points of a removed block group of n balls: 1.7 n rounded half to even, minus 4.
std::int32_t BlockPoints(std::int32_t n);

// Running totals of what the rules did since the last ResetTotals(); they cost
// a few additions per turn and let tests and the autoplayer check the books.
struct Tally {
    std::int64_t turns = 0;         // moves made
    std::int64_t refused = 0;       // moves refused for lack of a path
    std::int64_t ballsRemoved = 0;  // balls taken off by figures and groups
    std::int64_t ballsDropped = 0;  // preview balls put on the board
    std::int64_t ballsDealt = 0;    // starting balls
    std::int64_t figurePoints = 0;  // points added by the figure scans
    std::int64_t undos = 0;         // undos made (each costs 3 points)
};

// What a click on a cell did.
enum class CellClickResult {
    Ignored,    // nothing to do: off the board, game over, or an empty cell with nothing selected
    Blocked,    // the cell's blocked overlay took the click
    Selected,   // a ball is selected now (the first, or another one)
    Deselected, // the selected ball clicked again
    Moved,      // the selected ball moved
    Refused,    // no path: the selection ends
};

namespace kit {
struct StateAccess;
}

// The rules and the one owner of the game state: everything else reads the state and
// changes it only through the operations below.
class Game {
public:
    Game(BoardView& view, SoundPlayer& sound, RecordWriter& records, const Clock& clock);

    const GameState& State() const { return s_; }
    Random& Rng() { return rng_; }

    // The mode held by the hidden radio buttons (RadioButton1 checked at start-up).
    Mode CheckedMode() const { return checked_; }
    bool ModeSelectorsEnabled() const { return selectorsEnabled_; }

    // Click handlers. ImClick(n) is im1Click .. im100Click; a click on a cell whose
    // blocked overlay is shown is dropped, as the overlay takes it.
    CellClickResult ImClick(int n);
    void GstartClick();
    void finishClick();
    void TurnBackClick();
    void lineClick();
    void cubeClick();
    void crossClick();
    void ringClick();
    void cornerClick();

    // Whether the undo button would take a move back now: once, after a move that scored nothing.
    bool UndoAvailable() const { return s_.UndoAllowed == 1 && s_.Score == s_.ScoreBeforeMove; }
    // Ends a selection without a move: nothing selected, the highlight gone, no sound.
    void EndSelection();

    // Start-up and exit. The settings as read; a mode's record as read from its file (the
    // record label shows its text); the record step when the window goes away.
    void LoadSettings(const Settings& settings);
    void LoadRecord(Mode mode, const std::string& text, std::int32_t value);
    void RecordAtExit();
    // The options window and the skins.
    void SetAdvancedMode(bool on);
    void SetFullScreen(bool on);
    void SetSound(bool on);
    void SetSkinIndex(std::int32_t number);

    // Routines over the state; public so tests can drive each one.
    CellClickResult CellClick(CellPos clicked);
    void StartGame();
    void RedrawBoard();
    void FigureScan();
    void BlockFigureScan();
    void NewNextBalls();
    void DropNextBalls();
    void DealStartingBalls();
    void ClearBlockedCells();
    void ScatterBlockedCells();
    void ShowSelection();
    void HideSelection();

    // Reseeds the generator from the clock, as every game start does.
    void ReseedFromClock();

    // Where finished games are reported; none by default.
    void SetGameLog(GameLog* log) { log_ = log; }

    const Tally& Totals() const { return tally_; }
    void ResetTotals() { tally_ = Tally{}; }

private:
    friend struct kit::StateAccess; // tests set up positions directly

    void ChooseMode(Mode m);
    // The record rule: a score that reaches the mode's record (equality counts) is written.
    bool ReachesRecord() const { return s_.Score >= s_.BestScore; }
    void RecordIfReached(); // the record step at the end of a figure scan
    void SetBlocked(int cell, bool shown);
    bool FindPath();        // the bounded sweep search from SelectedCell to ClickedCell
    void MakeMove();
    void RefuseMove();
    void Sound(const char* fileName);
    // Tells the game log that the running game ended, the first time only.
    void ReportFinished(GameEnd how);
    bool TryFigure(int anchor, const int* offsets, int count, int points);
    bool TryLine(int anchor, int step, int length, int points);
    void LineFigures();
    void SquareFigures();
    void CrossFigures();
    void RingFigures();

    GameState s_;
    BoardView& view_;
    SoundPlayer& sound_;
    RecordWriter& records_;
    const Clock& clock_;
    GameLog* log_ = nullptr;
    Random rng_;
    Mode checked_ = Mode::Line;
    bool selectorsEnabled_ = true;
    Tally tally_;
};

} // namespace zv
