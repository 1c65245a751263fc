// The narrow doors through which the rules reach the window, the speaker, the record files and the clock.
#pragma once

#include <cstdint>
#include <string>

#include "game/Types.h"

namespace zv {

// What the rules show and hide in the main window. Cells and overlays are numbered 1..100.
class BoardView {
public:
    virtual ~BoardView() = default;
    // Picture position of cell button imN; a negative position is ignored by the control.
    virtual void SetCellPicture(int cell, int position) = 0;
    // Picture position of preview button nextK, k = 1..4.
    virtual void SetNextPicture(int k, int position) = 0;
    virtual void SetHighlight(int cell, bool shown) = 0; // FillN
    virtual void SetBlocked(int cell, bool shown) = 0;   // blokN
    virtual void SetScoreText(const std::string& text) = 0;  // Label1
    virtual void SetRecordText(const std::string& text) = 0; // label2
    virtual void SetBannerVisible(bool shown) = 0;           // Label5, Label6
    // The five mode selector images (and, at game over, the radio buttons).
    virtual void SetModeSelectorsEnabled(bool enabled) = 0;
    // The mode selector images: picture 9 for the chosen one, 8 for the others.
    virtual void SetModeMarks(Mode chosen) = 0;
};

// Plays a sound file by bare name, asynchronously; a new sound replaces the one playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const char* fileName) = 0;
};

// Rewrites the record file of a mode with a score. Failures are the writer's to
// report: the rules go on as if the write had succeeded.
class RecordWriter {
public:
    virtual ~RecordWriter() = default;
    virtual void WriteRecordFile(Mode mode, std::int32_t score) = 0;
};

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, millisecond = 0; // UTC
};

// The one clock, read three ways: the time of day new games are seeded from, the local date and time finished
// games are kept with, and a steady count of milliseconds the board's motion is timed by.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay Now() const = 0;
    virtual DateTime Local() const = 0;
    virtual std::uint32_t Ticks() const = 0;
};

} // namespace zv
