// Which exposures the X server reports are already covered by a frame we sent after it made them.
#pragma once

#include <optional>

struct SDL_Window;
struct SDL_SysWMmsg;

namespace zv::platform {

// The number the X server will give the next request on the window's connection; 0 where the window is not
// on X11. A frame sent from here on is processed after every event the server made before this request.
unsigned long NextServerRequest(SDL_Window* window);

// An Expose in an X11 window-system event: the X window it concerns, and the number of the last request
// the server had processed when it made it.
struct ExposeReport {
    unsigned long window = 0;
    unsigned long serial = 0;
};
std::optional<ExposeReport> ReadExposeReport(const SDL_SysWMmsg* message);

// The X window of an SDL window; 0 where the window is not on X11.
unsigned long ServerWindow(SDL_Window* window);

// Whether a whole frame whose requests began at frameRequest (0: none sent yet) was drawn over an exposure
// the server reported with that serial: the server made it before it took the frame.
constexpr bool ExposureCovered(unsigned long frameRequest, unsigned long exposeSerial) {
    return frameRequest != 0 && exposeSerial < frameRequest;
}

} // namespace zv::platform
