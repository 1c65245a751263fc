// Full screen through SDL: picking a display mode, switching to it and back.
#include "platform/Display.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zv::platform {

namespace {

void AddRankedAtDepth(const std::vector<DisplayMode>& available, int bpp, std::vector<DisplayMode>& out) {
    const int w = kFullScreenMode.width, h = kFullScreenMode.height;
    auto push = [&out](const DisplayMode& m) {
        if (std::find(out.begin(), out.end(), m) == out.end()) out.push_back(m);
    };
    std::vector<DisplayMode> big;
    for (const DisplayMode& m : available) {
        if (m.bpp != bpp) continue;
        if (m.width == w && m.height == h) push(m);
        if (m.width >= w && m.height >= h) big.push_back(m);
    }
    std::stable_sort(big.begin(), big.end(), [](const DisplayMode& a, const DisplayMode& b) {
        const long long aa = 1LL * a.width * a.height, ab = 1LL * b.width * b.height;
        if (aa != ab) return aa < ab;
        return a.width < b.width;
    });
    for (const DisplayMode& m : big)
        if (3LL * m.width == 4LL * m.height) push(m);
    for (const DisplayMode& m : big) push(m);
}

} // namespace

std::runtime_error FullScreenModeError() {
    return std::runtime_error("Cannot set display mode " + std::to_string(kFullScreenMode.width) + "x" +
                              std::to_string(kFullScreenMode.height) + "x" + std::to_string(kFullScreenMode.bpp));
}

std::vector<DisplayMode> RankDisplayModes(const std::vector<DisplayMode>& available, int desktopBpp) {
    std::vector<DisplayMode> out;
    AddRankedAtDepth(available, kFullScreenMode.bpp, out);
    if (desktopBpp != kFullScreenMode.bpp) AddRankedAtDepth(available, desktopBpp, out);
    return out;
}

void FullScreen::Initialise() {
    if (!window_) throw FullScreenModeError();
    if (active_) return;
    int display = SDL_GetWindowDisplayIndex(window_);
    if (display < 0) display = 0;

    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(display, &desktop) == 0)
        saved_ = {desktop.w, desktop.h, static_cast<int>(SDL_BITSPERPIXEL(desktop.format))};

    std::vector<SDL_DisplayMode> sdlModes;
    std::vector<DisplayMode> modes;
    // A Wayland compositor changes no modes: SDL's list there is made up, and a window "in" one of them
    // is stretched over the output, blurred. The desktop-sized full screen draws at a whole scale instead.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool wayland = driver && std::string(driver) == "wayland";
    const int count = wayland ? 0 : SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
        sdlModes.push_back(m);
        modes.push_back({m.w, m.h, static_cast<int>(SDL_BITSPERPIXEL(m.format))});
    }

    // SDL lists the highest refresh rate of a size first, so the first match is the one to take.
    for (const DisplayMode& want : RankDisplayModes(modes, saved_.bpp)) {
        const auto it = std::find(modes.begin(), modes.end(), want);
        const SDL_DisplayMode& m = sdlModes[static_cast<size_t>(it - modes.begin())];
        if (SDL_SetWindowDisplayMode(window_, &m) == 0 && SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0) {
            active_ = true;
            return;
        }
    }
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
        active_ = true;
        return;
    }
    throw FullScreenModeError();
}

void FullScreen::Finalise() {
    if (!active_ || !window_) return;
    SDL_SetWindowFullscreen(window_, 0);
    active_ = false;
    // SDL may still report the full-screen size after leaving it.
    SDL_SetWindowSize(window_, windowW_, windowH_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void FullScreen::RestoreSavedDisplayMode() {
    // Leaving full screen is how SDL hands the display back its earlier mode; the window
    // itself is about to go, so its size does not matter.
    if (!active_ || !window_) return;
    SDL_SetWindowFullscreen(window_, 0);
    active_ = false;
}

} // namespace zv::platform
