// Enlarging small pictures by a whole factor without blur: the pixel-art scalers, and plain pixel doubling.
#pragma once

#include <SDL.h>

#include "ui/Surface.h"

namespace zv::ui {

// The picture enlarged by 2, 3 or 4 with the Scale2x / Scale3x rules (4 is Scale2x twice); any other
// factor gives nearest-neighbour. Theme pictures are hand-drawn 33 x 33 pixel art: these rules only
// ever copy one of a pixel's own neighbours, so no colour is invented and no edge goes soft (as with
// a smoothing filter), while diagonal edges lose the staircase plain pixel doubling would give them.
// The result has the source's pixel format and blend mode; null for a null source.
SurfacePtr EnlargePixelArt(SDL_Surface* src, int factor);

// Every pixel copied into a factor x factor block.
SurfacePtr EnlargeNearest(SDL_Surface* src, int factor);

} // namespace zv::ui
