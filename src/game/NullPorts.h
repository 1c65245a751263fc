// Ports that show, play and write nothing, and a clock set by hand: for rules that run with no window at all.
#pragma once

#include "game/Ports.h"

namespace zv {

// The headless player, the benchmarks and the rating of a move run whole games through these.
struct NullPorts : BoardView, SoundPlayer, RecordWriter {
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
};

// Tells the time it was set to; the rules seed their generator from it at every start.
class SetClock : public Clock {
public:
    TimeOfDay now{};
    DateTime date{2026, 5, 17, 14, 30, 0};
    std::uint32_t ticks = 0;
    SetClock() = default;
    explicit SetClock(TimeOfDay time) : now(time) {}
    TimeOfDay Now() const override { return now; }
    DateTime Local() const override { return date; }
    std::uint32_t Ticks() const override { return ticks; }
};

} // namespace zv
