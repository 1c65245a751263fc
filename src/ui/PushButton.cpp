// Push buttons: a raised face that sinks while held, and its caption in the middle.
#include "ui/PushButton.h"

#include "ui/Draw.h"

namespace zv::ui {

PushButton::PushButton(std::string name) : Control(std::move(name)) {
    caption_.SetAlign(Label::Align::Centre);
    caption_.SetFont({"Arial", true, 14, false});
}

void PushButton::Paint(SDL_Surface* target, int originX, int originY) {
    const bool down = PressedDown() && Hovered();
    if (down) {
        FillRect(target, originX, originY, Width(), Height(), {212, 208, 200, 255});
        Bevel(target, originX, originY, Width(), Height(), false, 1);
    } else {
        ButtonFace(target, originX, originY, Width(), Height());
    }
    SDL_Surface* text = caption_.Rendered();
    if (!text) return;
    caption_.SetBounds(0, 0, Width(), text->h);
    // A held button's caption sinks with its face.
    const int shift = down ? 1 : 0;
    caption_.Paint(target, originX + shift, originY + (Height() - text->h) / 2 + shift);
}

} // namespace zv::ui
