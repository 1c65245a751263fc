// Moving a borderless window by hand: a press only arms the move; the window follows once the pointer
// has gone a few pixels with the button held, and stops where the button is let go.
#pragma once

#include <optional>

namespace zv::platform {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

class WindowDrag {
public:
    // How far the pointer must go, in either direction, before the window moves: a click that wobbles
    // a pixel or two is still a click.
    static constexpr int kThreshold = 4;

    // A press at `pointer` (screen coordinates) on a window whose corner lies at `window`.
    void Press(ScreenPoint pointer, ScreenPoint window);
    // The pointer is now at `pointer` with the button held: the window's new corner once the move has
    // begun, nullopt before.
    std::optional<ScreenPoint> Follow(ScreenPoint pointer);
    void Release() { armed_ = moving_ = false; }
    bool Armed() const { return armed_; }
    bool Moving() const { return moving_; }

private:
    ScreenPoint pressAt_, windowAt_;
    bool armed_ = false;
    bool moving_ = false;
};

} // namespace zv::platform
