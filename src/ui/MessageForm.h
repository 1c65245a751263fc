// The game's own message box: its title in a strip, the message in the game's fonts, and an OK button.
#pragma once

#include <functional>
#include <string>

#include "ui/Control.h"
#include "ui/Label.h"
#include "ui/PushButton.h"

namespace zv::ui {

class MessageForm : public Form {
public:
    enum class Kind { Information, Error };

    // Sizes itself to the text; lines longer than kMaxTextWidth are wrapped at spaces.
    MessageForm(const std::string& title, const std::string& text, Kind kind);

    // Called once the box is done with: OK clicked, or Return, Enter, Escape or Space pressed.
    std::function<void()> OnClose;

    Label* title = nullptr;
    Label* message = nullptr;
    PushButton* ok = nullptr;

    static constexpr int kMaxTextWidth = 460;

private:
    void Close();
    bool closed_ = false;
};

// Breaks text into lines no wider than maxWidth in the font, at spaces; the given line breaks stay.
// A word wider than that on its own keeps a line to itself.
std::string WrapText(const std::string& text, const FontRequest& font, int maxWidth);

} // namespace zv::ui
