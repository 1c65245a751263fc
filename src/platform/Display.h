// Full screen at 640 x 480 x 16: the choice of display mode and the switch itself, there and back.
#pragma once

#include <stdexcept>
#include <vector>

struct SDL_Window;

namespace zv::platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bpp = 0;
    bool operator==(const DisplayMode&) const = default;
};

// The display mode the close step returns the screen to.
struct SavedDisplayMode {
    int width = 0;
    int height = 0;
    int bpp = 0;
};

constexpr DisplayMode kFullScreenMode{640, 480, 16};
constexpr int kMainWindowWidth = 632;
constexpr int kMainWindowHeight = 492;

// The modes worth trying, best first: exactly 640 x 480 x 16; then the 16-bit modes of at least
// 640 x 480 with a 4:3 ratio, smallest first; then the other 16-bit modes of at least
// 640 x 480, smallest first. Displays that offer modes only at their own depth (X11, Wayland)
// have no 16-bit mode at all, so the same order at desktopBpp follows.
std::vector<DisplayMode> RankDisplayModes(const std::vector<DisplayMode>& available, int desktopBpp);

// The error of a failed switch, naming the mode that was asked for.
std::runtime_error FullScreenModeError();

class FullScreenDisplay {
public:
    virtual ~FullScreenDisplay() = default;
    // Enters full screen; throws std::runtime_error naming the requested mode when that fails.
    virtual void Initialise() = 0;
    // Leaves full screen; the display returns to the mode it had before. No-op when not active.
    virtual void Finalise() = 0;
    virtual bool Active() const = 0;
    virtual SavedDisplayMode Saved() const = 0;
    // The close step's request for the saved mode; its result is not looked at.
    virtual void RestoreSavedDisplayMode() = 0;
};

class FullScreen : public FullScreenDisplay {
public:
    explicit FullScreen(SDL_Window* window, int windowW = kMainWindowWidth, int windowH = kMainWindowHeight)
        : window_(window), windowW_(windowW), windowH_(windowH) {}
    void Initialise() override;
    void Finalise() override;
    bool Active() const override { return active_; }
    SavedDisplayMode Saved() const override { return saved_; }
    void RestoreSavedDisplayMode() override;
    // The window's size outside full screen (it changes with the scale the window is drawn at).
    void SetWindowedSize(int w, int h) {
        windowW_ = w;
        windowH_ = h;
    }

private:
    SDL_Window* window_;
    int windowW_, windowH_;
    bool active_ = false;
    SavedDisplayMode saved_;
};

} // namespace zv::platform
