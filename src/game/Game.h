// The rules engine: every routine of a turn, the ball supply, start and finish, undo and the figure scans.
#pragma once

#include <cstdint>

#include "GameState.h"
#include "Ports.h"
#include "Random.h"

namespace zv {

// The picture position that shows a cell value; -1 for values outside 0..6.
int ColourPicture(ColourCode v);

class Game {
public:
    Game(BoardView& view, SoundPlayer& sound, RecordWriter& records, const Clock& clock);

    GameState& State() { return s_; }
    const GameState& State() const { return s_; }
    Random& Rng() { return rng_; }

    // The mode held by the hidden radio buttons (RadioButton1 checked at start-up).
    Mode CheckedMode() const { return checked_; }
    bool ModeSelectorsEnabled() const { return selectorsEnabled_; }

    // Click handlers. ImClick(n) is im1Click .. im100Click.
    void ImClick(int n);
    void GstartClick();
    void finishClick();
    void TurnBackClick();
    void lineClick();
    void cubeClick();
    void crossClick();
    void ringClick();
    void cornerClick();

    // Routines over the shared state; public so tests can drive each one.
    void CellClick();
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

private:
    void ChooseMode(Mode m);
    void RecordIfReached(); // the record step at the end of a figure scan

    GameState s_;
    BoardView& view_;
    SoundPlayer& sound_;
    RecordWriter& records_;
    const Clock& clock_;
    Random rng_;
    Mode checked_ = Mode::Line;
    bool selectorsEnabled_ = true;
};

} // namespace zv
