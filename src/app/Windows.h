// What a window may ask of the others. The program object answers for all of them, from its table of
// windows: no window holds a pointer to another, and none is handed a callback by another.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "game/TurnReport.h"

namespace zv::app {

// The program's windows, in the order they are given their desktop windows.
enum class WindowId { Main, Options, Spare, Number, BestGames, Rules };

class Windows {
public:
    virtual ~Windows() = default;
    // Shows a window, built and filled first when it needs to be (the rules with the board's balls, the
    // game-number window with the game's number, the best games with the mode last shown).
    virtual void Show(WindowId window) = 0;
    virtual void Hide(WindowId window) = 0;
    // Leaving full screen restacks the main window: the options window, if it is up, comes back above it.
    virtual void RaiseOptionsIfShown() = 0;
    virtual void ShowBestGames(Mode mode) = 0;
    // The board's motion: whether it is on, and switching it (the choice is kept).
    virtual bool MotionOn() const = 0;
    virtual void SetMotion(bool on) = 0;
    // A key pressed in the main window.
    virtual void MainKeyDown(SDL_Keycode key, Uint16 mod) = 0;
    // What one of the player's operations did.
    virtual void Played(const TurnReport& report) = 0;
    // The game-number window's choice.
    virtual void DealNumberedGame(std::uint32_t number) = 0;
    // A skin has been put on the board.
    virtual void SkinChanged() = 0;
    // The best games' tables, or the row marked in them, changed.
    virtual void BestGamesChanged() = 0;
    // An error, the way the application's default error report shows it.
    virtual void ReportError(const std::string& message) = 0;
};

} // namespace zv::app
