// What a window may ask of the others. The program object builds every window and answers for them, so the
// windows are wired to each other in one place.
#pragma once

#include <SDL.h>

#include "game/TurnReport.h"

namespace zv::app {

class Windows {
public:
    virtual ~Windows() = default;
    virtual void ShowOptions() = 0;
    virtual void HideOptions() = 0;
    // Leaving full screen restacks the main window: the options window, if it is up, comes back above it.
    virtual void RaiseOptionsIfShown() = 0;
    virtual void ShowRules() = 0;
    virtual void HideRules() = 0;
    virtual void ShowBestGames(Mode mode) = 0;
    virtual void HideBestGames() = 0;
    // The board's motion: whether it is on, and switching it (the choice is kept).
    virtual bool MotionOn() const = 0;
    virtual void SetMotion(bool on) = 0;
    // A key pressed in the main window.
    virtual void MainKeyDown(SDL_Keycode key, Uint16 mod) = 0;
    // What one of the player's operations did, once the main window has shown it.
    virtual void Played(const TurnReport& report) = 0;
};

} // namespace zv::app
