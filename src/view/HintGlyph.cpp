// The hint area's lamp, drawn for each scale from shapes so that it is as crisp as the title strip around it.
#include "view/HintGlyph.h"

#include <algorithm>
#include <cmath>

namespace zv::view {

namespace {

struct Rgba {
    double r, g, b, a;
};

// Paints b over a.
Rgba Over(Rgba a, Rgba b) {
    const double out = b.a + a.a * (1 - b.a);
    if (out <= 0) return {0, 0, 0, 0};
    auto mix = [&](double x, double y) { return (y * b.a + x * a.a * (1 - b.a)) / out; };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), out};
}

bool InRoundedRect(double x, double y, double left, double top, double w, double h, double radius) {
    if (x < left || y < top || x > left + w || y > top + h) return false;
    const double cx = std::clamp(x, left + radius, left + w - radius), cy = std::clamp(y, top + radius, top + h - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

bool InLamp(double x, double y) {
    const double dx = x - 8.5, dy = y - 7.2;
    return dx * dx + dy * dy <= 3.4 * 3.4 || (x >= 6.9 && x <= 10.1 && y >= 9.8 && y <= 12.0) ||
           (x >= 7.3 && x <= 9.7 && y >= 12.4 && y <= 13.6);
}

// The colour at a point of the 17 x 17 area, in its own units: the same button as the rules glyph beside it.
Rgba At(double x, double y) {
    Rgba c{0, 0, 0, 0};
    if (InRoundedRect(x, y, 1, 1, 15, 15, 3)) c = Over(c, {20, 16, 60, 0.85});
    if (InRoundedRect(x, y, 2, 2, 13, 13, 2.2)) {
        const double t = std::clamp((y - 2) / 13, 0.0, 1.0);
        c = Over(c, {176 + (82 - 176) * t, 172 + (76 - 172) * t, 240 + (176 - 240) * t, 1});
    }
    if (InRoundedRect(x, y, 2.5, 2.5, 12, 6, 2)) c = Over(c, {255, 255, 255, 0.25});
    if (InLamp(x - 0.8, y - 0.8)) c = Over(c, {0, 0, 0, 0.45});
    if (InLamp(x, y)) c = Over(c, {255, 244, 150, 1});
    return c;
}

} // namespace

ui::SurfacePtr DrawHintGlyph(int scale) {
    const int s = std::clamp(scale, 1, 4), size = 17 * s;
    ui::SurfacePtr out = ui::AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!out) return out;
    SDL_SetSurfaceBlendMode(out.get(), SDL_BLENDMODE_BLEND);
    constexpr int kSamples = 4; // per side of a pixel, for smooth edges
    for (int py = 0; py < size; ++py) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) + py * out->pitch);
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba c = At((px + (sx + 0.5) / kSamples) / s, (py + (sy + 0.5) / kSamples) / s);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            const double n = kSamples * kSamples;
            const auto byte = [](double v) { return static_cast<Uint32>(std::lround(std::clamp(v, 0.0, 255.0))); };
            row[px] = a > 0 ? (byte(a / n * 255) << 24) | (byte(r / a) << 16) | (byte(g / a) << 8) | byte(b / a) : 0;
        }
    }
    return out;
}

} // namespace zv::view
