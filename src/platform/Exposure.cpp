// The request numbers of SDL's X connection and the serials of the X server's Expose events.
#include "platform/Exposure.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace zv::platform {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {
bool X11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
} // namespace
#endif

unsigned long NextServerRequest(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    // A field of the connection Xlib lets programs read (its NextRequest), not a call into the library.
    if (X11Info(window, info)) return NextRequest(info.info.x11.display);
#else
    (void)window;
#endif
    return 0;
}

std::optional<ExposeReport> ReadExposeReport(const SDL_SysWMmsg* message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!message || message->subsystem != SDL_SYSWM_X11 || message->msg.x11.event.type != Expose) return std::nullopt;
    const XExposeEvent& e = message->msg.x11.event.xexpose;
    return ExposeReport{e.window, e.serial};
#else
    (void)message;
    return std::nullopt;
#endif
}

unsigned long ServerWindow(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Info(window, info)) return info.info.x11.window;
#else
    (void)window;
#endif
    return 0;
}

} // namespace zv::platform
