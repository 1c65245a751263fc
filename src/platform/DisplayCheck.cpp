// The display check: SDL would otherwise fall back to drawing off screen, and the game run unseen.
#include "platform/DisplayCheck.h"

#include <dlfcn.h>

#include <cstdlib>

namespace zv::platform {

namespace {

bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

} // namespace

bool DisplayReachable(std::string& why) {
    if (Set("SDL_VIDEODRIVER")) return true;
    const bool wayland = Set("WAYLAND_DISPLAY");
    if (!Set("DISPLAY")) {
        if (wayland) return true;
        why = "no display could be opened: DISPLAY is not set (no graphical session, or ssh without X forwarding)";
        return false;
    }
    // The library stays loaded: SDL's X11 driver uses it next.
    void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!lib) return true;
    using OpenDisplay = void* (*)(const char*);
    using CloseDisplay = int (*)(void*);
    const auto open = reinterpret_cast<OpenDisplay>(dlsym(lib, "XOpenDisplay"));
    const auto close = reinterpret_cast<CloseDisplay>(dlsym(lib, "XCloseDisplay"));
    if (!open || !close) return true;
    const std::string name = std::getenv("DISPLAY");
    if (void* display = open(name.c_str())) {
        close(display);
        return true;
    }
    if (wayland) return true;
    why = "no display could be opened: the X display \"" + name + "\" does not answer";
    return false;
}

} // namespace zv::platform
