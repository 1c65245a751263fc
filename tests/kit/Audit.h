// Headless ports and independent board checks, shared by the autoplayer, the soak and the rules' tests.
#pragma once

#include <cstdint>
#include <string>

#include "game/Game.h"

namespace zv::audit {

// The view remembers the blocked cells (clicks on them must be refused); the rest does nothing.
class HeadlessView : public BoardView {
public:
    bool blocked[kCells + 1] = {};
    void SetCellPicture(int, int) override {}
    void SetNextPicture(int, int) override {}
    void SetHighlight(int, bool) override {}
    void SetBlocked(int cell, bool shown) override { blocked[cell] = shown; }
    bool IsBlocked(int cell) const { return blocked[cell]; }
    void SetScoreText(const std::string&) override {}
    void SetRecordText(const std::string&) override {}
    void SetBannerVisible(bool) override {}
    void SetModeSelectorsEnabled(bool) override {}
    void SetModeMarks(Mode) override {}
};

class CountingSound : public SoundPlayer {
public:
    std::int64_t played = 0;
    void Play(const char*) override { ++played; }
};

class RecordSink : public RecordWriter {
public:
    std::int64_t writes = 0;
    void WriteRecordFile(Mode, std::int32_t) override { ++writes; }
};

class SetClock : public Clock {
public:
    TimeOfDay now{12, 0, 0, 0};
    TimeOfDay Now() const override { return now; }
};

int BallCount(const Grid& g);
// Written apart from the scans: whether a figure of a fixed-shape mode (line, square, blok,
// ring) is still on the board. Always false for block mode.
bool FigureLeft(Mode m, const Grid& b);

} // namespace zv::audit
