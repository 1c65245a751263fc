// Where the mouse pointer is on the screen: asked of the display server, or read from its own events.
#pragma once

#include <optional>

#include "platform/WindowDrag.h"

struct SDL_Window;
struct SDL_SysWMmsg;

namespace zv::platform {

// The pointer's screen position. Under X11 this asks the server (SDL's own answer is a cached one that
// goes stale while a button is held); elsewhere it is SDL's.
void ScreenPointer(SDL_Window* window, int& x, int& y);

// The pointer's position within the window, asked of the X server: false where the pointer lies outside it,
// and wherever there is no X server to ask (SDL then tells the window of the pointer by its events alone).
bool PointerInWindow(SDL_Window* window, int& x, int& y);

// A press, motion or release of the pointer as the X server reported it: where on the screen it happened,
// and whether the left button was down when it did. SDL passes on neither for every event: it drops a
// motion whose position within the window is unchanged, which is the usual case while the window follows
// the pointer, and it gives positions within the window only.
struct PointerReport {
    enum class Kind { Press, Motion, Release };
    Kind kind = Kind::Motion;
    ScreenPoint at;
    bool left = false;       // the left button is the one pressed or released (presses and releases)
    bool leftHeld = false;   // the left button was held before the event (motions and releases)
};

// True where the display server ignores a program's moves of its own windows: an X server that is
// XWayland (weston and sway place X11 windows themselves).
bool MovesAreTheWindowManagers(SDL_Window* window);

// Hands a move of the window by hand to the window manager (_NET_WM_MOVERESIZE), from the pointer's screen
// point with the left button held: it follows the pointer until the release. False where that cannot be asked.
bool AskWindowManagerToMove(SDL_Window* window, ScreenPoint pointer);

// The report in an X11 window-system event; nullopt for every other event. The X server's events reach us
// only once WindowHost asked SDL for them (SDL_SYSWMEVENT).
std::optional<PointerReport> ReadPointerReport(const SDL_SysWMmsg* message);

} // namespace zv::platform
