// Stand-ins for the rules' four ports: the board view, the speaker, the record files and the clock.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/Ports.h"

namespace zv::kit {

// Remembers everything the rules showed; cells and overlays are indexed 1..100.
class FakeView : public BoardView {
public:
    std::array<int, kCells + 1> cellPicture{};
    std::array<int, 5> nextPicture{};
    std::array<bool, kCells + 1> highlight{};
    std::array<bool, kCells + 1> blocked{};
    std::string scoreText, recordText;
    bool bannerVisible = false;
    bool selectorsEnabled = true;
    Mode marked = Mode::Line;
    int cellPictureCalls = 0;
    int modeMarkCalls = 0;

    FakeView() {
        cellPicture.fill(-1);
        nextPicture.fill(-1);
    }
    void SetCellPicture(int cell, int position) override {
        ++cellPictureCalls;
        if (position >= 0) cellPicture[static_cast<std::size_t>(cell)] = position;
    }
    void SetNextPicture(int k, int position) override {
        if (position >= 0) nextPicture[static_cast<std::size_t>(k)] = position;
    }
    void SetHighlight(int cell, bool shown) override { highlight[static_cast<std::size_t>(cell)] = shown; }
    void SetBlocked(int cell, bool shown) override { blocked[static_cast<std::size_t>(cell)] = shown; }
    bool IsBlocked(int cell) const { return blocked[static_cast<std::size_t>(cell)]; }
    void SetScoreText(const std::string& text) override { scoreText = text; }
    void SetRecordText(const std::string& text) override { recordText = text; }
    void SetBannerVisible(bool shown) override { bannerVisible = shown; }
    void SetModeSelectorsEnabled(bool enabled) override { selectorsEnabled = enabled; }
    void SetModeMarks(Mode chosen) override {
        marked = chosen;
        ++modeMarkCalls;
    }

    int HighlightCount() const {
        int n = 0;
        for (bool h : highlight) n += h;
        return n;
    }
    int BlockedCount() const {
        int n = 0;
        for (bool b : blocked) n += b;
        return n;
    }
};

// Counts the sounds and remembers their names. Games played by the thousand, and the test that a
// turn allocates nothing, turn the names off: only the count is kept.
class FakeSound : public SoundPlayer {
public:
    std::vector<std::string> played;
    std::int64_t plays = 0;
    bool keepNames = true;
    void Play(const char* fileName) override {
        ++plays;
        if (keepNames) played.emplace_back(fileName ? fileName : "");
    }
};

// Counts the record writes and remembers them, unless told to keep only the count (as FakeSound).
class FakeRecords : public RecordWriter {
public:
    std::vector<std::pair<Mode, std::int32_t>> writes;
    std::int64_t writeCount = 0;
    bool keepWrites = true;
    void WriteRecordFile(Mode mode, std::int32_t score) override {
        ++writeCount;
        if (keepWrites) writes.emplace_back(mode, score);
    }
};

// Shows the time it was set to (the rules seed their generator from it at every start), the date it was set to
// and the steady milliseconds a test moves on by hand.
class FakeClock : public Clock {
public:
    TimeOfDay now{12, 34, 56, 789};
    DateTime date{2026, 5, 17, 14, 30, 0};
    std::uint32_t ticks = 0;
    FakeClock() = default;
    explicit FakeClock(TimeOfDay time) : now(time) {}
    void Set(TimeOfDay time) { now = time; }
    TimeOfDay Now() const override { return now; }
    DateTime Local() const override { return date; }
    std::uint32_t Ticks() const override { return ticks; }
};

} // namespace zv::kit
