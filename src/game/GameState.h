// The whole state of one game: the board, the selection, the score and the switches.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/Types.h"

namespace zv {

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
    std::array<bool, kCells> Blocked{};            // cell N at [N - 1]: its overlay is shown
    Settings Switches;
    // The running game's moves (an undo takes one back), whether its end is still to be
    // reported, and whether advanced mode has been on all through it.
    std::int32_t MoveCount = 0;
    bool GameOpen = false;
    bool AdvancedThroughout = false;
    // Hints taken in the running game.
    std::int32_t HintsUsed = 0;
};

} // namespace zv
