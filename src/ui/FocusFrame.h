// The keyboard's cursor: a frame around the control the keys act on, drawn over it and never taking a click.
#pragma once

#include "ui/Control.h"

namespace zv::ui {

class FocusFrame : public Control {
public:
    explicit FocusFrame(std::string name = {});
    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;
    bool StopsWindowDrag() const override { return false; }

    // Put it around what it frames, this far out on every side.
    static constexpr int kThickness = 3;
    // The colours of its three rings, from the outside in.
    void SetRings(SDL_Color outer, SDL_Color middle, SDL_Color inner);

private:
    SDL_Color rings_[kThickness] = {{0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}};
};

} // namespace zv::ui
