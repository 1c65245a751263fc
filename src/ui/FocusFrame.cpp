// The keyboard's cursor frame.
#include "ui/FocusFrame.h"

#include "ui/Draw.h"

namespace zv::ui {

FocusFrame::FocusFrame(std::string name) : Control(std::move(name)) {
    // Disabled, so the mouse goes through it to what it frames.
    SetEnabled(false);
}

void FocusFrame::SetRings(SDL_Color outer, SDL_Color middle, SDL_Color inner) {
    rings_[0] = outer;
    rings_[1] = middle;
    rings_[2] = inner;
    Invalidate();
}

void FocusFrame::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    // Black outside, white inside, black again by default: readable on light and dark skins alike.
    const SDL_Color* ring = rings_;
    // Each ring a whole number of pixels wide at every scale.
    const int s = scale.Line();
    const SDL_Rect px = PixelBounds(scale);
    for (int i = 0; i < kThickness; ++i) {
        const int x = originX + s * i, y = originY + s * i, w = px.w - 2 * s * i, h = px.h - 2 * s * i;
        FillRect(target, x, y, w, s, ring[i]);
        FillRect(target, x, y + h - s, w, s, ring[i]);
        FillRect(target, x, y, s, h, ring[i]);
        FillRect(target, x + w - s, y, s, h, ring[i]);
    }
}

} // namespace zv::ui
