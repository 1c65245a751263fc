// The display check: SDL would otherwise fall back to drawing off screen, and the game run unseen.
#include "platform/DisplayCheck.h"

#include <cstdlib>
#include <cstring>

namespace zv::platform {

namespace {

bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

} // namespace

bool DisplayNamed(std::string& why) {
    if (Set("SDL_VIDEODRIVER") || Set("DISPLAY") || Set("WAYLAND_DISPLAY")) return true;
    why = "no display could be opened: DISPLAY is not set (no graphical session, or ssh without X forwarding)";
    return false;
}

bool DisplayOpened(const char* driver, std::string& why) {
    if (Set("SDL_VIDEODRIVER")) return true;
    if (driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0)) return true;
    if (Set("DISPLAY")) why = std::string("no display could be opened: the X display \"") + std::getenv("DISPLAY") + "\" does not answer";
    else why = std::string("no display could be opened: the Wayland display \"") + std::getenv("WAYLAND_DISPLAY") + "\" does not answer";
    return false;
}

} // namespace zv::platform
