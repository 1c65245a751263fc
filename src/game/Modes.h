// What varies by game mode, one row each: every list of modes in the program is built from this table.
#pragma once

#include <array>
#include <span>
#include <string>

#include "game/Types.h"

namespace zv {

class Game;
struct GameState;
struct Tally;

// What a figure scan works on: the board it takes figures from, and the score and totals it adds to.
struct ScanTarget {
    GameState& s;
    Tally& tally;
};
using FigureScanFn = void (*)(ScanTarget&);

// What the hint weighs besides the neighbours of the target: nothing more, the run the ball would
// join in each direction, or the group it would join.
enum class HintWeight { Neighbours, Run, Group };

// One figure as the rules window draws it: a shape of rows x cols ('#' a ball, '.' empty), the colour
// its balls are drawn in and the points it scores.
struct ShownFigure {
    const char* control; // the grid of the rules window that shows it
    int rows, cols;
    const char* shape;
    ColourCode colour;
    int points;
};

struct ModeRow {
    Mode mode;
    const char* word;       // kept as the game's mode and in the kept-game file ("blok" names the crosses)
    const char* recordFile; // the file of the mode's record, in the data directory
    const char* name;       // the mode's name in the game's own words, to be translated
    char key;               // the key that chooses it in the main window
    const char* selector;   // the main window's picture that chooses it
    const char* radio;      // the hidden radio button that holds the choice
    void (*click)(Game&);   // the selector's click handler (lineClick ... cornerClick) on a game
    FigureScanFn scan;
    HintWeight hint;
    std::span<const ShownFigure> figures;
};

// Every mode, in the order of Mode: the selectors top to bottom, the best-games tabs left to right.
std::span<const ModeRow, kModeCount> Modes();
const ModeRow& ModeOf(Mode m);

// The mode's word, "" for anything that is not a mode.
const char* ModeWord(Mode m);
// The mode named by a word, or false when the word names none. Exact, with case.
bool ModeFromWord(const std::string& word, Mode& out);
// The words of every mode, for messages: "line, square, blok, ring, block".
std::string ModeWordList();

} // namespace zv
