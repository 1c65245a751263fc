// One host window: the SDL window of a form, its surface (or a texture where there is none), the presenting of
// what changed, its scale, its place and its owner.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Viewport.h"
#include "ui/Scale.h"

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
    // Window point to form pixel (the logical pixels the controls and the rules know); nullopt when the
    // point lies outside the content. The one place where the mouse is mapped back from the scale.
    std::optional<Point> ToForm(int wx, int wy) const;

    // The scale the window is drawn at outside full screen; its size follows (scale x the form's).
    // Its centre stays where it was.
    void SetScale(ui::Scale scale);
    ui::Scale WindowScale() const { return windowScale_; }
    // The scale the content is drawn at now: in full screen the largest of the steps that fits the screen.
    ui::Scale ContentScale() const { return view_.contentScale; }

private:
    // Where a press makes the compositor move the window (Wayland): the form's drag points.
    static SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void* data);
    void Layout();
    // Outside full screen the window is exactly the form's size at the scale, rounded, in pixels.
    void FitWindowToForm();
    Size FormSize() const;
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
    // Where the form lies in the drawable and at which scale it paints (see Viewport).
    Viewport view_;
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

} // namespace zv::platform
