// The board's motion, the hint's marks and the keyboard's frame on the main window's cells.
#include "app/BoardPresenter.h"

#include <utility>

#include "app/Layout.h"

namespace zv::app {

namespace {
// How long the hint's marks show while the board moves; with the motion off they stay until the next operation.
constexpr std::uint32_t kHintShownMs = 1500;
} // namespace

BoardPresenter::BoardPresenter(const BoardControls& controls, BoardView& window, const Game& game, bool motionOn)
    : controls_(controls), window_(window), game_(game), motion_(controls.cells, controls.score) {
    // A turn's calls, held without allocating: a full board's pictures and then some.
    held_.reserve(4 * kCells);
    waiting_.reserve(4 * kCells);
    motion_.SetEnabled(motionOn);
    motion_.onCellHandedBack = [this](int cell) { CellHandedBack(cell); };
    motion_.onTurnShown = [this] { TurnShown(); };
}

void BoardPresenter::Hold() {
    // An operation that never reported (it threw) lets its calls through now.
    for (const Call& c : held_) Send(c);
    held_.clear();
    holding_ = true;
}

void BoardPresenter::Take(Call call) {
    if (holding_) held_.push_back(std::move(call));
    else Send(call);
}

void BoardPresenter::Send(const Call& c) {
    using K = Call::Kind;
    switch (c.kind) {
    case K::Cell: window_.SetCellPicture(c.index, c.value); break;
    case K::Next: window_.SetNextPicture(c.index, c.value); break;
    case K::Highlight: window_.SetHighlight(c.index, c.value != 0); break;
    case K::Blocked: window_.SetBlocked(c.index, c.value != 0); break;
    case K::Score: window_.SetScoreText(c.text); break;
    case K::Record: window_.SetRecordText(c.text); break;
    case K::Banner: window_.SetBannerVisible(c.value != 0); break;
    case K::Selectors: window_.SetModeSelectorsEnabled(c.value != 0); break;
    case K::Marks: window_.SetModeMarks(static_cast<Mode>(c.value)); break;
    }
}

bool BoardPresenter::Waits(const Call& c) const {
    switch (c.kind) {
    // Under the motion's look the cell's own picture does not show: it is given when the motion lets go.
    case Call::Kind::Cell: return motion_.Covers(c.index);
    // The motion counts the score up to the rules' figure.
    case Call::Kind::Score: return motion_.CountingScore();
    // The banner of a game over waits for the last ball; a new game's deal never shows it.
    case Call::Kind::Banner: return c.value != 0;
    default: return false;
    }
}

void BoardPresenter::CellHandedBack(int cell) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < waiting_.size(); ++i) {
        Call& c = waiting_[i];
        if (c.kind == Call::Kind::Cell && c.index == cell) Send(c);
        else if (kept++ != i) waiting_[kept - 1] = std::move(c);
    }
    waiting_.resize(kept);
}

void BoardPresenter::TurnShown() {
    bool scored = false;
    for (const Call& c : waiting_) {
        scored = scored || c.kind == Call::Kind::Score;
        Send(c);
    }
    waiting_.clear();
    // A turn whose counted score the rules did not write ends on theirs all the same.
    const std::string score = std::to_string(game_.State().Score);
    if (!scored && controls_.score && controls_.score->Caption() != score) window_.SetScoreText(score);
}

void BoardPresenter::Played(const TurnReport& report, std::uint32_t ms) {
    holding_ = false;
    // Whatever the player does next, the hint's marks have had their moment.
    if (report.hinted) ShowHint(report, ms);
    else HideHint();
    const GameState& s = game_.State();
    motion_.Play(report, s.Score, ms);
    // Each call goes now, unless the motion is to let it through later.
    for (Call& c : held_) {
        if (motion_.TurnRunning() && Waits(c)) waiting_.push_back(std::move(c));
        else Send(c);
    }
    held_.clear();
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

void BoardPresenter::SetCellPicture(int cell, int position) { Take({Call::Kind::Cell, cell, position, {}}); }
void BoardPresenter::SetNextPicture(int k, int position) { Take({Call::Kind::Next, k, position, {}}); }
void BoardPresenter::SetHighlight(int cell, bool shown) { Take({Call::Kind::Highlight, cell, shown, {}}); }
void BoardPresenter::SetBlocked(int cell, bool shown) { Take({Call::Kind::Blocked, cell, shown, {}}); }
void BoardPresenter::SetScoreText(const std::string& text) { Take({Call::Kind::Score, 0, 0, text}); }
void BoardPresenter::SetRecordText(const std::string& text) { Take({Call::Kind::Record, 0, 0, text}); }
void BoardPresenter::SetBannerVisible(bool shown) { Take({Call::Kind::Banner, 0, shown, {}}); }
void BoardPresenter::SetModeSelectorsEnabled(bool enabled) { Take({Call::Kind::Selectors, 0, enabled, {}}); }
void BoardPresenter::SetModeMarks(Mode chosen) { Take({Call::Kind::Marks, 0, static_cast<int>(chosen), {}}); }

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
