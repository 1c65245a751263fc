// The window host's windows: SDL's video subsystem and its hints, making and ending windows, their common scale,
// owned windows kept above their owner, and following a change of display mode.
#include "platform/WindowHost.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/XErrors.h"

namespace zv::platform {

WindowHost::WindowHost() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The options window takes the focus while the game is in full screen; the game must stay.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A window moved by hand goes on getting the pointer's motion when the pointer runs ahead of it.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    // Our windows draw their own title strips: libdecor's frames are not wanted on Wayland, and without
    // it SDL gives the compositor the fixed size of each window (min = max), so a tiling compositor
    // floats the game instead of stretching its tile over the screen.
    SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("Cannot start video: ") + SDL_GetError());
    // The X server's own pointer events, for moving windows by hand (see ServerPointer).
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    PassLateWakeUps();
    SDL_GetDisplayBounds(0, &display_);
}

WindowHost::~WindowHost() {
    windows_.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

HostWindow& WindowHost::Create(ui::Form& form, const std::string& title, WindowOptions options) {
    windows_.push_back(std::make_unique<HostWindow>(form, title, options, scale_));
    return *windows_.back();
}

void WindowHost::SetScale(ui::Scale scale) {
    scale_ = scale;
    for (auto& w : windows_) w->SetScale(scale_);
}

ui::Scale WindowHost::LargestScale(int width, int height) const {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return 1;
    return LargestStep(usable.w, usable.h, std::max(1, width), std::max(1, height));
}

void WindowHost::Destroy(HostWindow& window) {
    if (dragged_ == &window) EndDrag();
    if (modal_ == &window) modal_ = nullptr;
    std::erase_if(windows_, [&](const auto& w) { return w.get() == &window; });
}

bool WindowHost::HasDisplay() const {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

HostWindow* WindowHost::ById(Uint32 id) {
    for (auto& w : windows_)
        if (w->Id() == id) return w.get();
    return nullptr;
}

void WindowHost::RequestQuit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

void WindowHost::MinimiseAll() {
    for (auto& w : windows_)
        if (w->Shown()) w->Minimise();
}

void WindowHost::PresentAll() {
    for (auto& w : windows_) w->Present();
}

void WindowHost::FollowDisplayMode() {
    SDL_Rect now{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &now) != 0 || SDL_RectEquals(&now, &display_)) return;
    display_ = now;
    // A window centred for 1024 x 768 lies half off a 640 x 480 screen, and one centred for 640 x 480
    // sits in the corner of the desktop afterwards. The full-screen window places itself.
    for (auto& w : windows_)
        if (w->EverShown() && !w->FullScreen()) w->Centre();
}

void WindowHost::RestoreOwned(HostWindow& owner) {
    for (auto& o : windows_)
        if (o->Owner() == &owner && o->Shown() && (SDL_GetWindowFlags(o->Sdl()) & SDL_WINDOW_MINIMIZED)) SDL_RestoreWindow(o->Sdl());
}

void WindowHost::RemapOwnedAbove(HostWindow& owner) {
    // A Wayland compositor may put a window going full screen into a layer above the windows it owns
    // (weston does, until the owner is next activated), and its XWayland may leave them mostly off screen.
    // Mapped afresh after the owner's first full-screen frame, an owned window is placed and activated by
    // the compositor, which brings it on screen above its owner again.
    bool any = false;
    for (auto& o : windows_) any = any || (o->Owner() == &owner && o->Shown());
    if (!any) return;
    owner.Present();
    for (auto& o : windows_)
        if (o->Owner() == &owner && o->Shown()) {
            o->Hide();
            o->Show();
        }
}

} // namespace zv::platform
