// The area filter that takes whole-scale artwork down to a fractional scale.
#include "ui/Reduce.h"

#include <algorithm>
#include <cstdint>

namespace zv::ui {

namespace {

// For each target pixel along one axis, the source pixels under it and how much of each: in units
// where a source pixel is `to` long and a target pixel `from` long.
struct Tap {
    int first = 0;
    std::vector<int> weights;
};

std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const long lo = static_cast<long>(t) * from, hi = lo + from;
        Tap& tap = taps[static_cast<std::size_t>(t)];
        tap.first = static_cast<int>(lo / to);
        for (int s = tap.first; s < from && static_cast<long>(s) * to < hi; ++s) {
            const long a = std::max(lo, static_cast<long>(s) * to), b = std::min(hi, static_cast<long>(s + 1) * to);
            tap.weights.push_back(static_cast<int>(b - a));
        }
    }
    return taps;
}

Uint32 ReadRaw(const Uint8* p, int bytes) {
    switch (bytes) {
    case 4: return *reinterpret_cast<const Uint32*>(p);
    case 3: return SDL_BYTEORDER == SDL_LIL_ENDIAN ? Uint32(p[0] | p[1] << 8 | p[2] << 16) : Uint32(p[2] | p[1] << 8 | p[0] << 16);
    case 2: return *reinterpret_cast<const Uint16*>(p);
    default: return *p;
    }
}

void WriteRaw(Uint8* p, int bytes, Uint32 v) {
    switch (bytes) {
    case 4: *reinterpret_cast<Uint32*>(p) = v; break;
    case 3:
        if (SDL_BYTEORDER == SDL_LIL_ENDIAN) p[0] = Uint8(v), p[1] = Uint8(v >> 8), p[2] = Uint8(v >> 16);
        else p[2] = Uint8(v), p[1] = Uint8(v >> 8), p[0] = Uint8(v >> 16);
        break;
    case 2: *reinterpret_cast<Uint16*>(p) = Uint16(v); break;
    default: *p = Uint8(v);
    }
}

} // namespace

namespace {

// Whether the picture can be seen through (a colour key or blending), and the form it is reduced into: an opaque
// picture stays in its own form (the large ones are kept three bytes a pixel); one that can be seen through
// comes back with alpha.
bool SeeThrough(SDL_Surface* src) {
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(src, &mode);
    return SDL_HasColorKey(src) || mode != SDL_BLENDMODE_NONE;
}

Uint32 ReducedFormat(SDL_Surface* src) {
    const bool see = SeeThrough(src);
    const SDL_PixelFormat* in = src->format;
    const bool ownForm = !see && in->BytesPerPixel >= 3 && !SDL_ISPIXELFORMAT_INDEXED(in->format);
    return ownForm ? in->format : static_cast<Uint32>(see ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888);
}

// Reduces src to w x h pixels of the format out, top row first, each into the buffer rowAt(y) gives.
template <class RowAt>
void Reduce(SDL_Surface* src, int w, int h, const SDL_PixelFormat* outFormat, RowAt rowAt) {
    Uint32 key = 0;
    const bool keyed = SDL_GetColorKey(src, &key) == 0;
    const bool see = SeeThrough(src);
    const SDL_PixelFormat* in = src->format;
    if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
    const auto xs = Taps(src->w, w), ys = Taps(src->h, h);
    const int bytes = in->BytesPerPixel, outBytes = outFormat->BytesPerPixel;
    // The usual pictures have eight bits a channel: their channels are read straight from the masks.
    const bool eightBits = bytes >= 3 && !SDL_ISPIXELFORMAT_INDEXED(in->format) && in->Rloss == 0 && in->Gloss == 0 &&
                           in->Bloss == 0 && (!in->Amask || in->Aloss == 0);
    const std::uint64_t area = static_cast<std::uint64_t>(src->w) * static_cast<std::uint64_t>(src->h);
    // Per target row: each source row under it summed across into the target columns (alpha, and colour
    // weighed by alpha), then those sums weighed by how much of the source row the target row covers.
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(w) * 4);
    std::vector<Uint8> rgba(static_cast<std::size_t>(src->w) * 4);
    for (int y = 0; y < h; ++y) {
        const Tap& ty = ys[static_cast<std::size_t>(y)];
        std::fill(sums.begin(), sums.end(), 0);
        for (std::size_t j = 0; j < ty.weights.size(); ++j) {
            const Uint8* line = static_cast<const Uint8*>(src->pixels) + (ty.first + static_cast<int>(j)) * src->pitch;
            for (int x = 0; x < src->w; ++x) {
                const Uint32 raw = ReadRaw(line + x * bytes, bytes);
                Uint8* c = &rgba[static_cast<std::size_t>(x) * 4];
                if (keyed && raw == key) c[0] = c[1] = c[2] = c[3] = 0;
                else if (eightBits) {
                    c[0] = static_cast<Uint8>((raw & in->Rmask) >> in->Rshift);
                    c[1] = static_cast<Uint8>((raw & in->Gmask) >> in->Gshift);
                    c[2] = static_cast<Uint8>((raw & in->Bmask) >> in->Bshift);
                    c[3] = see && in->Amask ? static_cast<Uint8>((raw & in->Amask) >> in->Ashift) : 255;
                } else {
                    SDL_GetRGBA(raw, in, &c[0], &c[1], &c[2], &c[3]);
                    if (!see || !in->Amask) c[3] = 255;
                }
            }
            for (int x = 0; x < w; ++x) {
                const Tap& tx = xs[static_cast<std::size_t>(x)];
                Uint32 a = 0, r = 0, g = 0, b = 0;
                for (std::size_t i = 0; i < tx.weights.size(); ++i) {
                    const Uint8* c = &rgba[static_cast<std::size_t>(tx.first + static_cast<int>(i)) * 4];
                    const Uint32 wa = static_cast<Uint32>(tx.weights[i]) * c[3];
                    a += wa;
                    r += wa * c[0];
                    g += wa * c[1];
                    b += wa * c[2];
                }
                std::uint64_t* s = &sums[static_cast<std::size_t>(x) * 4];
                const auto wy = static_cast<std::uint64_t>(ty.weights[j]);
                s[0] += wy * a;
                s[1] += wy * r;
                s[2] += wy * g;
                s[3] += wy * b;
            }
        }
        Uint8* row = rowAt(y);
        for (int x = 0; x < w; ++x) {
            const std::uint64_t* s = &sums[static_cast<std::size_t>(x) * 4];
            const std::uint64_t a = s[0];
            // Each target pixel covers `area` weight in all; its colour is the alpha-weighed mean.
            const auto alpha = static_cast<Uint8>((a + area / 2) / area);
            Uint8 r = 0, g = 0, b = 0;
            if (a > 0) {
                r = static_cast<Uint8>((s[1] + a / 2) / a);
                g = static_cast<Uint8>((s[2] + a / 2) / a);
                b = static_cast<Uint8>((s[3] + a / 2) / a);
            }
            WriteRaw(row + x * outBytes, outBytes, see ? SDL_MapRGBA(outFormat, r, g, b, alpha) : SDL_MapRGB(outFormat, r, g, b));
        }
    }
    if (SDL_MUSTLOCK(src)) SDL_UnlockSurface(src);
}

} // namespace

SurfacePtr ReduceArea(SDL_Surface* src, int w, int h) {
    if (!src || w <= 0 || h <= 0 || src->w <= 0 || src->h <= 0) return nullptr;
    const Uint32 format = ReducedFormat(src);
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format);
    if (!out) return nullptr;
    Reduce(src, w, h, out->format, [out](int y) { return static_cast<Uint8*>(out->pixels) + y * out->pitch; });
    SDL_SetSurfaceBlendMode(out, SeeThrough(src) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    return AdoptSurface(out);
}

std::shared_ptr<const PackedPicture> ReduceAreaPacked(SDL_Surface* src, int w, int h) {
    if (!src || w <= 0 || h <= 0 || src->w <= 0 || src->h <= 0 || SeeThrough(src)) return nullptr;
    const Uint32 format = ReducedFormat(src);
    SDL_PixelFormat* outFormat = SDL_AllocFormat(format);
    if (!outFormat) return nullptr;
    PackedRows rows(w, h, format);
    Reduce(src, w, h, outFormat, [&rows](int) { return rows.Next(); });
    SDL_FreeFormat(outFormat);
    return rows.Finish();
}

SDL_Rect ReducedPlace(SDL_Surface* whole, Scale scale, int logicalX, int logicalY) {
    if (!whole) return {0, 0, 0, 0};
    const int f = scale.Whole();
    const int lw = (whole->w + f - 1) / f, lh = (whole->h + f - 1) / f;
    return {scale.Px(logicalX), scale.Px(logicalY), scale.Span(logicalX, lw), scale.Span(logicalY, lh)};
}

SDL_Surface* ReducedPictures::Find(std::uintptr_t key, int w, int h) const {
    for (const Made& m : made_)
        if (m.key == key && m.w == w && m.h == h) return m.picture.get();
    return nullptr;
}

SDL_Surface* ReducedPictures::Get(std::uintptr_t key, SDL_Surface* source, int w, int h) {
    if (SDL_Surface* found = Find(key, w, h)) return found;
    if (!source) return nullptr;
    made_.push_back({key, w, h, ReduceArea(source, w, h)});
    return made_.back().picture.get();
}

} // namespace zv::ui
