// The pointer's screen position through XQueryPointer, taken from the libX11 that SDL has already loaded,
// and from the X server's own pointer events; moves handed to the window manager.
#include "platform/ScreenPointer.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace zv::platform {

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
using QueryPointer = int (*)(Display*, Window, Window*, Window*, int*, int*, int*, int*, unsigned*);

// Never loads anything: a libX11 is in the process only when SDL runs on X11, and then we use SDL's.
template <typename Fn>
Fn X11Function(const char* name) {
    void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    return lib ? reinterpret_cast<Fn>(dlsym(lib, name)) : nullptr;
}

QueryPointer XQueryPointerFn() {
    static const QueryPointer fn = X11Function<QueryPointer>("XQueryPointer");
    return fn;
}

bool X11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
#endif

} // namespace

void ScreenPointer(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (QueryPointer query = XQueryPointerFn(); query && X11Info(window, info)) {
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

bool PointerInWindow(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (QueryPointer query = XQueryPointerFn(); query && X11Info(window, info)) {
        Window root, child;
        int rx, ry;
        unsigned mask;
        // False when the pointer is on another screen.
        if (!query(info.info.x11.display, info.info.x11.window, &root, &child, &rx, &ry, &x, &y, &mask)) return false;
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        return x >= 0 && y >= 0 && x < w && y < h;
    }
#else
    (void)window;
    (void)x;
    (void)y;
#endif
    return false;
}

bool MovesAreTheWindowManagers(SDL_Window* window) {
    // XWayland names its outputs so ("XWAYLAND0"), and SDL's X11 driver gives those names to the displays.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return false;
    const char* name = SDL_GetDisplayName(std::max(0, SDL_GetWindowDisplayIndex(window)));
    return name && std::strncmp(name, "XWAYLAND", 8) == 0;
}

bool AskWindowManagerToMove(SDL_Window* window, ScreenPoint pointer) {
#if defined(SDL_VIDEO_DRIVER_X11)
    using InternAtom = Atom (*)(Display*, const char*, int);
    using UngrabPointer = int (*)(Display*, Time);
    using SendEvent = int (*)(Display*, Window, int, long, XEvent*);
    using Flush = int (*)(Display*);
    using DefaultRoot = Window (*)(Display*);
    static const auto intern = X11Function<InternAtom>("XInternAtom");
    static const auto ungrab = X11Function<UngrabPointer>("XUngrabPointer");
    static const auto send = X11Function<SendEvent>("XSendEvent");
    static const auto flush = X11Function<Flush>("XFlush");
    static const auto root = X11Function<DefaultRoot>("XDefaultRootWindow");
    SDL_SysWMinfo info;
    if (!intern || !ungrab || !send || !flush || !root || !X11Info(window, info)) return false;
    Display* display = info.info.x11.display;
    constexpr long kMove = 8, kLeftButton = 1, kFromAProgram = 1;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = info.info.x11.window;
    e.xclient.message_type = intern(display, "_NET_WM_MOVERESIZE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = pointer.x;
    e.xclient.data.l[1] = pointer.y;
    e.xclient.data.l[2] = kMove;
    e.xclient.data.l[3] = kLeftButton;
    e.xclient.data.l[4] = kFromAProgram;
    // The press grabbed the pointer for us: the window manager can take it only once we let it go.
    ungrab(display, CurrentTime);
    send(display, root(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    flush(display);
    return true;
#else
    (void)window;
    (void)pointer;
    return false;
#endif
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
