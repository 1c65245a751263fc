// Test doubles of the rules engine's four ports, and a rig that wires them to a Game.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "kit/StateAccess.h"

namespace zv::testing {

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

class FakeSound : public SoundPlayer {
public:
    std::vector<std::string> played;
    void Play(const char* fileName) override { played.emplace_back(fileName); }
};

class FakeRecords : public RecordWriter {
public:
    std::vector<std::pair<Mode, std::int32_t>> writes;
    void WriteRecordFile(Mode mode, std::int32_t score) override { writes.emplace_back(mode, score); }
};

// Collects the endings of games that the reports passed through it told of.
struct EndingLog {
    std::vector<GameEnding> games;
    const TurnReport& operator()(const TurnReport& r) {
        if (r.ended) games.push_back(r.ending);
        return r;
    }
};

class FakeClock : public Clock {
public:
    TimeOfDay now{12, 34, 56, 789};
    TimeOfDay Now() const override { return now; }
};

// A game wired to fakes, sound on, every record at 100.
struct Rig {
    FakeView view;
    FakeSound sound;
    FakeRecords records;
    FakeClock clock;
    Game game{view, sound, records, clock};

    Rig() {
        game.SetSound(true);
        for (auto& t : s().RecordText) t = "100";
    }
    GameState& s() { return kit::StateAccess::Of(game); }

    // Rows top to bottom; '.' is empty, '1'..'6' a ball. Missing rows stay empty.
    void SetBoard(std::initializer_list<const char*> rows) {
        s().Board.clear();
        int r = 1;
        for (const char* row : rows) {
            for (int c = 1; c <= kCols && row[c - 1] != '\0'; ++c) {
                const char ch = row[c - 1];
                s().Board.at(r, c) = (ch >= '0' && ch <= '9') ? ch - '0' : 0;
            }
            ++r;
        }
    }
    // A running game in the given mode with the given board, nothing selected.
    void Running(Mode m, std::initializer_list<const char*> rows) {
        s().GameMode = ModeWord(m);
        s().BestScore = 1000;
        s().PlayState = kPlayIdle;
        s().NextBalls = {1, 2, 3, 4};
        SetBoard(rows);
        game.RedrawBoard();
    }
    const TurnReport& Click(int row, int col) { return game.ImClick(CellIndex(row, col)); }
    // Shows or hides cell N's blocked overlay, as a scatter would.
    void Block(int n, bool shown) {
        s().Blocked[static_cast<std::size_t>(n - 1)] = shown;
        view.blocked[static_cast<std::size_t>(n)] = shown;
    }
    int Balls() const {
        int n = 0;
        for (ColourCode v : game.State().Board.cells) n += (v != 0);
        return n;
    }
};

} // namespace zv::testing
