// Where a form lies in its window: the window's size at a scale, the full-screen picture centred on black, and
// window points mapped back to the form's logical pixels. Plain numbers in and out, no SDL, so every case is a test.
#pragma once

#include <optional>

#include "ui/Scale.h"

namespace zv::platform {

struct Size {
    int w = 0;
    int h = 0;
    bool operator==(const Size&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The largest of the steps (ui::kScaleSteps) at which width x height logical pixels fit an area (at least 1).
ui::Scale LargestStep(int areaW, int areaH, int width, int height);

// Drawable pixels per window point, from the window's width in each: 1, or the Wayland output's scale.
int PixelRatio(int points, int pixels);

// The window points that hold a number of drawable pixels, rounded up.
int Points(int pixels, int pixelRatio);

// The scale a window is drawn at outside full screen: at least the drawable's own, since fewer pixels than it
// has would be enlarged by the compositor.
ui::Scale WindowedScale(ui::Scale windowScale, int pixelRatio);

// A window's size in points outside full screen: exactly the form's at the scale, rounded.
Size WindowSize(Size form, ui::Scale scale, int pixelRatio);

// The corner that keeps a window's centre where it was when it changes size.
Point KeepCentre(Point corner, Size was, Size now);

struct ViewportInput {
    Size form;        // logical pixels
    Size drawable;    // pixels
    ui::Scale windowScale = 1;
    int pixelRatio = 1;
    bool fullScreen = false;
};

struct Viewport {
    // The scale the form paints at: outside full screen the window's; in full screen the largest of the steps
    // that fits, never a blow-up of a smaller one.
    ui::Scale contentScale = 1;
    // Where even 1x does not fit (a 640 x 480 mode) the form paints at 1x and that is shrunk uniformly (< 1).
    double shrink = 1.0;
    // The content's corner in the drawable: centred, never off its top left.
    int offsetX = 0;
    int offsetY = 0;
    int pixelRatio = 1;
    bool Shrunk() const { return shrink < 1.0; }
};

Viewport FitViewport(const ViewportInput& in);

// The pixels the form's content takes in the drawable.
Size ShownSize(const Viewport& v, Size form);

// Whether the content paints every pixel of a surface, so that no black margin need be laid first.
bool CoversSurface(const Viewport& v, Size form, Size surface);

// Window point to form pixel (the logical pixels the controls and the rules know), by the same rounding as
// painting; nullopt when the point lies outside the content.
std::optional<Point> ToForm(const Viewport& v, Size form, Point window);

} // namespace zv::platform
