// Xlib's compose table left unread: the game takes keys, never text. Opening its input method, Xlib parses the
// locale's compose file (half a megabyte of text, a character at a time): about 9 ms of the 20 to 25 a bare SDL
// window takes to its first frame, at every start for root, whom Xlib keeps no cache for. Without a table Xlib
// holds back no key press as part of a compose sequence either.
#pragma once

#include <optional>
#include <string>

namespace zv::platform {

// Called before SDL opens the display: XCOMPOSEFILE names an empty file, so Xlib (and libxkbcommon on Wayland)
// finds no sequences to read. Gives what the variable held before, if anything.
std::optional<std::string> LeaveOutComposeTable();
// Called once SDL has opened the display: the variable as it was, so the programs the game starts (a browser
// for the rules' link) keep the player's compose sequences.
void RestoreComposeFile(const std::optional<std::string>& before);

} // namespace zv::platform
