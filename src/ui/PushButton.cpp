// Push buttons: a raised face that sinks while held, and its caption in the middle.
#include "ui/PushButton.h"

#include "ui/Draw.h"

namespace zv::ui {

PushButton::PushButton(std::string name) : Control(std::move(name)) {
    caption_.SetAlign(Label::Align::Centre);
    caption_.SetFont({"Arial", true, 14, false});
}

void PushButton::Paint(SDL_Surface* target, int originX, int originY, int scale) {
    const int s = scale;
    const bool down = PressedDown() && Hovered();
    if (down) {
        FillRect(target, originX, originY, s * Width(), s * Height(), {212, 208, 200, 255});
        Bevel(target, originX, originY, s * Width(), s * Height(), false, s);
    } else {
        ButtonFace(target, originX, originY, s * Width(), s * Height(), s);
    }
    SDL_Surface* text = caption_.Rendered();
    SDL_Surface* drawn = caption_.RenderedAt(s);
    if (!text || !drawn) return;
    caption_.SetBounds(0, 0, Width(), text->h);
    // A held button's caption sinks with its face.
    const int shift = down ? s : 0;
    caption_.Paint(target, originX + shift, originY + (s * Height() - drawn->h) / 2 + shift, s);
}

} // namespace zv::ui
