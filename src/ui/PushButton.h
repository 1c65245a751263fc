// A push button with a text caption on a plain raised face, for the game's own message boxes.
#pragma once

#include <string>

#include "ui/Control.h"
#include "ui/Label.h"

namespace zv::ui {

class PushButton : public Control {
public:
    explicit PushButton(std::string name = {});
    void SetCaption(const std::string& text) { caption_.SetCaption(text); Invalidate(); }
    const std::string& Caption() const { return caption_.Caption(); }
    void SetFont(FontRequest font) { caption_.SetFont(std::move(font)); Invalidate(); }
    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;

private:
    // Never placed on a form: it only draws the caption centred on the face.
    Label caption_;
};

} // namespace zv::ui
