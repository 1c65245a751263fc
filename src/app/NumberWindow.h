// The game-number window (Ctrl+G): the player types a game number and deals that game, with the keys or the mouse.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/Layout.h"
#include "app/Windows.h"
#include "ui/Control.h"
#include "ui/Label.h"

namespace zv::app {

// The number a text of digits stands for, when it is a whole number from 0 to 4294967295.
std::optional<std::uint32_t> GameNumberOf(const std::string& digits);

class TFormNumber {
public:
    explicit TFormNumber(Windows& windows);
    ui::Form& Window() { return form_; }

    // Opens on an empty field, telling the number of the game on the board (if one was ever dealt) so it can
    // be read and shared.
    void Open(std::optional<std::uint32_t> running);
    // Enter or the play button: deals the typed number; an empty or too large one is refused in the window.
    void PlayClick();
    // Escape or the cancel button.
    void CancelClick();
    // Digits (also from the keypad), Backspace, Enter and Escape.
    void FormKeyDown(SDL_Keycode key, Uint16 mod);
    const std::string& Typed() const { return typed_; }

    ui::Label* Field = nullptr;
    ui::Label* Running = nullptr;
    ui::Label* Play = nullptr;
    ui::Label* Cancel = nullptr;
private:
    void ShowTyped();

    Windows& windows_;

    ui::Form form_{"FormNumber", kNumberWidth, kNumberHeight};
    BuiltControls controls_;
    std::string typed_;
};

} // namespace zv::app
