// The X error handler that lets a wake-up sent to a window already destroyed pass.
#include "platform/XErrors.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstring>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace zv::platform {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
ErrorHandler previous = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
    // The wake-up has done its work whether or not the window was still there.
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previous ? previous(display, error) : 0;
}

} // namespace
#endif

void PassLateWakeUps() {
#if defined(SDL_VIDEO_DRIVER_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    // SDL's libX11, never another: it is in the process only because SDL loaded it.
    void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!lib) return;
    using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
    const auto set = reinterpret_cast<SetErrorHandler>(dlsym(lib, "XSetErrorHandler"));
    if (set) {
        const ErrorHandler before = set(OnXError);
        if (before != OnXError) previous = before;
    }
    dlclose(lib);
#endif
}

} // namespace zv::platform
