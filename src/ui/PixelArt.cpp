// Scale2x / Scale3x and nearest-neighbour enlarging of 32-bit pictures.
#include "ui/PixelArt.h"

#include <vector>

namespace zv::ui {

namespace {

// A 32-bit working copy of a picture's pixels, read with edges clamped.
struct Pixels {
    int w = 0, h = 0;
    std::vector<Uint32> px;
    Uint32 at(int x, int y) const {
        x = x < 0 ? 0 : (x >= w ? w - 1 : x);
        y = y < 0 ? 0 : (y >= h ? h - 1 : y);
        return px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
    }
};

Pixels Read(SDL_Surface* s) {
    Pixels p;
    p.w = s->w;
    p.h = s->h;
    p.px.resize(static_cast<std::size_t>(p.w) * static_cast<std::size_t>(p.h));
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    for (int y = 0; y < p.h; ++y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        SDL_memcpy(&p.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.w)], row, static_cast<std::size_t>(p.w) * 4);
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    return p;
}

SurfacePtr Write(const Pixels& p, SDL_Surface* like) {
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, p.w, p.h, 32, like->format->format);
    if (!out) return nullptr;
    for (int y = 0; y < p.h; ++y)
        SDL_memcpy(static_cast<Uint8*>(out->pixels) + y * out->pitch, &p.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.w)],
                   static_cast<std::size_t>(p.w) * 4);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(like, &mode);
    SDL_SetSurfaceBlendMode(out, mode);
    Uint32 key;
    if (SDL_HasColorKey(like) && SDL_GetColorKey(like, &key) == 0) SDL_SetColorKey(out, SDL_TRUE, key);
    return AdoptSurface(out);
}

Pixels Scale2x(const Pixels& in) {
    Pixels out;
    out.w = in.w * 2;
    out.h = in.h * 2;
    out.px.resize(static_cast<std::size_t>(out.w) * static_cast<std::size_t>(out.h));
    auto put = [&](int x, int y, Uint32 v) { out.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.w) + static_cast<std::size_t>(x)] = v; };
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x) {
            //   A
            // C P B
            //   D
            const Uint32 p = in.at(x, y), a = in.at(x, y - 1), b = in.at(x + 1, y), c = in.at(x - 1, y), d = in.at(x, y + 1);
            Uint32 e0 = p, e1 = p, e2 = p, e3 = p;
            if (c == a && c != d && a != b) e0 = a;
            if (a == b && a != c && b != d) e1 = b;
            if (d == c && d != b && c != a) e2 = c;
            if (b == d && b != a && d != c) e3 = d;
            put(2 * x, 2 * y, e0);
            put(2 * x + 1, 2 * y, e1);
            put(2 * x, 2 * y + 1, e2);
            put(2 * x + 1, 2 * y + 1, e3);
        }
    return out;
}

Pixels Scale3x(const Pixels& in) {
    Pixels out;
    out.w = in.w * 3;
    out.h = in.h * 3;
    out.px.resize(static_cast<std::size_t>(out.w) * static_cast<std::size_t>(out.h));
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x) {
            // A B C
            // D E F
            // G H I
            const Uint32 A = in.at(x - 1, y - 1), B = in.at(x, y - 1), C = in.at(x + 1, y - 1);
            const Uint32 D = in.at(x - 1, y), E = in.at(x, y), F = in.at(x + 1, y);
            const Uint32 G = in.at(x - 1, y + 1), H = in.at(x, y + 1), I = in.at(x + 1, y + 1);
            Uint32 e[9] = {E, E, E, E, E, E, E, E, E};
            if (B != H && D != F) {
                e[0] = D == B ? D : E;
                e[1] = (D == B && E != C) || (B == F && E != A) ? B : E;
                e[2] = B == F ? F : E;
                e[3] = (D == B && E != G) || (D == H && E != A) ? D : E;
                e[5] = (B == F && E != I) || (H == F && E != C) ? F : E;
                e[6] = D == H ? D : E;
                e[7] = (D == H && E != I) || (H == F && E != G) ? H : E;
                e[8] = H == F ? F : E;
            }
            for (int k = 0; k < 9; ++k)
                out.px[static_cast<std::size_t>(3 * y + k / 3) * static_cast<std::size_t>(out.w) + static_cast<std::size_t>(3 * x + k % 3)] = e[k];
        }
    return out;
}

Pixels Nearest(const Pixels& in, int f) {
    Pixels out;
    out.w = in.w * f;
    out.h = in.h * f;
    out.px.resize(static_cast<std::size_t>(out.w) * static_cast<std::size_t>(out.h));
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            out.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.w) + static_cast<std::size_t>(x)] = in.at(x / f, y / f);
    return out;
}

bool Usable(SDL_Surface* src, int factor) {
    return src && factor >= 1 && factor <= 8 && src->w > 0 && src->h > 0 && src->w <= 16384 / factor &&
           src->h <= 16384 / factor;
}

// A 32-bit copy of a picture of another depth (paletted and 24-bit bitmaps stay as decoded).
SurfacePtr AsWide(SDL_Surface* src) {
    if (src->format->BytesPerPixel == 4) return SurfacePtr(src, [](SDL_Surface*) {});
    return AdoptSurface(SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_RGB888, 0));
}

} // namespace

SurfacePtr EnlargePixelArt(SDL_Surface* original, int factor) {
    if (!Usable(original, factor)) return nullptr;
    const SurfacePtr wide = AsWide(original);
    SDL_Surface* src = wide.get();
    if (!src) return nullptr;
    const Pixels in = Read(src);
    switch (factor) {
    case 2: return Write(Scale2x(in), src);
    case 3: return Write(Scale3x(in), src);
    case 4: return Write(Scale2x(Scale2x(in)), src);
    default: return Write(Nearest(in, factor), src);
    }
}

SurfacePtr EnlargeNearest(SDL_Surface* original, int factor) {
    if (!Usable(original, factor)) return nullptr;
    const SurfacePtr wide = AsWide(original);
    if (!wide) return nullptr;
    return Write(Nearest(Read(wide.get()), factor), wide.get());
}

} // namespace zv::ui
