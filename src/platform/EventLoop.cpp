// The window host's event loop: the pump, the dispatch of events to windows, mouse and keys, moving windows by
// hand, and the nested loop of a modal box.
#include "platform/WindowHost.h"

#include <algorithm>
#include <exception>

#include "platform/Exposure.h"
#include "platform/ScreenPointer.h"
#include "ui/Control.h"

namespace zv::platform {

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
    const auto at = w.ToForm(b.x, b.y);
    if (!at) return;
    if (b.type == SDL_MOUSEBUTTONUP) {
        w.GetForm().MouseUp(at->x, at->y);
        return;
    }
    // No moving in full screen: there is nowhere to move to.
    if (!w.FullScreen() && w.GetForm().IsDragPoint(at->x, at->y)) {
        // Where the press was, not where the pointer is by now: a move at once after the press is part
        // of the drag. The window stands still until the drag begins, so its corner plus the event's point
        // is that place where the server did not say it.
        ScreenPoint corner;
        SDL_GetWindowPosition(w.Sdl(), &corner.x, &corner.y);
        drag_.Press(pressAt_.value_or(ScreenPoint{corner.x + b.x, corner.y + b.y}), corner);
        dragged_ = &w;
    }
    pressAt_.reset();
    w.GetForm().MouseDown(at->x, at->y);
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
    if (const auto at = w.ToForm(m.x, m.y)) w.GetForm().MouseMove(at->x, at->y);
    else w.GetForm().MouseLeave();
}

void WindowHost::WindowEvent(HostWindow& w, const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_RESTORED:
        RestoreOwned(w);
        w.SurfaceChanged();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        // Mapping a window exposes it; the frame sent right after the map drew over that already.
        if (!w.ExposureCovered()) w.SurfaceChanged();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (!w.SizeChangeCovered()) w.SurfaceChanged();
        if (w.FullScreen() && (OnWayland() || MovesAreTheWindowManagers(w.Sdl()))) RemapOwnedAbove(w);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        w.GetForm().MouseLeave();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        // The window manager's close (e.g. Alt+F4): a modal box takes it as its Escape; the
        // main window's ends the program like the close area.
        if (&w == modal_) {
            if (w.GetForm().OnKeyDown) w.GetForm().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
        } else if (&w == windows_.front().get()) {
            RequestQuit();
        }
        break;
    default:
        break;
    }
}

bool WindowHost::Dispatch(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        return false;
    case SDL_WINDOWEVENT:
        if (HostWindow* w = ById(e.window.windowID)) WindowEvent(*w, e.window);
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
