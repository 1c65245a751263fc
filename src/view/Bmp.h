// Checking and decoding the Windows bitmap files that theme pictures are stored as.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/Surface.h"

namespace zv::view {

// Widest and tallest picture a theme may hold.
inline constexpr int kMaxBmpSide = 4096;

// What the headers of a bitmap file say about it.
struct BmpInfo {
    int width = 0;
    int height = 0;          // always positive; see topDown
    bool topDown = false;    // rows stored from the top (negative height in the file)
    int bitsPerPixel = 0;
    int compression = 0;     // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
};

// Checks the headers of a bitmap file against its size before any decoder trusts them:
// signature, header sizes, dimensions (1 to kMaxBmpSide), bit depth (1, 4, 8, 24, 32),
// compression, palette and pixel data lying inside the file. False when anything is off.
bool ReadBmpInfo(const std::uint8_t* data, std::size_t size, BmpInfo& info);

// Decodes a bitmap file into a surface of format SDL_PIXELFORMAT_RGB888, ready for blitting.
// Throws ThemeError("Bitmap image is not valid") when the file is not a bitmap it accepts.
zv::ui::SurfacePtr DecodeBmp(const std::uint8_t* data, std::size_t size);

} // namespace zv::view
