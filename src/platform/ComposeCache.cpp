// The compose cache directory, given to Xlib through the environment while SDL opens the display.
#include "platform/ComposeCache.h"

#include <cstdlib>
#include <string>

#include "platform/Paths.h"

namespace zv::platform {

bool UseComposeCache() {
    if (const char* own = std::getenv("XCOMPOSECACHE"); own && *own) return false;
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : HomeDir() + "/.cache";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string dir = base + "/zorvex2000/compose";
    return MakeDirectories(dir, 0700) && setenv("XCOMPOSECACHE", dir.c_str(), 1) == 0;
}

void LeaveComposeCache(bool set) {
    if (set) unsetenv("XCOMPOSECACHE");
}

} // namespace zv::platform
