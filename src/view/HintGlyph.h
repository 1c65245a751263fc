// The picture of the hint area in the title strip: a small lamp on a button like the strip's own glyphs.
#pragma once

#include "ui/Surface.h"

namespace zv::view {

// The 17 x 17 area drawn for a scale (1 to 4), transparent around its button.
ui::SurfacePtr DrawHintGlyph(int scale);

} // namespace zv::view
