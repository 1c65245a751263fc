// The figure scans of the modes, one a mode; each takes what it finds off the board and scores it.
#pragma once

#include "game/Modes.h"

namespace zv {

void LineFigures(ScanTarget& t);
void SquareFigures(ScanTarget& t);
void CrossFigures(ScanTarget& t);
void RingFigures(ScanTarget& t);
// Groups of seven or more joined to a new ball; however many groups go, one scan counts one figure.
void BlockFigureScan(ScanTarget& t);

} // namespace zv
