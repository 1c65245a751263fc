// The window host: SDL windows presenting through the window surface, mouse routing, dragging by hit test.
#include "platform/WindowHost.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "ui/Control.h"

namespace zv::platform {

HostWindow::HostWindow(ui::Form& form, const std::string& title, WindowOptions options) : form_(form) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options.borderless) flags |= SDL_WINDOW_BORDERLESS;
    if (options.alwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, form.Width(), form.Height(), flags);
    if (!window_) throw std::runtime_error(std::string("Cannot create window: ") + SDL_GetError());
    id_ = SDL_GetWindowID(window_);
    SDL_SetWindowHitTest(window_, &HostWindow::HitTest, this);
}

HostWindow::~HostWindow() {
    if (scaled_) SDL_FreeSurface(scaled_);
    if (window_) SDL_DestroyWindow(window_);
}

SDL_HitTestResult HostWindow::HitTest(SDL_Window*, const SDL_Point* area, void* data) {
    auto* self = static_cast<HostWindow*>(data);
    int fx = 0, fy = 0;
    if (!self->ToForm(area->x, area->y, fx, fy)) return SDL_HITTEST_NORMAL;
    // No dragging in full screen: there is nowhere to move to.
    if (SDL_GetWindowFlags(self->window_) & SDL_WINDOW_FULLSCREEN) return SDL_HITTEST_NORMAL;
    return self->form_.IsDragPoint(fx, fy) ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
}

void HostWindow::Show() {
    if (!everShown_) {
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        everShown_ = true;
    }
    SDL_ShowWindow(window_);
    shown_ = true;
    fullRedraw_ = true;
    Present();
}

void HostWindow::Hide() {
    SDL_HideWindow(window_);
    shown_ = false;
}

void HostWindow::Minimise() { SDL_MinimizeWindow(window_); }

void HostWindow::Layout() {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int cw = form_.Width(), ch = form_.Height();
    const int whole = std::min(w / std::max(1, cw), h / std::max(1, ch));
    if (whole >= 1) scale_ = whole;
    else scale_ = std::min(static_cast<double>(w) / cw, static_cast<double>(h) / ch);
    offsetX_ = std::max(0, static_cast<int>((w - cw * scale_) / 2));
    offsetY_ = std::max(0, static_cast<int>((h - ch * scale_) / 2));
}

void HostWindow::SurfaceChanged() {
    Layout();
    fullRedraw_ = true;
    form_.InvalidateAll();
}

bool HostWindow::ToForm(int wx, int wy, int& fx, int& fy) const {
    if (wx < offsetX_ || wy < offsetY_) return false;
    fx = static_cast<int>((wx - offsetX_) / scale_);
    fy = static_cast<int>((wy - offsetY_) / scale_);
    return fx < form_.Width() && fy < form_.Height();
}

void HostWindow::Present() {
    if (!shown_) return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return;
    if (fullRedraw_) {
        Layout();
        form_.InvalidateAll();
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    }
    SDL_Rect to{0, 0, 0, 0};
    if (scale_ == 1.0) {
        // At scale 1 the form paints straight into the window surface: no second copy of the window.
        const SDL_Rect area = form_.RenderTo(surface, offsetX_, offsetY_);
        to = {offsetX_ + area.x, offsetY_ + area.y, area.w, area.h};
    } else {
        SDL_Rect area = form_.Render();
        if (area.w > 0 && scale_ != static_cast<int>(scale_)) area = {0, 0, form_.Width(), form_.Height()}; // no seams
        auto at = [&](int v) { return static_cast<int>(v * scale_); };
        to = {offsetX_ + at(area.x), offsetY_ + at(area.y), at(area.x + area.w) - at(area.x), at(area.y + area.h) - at(area.y)};
        if (area.w > 0) SDL_BlitScaled(form_.Canvas(), &area, surface, &to);
    }
    if (fullRedraw_) SDL_UpdateWindowSurface(window_);
    else if (to.w > 0) SDL_UpdateWindowSurfaceRects(window_, &to, 1);
    fullRedraw_ = false;
}

WindowHost::WindowHost() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The options window takes the focus while the game is in full screen; the game must stay.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("Cannot start video: ") + SDL_GetError());
}

WindowHost::~WindowHost() {
    windows_.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

HostWindow& WindowHost::Create(ui::Form& form, const std::string& title, WindowOptions options) {
    windows_.push_back(std::make_unique<HostWindow>(form, title, options));
    return *windows_.back();
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

bool WindowHost::Dispatch(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        return false;
    case SDL_WINDOWEVENT:
        if (HostWindow* w = ById(e.window.windowID)) {
            switch (e.window.event) {
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_RESTORED:
                w->SurfaceChanged();
                break;
            case SDL_WINDOWEVENT_LEAVE:
                w->GetForm().MouseLeave();
                break;
            case SDL_WINDOWEVENT_CLOSE:
                // The window manager's close (e.g. Alt+F4) ends the program like the close area.
                if (w == windows_.front().get()) RequestQuit();
                break;
            default:
                break;
            }
        }
        return true;
    case SDL_MOUSEMOTION:
        if (HostWindow* w = ById(e.motion.windowID)) {
            int fx, fy;
            if (w->ToForm(e.motion.x, e.motion.y, fx, fy)) w->GetForm().MouseMove(fx, fy);
            else w->GetForm().MouseLeave();
        }
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT) return true;
        if (HostWindow* w = ById(e.button.windowID)) {
            int fx, fy;
            if (!w->ToForm(e.button.x, e.button.y, fx, fy)) return true;
            if (e.type == SDL_MOUSEBUTTONDOWN) w->GetForm().MouseDown(fx, fy);
            else w->GetForm().MouseUp(fx, fy);
        }
        return true;
    default:
        return true;
    }
}

void WindowHost::Handle(const SDL_Event& e) {
    try {
        Dispatch(e);
    } catch (const std::exception& ex) {
        if (OnError) OnError(ex.what());
    }
}

bool WindowHost::Pump() {
    SDL_Event e;
    while (!quit_ && SDL_PollEvent(&e)) Handle(e);
    PresentAll();
    return !quit_;
}

void WindowHost::Run() {
    PresentAll();
    SDL_Event e;
    while (!quit_ && SDL_WaitEvent(&e)) {
        Handle(e);
        // Handle everything already queued before painting once.
        if (!Pump()) break;
    }
}

} // namespace zv::platform
