// The window host: SDL windows presenting through the window surface, mouse and key routing, moving windows by
// hand, owned windows and the nested loop of modal boxes.
#include "platform/WindowHost.h"
#include "platform/XErrors.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "platform/ScreenPointer.h"
#include "ui/Control.h"

namespace zv::platform {

HostWindow::HostWindow(ui::Form& form, const std::string& title, WindowOptions options, int scale)
    : form_(form), windowScale_(scale), contentScale_(scale) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options.borderless) flags |= SDL_WINDOW_BORDERLESS;
    if (options.alwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (options.owned) flags |= SDL_WINDOW_UTILITY;
    form_.SetScale(scale);
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, scale * form.Width(),
                               scale * form.Height(), flags);
    if (!window_) throw std::runtime_error(std::string("Cannot create window: ") + SDL_GetError());
    id_ = SDL_GetWindowID(window_);
}

HostWindow::~HostWindow() {
    if (window_) SDL_DestroyWindow(window_);
}

void HostWindow::Show() {
    if (!everShown_) Centre();
    SDL_ShowWindow(window_);
    // Shown again while its owner lies on top (after a click on a full-screen game): up it comes.
    if (owner_) SDL_RaiseWindow(window_);
    shown_ = true;
    fullRedraw_ = true;
    Present();
}

void HostWindow::Place(int x, int y) {
    SDL_SetWindowPosition(window_, x, y);
    everShown_ = true;
}

void HostWindow::Centre() { Place(SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED); }

void HostWindow::SetOwner(HostWindow& owner) {
    owner_ = &owner;
    // X11: WM_TRANSIENT_FOR. Window managers stack a transient window above its owner, also above a
    // full-screen one, and iconify and restore them together. (The dummy driver has no such thing.)
    SDL_SetWindowModalFor(window_, owner.window_);
}

bool HostWindow::FullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

void HostWindow::Hide() {
    SDL_HideWindow(window_);
    shown_ = false;
}

void HostWindow::Minimise() { SDL_MinimizeWindow(window_); }

void HostWindow::SetScale(int scale) {
    scale = std::clamp(scale, 1, ui::Form::kMaxScale);
    if (scale == windowScale_) return;
    windowScale_ = scale;
    if (!FullScreen()) {
        int x, y, w, h;
        SDL_GetWindowPosition(window_, &x, &y);
        SDL_GetWindowSize(window_, &w, &h);
        const int nw = scale * form_.Width(), nh = scale * form_.Height();
        SDL_SetWindowSize(window_, nw, nh);
        if (everShown_) SDL_SetWindowPosition(window_, x + (w - nw) / 2, y + (h - nh) / 2);
    }
    SurfaceChanged();
}

void HostWindow::FitWindowToForm() {
    if (FullScreen()) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int want = windowScale_;
    if (w != want * form_.Width() || h != want * form_.Height()) SDL_SetWindowSize(window_, want * form_.Width(), want * form_.Height());
}

void HostWindow::Layout() {
    FitWindowToForm();
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int cw = std::max(1, form_.Width()), ch = std::max(1, form_.Height());
    shrink_ = 1.0;
    if (!FullScreen()) {
        contentScale_ = windowScale_;
    } else if (const int whole = std::min(w / cw, h / ch); whole >= 1) {
        // Drawn afresh at the largest whole scale that fits, never a blow-up of a smaller one.
        contentScale_ = std::min(whole, ui::Form::kMaxScale);
    } else {
        contentScale_ = 1;
        shrink_ = std::min(static_cast<double>(w) / cw, static_cast<double>(h) / ch);
    }
    form_.SetScale(contentScale_);
    const double shown = contentScale_ * shrink_;
    offsetX_ = std::max(0, static_cast<int>((w - cw * shown) / 2));
    offsetY_ = std::max(0, static_cast<int>((h - ch * shown) / 2));
}

void HostWindow::SurfaceChanged() {
    Layout();
    fullRedraw_ = true;
    form_.InvalidateAll();
}

bool HostWindow::ToForm(int wx, int wy, int& fx, int& fy) const {
    if (wx < offsetX_ || wy < offsetY_) return false;
    if (shrink_ < 1.0) {
        fx = static_cast<int>((wx - offsetX_) / shrink_);
        fy = static_cast<int>((wy - offsetY_) / shrink_);
    } else {
        fx = (wx - offsetX_) / contentScale_;
        fy = (wy - offsetY_) / contentScale_;
    }
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
    std::vector<SDL_Rect> to;
    if (shrink_ >= 1.0) {
        // The form paints straight into the window surface at its scale: no second copy of the window.
        form_.RenderTo(surface, offsetX_, offsetY_);
        for (SDL_Rect r : form_.Repainted()) to.push_back({offsetX_ + r.x, offsetY_ + r.y, r.w, r.h});
    } else {
        SDL_Rect area = form_.Render();
        if (area.w > 0) area = {0, 0, form_.Width(), form_.Height()}; // a shrink leaves seams at the edges of parts
        SDL_Rect whole{offsetX_, offsetY_, static_cast<int>(form_.Width() * shrink_), static_cast<int>(form_.Height() * shrink_)};
        if (area.w > 0) {
            SDL_BlitScaled(form_.Canvas(), &area, surface, &whole);
            to.push_back(whole);
        }
    }
    if (fullRedraw_) SDL_UpdateWindowSurface(window_);
    else if (!to.empty()) SDL_UpdateWindowSurfaceRects(window_, to.data(), static_cast<int>(to.size()));
    fullRedraw_ = false;
}

WindowHost::WindowHost() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The options window takes the focus while the game is in full screen; the game must stay.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A window moved by hand goes on getting the pointer's motion when the pointer runs ahead of it.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("Cannot start video: ") + SDL_GetError());
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

void WindowHost::SetScale(int scale) {
    scale_ = std::clamp(scale, 1, ui::Form::kMaxScale);
    for (auto& w : windows_) w->SetScale(scale_);
}

int WindowHost::LargestScale(int width, int height) const {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return 1;
    const int whole = std::min(usable.w / std::max(1, width), usable.h / std::max(1, height));
    return std::clamp(whole, 1, ui::Form::kMaxScale);
}

void WindowHost::Destroy(HostWindow& window) {
    if (dragged_ == &window) {
        dragged_ = nullptr;
        drag_.Release();
    }
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

void WindowHost::MouseButton(HostWindow& w, const SDL_MouseButtonEvent& b) {
    if (b.type == SDL_MOUSEBUTTONUP && dragged_) {
        dragged_ = nullptr;
        drag_.Release();
    }
    int fx, fy;
    if (!w.ToForm(b.x, b.y, fx, fy)) return;
    if (b.type == SDL_MOUSEBUTTONUP) {
        w.GetForm().MouseUp(fx, fy);
        return;
    }
    // No moving in full screen: there is nowhere to move to.
    if (!w.FullScreen() && w.GetForm().IsDragPoint(fx, fy)) {
        ScreenPoint pointer, corner;
        ScreenPointer(w.Sdl(), pointer.x, pointer.y);
        SDL_GetWindowPosition(w.Sdl(), &corner.x, &corner.y);
        drag_.Press(pointer, corner);
        dragged_ = &w;
    }
    w.GetForm().MouseDown(fx, fy);
}

void WindowHost::MouseMotion(HostWindow& w, const SDL_MouseMotionEvent& m) {
    if (dragged_) {
        // The release happened where we did not see it (another program took the pointer): stop.
        if (!(m.state & SDL_BUTTON_LMASK)) {
            dragged_ = nullptr;
            drag_.Release();
        } else {
            // The pointer's own screen position, not the event's: the window moves under the event's
            // coordinates while we move it.
            ScreenPoint pointer;
            ScreenPointer(dragged_->Sdl(), pointer.x, pointer.y);
            if (auto corner = drag_.Follow(pointer)) {
                int x, y;
                SDL_GetWindowPosition(dragged_->Sdl(), &x, &y);
                if (x != corner->x || y != corner->y) SDL_SetWindowPosition(dragged_->Sdl(), corner->x, corner->y);
            }
            if (drag_.Moving()) return;
        }
    }
    int fx, fy;
    if (w.ToForm(m.x, m.y, fx, fy)) w.GetForm().MouseMove(fx, fy);
    else w.GetForm().MouseLeave();
}

bool WindowHost::Dispatch(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        return false;
    case SDL_WINDOWEVENT:
        if (HostWindow* w = ById(e.window.windowID)) {
            switch (e.window.event) {
            case SDL_WINDOWEVENT_RESTORED:
                // Minimised together, back together: the windows this one owns come back with it.
                for (auto& o : windows_)
                    if (o->Owner() == w && o->Shown() && (SDL_GetWindowFlags(o->Sdl()) & SDL_WINDOW_MINIMIZED))
                        SDL_RestoreWindow(o->Sdl());
                w->SurfaceChanged();
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                w->SurfaceChanged();
                break;
            case SDL_WINDOWEVENT_LEAVE:
                w->GetForm().MouseLeave();
                break;
            case SDL_WINDOWEVENT_CLOSE:
                // The window manager's close (e.g. Alt+F4): a modal box takes it as its Escape; the
                // main window's ends the program like the close area.
                if (w == modal_) {
                    if (w->GetForm().OnKeyDown) w->GetForm().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
                } else if (w == windows_.front().get()) {
                    RequestQuit();
                }
                break;
            default:
                break;
            }
        }
        return true;
    case SDL_MOUSEMOTION:
        if (HostWindow* w = ById(e.motion.windowID); w && (!modal_ || w == modal_)) MouseMotion(*w, e.motion);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT) return true;
        if (HostWindow* w = ById(e.button.windowID); w && (!modal_ || w == modal_)) MouseButton(*w, e.button);
        return true;
    case SDL_KEYDOWN: {
        // While a box is up it takes the keys, whichever of our windows has the keyboard.
        HostWindow* w = modal_ ? modal_ : ById(e.key.windowID);
        if (w && w->GetForm().OnKeyDown) {
            auto handler = w->GetForm().OnKeyDown;
            handler(e.key.keysym.sym, e.key.keysym.mod);
        }
        return true;
    }
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
    FollowDisplayMode();
    PresentAll();
    return !quit_;
}

void WindowHost::Later(std::function<void()> task) { later_.push_back(std::move(task)); }

void WindowHost::RunLater() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(later_);
    for (auto& task : tasks) {
        try {
            task();
        } catch (const std::exception& ex) {
            if (OnError) OnError(ex.what());
        }
    }
}

void WindowHost::Run() {
    PresentAll();
    SDL_Event e;
    while (!quit_ && SDL_WaitEvent(&e)) {
        Handle(e);
        // Handle everything already queued before painting once.
        if (!Pump()) break;
        RunLater();
    }
    RunLater();
}

void WindowHost::RunModal(HostWindow& modal, const std::function<bool()>& stillOpen) {
    HostWindow* outer = modal_;
    modal_ = &modal;
    // A move under way in another window ends here: its release will reach the box, not it.
    dragged_ = nullptr;
    drag_.Release();
    for (auto& w : windows_) w->GetForm().MouseLeave();
    PresentAll();
    SDL_Event e;
    while (!quit_ && stillOpen() && SDL_WaitEvent(&e)) {
        Handle(e);
        // What was queued behind the closing click or key happened while the box was up: it goes the
        // box's way too (a second click on the game is dropped, not played).
        while (!quit_ && SDL_PollEvent(&e)) Handle(e);
        FollowDisplayMode();
        PresentAll();
    }
    modal_ = outer;
}

} // namespace zv::platform
