// Motion on the board: what each cell shows at a moment of a turn's animation, worked out from the turn's
// report alone, and the driver that puts it on the cell buttons. The rules have already run; this only shows it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "game/TurnReport.h"

namespace zv::ui {
class ImageButton;
class Label;
} // namespace zv::ui

namespace zv::view {

// How long each part of a turn takes to show, in milliseconds.
constexpr int kStepMs = 25;      // a cell of the path
constexpr int kMoveMaxMs = 250;  // the whole path at most
constexpr int kRemoveMs = 150;   // figures shrinking away
constexpr int kDropMs = 120;     // the preview's balls growing in
constexpr int kPulseMs = 700;    // one beat of a selected ball

// What a cell shows instead of its own picture: a ball of a colour at a size (100 whole, 0 gone), or
// nothing in particular (the board's picture holds).
struct CellLook {
    bool overridden = false;
    ColourCode colour = 0; // 0: the empty cell; -1: the cell's own picture
    int percent = 100;
    friend bool operator==(const CellLook&, const CellLook&) = default;
};

// The timeline of one turn: the move along its path, the removal, the drop, and a removal after the drop.
class TurnTimeline {
public:
    TurnTimeline() = default;
    explicit TurnTimeline(const TurnReport& report);

    // The whole length; 0 when the turn shows nothing moving.
    int Duration() const { return end_; }
    // What cell n (1..100) shows at ms after the turn.
    CellLook Look(int cell, int ms) const;
    // The score shown at ms, given the score after the turn.
    std::int32_t ScoreAt(std::int32_t finalScore, int ms) const;
    // Whether the turn counts points up: otherwise the score shown is the final one all along.
    bool CountsScore() const { return points_ != 0 && end_ > 0; }

private:
    CellList path_;
    ColourCode moved_ = 0;
    int moveEnd_ = 0;
    CellList removed_;
    std::array<ColourCode, kCells + 1> removedColour_{};
    std::int32_t points_ = 0;
    int removeStart_ = 0, removeEnd_ = 0;
    std::array<ColourCode, kCells + 1> droppedColour_{};
    int dropStart_ = 0, dropEnd_ = 0;
    int end_ = 0;
};

// The size of a selected ball at ms into its selection: a slow beat between 84 and 100 per cent.
int PulsePercent(int ms);

// Puts the looks of a running animation on the cells and the score, and hands each cell back when its part
// ends, the rest of the board (and the final score) when the animation ends or is cut short.
class BoardMotion {
public:
    BoardMotion(std::array<ui::ImageButton*, kCells> cells, ui::Label* score);

    // Off, a turn showing ends and a selected ball stops beating.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }

    // A turn was played at ms (a clock of milliseconds). A turn still showing ends first.
    void Play(const TurnReport& report, std::int32_t finalScore, std::uint32_t ms);
    // The selected cell (0 for none) from ms on.
    void Select(int cell, std::uint32_t ms);
    // Shows the moment ms; false once nothing moves any more.
    bool Step(std::uint32_t ms);
    // Whether anything moves: a turn showing, or a selected ball beating.
    bool Running() const { return turnRunning_ || selected_ != 0; }
    bool TurnRunning() const { return turnRunning_; }
    // Whether the score is counted up by the turn showing.
    bool CountingScore() const { return turnRunning_ && turn_.CountsScore(); }
    // Jumps to the end of the turn showing: every cell as the rules left it.
    void Finish();
    // Whether cell n shows a look of the motion instead of its own picture.
    bool Covers(int cell) const { return cell >= 1 && cell <= kCells && shown_[static_cast<std::size_t>(cell)].overridden; }

    // Told when a cell goes back to its own picture: its picture is due.
    std::function<void(int cell)> onCellHandedBack;
    // Told when a turn's animation ends, by running out or cut short: the final score is due, and all
    // else the turn held back.
    std::function<void()> onTurnShown;

private:
    void Apply(int cell, const CellLook& look);
    std::array<ui::ImageButton*, kCells> cells_;
    ui::Label* score_;
    bool enabled_ = true;
    TurnTimeline turn_;
    bool turnRunning_ = false;
    std::uint32_t turnStart_ = 0;
    std::int32_t finalScore_ = 0;
    int selected_ = 0;
    std::uint32_t selectStart_ = 0;
    std::array<CellLook, kCells + 1> shown_{};
};

} // namespace zv::view
