// The window host: the windows of our forms and the one event loop that serves them all, sleeping while nothing
// happens; moving borderless windows by hand, owned windows and modal boxes.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/HostWindow.h"
#include "platform/ScreenPointer.h"
#include "platform/WindowDrag.h"
#include "ui/Scale.h"

namespace zv::platform {

// Owns SDL's video subsystem and the event loop of all windows.
class WindowHost {
public:
    WindowHost();
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // A window for the form, drawn at the host's scale.
    HostWindow& Create(ui::Form& form, const std::string& title, WindowOptions options);
    // The scale every window is drawn at outside full screen (1 to 4); changing it resizes them all.
    ui::Scale Scale() const { return scale_; }
    void SetScale(ui::Scale scale);
    // The largest of the steps (kScaleSteps) at which a window of this logical size fits the screen's
    // usable area (at least 1).
    ui::Scale LargestScale(int width, int height) const;
    void Destroy(HostWindow& window);
    // False under SDL's dummy driver: windows exist, but nobody sees them or answers them.
    bool HasDisplay() const;
    // A nested loop for a modal window, until stillOpen() turns false or a quit request arrives: every
    // window goes on repainting when uncovered, but mouse and keys reach the modal window alone.
    void RunModal(HostWindow& modal, const std::function<bool()>& stillOpen);
    // Runs until a quit request; blocks in SDL_WaitEvent while nothing happens.
    void Run();
    // Places a quit request in the event queue.
    void RequestQuit();
    // Whether a quit request has been handled: the loops have ended, and a modal window would close at once.
    bool Quitting() const { return quit_; }
    // Minimises every window of the program.
    void MinimiseAll();
    // Processes everything queued without blocking (tests and start-up).
    bool Pump();
    void PresentAll();
    // Queues work to be done once what is shown now has been presented: a slow write that must
    // not hold up the frame it follows. Run() does it after each presenting pass.
    void Later(std::function<void()> task);
    // Does the queued work now, in the order it was queued.
    void RunLater();

    // Asked for a frame of motion before each presenting pass; while it answers true, Run() comes back
    // about once a display refresh even when no event arrives. At rest nothing wakes the loop.
    std::function<bool()> OnFrame;

    // Called for anything thrown out of an event handler; the loop goes on.
    std::function<void(const std::string& message)> OnError;

private:
    // The windows (WindowHost.cpp).
    HostWindow* ById(Uint32 id);
    // Minimised together, back together: the windows an owner owns come back with it.
    void RestoreOwned(HostWindow& owner);
    void RemapOwnedAbove(HostWindow& owner);
    // Windows placed for one display mode are centred again after a change of mode.
    void FollowDisplayMode();

    // The event loop, input and moving windows by hand (EventLoop.cpp).
    bool Dispatch(const SDL_Event& e);
    // Dispatches one event; anything thrown by a handler goes to OnError and the loop goes on.
    void Handle(const SDL_Event& e);
    void WindowEvent(HostWindow& w, const SDL_WindowEvent& e);
    void MouseButton(HostWindow& w, const SDL_MouseButtonEvent& b);
    void MouseMotion(HostWindow& w, const SDL_MouseMotionEvent& m);
    // The X server's record of a press, motion or release: the press point of the next drag, and the
    // pointer the dragged window follows.
    void ServerPointer(const PointerReport& report);
    void FollowPointer(ScreenPoint pointer);
    void EndDrag();

    std::vector<std::unique_ptr<HostWindow>> windows_;
    std::vector<std::function<void()>> later_;
    bool quit_ = false;
    ui::Scale scale_ = 1;
    HostWindow* modal_ = nullptr;
    // The window being moved by hand, and how.
    HostWindow* dragged_ = nullptr;
    WindowDrag drag_;
    // The screen point of the last left press the server reported, until its SDL event comes.
    std::optional<ScreenPoint> pressAt_;
    // The server's pointer events arrive: the drag follows them, not SDL's motion events.
    bool serverPointer_ = false;
    SDL_Rect display_{0, 0, 0, 0};
    bool animating_ = false;
};

} // namespace zv::platform
