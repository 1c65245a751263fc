// The arithmetic of placing a form in its window at a scale, and of mapping the mouse back.
#include "platform/Viewport.h"

#include <algorithm>

namespace zv::platform {

ui::Scale LargestStep(int areaW, int areaH, int width, int height) {
    ui::Scale best = 1;
    for (int q : ui::kScaleSteps) {
        const ui::Scale s = ui::Scale::FromQuarters(q);
        if (s.Px(width) <= areaW && s.Px(height) <= areaH) best = s;
    }
    return best;
}

int PixelRatio(int points, int pixels) { return std::max(1, points > 0 ? pixels / points : 1); }

int Points(int pixels, int pixelRatio) { return (pixels + pixelRatio - 1) / pixelRatio; }

ui::Scale WindowedScale(ui::Scale windowScale, int pixelRatio) { return std::max(windowScale, ui::Scale(pixelRatio)); }

Size WindowSize(Size form, ui::Scale scale, int pixelRatio) {
    return {Points(scale.Px(form.w), pixelRatio), Points(scale.Px(form.h), pixelRatio)};
}

Point KeepCentre(Point corner, Size was, Size now) {
    return {corner.x + (was.w - now.w) / 2, corner.y + (was.h - now.h) / 2};
}

Viewport FitViewport(const ViewportInput& in) {
    const int w = in.drawable.w, h = in.drawable.h;
    const int cw = std::max(1, in.form.w), ch = std::max(1, in.form.h);
    Viewport v;
    v.pixelRatio = in.pixelRatio;
    if (!in.fullScreen) {
        v.contentScale = WindowedScale(in.windowScale, in.pixelRatio);
    } else if (const ui::Scale fits = LargestStep(w, h, cw, ch); fits.Px(cw) <= w && fits.Px(ch) <= h) {
        v.contentScale = fits;
    } else {
        v.contentScale = 1;
        v.shrink = std::min(static_cast<double>(w) / cw, static_cast<double>(h) / ch);
    }
    const Size shown = ShownSize(v, {cw, ch});
    v.offsetX = std::max(0, (w - shown.w) / 2);
    v.offsetY = std::max(0, (h - shown.h) / 2);
    return v;
}

Size ShownSize(const Viewport& v, Size form) {
    if (v.Shrunk()) return {static_cast<int>(form.w * v.shrink), static_cast<int>(form.h * v.shrink)};
    return {v.contentScale.Px(form.w), v.contentScale.Px(form.h)};
}

bool CoversSurface(const Viewport& v, Size form, Size surface) {
    return !v.Shrunk() && v.offsetX <= 0 && v.offsetY <= 0 && v.contentScale.Px(form.w) + v.offsetX >= surface.w &&
           v.contentScale.Px(form.h) + v.offsetY >= surface.h;
}

std::optional<Point> ToForm(const Viewport& v, Size form, Point window) {
    const int wx = window.x * v.pixelRatio, wy = window.y * v.pixelRatio;
    if (wx < v.offsetX || wy < v.offsetY) return std::nullopt;
    Point f;
    if (v.Shrunk()) {
        f = {static_cast<int>((wx - v.offsetX) / v.shrink), static_cast<int>((wy - v.offsetY) / v.shrink)};
    } else {
        // The logical pixel whose rounded place holds the window pixel.
        f = {v.contentScale.Logical(wx - v.offsetX), v.contentScale.Logical(wy - v.offsetY)};
    }
    if (f.x < form.w && f.y < form.h) return f;
    return std::nullopt;
}

} // namespace zv::platform
