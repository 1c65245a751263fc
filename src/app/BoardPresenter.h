// The main window's board as it moves: the rules' view calls on their way to the controls, a turn's motion
// on the cells and the score, the hint's marks and their time, and the keyboard's frame on the cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/Ports.h"
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
    ui::FocusFrame* focus = nullptr;
    ui::FocusFrame* hintFrom = nullptr;
    ui::FocusFrame* hintTo = nullptr;
};

// The board view the rules draw through. Outside an operation of the player each call goes to the window at
// once. During one it is held until the operation's report is in: then the motion decides when each call
// reaches the controls. A cell the turn's motion covers gets its picture when the motion hands it back; the
// score and the banner wait for the end of the turn; the rest goes at once, in the rules' order. So no
// control is written twice in a turn, and nothing is shown only to be hidden again.
class BoardPresenter : public BoardView {
public:
    // The times are milliseconds of the desktop's steady clock, given with each call so that a test asks
    // "what shows at 60 ms" without a clock running. window: where the calls end, the designed controls.
    BoardPresenter(const BoardControls& controls, BoardView& window, const Game& game, bool motionOn);

    // An operation of the player begins: the rules' calls wait for its report.
    void Hold();
    // After each of the player's operations, once the rules have run: the held calls go on their way, the
    // hint's marks come or go, the turn starts moving, and the selected ball beats.
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

    // BoardView
    void SetCellPicture(int cell, int position) override;
    void SetNextPicture(int k, int position) override;
    void SetHighlight(int cell, bool shown) override;
    void SetBlocked(int cell, bool shown) override;
    void SetScoreText(const std::string& text) override;
    void SetRecordText(const std::string& text) override;
    void SetBannerVisible(bool shown) override;
    void SetModeSelectorsEnabled(bool enabled) override;
    void SetModeMarks(Mode chosen) override;

private:
    // One call of the rules' view.
    struct Call {
        enum class Kind { Cell, Next, Highlight, Blocked, Score, Record, Banner, Selectors, Marks } kind;
        int index = 0;
        int value = 0;
        std::string text;
    };
    void Take(Call call);
    void Send(const Call& call);
    // Whether a call waits for the turn's motion.
    bool Waits(const Call& call) const;
    // The calls that waited for a cell's hand-back, and the rest at the end of the turn.
    void CellHandedBack(int cell);
    void TurnShown();
    void ShowHint(const TurnReport& report, std::uint32_t ms);
    void HideHint();

    BoardControls controls_;
    BoardView& window_;
    const Game& game_;
    view::BoardMotion motion_;
    bool holding_ = false;
    std::vector<Call> held_;    // this operation's calls, until its report
    std::vector<Call> waiting_; // calls the running turn's motion has yet to let through
    int focusCell_ = 1;
    std::uint32_t hintShownAt_ = 0;
};

} // namespace zv::app
