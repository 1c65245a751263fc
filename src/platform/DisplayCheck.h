// Whether there is a screen to show the game on, asked before anything else starts.
#pragma once

#include <string>

namespace zv::platform {

// False, with why in plain words, when no display server can be reached: DISPLAY and WAYLAND_DISPLAY
// both unset, or an X display named that does not answer (and no Wayland one). A video driver chosen
// in SDL_VIDEODRIVER is taken as it is (the tests' dummy one included), and so is a machine without
// libX11, where SDL decides.
bool DisplayReachable(std::string& why);

} // namespace zv::platform
