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

void FocusFrame::Paint(SDL_Surface* target, int originX, int originY, int scale) {
    // Black outside, white inside, black again by default: readable on light and dark skins alike.
    const SDL_Color* ring = rings_;
    const int s = scale;
    for (int i = 0; i < kThickness; ++i) {
        const int x = originX + s * i, y = originY + s * i, w = s * (Width() - 2 * i), h = s * (Height() - 2 * i);
        FillRect(target, x, y, w, s, ring[i]);
        FillRect(target, x, y + h - s, w, s, ring[i]);
        FillRect(target, x, y, s, h, ring[i]);
        FillRect(target, x + w - s, y, s, h, ring[i]);
    }
}

} // namespace zv::ui
