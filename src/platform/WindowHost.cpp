// The window host: SDL windows presenting through the window surface, mouse and key routing, moving windows by
// hand, owned windows and the nested loop of modal boxes.
#include "platform/WindowHost.h"
#include "platform/XErrors.h"

#include <SDL_syswm.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <stdexcept>

#include "platform/Exposure.h"
#include "platform/ScreenPointer.h"
#include "ui/Control.h"

namespace zv::platform {

namespace {
bool traceFrames = false;
}

void TracePresentedFrames(bool on) { traceFrames = on; }

ui::Scale LargestStep(int areaW, int areaH, int width, int height) {
    ui::Scale best = 1;
    for (int q : ui::kScaleSteps) {
        const ui::Scale s = ui::Scale::FromQuarters(q);
        if (s.Px(width) <= areaW && s.Px(height) <= areaH) best = s;
    }
    return best;
}

bool OnWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "wayland") == 0;
}

HostWindow::HostWindow(ui::Form& form, const std::string& title, WindowOptions options, ui::Scale scale)
    : form_(form), windowScale_(scale), contentScale_(scale) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options.borderless) flags |= SDL_WINDOW_BORDERLESS;
    if (options.alwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (options.owned) flags |= SDL_WINDOW_UTILITY;
    // The drawable may have more pixels than the window has points (a Wayland output at scale 2): the
    // game is then drawn at the pixels' scale, not enlarged by the compositor.
    flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    form_.SetScale(scale);
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, scale.Px(form.Width()),
                               scale.Px(form.Height()), flags);
    if (!window_) throw std::runtime_error(std::string("Cannot create window: ") + SDL_GetError());
    SDL_GetWindowSize(window_, &madeW_, &madeH_);
    id_ = SDL_GetWindowID(window_);
    serverWindow_ = platform::ServerWindow(window_);
    // A Wayland client cannot place its window: the compositor moves it when asked at the press.
    if (OnWayland()) SDL_SetWindowHitTest(window_, &HostWindow::HitTest, this);
}

SDL_HitTestResult HostWindow::HitTest(SDL_Window*, const SDL_Point* point, void* data) {
    auto* self = static_cast<HostWindow*>(data);
    int fx, fy;
    if (self->FullScreen() || !self->ToForm(point->x, point->y, fx, fy)) return SDL_HITTEST_NORMAL;
    return self->form_.IsDragPoint(fx, fy) ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
}

HostWindow::~HostWindow() {
    if (canvas_) SDL_FreeSurface(canvas_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

namespace {

// A new window surface is shared memory the server reads from, with no page of it in memory yet: drawing into
// it would take a fault for each page (1 200 of them at 2x). One call makes them all present at once, about
// 0.8 ms sooner at 2x. Kernels before 5.14 do not know the call and leave the pages to the faults.
void Prefault(const SDL_Surface* surface) {
#ifdef MADV_POPULATE_WRITE
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(surface->pixels) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(surface->pixels) + static_cast<std::uintptr_t>(surface->pitch) * surface->h;
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)surface;
#endif
}

} // namespace

SDL_Surface* HostWindow::Target() {
    if (!renderer_)
        if (SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
            if (surface->pixels != prefaulted_) {
                prefaulted_ = surface->pixels;
                Prefault(surface);
            }
            return surface;
        }
    // No window surface (SDL's Wayland driver has no plain framebuffer): a surface of our own at the
    // drawable's pixel size, presented as a streaming texture.
    const std::string noSurface = SDL_GetError();
    if (!renderer_ && !(renderer_ = SDL_CreateRenderer(window_, -1, 0)))
        throw std::runtime_error("Cannot draw the window: " + noSurface + "; " + SDL_GetError());
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    if (!canvas_ || canvas_->w != w || canvas_->h != h) {
        if (canvas_) SDL_FreeSurface(canvas_);
        if (texture_) SDL_DestroyTexture(texture_);
        canvas_ = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        if (!canvas_ || !texture_) throw std::runtime_error(std::string("Cannot draw the window: ") + SDL_GetError());
        fullRedraw_ = true;
    }
    return canvas_;
}

void HostWindow::Flip(const std::vector<SDL_Rect>& changed, const SDL_Surface* surface) {
    if (!renderer_) {
        // SDL clips what it sends to the window's size, which may already be a new one the surface is not yet
        // made for (XWayland leaving full screen): sent past the surface's edge, the X server refuses the
        // image and Xlib ends the program. Nothing goes beyond the surface.
        const SDL_Rect bounds{0, 0, surface->w, surface->h};
        std::vector<SDL_Rect> within;
        for (const SDL_Rect& r : fullRedraw_ ? std::vector<SDL_Rect>{bounds} : changed)
            if (SDL_Rect c; SDL_IntersectRect(&r, &bounds, &c)) within.push_back(c);
        if (!within.empty()) SDL_UpdateWindowSurfaceRects(window_, within.data(), static_cast<int>(within.size()));
        return;
    }
    if (fullRedraw_) {
        SDL_UpdateTexture(texture_, nullptr, canvas_->pixels, canvas_->pitch);
    } else {
        if (changed.empty()) return;
        for (const SDL_Rect& r : changed)
            SDL_UpdateTexture(texture_, &r, static_cast<Uint8*>(canvas_->pixels) + r.y * canvas_->pitch + r.x * 4, canvas_->pitch);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void HostWindow::Show() {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    // Each placing and each word taken from the server costs round trips to it before the first frame.
    const bool asMade = !everShown_ && !FullScreen() && w == madeW_ && h == madeH_;
    if (!everShown_ && !asMade) Centre();
    everShown_ = true;
    // The owner is given as the window is shown: X11 reads it best before the window is mapped (a
    // compositor that places X11 windows itself then puts it over its owner), and Wayland has nothing to
    // give it to before (SDL refuses with "Modal window was hidden").
    const bool owned = owner_ && SDL_SetWindowModalFor(window_, owner_->window_) == 0;
    SDL_ShowWindow(window_);
    if (owner_ && !owned) SDL_SetWindowModalFor(window_, owner_->window_);
    // Shown again while its owner lies on top (after a click on a full-screen game): up it comes.
    if (owner_) SDL_RaiseWindow(window_);
    shown_ = true;
    fullRedraw_ = true;
    // The server's word on a size given while the window was hidden is in by now: taken in before the first
    // frame, SDL renews the window surface for it before that frame is painted, and the frame covers it.
    // A window shown at the size it was made at has no such word to wait for.
    sizeChangesCovered_ = 0;
    if (!asMade) {
        SDL_PumpEvents();
        SDL_Event queued[32];
        const int n = SDL_PeepEvents(queued, 32, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
        for (int i = 0; i < n; ++i)
            if (queued[i].window.windowID == id_ && queued[i].window.event == SDL_WINDOWEVENT_SIZE_CHANGED) ++sizeChangesCovered_;
    }
    // A window that comes up under the pointer shows the control there hovered in its first frame, rather
    // than in a second one once the server's word that the pointer entered it arrives.
    Layout();
    if (int x = 0, y = 0, fx = 0, fy = 0; PointerInWindow(window_, x, y) && ToForm(x, y, fx, fy)) form_.MouseMove(fx, fy);
    Present();
}

void HostWindow::Place(int x, int y) {
    SDL_SetWindowPosition(window_, x, y);
    everShown_ = true;
}

void HostWindow::Centre() { Place(SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED); }

void HostWindow::SetOwner(HostWindow& owner) {
    // X11: WM_TRANSIENT_FOR, Wayland: the toplevel's parent. Window managers stack an owned window above
    // its owner, also above a full-screen one, and iconify and restore them together. Given at Show().
    owner_ = &owner;
}

bool HostWindow::FullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

void HostWindow::Hide() {
    SDL_HideWindow(window_);
    shown_ = false;
    frameRequest_ = 0;
}

void HostWindow::Minimise() { SDL_MinimizeWindow(window_); }

void HostWindow::SetScale(ui::Scale scale) {
    if (scale == windowScale_) return;
    windowScale_ = scale;
    if (!FullScreen()) {
        int x, y, w, h;
        SDL_GetWindowPosition(window_, &x, &y);
        SDL_GetWindowSize(window_, &w, &h);
        const int nw = Points(scale.Px(form_.Width())), nh = Points(scale.Px(form_.Height()));
        SDL_SetWindowSize(window_, nw, nh);
        if (everShown_) SDL_SetWindowPosition(window_, x + (w - nw) / 2, y + (h - nh) / 2);
    }
    SurfaceChanged();
}

int HostWindow::Points(int pixels) const { return (pixels + pixelRatio_ - 1) / pixelRatio_; }

void HostWindow::FitWindowToForm() {
    if (FullScreen()) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const ui::Scale want = std::max(windowScale_, ui::Scale(pixelRatio_));
    const int pw = Points(want.Px(form_.Width())), ph = Points(want.Px(form_.Height()));
    if (OnWayland()) {
        // The size is fixed: a tiling compositor (sway) then floats the window rather than tiling it.
        SDL_SetWindowMinimumSize(window_, pw, ph);
        SDL_SetWindowMaximumSize(window_, pw, ph);
    }
    if (w != pw || h != ph) SDL_SetWindowSize(window_, pw, ph);
}

void HostWindow::Layout() {
    int points = 0, ignored = 0, w = 0, h = 0;
    SDL_GetWindowSize(window_, &points, &ignored);
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    pixelRatio_ = std::max(1, points > 0 ? w / points : 1);
    FitWindowToForm();
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    const int cw = std::max(1, form_.Width()), ch = std::max(1, form_.Height());
    shrink_ = 1.0;
    if (!FullScreen()) {
        // At least the drawable's own scale: fewer pixels than it has would be enlarged by the compositor.
        contentScale_ = std::max(windowScale_, ui::Scale(pixelRatio_));
    } else if (const ui::Scale fits = LargestStep(w, h, cw, ch); fits.Px(cw) <= w && fits.Px(ch) <= h) {
        // Drawn afresh at the largest of the steps that fits, never a blow-up of a smaller one.
        contentScale_ = fits;
    } else {
        contentScale_ = 1;
        shrink_ = std::min(static_cast<double>(w) / cw, static_cast<double>(h) / ch);
    }
    form_.SetScale(contentScale_);
    const int shownW = shrink_ < 1.0 ? static_cast<int>(cw * shrink_) : contentScale_.Px(cw);
    const int shownH = shrink_ < 1.0 ? static_cast<int>(ch * shrink_) : contentScale_.Px(ch);
    offsetX_ = std::max(0, (w - shownW) / 2);
    offsetY_ = std::max(0, (h - shownH) / 2);
}

void HostWindow::SurfaceChanged() {
    Layout();
    fullRedraw_ = true;
    form_.InvalidateAll();
}

void HostWindow::ServerExposed(unsigned long serial) {
    exposed_ = true;
    if (!platform::ExposureCovered(frameRequest_, serial)) exposedAfterFrame_ = true;
}

bool HostWindow::SizeChangeCovered() {
    if (sizeChangesCovered_ == 0) return false;
    --sizeChangesCovered_;
    return true;
}

bool HostWindow::ExposureCovered() {
    const bool covered = exposed_ && !exposedAfterFrame_;
    exposed_ = exposedAfterFrame_ = false;
    return covered;
}

bool HostWindow::ToForm(int wx, int wy, int& fx, int& fy) const {
    wx *= pixelRatio_;
    wy *= pixelRatio_;
    if (wx < offsetX_ || wy < offsetY_) return false;
    if (shrink_ < 1.0) {
        fx = static_cast<int>((wx - offsetX_) / shrink_);
        fy = static_cast<int>((wy - offsetY_) / shrink_);
    } else {
        // The logical pixel whose rounded place holds the window pixel: the same rounding as painting.
        fx = contentScale_.Logical(wx - offsetX_);
        fy = contentScale_.Logical(wy - offsetY_);
    }
    return fx < form_.Width() && fy < form_.Height();
}

void HostWindow::Present() {
    if (!shown_) return;
    // The layout may give the window a new size: the surface is taken after it, so it is the one for that size.
    if (fullRedraw_) Layout();
    // A window nobody sees is worse than no window: Target() says why and stops.
    SDL_Surface* surface = Target();
    if (fullRedraw_) {
        form_.InvalidateAll();
        // Black where the form does not reach (full screen, a shrunk form); a form that covers the window paints
        // every pixel of it anyway.
        const bool covered = shrink_ >= 1.0 && offsetX_ <= 0 && offsetY_ <= 0 && contentScale_.Px(form_.Width()) + offsetX_ >= surface->w &&
                             contentScale_.Px(form_.Height()) + offsetY_ >= surface->h;
        if (!covered) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
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
    const bool presenting = fullRedraw_ || !to.empty();
    if (presenting) ++presented_;
    const bool whole = fullRedraw_;
    // Only a whole frame sent through the window surface covers every exposure the server made before it.
    if (fullRedraw_ && !renderer_) frameRequest_ = NextServerRequest(window_);
    Flip(to, surface);
    fullRedraw_ = false;
    if (presenting && traceFrames) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        long pixels = 0;
        for (const SDL_Rect& r : to) pixels += static_cast<long>(r.w) * r.h;
        std::fprintf(stderr, "zorvex2000: frame %ld of window %u at %lld.%06ld (%s, %ld pixels painted)\n", presented_, id_,
                     static_cast<long long>(now.tv_sec), now.tv_nsec / 1000, whole ? "whole" : "part", pixels);
    }
}

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

void WindowHost::EndDrag() {
    dragged_ = nullptr;
    drag_.Release();
}

void WindowHost::FollowPointer(ScreenPoint pointer) {
    if (auto corner = drag_.Follow(pointer)) {
        // Where our own moves are ignored, the window manager moves the window from here to the release;
        // a quick click has not come this far, so it still moves nothing.
        if (MovesAreTheWindowManagers(dragged_->Sdl()) && AskWindowManagerToMove(dragged_->Sdl(), pointer)) {
            EndDrag();
            return;
        }
        int x, y;
        SDL_GetWindowPosition(dragged_->Sdl(), &x, &y);
        if (x != corner->x || y != corner->y) SDL_SetWindowPosition(dragged_->Sdl(), corner->x, corner->y);
    }
}

void WindowHost::ServerPointer(const PointerReport& r) {
    using Kind = PointerReport::Kind;
    if (r.kind == Kind::Press) {
        if (r.left) pressAt_ = r.at;
        return;
    }
    if (!dragged_) return;
    // The button went up where we did not see it (another program took the pointer): stop there.
    if (!r.leftHeld) return EndDrag();
    // Every motion the server saw, and the release's own point: the window ends exactly where the pointer
    // says, however few events it sent on the way.
    if (r.kind == Kind::Motion || r.left) FollowPointer(r.at);
}

void WindowHost::MouseButton(HostWindow& w, const SDL_MouseButtonEvent& b) {
    if (b.type == SDL_MOUSEBUTTONUP && dragged_) EndDrag();
    int fx, fy;
    if (!w.ToForm(b.x, b.y, fx, fy)) return;
    if (b.type == SDL_MOUSEBUTTONUP) {
        w.GetForm().MouseUp(fx, fy);
        return;
    }
    // No moving in full screen: there is nowhere to move to.
    if (!w.FullScreen() && w.GetForm().IsDragPoint(fx, fy)) {
        // Where the press was, not where the pointer is by now: a move at once after the press is part
        // of the drag. The window stands still until the drag begins, so its corner plus the event's point
        // is that place where the server did not say it.
        ScreenPoint corner;
        SDL_GetWindowPosition(w.Sdl(), &corner.x, &corner.y);
        drag_.Press(pressAt_.value_or(ScreenPoint{corner.x + b.x, corner.y + b.y}), corner);
        dragged_ = &w;
    }
    pressAt_.reset();
    w.GetForm().MouseDown(fx, fy);
}

void WindowHost::MouseMotion(HostWindow& w, const SDL_MouseMotionEvent& m) {
    if (dragged_) {
        // The release happened where we did not see it (another program took the pointer): stop.
        if (!(m.state & SDL_BUTTON_LMASK)) {
            EndDrag();
        } else {
            // Without the server's own events: the pointer's screen position, not the event's, as the
            // window moves under the event's coordinates while we move it.
            if (!serverPointer_) {
                ScreenPoint pointer;
                ScreenPointer(dragged_->Sdl(), pointer.x, pointer.y);
                FollowPointer(pointer);
            }
            if (drag_.Moving()) return;
        }
    }
    int fx, fy;
    if (w.ToForm(m.x, m.y, fx, fy)) w.GetForm().MouseMove(fx, fy);
    else w.GetForm().MouseLeave();
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
                // Mapping a window exposes it; the frame sent right after the map drew over that already.
                if (!w->ExposureCovered()) w->SurfaceChanged();
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                if (!w->SizeChangeCovered()) w->SurfaceChanged();
                if (w->FullScreen() && (OnWayland() || MovesAreTheWindowManagers(w->Sdl()))) RemapOwnedAbove(*w);
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
    case SDL_SYSWMEVENT:
        if (const auto expose = ReadExposeReport(e.syswm.msg)) {
            for (auto& w : windows_)
                if (w->ServerWindow() == expose->window) w->ServerExposed(expose->serial);
            return true;
        }
        if (auto report = ReadPointerReport(e.syswm.msg)) {
            serverPointer_ = true;
            ServerPointer(*report);
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
    animating_ = OnFrame && OnFrame();
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
    // What start-up left for after the first frame.
    RunLater();
    SDL_Event e;
    // Frames of motion come at the display's refresh rate.
    SDL_DisplayMode mode;
    const int refresh = SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0 ? mode.refresh_rate : 60;
    const int frameMs = std::max(4, 1000 / refresh);
    while (!quit_) {
        const bool got = animating_ ? SDL_WaitEventTimeout(&e, frameMs) != 0 : SDL_WaitEvent(&e) != 0;
        if (!got && !animating_) break;
        if (got) Handle(e);
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
    EndDrag();
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
