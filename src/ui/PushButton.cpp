// Push buttons: a raised face that sinks while held, and its caption in the middle.
#include "ui/PushButton.h"

#include "ui/Draw.h"

namespace zv::ui {

PushButton::PushButton(std::string name) : Control(std::move(name)) {
    caption_.SetAlign(Label::Align::Centre);
    caption_.SetFont({"Arial", true, 14, false});
}

void PushButton::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    const int line = scale.Line();
    const SDL_Rect px = PixelBounds(scale);
    const bool down = PressedDown() && Hovered();
    if (down) {
        FillRect(target, originX, originY, px.w, px.h, {212, 208, 200, 255});
        Bevel(target, originX, originY, px.w, px.h, false, line);
    } else {
        ButtonFace(target, originX, originY, px.w, px.h, line);
    }
    SDL_Surface* text = caption_.Rendered();
    SDL_Surface* drawn = caption_.RenderedAt(scale);
    if (!text || !drawn) return;
    caption_.SetBounds(0, 0, Width(), text->h);
    // A held button's caption sinks with its face.
    const int shift = down ? line : 0;
    caption_.Paint(target, originX + shift, originY + (px.h - drawn->h) / 2 + shift, scale);
}

} // namespace zv::ui
