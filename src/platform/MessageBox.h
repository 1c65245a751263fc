// Modal message boxes with a single OK button: what the windows see of them.
#pragma once

#include <string>

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

} // namespace zv::platform
