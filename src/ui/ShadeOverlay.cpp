// Shaded overlays.
#include "ui/ShadeOverlay.h"

#include "ui/Draw.h"

namespace zv::ui {

void ShadeOverlay::Paint(SDL_Surface* target, int originX, int originY) {
    int inset = 0;
    if (style_ == Style::Bevelled) {
        Bevel(target, originX, originY, Width(), Height(), false, 1);
        Bevel(target, originX + 1, originY + 1, Width() - 2, Height() - 2, true, 1);
        inset = 2;
    }
    SDL_Rect clip;
    SDL_GetClipRect(target, &clip);
    const SDL_Rect inner{originX + inset, originY + inset, Width() - 2 * inset, Height() - 2 * inset};
    SDL_Rect area;
    if (!SDL_IntersectRect(&clip, &inner, &area)) return;
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
    const int bpp = target->format->BytesPerPixel;
    for (int y = area.y; y < area.y + area.h; ++y) {
        auto* row = static_cast<Uint8*>(target->pixels) + y * target->pitch;
        for (int x = area.x; x < area.x + area.w; ++x) {
            // The pattern is anchored at the overlay's own corner.
            if (!PatternBlack(x - originX, y - originY)) continue;
            if (bpp == 4) reinterpret_cast<Uint32*>(row)[x] = black;
            else SDL_memcpy(row + x * bpp, &black, static_cast<size_t>(bpp));
        }
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

} // namespace zv::ui
