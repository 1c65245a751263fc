// Modal message boxes with a single OK button.
#pragma once

#include <string>
#include <vector>

struct SDL_Window;

namespace zv::platform {

// The title every box of the game carries.
constexpr const char* kAppTitle = "Zorvex 2000";

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Both block until the player closes the box.
    virtual void ShowError(const std::string& title, const std::string& text) = 0;
    virtual void ShowInfo(const std::string& title, const std::string& text) = 0;
};

class SdlMessageBoxes : public MessageBoxes {
public:
    explicit SdlMessageBoxes(SDL_Window* parent = nullptr) : parent_(parent) {}
    void SetParent(SDL_Window* parent) { parent_ = parent; }
    void ShowError(const std::string& title, const std::string& text) override;
    void ShowInfo(const std::string& title, const std::string& text) override;

private:
    void Show(unsigned flags, const std::string& title, const std::string& text);
    SDL_Window* parent_;
};

// The locale a box under X11 takes from the environment, as a UTF-8 one: the value to put into
// LC_ALL for the box, or empty when the environment already names a UTF-8 locale (or no UTF-8
// locale exists). Leaves the process's own locale as it was.
std::string Utf8LocaleOverride();

} // namespace zv::platform
