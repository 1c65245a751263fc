// The turn's timeline (a pure function of the report and the time) and the driver that shows it on the cells.
#include "view/BoardAnimation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/Game.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"

namespace zv::view {

TurnTimeline::TurnTimeline(const TurnReport& r) {
    int t = 0;
    if (r.Moved() && r.path.Size() >= 2) {
        path_ = r.path;
        moved_ = r.movedColour;
        moveEnd_ = std::min(kMoveMaxMs, kStepMs * (r.path.Size() - 1));
        t = moveEnd_;
    }
    if (r.removed) {
        removed_ = r.removal.cells;
        removedColour_ = r.removal.colour;
        points_ = r.removal.points;
    }
    if (r.removed && !r.removedAfterDrop) {
        removeStart_ = t;
        t += kRemoveMs;
        removeEnd_ = t;
    }
    if (r.droppedCount > 0) {
        dropStart_ = t;
        for (int k = 0; k < r.droppedCount; ++k) {
            const DroppedBall& d = r.dropped[static_cast<std::size_t>(k)];
            if (d.cell >= 1 && d.cell <= kCells) droppedColour_[static_cast<std::size_t>(d.cell)] = d.colour;
        }
        t += kDropMs;
        dropEnd_ = t;
    }
    if (r.removed && r.removedAfterDrop) {
        removeStart_ = t;
        t += kRemoveMs;
        removeEnd_ = t;
    }
    end_ = t;
}

CellLook TurnTimeline::Look(int cell, int ms) const {
    if (cell < 1 || cell > kCells || ms >= end_) return {};
    const std::size_t c = static_cast<std::size_t>(cell);
    if (ms < moveEnd_ && path_.Contains(cell)) {
        // The ball's place: one cell every step, reaching the target exactly as the move's time runs out.
        const int last = path_.Size() - 1;
        const int at = std::min(last, (ms * last) / moveEnd_);
        return {true, path_[at] == cell ? moved_ : 0, 100};
    }
    const ColourCode dropped = droppedColour_[c];
    if (removedColour_[c] != 0 && !(dropped != 0 && ms < dropEnd_)) {
        if (ms < removeStart_) return {true, removedColour_[c], 100};
        return {true, removedColour_[c], std::max(0, 100 - (ms - removeStart_) * 100 / kRemoveMs)};
    }
    if (dropped != 0 && ms < dropEnd_) {
        if (ms < dropStart_) return {true, 0, 100};
        return {true, dropped, std::min(100, (ms - dropStart_) * 100 / kDropMs)};
    }
    return {};
}

std::int32_t TurnTimeline::ScoreAt(std::int32_t finalScore, int ms) const {
    if (points_ == 0 || ms >= removeEnd_) return finalScore;
    if (ms <= removeStart_) return finalScore - points_;
    return finalScore - points_ + points_ * (ms - removeStart_) / kRemoveMs;
}

int PulsePercent(int ms) {
    const double phase = (ms % kPulseMs) / static_cast<double>(kPulseMs);
    return 92 + static_cast<int>(std::lround(8 * std::cos(phase * 2 * M_PI)));
}

BoardMotion::BoardMotion(std::array<ui::ImageButton*, kCells> cells, ui::Label* score) : cells_(cells), score_(score) {}

void BoardMotion::Apply(int cell, const CellLook& look) {
    CellLook& was = shown_[static_cast<std::size_t>(cell)];
    if (look == was) return;
    was = look;
    ui::ImageButton* b = cells_[static_cast<std::size_t>(cell - 1)];
    if (!b) return;
    if (!look.overridden) {
        if (onCellHandedBack) onCellHandedBack(cell);
        b->ShowOwn();
    }
    else b->ShowInstead(look.colour < 0 ? b->ListIndex() : ColourPicture(look.colour), look.percent);
}

void BoardMotion::SetEnabled(bool on) {
    enabled_ = on;
    if (on) return;
    Finish();
    if (selected_ != 0) Apply(selected_, {});
    selected_ = 0;
}

void BoardMotion::Play(const TurnReport& report, std::int32_t finalScore, std::uint32_t ms) {
    Finish();
    if (!enabled_) return;
    turn_ = TurnTimeline(report);
    if (turn_.Duration() == 0) return;
    turnRunning_ = true;
    turnStart_ = ms;
    finalScore_ = finalScore;
    Step(ms);
}

void BoardMotion::Select(int cell, std::uint32_t ms) {
    if (cell == selected_) return;
    if (selected_ != 0) Apply(selected_, {});
    selected_ = enabled_ ? cell : 0;
    selectStart_ = ms;
}

bool BoardMotion::Step(std::uint32_t ms) {
    if (turnRunning_) {
        const int t = static_cast<int>(ms - turnStart_);
        if (t >= turn_.Duration()) {
            Finish();
        } else {
            for (int n = 1; n <= kCells; ++n) Apply(n, turn_.Look(n, t));
            if (score_ && turn_.CountsScore()) score_->SetCaption(std::to_string(turn_.ScoreAt(finalScore_, t)));
        }
    }
    if (!turnRunning_ && selected_ != 0) {
        // The ball's own picture, beating.
        Apply(selected_, {true, -1, PulsePercent(static_cast<int>(ms - selectStart_))});
    }
    return Running();
}

void BoardMotion::Finish() {
    const bool was = turnRunning_;
    turnRunning_ = false;
    for (int n = 1; n <= kCells; ++n)
        if (n != selected_) Apply(n, {});
    if (was && onTurnShown) onTurnShown();
}

} // namespace zv::view
