// One host window: the SDL window of a form, its surface and the fallback where there is none, presenting what
// changed (and tracing it for the benchmarks), its scale, place and owner.
#include "platform/HostWindow.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>

#include "platform/Exposure.h"
#include "platform/ScreenPointer.h"
#include "ui/Control.h"

namespace zv::platform {

namespace {
bool traceFrames = false;
}

void TracePresentedFrames(bool on) { traceFrames = on; }

bool OnWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "wayland") == 0;
}

HostWindow::HostWindow(ui::Form& form, const std::string& title, WindowOptions options, ui::Scale scale)
    : form_(form), windowScale_(scale) {
    view_.contentScale = scale;
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
    if (self->FullScreen()) return SDL_HITTEST_NORMAL;
    const auto at = self->ToForm(point->x, point->y);
    return at && self->form_.IsDragPoint(at->x, at->y) ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
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
    if (int x = 0, y = 0; PointerInWindow(window_, x, y))
        if (const auto at = ToForm(x, y)) form_.MouseMove(at->x, at->y);
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
        Point corner;
        Size was;
        SDL_GetWindowPosition(window_, &corner.x, &corner.y);
        SDL_GetWindowSize(window_, &was.w, &was.h);
        const Size now = WindowSize(FormSize(), scale, pixelRatio_);
        SDL_SetWindowSize(window_, now.w, now.h);
        if (everShown_) {
            const Point centred = KeepCentre(corner, was, now);
            SDL_SetWindowPosition(window_, centred.x, centred.y);
        }
    }
    SurfaceChanged();
}

Size HostWindow::FormSize() const { return {form_.Width(), form_.Height()}; }

void HostWindow::FitWindowToForm() {
    if (FullScreen()) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const Size fit = WindowSize(FormSize(), WindowedScale(windowScale_, pixelRatio_), pixelRatio_);
    const int pw = fit.w, ph = fit.h;
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
    pixelRatio_ = platform::PixelRatio(points, w);
    FitWindowToForm();
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    view_ = FitViewport({FormSize(), {w, h}, windowScale_, pixelRatio_, FullScreen()});
    form_.SetScale(view_.contentScale);
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

std::optional<Point> HostWindow::ToForm(int wx, int wy) const { return platform::ToForm(view_, FormSize(), {wx, wy}); }

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
        if (!CoversSurface(view_, FormSize(), {surface->w, surface->h})) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    }
    std::vector<SDL_Rect> to;
    const int ox = view_.offsetX, oy = view_.offsetY;
    if (!view_.Shrunk()) {
        // The form paints straight into the window surface at its scale: no second copy of the window.
        form_.RenderTo(surface, ox, oy);
        for (SDL_Rect r : form_.Repainted()) to.push_back({ox + r.x, oy + r.y, r.w, r.h});
    } else {
        SDL_Rect area = form_.Render();
        if (area.w > 0) area = {0, 0, form_.Width(), form_.Height()}; // a shrink leaves seams at the edges of parts
        const Size shown = ShownSize(view_, FormSize());
        SDL_Rect whole{ox, oy, shown.w, shown.h};
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

} // namespace zv::platform
