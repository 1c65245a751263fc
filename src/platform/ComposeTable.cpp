// Xlib's compose table left unread while SDL opens the display.
#include "platform/ComposeTable.h"

#include <cstdlib>

namespace zv::platform {

std::optional<std::string> LeaveOutComposeTable() {
    std::optional<std::string> before;
    if (const char* own = std::getenv("XCOMPOSEFILE")) before = own;
    setenv("XCOMPOSEFILE", "/dev/null", 1);
    return before;
}

void RestoreComposeFile(const std::optional<std::string>& before) {
    if (before) setenv("XCOMPOSEFILE", before->c_str(), 1);
    else unsetenv("XCOMPOSEFILE");
}

} // namespace zv::platform
