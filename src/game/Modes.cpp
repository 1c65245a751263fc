// The mode table: each mode's words, files, key, controls, figure scan, hint weighing and the figures the rules show.
#include "game/Modes.h"

#include "game/FigureScans.h"
#include "game/Game.h"

// Marks a text for the translation catalogues; the windows translate it when they show it.
#define N_(text) text

namespace zv {

namespace {

constexpr ShownFigure kLineFigures[] = {
    {"LineFigure", 5, 5, "#...."".#...""..#..""...#.""....#", 1, 5},
};
constexpr ShownFigure kSquareFigures[] = {
    {"TallFigure", 3, 2, "##""##""##", 2, 8},
    {"WideFigure", 2, 3, "###""###", 2, 8},
    {"SmallSquareFigure", 2, 2, "##""##", 2, 4},
};
constexpr ShownFigure kCrossFigures[] = {
    {"PlusFigure", 3, 3, ".#.""###"".#.", 3, 5},
    {"DiagonalFigure", 3, 3, "#.#"".#.""#.#", 3, 5},
};
constexpr ShownFigure kRingFigures[] = {
    {"SmallRingFigure", 3, 3, ".#.""#.#"".#.", 4, 4},
    {"LargeRingFigure", 4, 4, ".##.""#..#""#..#"".##.", 4, 15},
};
constexpr ShownFigure kBlockFigures[] = {
    {"BlockFigure", 3, 4, "##.."".###"".#.#", 5, 8},
};

// A new mode is a row here, its figure scan and its words. The record files keep the names the players' records
// already have; the cross mode's word is "blok", as kept games and the rules compare it.
const std::array<ModeRow, kModeCount> kModes = {{
    {Mode::Line, "line", "zorvex2000.rec", N_("Линия"), '1', "line", "RadioButton1", [](Game& g) { g.lineClick(); }, LineFigures,
     HintWeight::Run, kLineFigures},
    {Mode::Square, "square", "zorvexs2000.rec", N_("Квадрат"), '2', "cube", "Radiobutton2", [](Game& g) { g.cubeClick(); },
     SquareFigures, HintWeight::Neighbours, kSquareFigures},
    {Mode::Cross, "blok", "zorvexb2000.rec", N_("Крест"), '3', "cross", "Radiobutton3", [](Game& g) { g.crossClick(); },
     CrossFigures, HintWeight::Neighbours, kCrossFigures},
    {Mode::Ring, "ring", "zorvexr2000.rec", N_("Кольцо"), '4', "ring", "Radiobutton4", [](Game& g) { g.ringClick(); }, RingFigures,
     HintWeight::Neighbours, kRingFigures},
    {Mode::Block, "block", "zorvexck2000.rec", N_("Блок"), '5', "corner", "RadioButton5", [](Game& g) { g.cornerClick(); },
     BlockFigureScan, HintWeight::Group, kBlockFigures},
}};

} // namespace

std::span<const ModeRow, kModeCount> Modes() { return kModes; }

const ModeRow& ModeOf(Mode m) { return kModes[static_cast<std::size_t>(m)]; }

const char* ModeWord(Mode m) {
    const int i = static_cast<int>(m);
    return (i >= 0 && i < kModeCount) ? kModes[static_cast<std::size_t>(i)].word : "";
}

bool ModeFromWord(const std::string& word, Mode& out) {
    for (const ModeRow& row : kModes) {
        if (word == row.word) {
            out = row.mode;
            return true;
        }
    }
    return false;
}

std::string ModeWordList() {
    std::string list;
    for (const ModeRow& row : kModes) list += (list.empty() ? "" : ", ") + std::string(row.word);
    return list;
}

} // namespace zv
