// What one operation of the player did, in the order it happened: the windows show moves, removals, drops
// and a game's end from it instead of guessing from picture changes. Fixed-size, so a turn allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "game/Types.h"

namespace zv {

// What a click on a cell did.
enum class CellClickResult {
    Ignored,    // nothing to do: off the board, game over, or an empty cell with nothing selected
    Blocked,    // the cell's blocked overlay took the click
    Selected,   // a ball is selected now (the first, or another one)
    Deselected, // the selected ball clicked again
    Moved,      // the selected ball moved
    Refused,    // no path: the selection ends
};

// How a game came to its end.
enum class GameEnd {
    Over,     // four or fewer empty cells: the game-over banner shows
    Finished, // the finish button
    Replaced, // a new game started while this one had points
};

// Up to all 100 cells, by number 1..100, in the order they were added.
class CellList {
public:
    void Add(int cell) {
        if (count_ < kCells) cells_[static_cast<std::size_t>(count_++)] = static_cast<std::uint8_t>(cell);
    }
    int Size() const { return count_; }
    bool Empty() const { return count_ == 0; }
    int operator[](int i) const { return cells_[static_cast<std::size_t>(i)]; }
    bool Contains(int cell) const {
        for (int i = 0; i < count_; ++i)
            if (cells_[static_cast<std::size_t>(i)] == cell) return true;
        return false;
    }
    const std::uint8_t* begin() const { return cells_.data(); }
    const std::uint8_t* end() const { return cells_.data() + count_; }
    void Clear() { count_ = 0; }

private:
    std::array<std::uint8_t, kCells> cells_{};
    int count_ = 0;
};

// One figure scan that took balls off: the cells emptied, what they held, and the points it added.
struct RemovalScan {
    CellList cells;
    std::array<ColourCode, kCells + 1> colour{}; // by cell number
    std::int32_t points = 0;
};

struct DroppedBall {
    int cell = 0;
    ColourCode colour = 0;
};

struct GameEnding {
    GameEnd how = GameEnd::Over;
    Mode mode = Mode::Line;
    std::int32_t score = 0;
    std::int32_t moves = 0;
    bool advanced = false; // advanced mode was on through the whole game
    std::int32_t hints = 0; // hints taken in it
    std::uint32_t number = 0; // the game's number
};

struct TurnReport {
    CellClickResult result = CellClickResult::Ignored;
    // A move: the ball's colour and the cells it passed, from where it stood to where it went.
    ColourCode movedColour = 0;
    CellList path;
    // A move's scan removes figures, or else the preview drops and its scan may: at most one removal a turn.
    bool removed = false;
    bool removedAfterDrop = false;
    RemovalScan removal;
    // The preview balls put on the board, in the order they fell.
    std::array<DroppedBall, 6> dropped;
    int droppedCount = 0;
    CellList blockedShown, blockedHidden;
    bool undone = false;        // an undo took the last move back
    bool hinted = false;        // a hint was paid for: its move in hint
    int hintFrom = 0, hintTo = 0;
    bool started = false;       // a new game was dealt
    bool recordWritten = false; // the mode's record file was written with recordScore
    std::int32_t recordScore = 0;
    bool ended = false; // a game came to its end, as told in ending
    GameEnding ending;

    bool Moved() const { return result == CellClickResult::Moved; }
};

} // namespace zv
