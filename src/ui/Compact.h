// Large opaque pictures in three bytes a pixel, and pages of memory given back to the system.
#pragma once

#include <cstdint>
#include <span>

#include "ui/Surface.h"

namespace zv::ui {

// A large opaque picture kept in three bytes a pixel instead of four, in the byte order of the window's
// pixels, which SDL copies into the window as fast: a background at 2x is 3.4 MB instead of 4.5 MB.
// Smaller pictures, and pictures of other formats, are given back as they are.
SurfacePtr Compact(SurfacePtr picture);

// Lets the system drop the whole pages inside these bytes (the pages at their ends may hold other data).
// Pages of a file mapping come back from the file if they are read again; anonymous ones come back zeroed.
void ReleasePages(std::span<const std::uint8_t> bytes);

} // namespace zv::ui
