// Whether there is a screen to show the game on: SDL would otherwise fall back to drawing off screen, and the game
// run unseen holding the single-instance guard against the player's next start.
#pragma once

#include <string>

namespace zv::platform {

// Asked before anything else starts: false, with why in plain words, when no display server is named (DISPLAY
// and WAYLAND_DISPLAY both unset). A video driver chosen in SDL_VIDEODRIVER is taken as it is (the tests' dummy
// one included).
bool DisplayNamed(std::string& why);
// Asked once SDL has opened its video driver (named `driver`): false, with why, when none of the display servers
// named answered and SDL fell back to one that shows nothing. Asking SDL costs no connection of our own.
bool DisplayOpened(const char* driver, std::string& why);

} // namespace zv::platform
