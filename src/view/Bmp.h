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

// What the headers of a bitmap file say, for a reader that learns the file's size only at its end.
struct BmpLayout {
    BmpInfo info;
    std::uint64_t pixelOffset = 0;
    std::uint64_t rowBytes = 0;   // one stored row with its padding; 0 for RLE data
    std::uint64_t leastSize = 0;  // ReadBmpInfo accepts the file exactly when it holds this many bytes or more
};

// The most leading bytes ReadBmpHeaders ever needs: the file header and the largest info header.
inline constexpr std::size_t kMaxBmpHeadersBytes = 14 + 124;

// Checks what the headers of a bitmap file say on their own, from its first `available` bytes.
// False when they are refused whatever the file's size, or when `available` does not hold them all
// (a file that short is refused as well).
bool ReadBmpHeaders(const std::uint8_t* data, std::size_t available, BmpLayout& layout);

// Checks the headers of a bitmap file against its size before any decoder trusts them:
// signature, header sizes, dimensions (1 to kMaxBmpSide), bit depth (1, 4, 8, 24, 32),
// compression, palette and pixel data lying inside the file. False when anything is off.
bool ReadBmpInfo(const std::uint8_t* data, std::size_t size, BmpInfo& info);

// Decodes a bitmap file into a surface of format SDL_PIXELFORMAT_RGB888, ready for blitting.
// Throws ThemeError("Bitmap image is not valid") when the file is not a bitmap it accepts.
zv::ui::SurfacePtr DecodeBmp(const std::uint8_t* data, std::size_t size);

} // namespace zv::view
