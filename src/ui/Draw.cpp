// Small drawing helpers shared by the controls.
#include "ui/Draw.h"

#include <cstring>

namespace zv::ui {

void FillRect(SDL_Surface* s, int x, int y, int w, int h, SDL_Color c) {
    SDL_Rect r{x, y, w, h};
    SDL_FillRect(s, &r, SDL_MapRGB(s->format, c.r, c.g, c.b));
}

void Bevel(SDL_Surface* s, int x, int y, int w, int h, bool raised, int width) {
    const SDL_Color light{255, 255, 255, 255}, dark{128, 128, 128, 255};
    const SDL_Color tl = raised ? light : dark, br = raised ? dark : light;
    for (int i = 0; i < width; ++i) {
        FillRect(s, x + i, y + i, w - 2 * i, 1, tl);
        FillRect(s, x + i, y + i, 1, h - 2 * i, tl);
        FillRect(s, x + i, y + h - 1 - i, w - 2 * i, 1, br);
        FillRect(s, x + w - 1 - i, y + i, 1, h - 2 * i, br);
    }
}

void ButtonFace(SDL_Surface* s, int x, int y, int w, int h, int scale) {
    FillRect(s, x, y, w, h, {212, 208, 200, 255});
    Bevel(s, x, y, w, h, true, scale);
    FillRect(s, x, y + h - scale, w, scale, {64, 64, 64, 255});
    FillRect(s, x + w - scale, y, scale, h, {64, 64, 64, 255});
}

void Dim(SDL_Surface* s, const SDL_Rect& r) {
    SDL_Rect area;
    const SDL_Rect all{0, 0, s->w, s->h};
    if (s->format->BytesPerPixel != 4 || !SDL_IntersectRect(&r, &all, &area)) return;
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    for (int y = area.y; y < area.y + area.h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = area.x; x < area.x + area.w; ++x) {
            Uint8 red, green, blue;
            SDL_GetRGB(row[x], s->format, &red, &green, &blue);
            // Its own brightness, lifted halfway to a light grey: shapes stay readable, colours go.
            const int grey = (red * 77 + green * 150 + blue * 29) >> 8;
            const auto v = static_cast<Uint8>((grey + 2 * 200) / 3);
            row[x] = SDL_MapRGB(s->format, v, v, v);
        }
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

namespace {

// Three-byte pictures (large backgrounds) into the window: a plain loop, several times faster than SDL's
// general converting blit for this pair of formats.
bool BlitWide(SDL_Surface* src, const SDL_Rect* srcRect, SDL_Surface* dst, int x, int y) {
    if (src->format->format != SDL_PIXELFORMAT_BGR24 || dst->format->format != SDL_PIXELFORMAT_RGB888 ||
        SDL_HasColorKey(src))
        return false;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(src, &mode);
    if (mode != SDL_BLENDMODE_NONE) return false;
    SDL_Rect from{0, 0, src->w, src->h};
    if (srcRect) {
        const SDL_Rect asked = *srcRect;
        if (!SDL_IntersectRect(&asked, &from, &from)) return true;
        x += from.x - asked.x;
        y += from.y - asked.y;
    }
    SDL_Rect clip, vis;
    SDL_GetClipRect(dst, &clip);
    const SDL_Rect to{x, y, from.w, from.h};
    if (!SDL_IntersectRect(&to, &clip, &vis)) return true;
    const int sx = from.x + (vis.x - x), sy = from.y + (vis.y - y);
    if (SDL_MUSTLOCK(dst)) SDL_LockSurface(dst);
    for (int row = 0; row < vis.h; ++row) {
        const Uint8* in = static_cast<const Uint8*>(src->pixels) + (sy + row) * src->pitch + 3 * sx;
        auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dst->pixels) + (vis.y + row) * dst->pitch) + vis.x;
        int col = 0;
        // Four pixels from three words (blue, green, red and the next pixel's blue in the first): a third
        // faster than a byte at a time.
        for (; col + 4 <= vis.w; col += 4, in += 12) {
            Uint32 a, b, c;
            std::memcpy(&a, in, 4);
            std::memcpy(&b, in + 4, 4);
            std::memcpy(&c, in + 8, 4);
            a = SDL_SwapLE32(a), b = SDL_SwapLE32(b), c = SDL_SwapLE32(c);
            out[col] = a & 0xFFFFFF;
            out[col + 1] = a >> 24 | (b & 0xFFFF) << 8;
            out[col + 2] = b >> 16 | (c & 0xFF) << 16;
            out[col + 3] = c >> 8;
        }
        for (; col < vis.w; ++col, in += 3) out[col] = static_cast<Uint32>(in[2]) << 16 | static_cast<Uint32>(in[1]) << 8 | in[0];
    }
    if (SDL_MUSTLOCK(dst)) SDL_UnlockSurface(dst);
    return true;
}

} // namespace

void Blit(SDL_Surface* src, const SDL_Rect* srcRect, SDL_Surface* dst, int x, int y) {
    if (!src || BlitWide(src, srcRect, dst, x, y)) return;
    SDL_Rect to{x, y, 0, 0};
    SDL_BlitSurface(src, srcRect, dst, &to);
}

bool CoversOpaquely(SDL_Surface* picture, int w, int h) {
    if (!picture || picture->w < w || picture->h < h) return false;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(picture, &mode);
    return mode == SDL_BLENDMODE_NONE && !SDL_HasColorKey(picture);
}

void BlitStretched(SDL_Surface* src, SDL_Surface* dst, const SDL_Rect& to) {
    if (!src || to.w <= 0 || to.h <= 0) return;
    SDL_Rect r = to;
    if (src->w == to.w && src->h == to.h) {
        SDL_BlitSurface(src, nullptr, dst, &r);
        return;
    }
    // Our own nearest-neighbour stretch: SDL_BlitScaled draws nothing when the clip cuts a
    // strongly stretched picture (a 3-pixel frame piece over 630 pixels).
    if (src->format->format != dst->format->format || src->format->BytesPerPixel != 4) {
        SDL_BlitScaled(src, nullptr, dst, &r);
        return;
    }
    SDL_Rect clip, area;
    SDL_GetClipRect(dst, &clip);
    if (!SDL_IntersectRect(&clip, &to, &area)) return;
    if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
    if (SDL_MUSTLOCK(dst)) SDL_LockSurface(dst);
    for (int y = area.y; y < area.y + area.h; ++y) {
        const int sy = static_cast<int>(static_cast<long>(y - to.y) * src->h / to.h);
        const auto* in = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(src->pixels) + sy * src->pitch);
        auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dst->pixels) + y * dst->pitch);
        for (int x = area.x; x < area.x + area.w; ++x) out[x] = in[static_cast<long>(x - to.x) * src->w / to.w];
    }
    if (SDL_MUSTLOCK(dst)) SDL_UnlockSurface(dst);
    if (SDL_MUSTLOCK(src)) SDL_UnlockSurface(src);
}

} // namespace zv::ui
