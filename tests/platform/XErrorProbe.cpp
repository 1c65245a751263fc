// Sends a request naming a window already gone on the window host's X connection, "send-event" (as SDL's
// wake-up does) or "map-window"; exits 0 when the program goes on after the server's error.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <string>

#include "platform/WindowHost.h"

int main(int argc, char** argv) {
    zv::platform::WindowHost host;
    SDL_Window* w = SDL_CreateWindow("gone", 0, 0, 40, 30, SDL_WINDOW_HIDDEN);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (argc != 2 || !w || !SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11) return 3;
    Display* display = info.info.x11.display;
    const Window id = info.info.x11.window;
    SDL_DestroyWindow(w);
    XEvent e{};
    e.xclient = {ClientMessage, 0, False, display, id, 0, 32, {}};
    if (argv[1] == std::string("send-event")) XSendEvent(display, id, False, NoEventMask, &e);
    else XMapWindow(display, id);
    XSync(display, False);
    return 0;
}
