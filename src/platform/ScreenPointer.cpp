// The pointer's screen position through XQueryPointer, taken from the libX11 that SDL has already loaded,
// and from the X server's own pointer events.
#include "platform/ScreenPointer.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

namespace zv::platform {

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
using QueryPointer = int (*)(Display*, Window, Window*, Window*, int*, int*, int*, int*, unsigned*);

QueryPointer XQueryPointerFn() {
    // Never loads anything: a libX11 is in the process only when SDL runs on X11, and then we use SDL's.
    static const QueryPointer fn = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        return lib ? reinterpret_cast<QueryPointer>(dlsym(lib, "XQueryPointer")) : nullptr;
    }();
    return fn;
}
#endif

} // namespace

void ScreenPointer(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (QueryPointer query = XQueryPointerFn(); query && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        Window root, child;
        int wx, wy;
        unsigned mask;
        if (query(info.info.x11.display, info.info.x11.window, &root, &child, &x, &y, &wx, &wy, &mask)) return;
    }
#else
    (void)window;
#endif
    SDL_GetGlobalMouseState(&x, &y);
}

std::optional<PointerReport> ReadPointerReport(const SDL_SysWMmsg* message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!message || message->subsystem != SDL_SYSWM_X11) return std::nullopt;
    const XEvent& e = message->msg.x11.event;
    PointerReport r;
    switch (e.type) {
    case ButtonPress:
    case ButtonRelease:
        r.kind = e.type == ButtonPress ? PointerReport::Kind::Press : PointerReport::Kind::Release;
        r.at = {e.xbutton.x_root, e.xbutton.y_root};
        r.left = e.xbutton.button == Button1;
        r.leftHeld = (e.xbutton.state & Button1Mask) != 0;
        return r;
    case MotionNotify:
        r.at = {e.xmotion.x_root, e.xmotion.y_root};
        r.leftHeld = (e.xmotion.state & Button1Mask) != 0;
        return r;
    default:
        return std::nullopt;
    }
#else
    (void)message;
    return std::nullopt;
#endif
}

} // namespace zv::platform
