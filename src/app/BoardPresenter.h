// The main window's board as it moves: a turn's motion on the cells and the score, the game-over banner
// that waits for it, the hint's marks and their time, and the keyboard's frame on the cells.
#pragma once

#include <array>
#include <cstdint>

#include "game/Game.h"
#include "game/TurnReport.h"
#include "ui/Control.h"
#include "ui/FocusFrame.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"
#include "view/BoardAnimation.h"

namespace zv::app {

// The controls of the designed window the presenter moves; the window keeps them.
struct BoardControls {
    ui::Form* form = nullptr;
    std::array<ui::ImageButton*, kCells> cells{};
    ui::Label* score = nullptr;
    std::array<ui::Label*, 2> banner{}; // the game-over words, one above the other
    ui::FocusFrame* focus = nullptr;
    ui::FocusFrame* hintFrom = nullptr;
    ui::FocusFrame* hintTo = nullptr;
};

class BoardPresenter {
public:
    // The times are milliseconds of the desktop's steady clock, given with each call so that a test asks
    // "what shows at 60 ms" without a clock running.
    BoardPresenter(const BoardControls& controls, const Game& game, bool motionOn);

    // After each of the player's operations, once the rules have run: the hint's marks come or go, the turn
    // starts moving, and the selected ball beats.
    void Played(const TurnReport& report, std::uint32_t ms);
    // The next frame of the motion and of the hint's time; false once nothing moves (the loop then sleeps
    // until an event).
    bool Frame(std::uint32_t ms);
    // Ends a turn's motion at once: the board as the rules left it. Any input does this before it acts.
    void Finish();
    // The mouse takes over: the motion lands, the keyboard's frame and the hint's marks go.
    void MouseDown();

    // The keyboard on the board: the frame moves with wrapping (the first key only shows it); a press
    // reaches what a click on the framed cell's centre would.
    void MoveFocus(int dRow, int dCol);
    void PressFocusedCell();
    // The cell the keyboard's frame is on, 1..100.
    int FocusCell() const { return focusCell_; }

    // Whether the hint's marks show.
    bool HintShown() const;

    view::BoardMotion& Motion() { return motion_; }

private:
    void ShowHint(const TurnReport& report, std::uint32_t ms);
    void HideHint();
    void SetBannerVisible(bool shown);

    BoardControls controls_;
    const Game& game_;
    view::BoardMotion motion_;
    int focusCell_ = 1;
    std::uint32_t hintShownAt_ = 0;
};

} // namespace zv::app
