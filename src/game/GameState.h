// The whole state of one game: the board, the selection, the score and the switches.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zv {

// 0 empty, 1..6 a ball colour. Searches put transient marks (10, 15, 20) into
// cells and take them out again before they return.
using ColourCode = std::int32_t;

constexpr int kRows = 10;
constexpr int kCols = 10;
constexpr int kCells = kRows * kCols;

// Rows and columns are numbered 1..10, row 1 at the top.
struct CellPos {
    std::int32_t row = 0;
    std::int32_t col = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

constexpr int CellIndex(int row, int col) { return (row - 1) * kCols + col; }
constexpr CellPos CellOf(int index) { return {(index - 1) / kCols + 1, (index - 1) % kCols + 1}; }

// A 10 x 10 grid addressed with 1-based rows and columns.
struct Grid {
    std::array<ColourCode, kCells> cells{};
    ColourCode& at(int row, int col) { return cells[static_cast<std::size_t>((row - 1) * kCols + (col - 1))]; }
    ColourCode at(int row, int col) const { return cells[static_cast<std::size_t>((row - 1) * kCols + (col - 1))]; }
    void clear() { cells.fill(0); }
    friend bool operator==(const Grid&, const Grid&) = default;
};

// The three two-letter switches of the settings file.
struct SettingsCodes {
    std::string advanced;   // "ad": advanced mode on at start
    std::string fullScreen; // "fs" / "ns"
    std::string sound;      // "sy" / "sn"
};

// The five game modes, in the order their record files are read at start-up
// is a different matter (see the store); this is the order of the mode table.
enum class Mode { Line = 0, Square = 1, Cross = 2, Ring = 3, Block = 4 };
constexpr int kModeCount = 5;

// The mode's word as the rules compare it ("line", "square", "blok", "ring", "block").
const char* ModeWord(Mode m);
// The mode named by a word, or false when the word names none of the five.
bool ModeFromWord(const std::string& word, Mode& out);

constexpr int kPlayIdle = 0;
constexpr int kPlaySelected = 1;
constexpr int kPlayOver = 3;

struct GameState {
    Grid Board;
    Grid UndoBoard;
    Grid MoveSnapshot;
    std::array<ColourCode, 4> NextBalls{}; // [0] is ball 1
    std::int32_t PlayState = 0;
    CellPos SelectedCell;
    ColourCode SelectedColour = 0;
    CellPos ClickedCell;
    std::int32_t Score = 0;
    std::int32_t BestScore = 0;
    std::int32_t ScoreBeforeMove = 0;
    std::int32_t UndoAllowed = 0;
    std::int32_t EmptyCellCount = 0;
    std::int32_t FiguresRemoved = 0;
    std::int32_t BlockRemoved = 0;
    std::int32_t PathSteps = 0;
    std::int32_t DropCount = 0;
    std::string GameMode;                         // empty until the first game start
    std::int32_t AdvancedMode = 0;
    std::int32_t SkinIndex = 0;
    std::array<std::string, kModeCount> RecordText; // indexed by Mode
    SettingsCodes Codes;
};

} // namespace zv
