// Independent board checks, shared by the autoplayer, the soak and the rules' tests.
#pragma once

#include "game/Game.h"

namespace zv::autoplay {

int BallCount(const Grid& g);
// Written apart from the scans: whether a figure of a fixed-shape mode (line, square, blok,
// ring) is still on the board. Always false for block mode.
bool FigureLeft(Mode m, const Grid& b);

} // namespace zv::autoplay
