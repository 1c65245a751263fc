// A running game as it is kept across a restart, and how a game number becomes a seed: shared by the rules and the file.
// Header only, so the store can use it without linking the engine.
#pragma once

#include <array>
#include <cstdint>

#include "game/Ports.h"
#include "game/Types.h"

namespace zv {

// The generator starts every game at state = its number; an advanced game's first blocked cells come before the
// deal from a stream of their own, state = number + 2^32, so they too follow from the number.
constexpr std::uint64_t kBlockedStream = std::uint64_t{1} << 32;

// The number of the game the clock deals: the time of day (UTC) in milliseconds, the seed the rules always took.
constexpr std::uint32_t ClockGameNumber(const TimeOfDay& t) {
    return static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

// Today's game: the local date read as the decimal number yyyymmdd, the same for every player that day.
constexpr std::uint32_t DateGameNumber(int year, int month, int day) {
    return static_cast<std::uint32_t>(year * 10000 + month * 100 + day);
}

// Everything a running game needs to go on: nothing selected, the record and the settings come from their files.
struct KeptGame {
    std::uint32_t number = 0;
    Mode mode = Mode::Line;
    std::int32_t score = 0;
    std::int32_t moves = 0;
    bool advanced = false; // advanced mode on all through the game so far
    bool undo = false;     // the undo button would take the last move back to undoBoard
    std::int32_t hints = 0; // hints taken so far
    std::uint64_t random = 0;
    std::array<ColourCode, 4> next{};
    Grid board;
    Grid undoBoard;
    std::array<bool, kCells> blocked{}; // cell N at [N - 1]
    friend bool operator==(const KeptGame&, const KeptGame&) = default;
};

} // namespace zv
