// The desktop's scale: the factor the game's windows are drawn at, from the environment and the X resources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/Scale.h"

namespace zv::platform {

inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 4;

struct ScaleChoice {
    ui::Scale scale = 1;
    // One line for --verbose: where the scale came from and which sources were passed over, and why.
    std::string reason;
};

// Pure: the values of ZORVEX_SCALE and GDK_SCALE (null when unset) and the X resources' Xft.dpi (nullopt
// when none). The first usable source decides: ZORVEX_SCALE, GDK_SCALE, Xft.dpi / 96; else 1. A value that
// is not a positive number is passed over. The factor goes to the nearest step of 0.25 (halves up), kept
// within kMinScale..kMaxScale.
// GDK_DPI_SCALE (null when unset), a positive number, multiplies the factor GDK_SCALE or Xft.dpi gives (1
// when neither does), as GTK's text is scaled by both: GDK_SCALE 1 with GDK_DPI_SCALE 1.5 is 1.5. It has no
// say over ZORVEX_SCALE.
ScaleChoice ChooseScale(const char* zorvexScale, const char* gdkScale, std::optional<double> xftDpi,
                        const char* gdkDpiScale = nullptr);

// The value of the last "Xft.dpi" entry of an X resource string (lines "name:\tvalue"), nullopt when
// there is none or its value is not a number.
std::optional<double> XftDpiFromResources(std::string_view resources);

// Xft.dpi from the X server's resource database (the RESOURCE_MANAGER string), nullopt when there is
// no X display, no such resource, or it does not parse. Xlib is loaded at run time, not linked.
std::optional<double> XftDpi();

// ChooseScale over the real environment and XftDpi().
ScaleChoice DesktopScale();

} // namespace zv::platform
