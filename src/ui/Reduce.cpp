// The area filter that takes whole-scale artwork down to a fractional scale.
#include "ui/Reduce.h"

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

} // namespace

SurfacePtr ReduceArea(SDL_Surface* src, int w, int h) {
    if (!src || w <= 0 || h <= 0 || src->w <= 0 || src->h <= 0) return nullptr;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(src, &mode);
    Uint32 key = 0;
    const bool keyed = SDL_GetColorKey(src, &key) == 0;
    const bool see = keyed || mode != SDL_BLENDMODE_NONE;
    SDL_Surface* in = SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!in) return nullptr;
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) {
        SDL_FreeSurface(in);
        return nullptr;
    }
    // The keyed colour is transparent, whatever the conversion made of it.
    auto pixelAt = [&](int x, int y) {
        const Uint32 p = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(in->pixels) + y * in->pitch)[x];
        if (keyed) {
            const Uint32 original = [&] {
                const Uint8* q = static_cast<const Uint8*>(src->pixels) + y * src->pitch + x * src->format->BytesPerPixel;
                switch (src->format->BytesPerPixel) {
                case 4: return *reinterpret_cast<const Uint32*>(q);
                case 3: return SDL_BYTEORDER == SDL_LIL_ENDIAN ? Uint32(q[0] | q[1] << 8 | q[2] << 16) : Uint32(q[2] | q[1] << 8 | q[0] << 16);
                case 2: return Uint32(*reinterpret_cast<const Uint16*>(q));
                default: return Uint32(*q);
                }
            }();
            if (original == key) return Uint32{0};
        }
        return see ? p : (p | 0xFF000000u);
    };
    if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
    const auto xs = Taps(src->w, w), ys = Taps(src->h, h);
    const std::uint64_t area = static_cast<std::uint64_t>(src->w) * static_cast<std::uint64_t>(src->h);
    for (int y = 0; y < h; ++y) {
        const Tap& ty = ys[static_cast<std::size_t>(y)];
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) + y * out->pitch);
        for (int x = 0; x < w; ++x) {
            const Tap& tx = xs[static_cast<std::size_t>(x)];
            // Sums of premultiplied colour and of alpha, each weighed by the area taken.
            std::uint64_t r = 0, g = 0, b = 0, a = 0;
            for (std::size_t j = 0; j < ty.weights.size(); ++j)
                for (std::size_t i = 0; i < tx.weights.size(); ++i) {
                    const Uint32 p = pixelAt(tx.first + static_cast<int>(i), ty.first + static_cast<int>(j));
                    const std::uint64_t wgt = static_cast<std::uint64_t>(tx.weights[i]) * static_cast<std::uint64_t>(ty.weights[j]);
                    const std::uint64_t pa = p >> 24;
                    a += wgt * pa;
                    r += wgt * pa * ((p >> 16) & 255);
                    g += wgt * pa * ((p >> 8) & 255);
                    b += wgt * pa * (p & 255);
                }
            // Each target pixel covers `area` weight in all; its colour is the alpha-weighed mean.
            const Uint32 alpha = static_cast<Uint32>((a + area / 2) / area);
            Uint32 v = alpha << 24;
            if (a > 0)
                v |= static_cast<Uint32>((r + a / 2) / a) << 16 | static_cast<Uint32>((g + a / 2) / a) << 8 |
                     static_cast<Uint32>((b + a / 2) / a);
            row[x] = v;
        }
    }
    if (SDL_MUSTLOCK(src)) SDL_UnlockSurface(src);
    SDL_FreeSurface(in);
    SDL_SetSurfaceBlendMode(out, see ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    return AdoptSurface(out);
}

SDL_Rect ReducedPlace(SDL_Surface* whole, Scale scale, int logicalX, int logicalY) {
    if (!whole) return {0, 0, 0, 0};
    const int f = scale.Whole();
    const int lw = (whole->w + f - 1) / f, lh = (whole->h + f - 1) / f;
    return {scale.Px(logicalX), scale.Px(logicalY), scale.Span(logicalX, lw), scale.Span(logicalY, lh)};
}

SDL_Surface* ReducedPictures::Get(SDL_Surface* source, int w, int h) {
    if (!source) return nullptr;
    for (const Made& m : made_)
        if (m.source == source && m.w == w && m.h == h) return m.picture.get();
    made_.push_back({source, w, h, ReduceArea(source, w, h)});
    return made_.back().picture.get();
}

} // namespace zv::ui
