// Three-byte copies of large pictures, made in place.
#include "ui/Compact.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace zv::ui {

void ReleasePages(std::span<const std::uint8_t> bytes) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(bytes.data()) + page - 1) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(bytes.data() + bytes.size()) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

SurfacePtr Compact(SurfacePtr picture) {
    constexpr int kLargePixels = 256 * 256;
    if (!picture || picture->w * picture->h < kLargePixels || picture->format->format != SDL_PIXELFORMAT_RGB888 ||
        SDL_MUSTLOCK(picture.get()) || SDL_BYTEORDER != SDL_LIL_ENDIAN)
        return picture;
    // In place, so the four-byte and the three-byte picture are never held together: a row of three-byte pixels
    // is shorter than the row it is made from, so going from the first pixel on never overwrites one not yet
    // read. The three bytes of each pixel are the first three of its four, in the same order.
    SDL_Surface* s = picture.get();
    const int pitch = (s->w * 3 + 3) & ~3;
    auto* pixels = static_cast<Uint8*>(s->pixels);
    SDL_Surface* compact = SDL_CreateRGBSurfaceWithFormatFrom(pixels, s->w, s->h, 24, pitch, SDL_PIXELFORMAT_BGR24);
    if (!compact) return picture;
    for (int y = 0; y < s->h; ++y) {
        const Uint8* in = pixels + static_cast<std::ptrdiff_t>(y) * s->pitch;
        Uint8* out = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < s->w; ++x) std::memmove(out + 3 * x, in + 4 * x, 3);
    }
    // The pages past the shorter picture go back to the system; the buffer lives as long as the picture on it.
    ReleasePages({pixels + static_cast<std::ptrdiff_t>(s->h) * pitch, static_cast<std::size_t>(s->h) * static_cast<std::size_t>(s->pitch - pitch)});
    return SurfacePtr(compact, [buffer = std::move(picture)](SDL_Surface* p) { SDL_FreeSurface(p); });
}

} // namespace zv::ui
