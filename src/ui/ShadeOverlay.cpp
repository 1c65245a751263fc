// Shaded overlays.
#include "ui/ShadeOverlay.h"

#include "ui/Draw.h"

namespace zv::ui {

void ShadeOverlay::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    const int s = scale.Line();
    const SDL_Rect px = PixelBounds(scale);
    int inset = 0;
    if (style_ == Style::Bevelled) {
        Bevel(target, originX, originY, px.w, px.h, false, s);
        Bevel(target, originX + s, originY + s, px.w - 2 * s, px.h - 2 * s, true, s);
        inset = 2 * s;
    }
    SDL_Rect clip;
    SDL_GetClipRect(target, &clip);
    const SDL_Rect inner{originX + inset, originY + inset, px.w - 2 * inset, px.h - 2 * inset};
    SDL_Rect area;
    if (!SDL_IntersectRect(&clip, &inner, &area)) return;
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
    const int bpp = target->format->BytesPerPixel;
    for (int y = area.y; y < area.y + area.h; ++y) {
        auto* row = static_cast<Uint8*>(target->pixels) + y * target->pitch;
        for (int x = area.x; x < area.x + area.w; ++x) {
            // The pattern is anchored at the overlay's own corner, one square a logical pixel.
            if (!PatternBlack(scale.Logical(x - originX), scale.Logical(y - originY))) continue;
            if (bpp == 4) reinterpret_cast<Uint32*>(row)[x] = black;
            else SDL_memcpy(row + x * bpp, &black, static_cast<size_t>(bpp));
        }
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

} // namespace zv::ui
