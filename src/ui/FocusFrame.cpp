// The keyboard's cursor frame.
#include "ui/FocusFrame.h"

#include "ui/Draw.h"

namespace zv::ui {

FocusFrame::FocusFrame(std::string name) : Control(std::move(name)) {
    // Disabled, so the mouse goes through it to what it frames.
    SetEnabled(false);
}

void FocusFrame::Paint(SDL_Surface* target, int originX, int originY, int scale) {
    // Black outside, white inside, black again: readable on light and dark skins alike.
    const SDL_Color ring[kThickness] = {{0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}};
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
