// Prints what the game reads of the desktop scale from the real environment and X server, for xftdpi.sh.
#include <cstdio>

#include "platform/DesktopScale.h"

int main() {
    if (const auto dpi = zv::platform::XftDpi()) std::printf("Xft.dpi %g\n", *dpi);
    else std::printf("Xft.dpi none\n");
    std::printf("%s\n", zv::platform::DesktopScale().reason.c_str());
    return 0;
}
