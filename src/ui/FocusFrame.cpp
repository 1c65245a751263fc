// The keyboard's cursor frame.
#include "ui/FocusFrame.h"

#include "ui/Draw.h"

namespace zv::ui {

FocusFrame::FocusFrame(std::string name) : Control(std::move(name)) {
    // Disabled, so the mouse goes through it to what it frames.
    SetEnabled(false);
}

void FocusFrame::Paint(SDL_Surface* target, int originX, int originY) {
    // Black outside, white inside, black again: readable on light and dark skins alike.
    const SDL_Color ring[kThickness] = {{0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}};
    for (int i = 0; i < kThickness; ++i) {
        const int x = originX + i, y = originY + i, w = Width() - 2 * i, h = Height() - 2 * i;
        FillRect(target, x, y, w, 1, ring[i]);
        FillRect(target, x, y + h - 1, w, 1, ring[i]);
        FillRect(target, x, y, 1, h, ring[i]);
        FillRect(target, x + w - 1, y, 1, h, ring[i]);
    }
}

} // namespace zv::ui
