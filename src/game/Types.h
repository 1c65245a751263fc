// The types the rules share with the files: cells and grids, the modes, dates, the settings and the reading of a record.
#pragma once

#include <array>
#include <compare>
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
constexpr bool OnBoard(const CellPos& p) { return p.row >= 1 && p.row <= kRows && p.col >= 1 && p.col <= kCols; }

// A 10 x 10 grid addressed with 1-based rows and columns.
struct Grid {
    std::array<ColourCode, kCells> cells{};
    ColourCode& at(int row, int col) { return cells[static_cast<std::size_t>((row - 1) * kCols + (col - 1))]; }
    ColourCode at(int row, int col) const { return cells[static_cast<std::size_t>((row - 1) * kCols + (col - 1))]; }
    void clear() { cells.fill(0); }
    friend bool operator==(const Grid&, const Grid&) = default;
};

// The game modes; what each one is lives in its row of the mode table (game/Modes.h).
enum class Mode { Line = 0, Square = 1, Cross = 2, Ring = 3, Block = 4 };
constexpr int kModeCount = 5;

// A local date and time to the second.
struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// The record a mode gets when its record text is not a number.
constexpr std::int32_t kDefaultRecord = 100;

// A record text taken as a number: optional blanks, an optional '-', decimal
// digits, optional blanks, within the 32-bit range. False, value untouched, for anything else.
inline bool ParseRecordNumber(const std::string& text, std::int32_t& value) {
    auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    std::size_t i = 0, end = text.size();
    while (i < end && blank(text[i])) ++i;
    while (end > i && blank(text[end - 1])) --end;
    bool negative = false;
    if (i < end && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == end) return false;
    std::int64_t v = 0;
    for (; i < end; ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
        if (v > static_cast<std::int64_t>(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

// A switch of the settings file: on, off, or a code that is neither. Such a code switches
// nothing (the options window leaves it alone) and is written back as it was read.
enum class Switch : std::uint8_t { Off, On, Other };

// The settings as the game uses them, read once from the settings file. Made by default it
// holds three empty codes, as the game has them before the file is read: every switch off
// and none that the options window can turn.
struct Settings {
    bool advanced = false;             // advanced mode: on at start, and as the player left it
    Switch fullScreen = Switch::Other; // full screen at start
    Switch sound = Switch::Other;      // the turn plays its sounds only while On
    // The codes of the two switches while they are Other, for the writer.
    std::string fullScreenCode, soundCode;
    friend bool operator==(const Settings&, const Settings&) = default;
};

} // namespace zv
