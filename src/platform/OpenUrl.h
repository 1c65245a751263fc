// Opening a web address in the player's browser.
#pragma once

#include <string>

namespace zv::platform {

// The game's home page, shown and opened by the options window's link.
constexpr const char* kHomePage = "https://zorvex2000.example.com/";

// Starts `xdg-open url` detached and returns at once. Silent when xdg-open is missing.
void OpenUrl(const std::string& url);

// The same with another program in place of xdg-open (looked up in PATH when it has no '/').
// The program runs in its own session, is no child of ours (no zombie is left behind) and
// inherits no descriptor but 0, 1 and 2.
void OpenUrlWith(const std::string& program, const std::string& url);

} // namespace zv::platform
