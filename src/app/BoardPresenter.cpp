// The board's motion, the hint's marks and the keyboard's frame on the main window's cells.
#include "app/BoardPresenter.h"

#include <utility>

#include "app/Layout.h"

namespace zv::app {

namespace {
// How long the hint's marks show while the board moves; with the motion off they stay until the next operation.
constexpr std::uint32_t kHintShownMs = 1500;
} // namespace

BoardPresenter::BoardPresenter(const BoardControls& controls, const Game& game, bool motionOn)
    : controls_(controls), game_(game), motion_(controls.cells, controls.score) {
    motion_.SetEnabled(motionOn);
    // The banner of a game over waits for the last ball to go.
    motion_.onTurnShown = [this] {
        if (game_.State().PlayState == kPlayOver) SetBannerVisible(true);
    };
}

void BoardPresenter::Played(const TurnReport& report, std::uint32_t ms) {
    // Whatever the player does next, the hint's marks have had their moment.
    if (report.hinted) ShowHint(report, ms);
    else HideHint();
    const GameState& s = game_.State();
    motion_.Play(report, s.Score, ms);
    if (motion_.TurnRunning() && s.PlayState == kPlayOver) SetBannerVisible(false);
    motion_.Select(s.PlayState == kPlaySelected && OnBoard(s.SelectedCell) ? CellIndex(s.SelectedCell.row, s.SelectedCell.col) : 0, ms);
}

bool BoardPresenter::Frame(std::uint32_t ms) {
    const bool moving = motion_.Step(ms);
    if (!HintShown() || !motion_.Enabled()) return moving;
    if (ms - hintShownAt_ >= kHintShownMs) {
        HideHint();
        return moving;
    }
    return true;
}

void BoardPresenter::Finish() { motion_.Finish(); }

void BoardPresenter::MouseDown() {
    Finish();
    controls_.focus->Hide();
    HideHint();
}

bool BoardPresenter::HintShown() const { return controls_.hintFrom->Visible(); }

void BoardPresenter::ShowHint(const TurnReport& report, std::uint32_t ms) {
    for (auto [frame, cell] : {std::pair{controls_.hintFrom, report.hintFrom}, std::pair{controls_.hintTo, report.hintTo}}) {
        const SDL_Rect r = FocusRect(cell);
        frame->SetBounds(r.x, r.y, r.w, r.h);
    }
    controls_.hintFrom->Show();
    controls_.hintTo->Show();
    hintShownAt_ = ms;
}

void BoardPresenter::HideHint() {
    controls_.hintFrom->Hide();
    controls_.hintTo->Hide();
}

void BoardPresenter::SetBannerVisible(bool shown) {
    for (ui::Label* l : controls_.banner) l->SetVisible(shown);
}

void BoardPresenter::MoveFocus(int dRow, int dCol) {
    ui::FocusFrame& focus = *controls_.focus;
    if (focus.Visible()) {
        const CellPos c = CellOf(focusCell_);
        const int row = (c.row - 1 + dRow + kRows) % kRows + 1;
        const int col = (c.col - 1 + dCol + kCols) % kCols + 1;
        focusCell_ = CellIndex(row, col);
    }
    const SDL_Rect r = FocusRect(focusCell_);
    focus.SetBounds(r.x, r.y, r.w, r.h);
    focus.Show();
}

void BoardPresenter::PressFocusedCell() {
    if (!controls_.focus->Visible()) {
        MoveFocus(0, 0);
        return;
    }
    // The cell, or an overlay that takes the press.
    const SDL_Point p = CellCentreInWindow(focusCell_);
    if (ui::Control* target = controls_.form->ControlAt(p.x, p.y)) target->Activate();
}

} // namespace zv::app
