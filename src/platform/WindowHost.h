// The window host: real SDL windows for our forms, presenting only what changed and sleeping while nothing happens;
// moving borderless windows by hand, owned windows and modal boxes.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ScreenPointer.h"
#include "ui/Scale.h"
#include "platform/WindowDrag.h"

namespace zv::ui {
class Form;
}

namespace zv::platform {

// True when SDL runs on a Wayland compositor, which places and scales the windows itself.
bool OnWayland();

struct WindowOptions {
    bool borderless = true;
    bool alwaysOnTop = false;
    bool hidden = false;
    // A window that belongs to another (see SetOwner): no taskbar entry of its own, and a type that
    // window managers keep in its owner's layer (metacity leaves a normal one below a full-screen owner).
    bool owned = false;
};

// Start-up benchmarks: every frame a window presents is written to standard error with the wall-clock time it
// was handed to the display ("zorvex2000: frame N of window W at S.UUUUUU (whole or part, P pixels painted)").
void TracePresentedFrames(bool on);

// The largest of the steps (ui::kScaleSteps) at which width x height logical pixels fit an area (at least 1).
ui::Scale LargestStep(int areaW, int areaH, int width, int height);

class HostWindow {
public:
    HostWindow(ui::Form& form, const std::string& title, WindowOptions options, ui::Scale scale = 1);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    SDL_Window* Sdl() const { return window_; }
    ui::Form& GetForm() const { return form_; }
    Uint32 Id() const { return id_; }
    bool Shown() const { return shown_; }
    // Shows the window; the first showing centres it on the desktop (unless it was placed before).
    // A window with an owner comes up above it.
    void Show();
    void Hide();
    void Minimise();
    // Puts the window's corner at a screen point.
    void Place(int x, int y);
    void Centre();
    // Keeps this window above its owner, whatever the owner does (full screen included), and lets it
    // come back with the owner after both were minimised. Under X11 this makes it transient for the owner.
    void SetOwner(HostWindow& owner);
    HostWindow* Owner() const { return owner_; }
    bool EverShown() const { return everShown_; }
    bool FullScreen() const;
    // Paints what the form invalidated and presents it.
    void Present();
    // How many frames it has put on the screen.
    long Presented() const { return presented_; }
    // Drawable pixels per window point: the Wayland output's scale, else 1.
    int PixelRatio() const { return pixelRatio_; }
    // The window's size or surface changed (full screen, uncovered): lay the content out again.
    void SurfaceChanged();
    // The X server reported part of the window exposed (its Expose, with its serial); ExposureCovered() then
    // says whether the whole frames sent since already drew over all it reported, which spares the window
    // the second frame an exposure made before the first frame reached the server would ask for.
    void ServerExposed(unsigned long serial);
    bool ExposureCovered();
    // Whether a size change the window was told of had already been taken in when it was shown.
    bool SizeChangeCovered();
    unsigned long ServerWindow() const { return serverWindow_; }
    // Window pixel to form pixel (the logical pixels the controls and the rules know); false when the
    // point lies outside the content. The one place where the mouse is mapped back from the scale.
    bool ToForm(int wx, int wy, int& fx, int& fy) const;

    // The scale the window is drawn at outside full screen; its size follows (scale x the form's).
    // Its centre stays where it was.
    void SetScale(ui::Scale scale);
    ui::Scale WindowScale() const { return windowScale_; }
    // The scale the content is drawn at now: in full screen the largest of the steps that fits the screen.
    ui::Scale ContentScale() const { return contentScale_; }

private:
    // Where a press makes the compositor move the window (Wayland): the form's drag points.
    static SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void* data);
    void Layout();
    // Outside full screen the window is exactly the form's size at the scale, rounded, in pixels.
    void FitWindowToForm();
    // The window's points for a number of its drawable's pixels.
    int Points(int pixels) const;
    // The surface the form paints into: the window's own, or where there is none ours at the drawable's
    // size (Wayland); and the presenting of what changed in it.
    SDL_Surface* Target();
    void Flip(const std::vector<SDL_Rect>& changed, const SDL_Surface* surface);
    ui::Form& form_;
    HostWindow* owner_ = nullptr;
    SDL_Window* window_ = nullptr;
    Uint32 id_ = 0;
    bool shown_ = false;
    bool everShown_ = false;
    // The size the window was made at, centred: shown first at that size it needs no placing and no word from the
    // server before its first frame.
    int madeW_ = 0, madeH_ = 0;
    ui::Scale windowScale_ = 1;
    // The form paints at one of the steps where the content fits; where even 1x does not (a 640 x 480
    // mode), it paints at 1x into its canvas and that is shrunk uniformly by shrink_ (< 1).
    ui::Scale contentScale_ = 1;
    double shrink_ = 1.0;
    int offsetX_ = 0, offsetY_ = 0;
    bool fullRedraw_ = true;
    long presented_ = 0;
    // X11: the window, the number of the first request of the last whole frame sent (0: none since shown), and
    // the exposures reported since the last SDL_WINDOWEVENT_EXPOSED.
    unsigned long serverWindow_ = 0;
    unsigned long frameRequest_ = 0;
    bool exposed_ = false;
    bool exposedAfterFrame_ = false;
    int sizeChangesCovered_ = 0;
    // Drawable pixels per window point: 1, or the output's scale on Wayland.
    int pixelRatio_ = 1;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Surface* canvas_ = nullptr;
    void* prefaulted_ = nullptr; // the window surface's pixels last made resident ahead of drawing
};

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
    bool Dispatch(const SDL_Event& e);
    void RemapOwnedAbove(HostWindow& owner);
    void MouseButton(HostWindow& w, const SDL_MouseButtonEvent& b);
    void MouseMotion(HostWindow& w, const SDL_MouseMotionEvent& m);
    // The X server's record of a press, motion or release: the press point of the next drag, and the
    // pointer the dragged window follows.
    void ServerPointer(const PointerReport& report);
    void FollowPointer(ScreenPoint pointer);
    void EndDrag();
    // Windows placed for one display mode are centred again after a change of mode.
    void FollowDisplayMode();
    // Dispatches one event; anything thrown by a handler goes to OnError and the loop goes on.
    void Handle(const SDL_Event& e);
    HostWindow* ById(Uint32 id);
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
