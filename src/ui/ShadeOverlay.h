// Shaded overlays: a checkerboard of black pixels over what lies below, whole or inside a bevel.
#pragma once

#include "ui/Control.h"

namespace zv::ui {

class ShadeOverlay : public Control {
public:
    enum class Style { Whole, Bevelled };
    ShadeOverlay(std::string name, Style style) : Control(std::move(name)), style_(style) {}
    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;
    // A pixel of the pattern is black when exactly one of its column and row numbers is odd.
    static bool PatternBlack(int column, int row) { return ((column ^ row) & 1) != 0; }

private:
    Style style_;
};

} // namespace zv::ui
