// Xlib's compose table kept between starts. Xlib parses the locale's compose file (half a megabyte of text) each
// time a program opens its input method, unless it finds a directory to cache the result in: XCOMPOSECACHE, or
// ~/.compose-cache when it exists. With a cache, every start after the first skips the parsing (6 ms of a 20 ms
// start of a bare SDL window). Xlib keeps no cache for root.
#pragma once

namespace zv::platform {

// Called before SDL opens the display: points XCOMPOSECACHE at $XDG_CACHE_HOME/zorvex2000/compose (an absolute
// XDG_CACHE_HOME only, else $HOME/.cache), made with mode 0700, unless the player set the variable. True when it
// set it.
bool UseComposeCache();
// Called once SDL has opened the display: takes the variable out again when UseComposeCache set it, so the programs
// the game starts (a browser for the rules' link) keep to their own.
void LeaveComposeCache(bool set);

} // namespace zv::platform
