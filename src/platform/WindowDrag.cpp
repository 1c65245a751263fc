// The threshold and the arithmetic of moving a window by hand.
#include "platform/WindowDrag.h"

#include <cstdlib>

namespace zv::platform {

void WindowDrag::Press(ScreenPoint pointer, ScreenPoint window) {
    pressAt_ = pointer;
    windowAt_ = window;
    armed_ = true;
    moving_ = false;
}

std::optional<ScreenPoint> WindowDrag::Follow(ScreenPoint pointer) {
    if (!armed_) return std::nullopt;
    const int dx = pointer.x - pressAt_.x, dy = pointer.y - pressAt_.y;
    if (!moving_ && std::abs(dx) < kThreshold && std::abs(dy) < kThreshold) return std::nullopt;
    moving_ = true;
    return ScreenPoint{windowAt_.x + dx, windowAt_.y + dy};
}

} // namespace zv::platform
