// Where the mouse pointer is on the screen, asked of the display server at the moment of asking.
#pragma once

struct SDL_Window;

namespace zv::platform {

// The pointer's screen position. Under X11 this asks the server (SDL's own answer is a cached one that
// goes stale while a button is held); elsewhere it is SDL's.
void ScreenPointer(SDL_Window* window, int& x, int& y);

} // namespace zv::platform
