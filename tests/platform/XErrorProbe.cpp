// Sends a request naming a window that is already gone, as the window host's X connection: prints
// "survived" when the program goes on. Argument: the request, "send-event" or "map-window".
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

#include "platform/WindowHost.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    zv::platform::WindowHost host;
    SDL_Window* w = SDL_CreateWindow("gone", 0, 0, 40, 30, SDL_WINDOW_HIDDEN);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!w || !SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11) return 3;
    Display* display = info.info.x11.display;
    const Window id = info.info.x11.window;
    SDL_DestroyWindow(w);
    XSync(display, False);
    if (std::strcmp(argv[1], "send-event") == 0) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = id;
        e.xclient.format = 32;
        XSendEvent(display, id, False, NoEventMask, &e);
    } else {
        XMapWindow(display, id);
    }
    XSync(display, False);
    std::puts("survived");
    return 0;
}
