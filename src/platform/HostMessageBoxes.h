// The game's message boxes as windows of its own, drawn by the component library and shown modally.
#pragma once

#include "platform/MessageBox.h"

namespace zv::platform {

class HostWindow;
class WindowHost;

class HostMessageBoxes : public MessageBoxes {
public:
    explicit HostMessageBoxes(WindowHost& host) : host_(host) {}
    // The window a box is centred over and kept above while it is shown; with none, or while it is
    // hidden, the box comes up in the middle of the screen.
    void SetParent(HostWindow* parent) { parent_ = parent; }
    // Where nobody can see a box (SDL's dummy driver), and once the program is ending (a quit request
    // handled), the message goes to standard error instead.
    void ShowError(const std::string& title, const std::string& text) override;
    void ShowInfo(const std::string& title, const std::string& text) override;

private:
    void Show(bool error, const std::string& title, const std::string& text);
    WindowHost& host_;
    HostWindow* parent_ = nullptr;
};

} // namespace zv::platform
