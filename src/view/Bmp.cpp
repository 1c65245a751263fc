// Bitmap header checks done before SDL's decoder sees the data: SDL allocates whatever size a header claims.
#include "view/Bmp.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "view/ThemeError.h"

namespace zv::view {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t U16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8; }
std::uint32_t U32(const std::uint8_t* p) { return U16(p) | U16(p + 2) << 16; }
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

} // namespace

bool ReadBmpHeaders(const std::uint8_t* data, std::size_t available, BmpLayout& layout) {
    if (available < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint64_t fileSize = U32(data + 2);
    const std::uint64_t pixelOffset = U32(data + 10);
    const std::uint64_t headerSize = U32(data + kFileHeaderSize);

    const std::uint8_t* h = data + kFileHeaderSize;
    std::int64_t width = 0, height = 0;
    std::uint32_t bits = 0, compression = 0, coloursUsed = 0;
    std::uint64_t paletteEntrySize = 4;
    std::uint64_t extra = 0;  // colour masks that follow a plain 40-byte header
    if (headerSize == 12) {
        width = U16(h + 4);
        height = U16(h + 6);
        bits = U16(h + 10);
        paletteEntrySize = 3;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        if (available < kFileHeaderSize + headerSize) return false;
        width = I32(h + 4);
        height = I32(h + 8);
        bits = U16(h + 14);
        compression = U32(h + 16);
        coloursUsed = U32(h + 32);
        if (compression == 3 && headerSize == 40) extra = 12;
    } else {
        return false;
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 1 || width > kMaxBmpSide || height < 1 || height > kMaxBmpSide) return false;

    switch (compression) {
    case 0:
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
        break;
    case 1:
        if (bits != 8 || topDown) return false;
        break;
    case 2:
        if (bits != 4 || topDown) return false;
        break;
    case 3:
        if (bits != 32) return false;
        break;
    default:
        return false;
    }

    std::uint64_t paletteEntries = 0;
    if (bits <= 8) {
        const std::uint64_t most = std::uint64_t{1} << bits;
        if (coloursUsed > most) return false;
        paletteEntries = coloursUsed != 0 ? coloursUsed : most;
    }
    const std::uint64_t headersEnd = kFileHeaderSize + headerSize + extra + paletteEntries * paletteEntrySize;
    if (pixelOffset < headersEnd) return false;

    // The file must reach past the headers and the palette to the first byte of pixel data; a declared
    // size beyond the data means the file was cut short (0 is left by some writers).
    std::uint64_t least = std::max(pixelOffset + 1, fileSize);
    std::uint64_t rowBytes = 0;
    if (compression == 0 || compression == 3) {
        rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
        least = std::max(least, pixelOffset + rowBytes * static_cast<std::uint64_t>(height));
    }

    layout.info.width = static_cast<int>(width);
    layout.info.height = static_cast<int>(height);
    layout.info.topDown = topDown;
    layout.info.bitsPerPixel = static_cast<int>(bits);
    layout.info.compression = static_cast<int>(compression);
    layout.pixelOffset = pixelOffset;
    layout.rowBytes = rowBytes;
    layout.leastSize = least;
    return true;
}

bool ReadBmpInfo(const std::uint8_t* data, std::size_t size, BmpInfo& info) {
    BmpLayout layout;
    if (!ReadBmpHeaders(data, size, layout) || size < layout.leastSize) return false;
    info = layout.info;
    return true;
}

zv::ui::SurfacePtr DecodeBmp(const std::uint8_t* data, std::size_t size) {
    BmpInfo info;
    if (size > static_cast<std::size_t>(INT32_MAX) || !ReadBmpInfo(data, size, info)) throw ThemeError(kBitmapNotValid);
    if (info.compression == 0 && info.bitsPerPixel == 24) {
        // The common case straight into the final format: no second copy of a large picture on the way.
        SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, info.width, info.height, 32, SDL_PIXELFORMAT_RGB888);
        if (!out) throw ThemeError(kOutOfMemory);
        const std::uint32_t offset = static_cast<std::uint32_t>(data[10]) | static_cast<std::uint32_t>(data[11]) << 8 |
                                     static_cast<std::uint32_t>(data[12]) << 16 | static_cast<std::uint32_t>(data[13]) << 24;
        const std::size_t rowBytes = (static_cast<std::size_t>(info.width) * 3 + 3) / 4 * 4;
        for (int y = 0; y < info.height; ++y) {
            // ReadBmpInfo checked that every row lies inside the data.
            const std::uint8_t* in = data + offset + rowBytes * static_cast<std::size_t>(info.topDown ? y : info.height - 1 - y);
            auto* px = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(out->pixels) + y * out->pitch);
            for (int x = 0; x < info.width; ++x, in += 3)
                px[x] = static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[1]) << 8 | in[0];
        }
        return zv::ui::AdoptSurface(out);
    }
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) throw ThemeError(kOutOfMemory);
    zv::ui::SurfacePtr decoded = zv::ui::AdoptSurface(SDL_LoadBMP_RW(rw, 1));
    if (!decoded) throw ThemeError(kBitmapNotValid);
    if (decoded->w != info.width || decoded->h != info.height) throw ThemeError(kBitmapNotValid);
    zv::ui::SurfacePtr converted = zv::ui::AdoptSurface(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGB888, 0));
    if (!converted) throw ThemeError(kOutOfMemory);
    return converted;
}

} // namespace zv::view
