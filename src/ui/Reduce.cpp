// The area filter that takes whole-scale artwork down to a fractional scale.
#include "ui/Reduce.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>

namespace zv::ui {

namespace {

// For each target pixel along one axis, the source pixels under it and how much of each: in units where a
// source pixel is to/g long and a target pixel from/g long (g their greatest common divisor, so the weights are
// as small as they can be: 4 to 3 for 2x to 1.5x), so a target pixel's weights add up to `whole`. Every target
// pixel has `span` weights, the ones past its last source pixel zero, so the loops over them have one length.
struct Taps {
    std::vector<int> first;
    std::vector<std::uint32_t> weight;
    int span = 1;
    std::uint32_t whole = 1;
};

Taps MakeTaps(int from, int to) {
    Taps taps;
    const auto g = static_cast<long>(std::gcd(from, to));
    taps.whole = static_cast<std::uint32_t>(from / g);
    taps.first.resize(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const long lo = static_cast<long>(t) * from, hi = lo + from;
        const int first = static_cast<int>(lo / to);
        const int last = static_cast<int>(std::min<long>((hi - 1) / to, from - 1));
        taps.first[static_cast<std::size_t>(t)] = first;
        taps.span = std::max(taps.span, last - first + 1);
    }
    taps.weight.assign(static_cast<std::size_t>(to) * static_cast<std::size_t>(taps.span), 0);
    for (int t = 0; t < to; ++t) {
        const long lo = static_cast<long>(t) * from, hi = lo + from;
        const int first = taps.first[static_cast<std::size_t>(t)];
        for (int s = first; s < from && static_cast<long>(s) * to < hi; ++s) {
            const long a = std::max(lo, static_cast<long>(s) * to), b = std::min(hi, static_cast<long>(s + 1) * to);
            taps.weight[static_cast<std::size_t>(t) * static_cast<std::size_t>(taps.span) + static_cast<std::size_t>(s - first)] =
                static_cast<std::uint32_t>((b - a) / g);
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

// Whether a format has eight bits in each channel it has, so channels are read and written straight through
// the masks.
bool EightBits(const SDL_PixelFormat* f) {
    return f->BytesPerPixel >= 3 && !SDL_ISPIXELFORMAT_INDEXED(f->format) && f->Rloss == 0 && f->Gloss == 0 &&
           f->Bloss == 0 && (!f->Amask || f->Aloss == 0);
}

// One source row as channels, four a pixel (red, green, blue, alpha). The caller's buffer runs on past the row
// with transparent pixels, which the zero weights past the row's end read.
template <int Bytes>
void DecodeRow(const Uint8* line, int w, const SDL_PixelFormat* in, bool eightBits, bool keyed, Uint32 key, bool see,
               Uint8* out) {
    for (int x = 0; x < w; ++x, out += 4) {
        const Uint32 raw = ReadRaw(line + x * Bytes, Bytes);
        if (keyed && raw == key) out[0] = out[1] = out[2] = out[3] = 0;
        else if (eightBits) {
            out[0] = static_cast<Uint8>((raw & in->Rmask) >> in->Rshift);
            out[1] = static_cast<Uint8>((raw & in->Gmask) >> in->Gshift);
            out[2] = static_cast<Uint8>((raw & in->Bmask) >> in->Bshift);
            out[3] = see && in->Amask ? static_cast<Uint8>((raw & in->Amask) >> in->Ashift) : 255;
        } else {
            SDL_GetRGBA(raw, in, &out[0], &out[1], &out[2], &out[3]);
            if (!see || !in->Amask) out[3] = 255;
        }
    }
}

// Division by one divisor, many times over, rounded down: a shift for a power of two (the usual scales give
// those), else a product with the reciprocal corrected to be exact (the sums here stay far below 2^53, so the
// product is off by less than one and one step mends it).
struct Divider {
    explicit Divider(std::uint64_t divisor)
        : d(divisor), shift(std::has_single_bit(divisor) ? std::countr_zero(divisor) : -1),
          inverse(1.0 / static_cast<double>(divisor)) {}
    // For a divisor that changes with every pixel, where looking for a power of two costs more than it saves.
    enum Reciprocal { NotAPowerOfTwo };
    Divider(std::uint64_t divisor, Reciprocal) : d(divisor), shift(-1), inverse(1.0 / static_cast<double>(divisor)) {}
    std::uint64_t operator()(std::uint64_t n) const {
        if (shift >= 0) return n >> shift;
        auto q = static_cast<std::uint64_t>(static_cast<double>(n) * inverse);
        if (q * d > n) --q;
        else if ((q + 1) * d <= n) ++q;
        return q;
    }
    std::uint64_t d;
    int shift;
    double inverse;
};

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
//
// Each source row is decoded and summed across into the target columns once, and kept while the target rows
// that cover it are made; a target pixel is then the sum of those rows' sums weighed by how much of each row it
// covers. An opaque picture sums its colours alone; one that can be seen through sums alpha and colour weighed by
// alpha, so no dark fringe appears round a transparent edge. All in whole numbers (Acc wide enough for the largest
// sum), so the result does not depend on the order of the sums.
template <bool See, class Acc, int XSpan, class RowAt>
void Reduce(SDL_Surface* src, const Taps& xs, const Taps& ys, const SDL_PixelFormat* outFormat, RowAt rowAt) {
    const int xspan = XSpan ? XSpan : xs.span;
    const int w = static_cast<int>(xs.first.size()), h = static_cast<int>(ys.first.size());
    Uint32 key = 0;
    // Asked only of a keyed picture: SDL_GetColorKey sets SDL's error otherwise, which on the start-up thread
    // makes SDL a per-thread record that it never frees.
    const bool keyed = SDL_HasColorKey(src) && SDL_GetColorKey(src, &key) == 0;
    const SDL_PixelFormat* in = src->format;
    const int bytes = in->BytesPerPixel, outBytes = outFormat->BytesPerPixel;
    const bool eightBits = EightBits(in), eightBitsOut = EightBits(outFormat);
    // Held here: the stores into the rows could otherwise be taken to change them.
    const int rShift = outFormat->Rshift, gShift = outFormat->Gshift, bShift = outFormat->Bshift, aShift = outFormat->Ashift;
    const Uint32 aMask = outFormat->Amask;
    // What a target pixel's weights add up to.
    const std::uint64_t area = std::uint64_t{xs.whole} * ys.whole;
    const Divider perArea(area);
    constexpr int channels = See ? 4 : 3;
    const auto across = static_cast<std::size_t>(w) * channels;

    std::vector<Uint8> rgba((static_cast<std::size_t>(src->w) + static_cast<std::size_t>(xs.span)) * 4, 0);
    // The source rows summed across, one slot for each source row a target row can cover, and which row each holds.
    std::vector<Acc> summed(across * static_cast<std::size_t>(ys.span));
    std::vector<int> held(static_cast<std::size_t>(ys.span), -1);
    const auto sumAcross = [&](int sy) -> const Acc* {
        const auto slot = static_cast<std::size_t>(sy % ys.span);
        Acc* out = &summed[slot * across];
        if (held[slot] == sy) return out;
        held[slot] = sy;
        const Uint8* line = static_cast<const Uint8*>(src->pixels) + sy * src->pitch;
        switch (bytes) {
        case 4: DecodeRow<4>(line, src->w, in, eightBits, keyed, key, See, rgba.data()); break;
        case 3: DecodeRow<3>(line, src->w, in, eightBits, keyed, key, See, rgba.data()); break;
        case 2: DecodeRow<2>(line, src->w, in, eightBits, keyed, key, See, rgba.data()); break;
        default: DecodeRow<1>(line, src->w, in, eightBits, keyed, key, See, rgba.data());
        }
        const std::uint32_t* weight = xs.weight.data();
        Acc* sum = out;
        for (int x = 0; x < w; ++x, sum += channels, weight += xspan) {
            const Uint8* c = &rgba[static_cast<std::size_t>(xs.first[static_cast<std::size_t>(x)]) * 4];
            Acc r = 0, g = 0, b = 0, a = 0;
            for (int i = 0; i < xspan; ++i, c += 4) {
                const Acc wa = See ? Acc(weight[i]) * c[3] : Acc(weight[i]);
                r += wa * c[0];
                g += wa * c[1];
                b += wa * c[2];
                if constexpr (See) a += wa;
            }
            sum[0] = r;
            sum[1] = g;
            sum[2] = b;
            if constexpr (See) sum[3] = a;
        }
        return out;
    };

    std::vector<const Acc*> rows(static_cast<std::size_t>(ys.span));
    for (int y = 0; y < h; ++y) {
        const int first = ys.first[static_cast<std::size_t>(y)];
        const std::uint32_t* wy = &ys.weight[static_cast<std::size_t>(y) * static_cast<std::size_t>(ys.span)];
        int n = 0;
        while (n < ys.span && wy[n] != 0) {
            rows[static_cast<std::size_t>(n)] = sumAcross(first + n);
            ++n;
        }
        Uint8* out = rowAt(y);
        for (std::size_t x = 0, at = 0; at < across; ++x, at += channels) {
            Acc s[channels] = {};
            for (int j = 0; j < n; ++j)
                for (int c = 0; c < channels; ++c) s[c] += Acc(wy[j]) * rows[static_cast<std::size_t>(j)][at + static_cast<std::size_t>(c)];
            Uint8 r = 0, g = 0, b = 0, alpha = 255;
            if constexpr (See) {
                // The colour is the alpha-weighed mean.
                const std::uint64_t a = s[3];
                alpha = static_cast<Uint8>(perArea(a + area / 2));
                if (a > 0) {
                    const Divider perA(a, Divider::NotAPowerOfTwo);
                    r = static_cast<Uint8>(perA(s[0] + a / 2));
                    g = static_cast<Uint8>(perA(s[1] + a / 2));
                    b = static_cast<Uint8>(perA(s[2] + a / 2));
                }
            } else {
                r = static_cast<Uint8>(perArea(s[0] + area / 2));
                g = static_cast<Uint8>(perArea(s[1] + area / 2));
                b = static_cast<Uint8>(perArea(s[2] + area / 2));
            }
            Uint32 v = 0;
            if (eightBitsOut)
                v = Uint32(r) << rShift | Uint32(g) << gShift | Uint32(b) << bShift | (See ? (Uint32(alpha) << aShift) & aMask : aMask);
            else v = See ? SDL_MapRGBA(outFormat, r, g, b, alpha) : SDL_MapRGB(outFormat, r, g, b);
            WriteRaw(out + x * static_cast<std::size_t>(outBytes), outBytes, v);
        }
    }
}

// Chooses the sums' width: 32 bits where the largest sum (every weight on full alpha and full colour) fits.
template <class RowAt>
void Reduce(SDL_Surface* src, int w, int h, const SDL_PixelFormat* outFormat, RowAt rowAt) {
    if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
    const Taps xs = MakeTaps(src->w, w), ys = MakeTaps(src->h, h);
    const bool narrow = std::uint64_t{xs.whole} * ys.whole * 255 * 255 <= UINT32_MAX;
    // The usual case, an opaque picture reduced by less than half, has its loop lengths known here.
    if (SeeThrough(src)) {
        if (narrow) Reduce<true, std::uint32_t, 0>(src, xs, ys, outFormat, rowAt);
        else Reduce<true, std::uint64_t, 0>(src, xs, ys, outFormat, rowAt);
    } else if (narrow && xs.span == 2) Reduce<false, std::uint32_t, 2>(src, xs, ys, outFormat, rowAt);
    else if (narrow && xs.span == 3) Reduce<false, std::uint32_t, 3>(src, xs, ys, outFormat, rowAt);
    else if (narrow) Reduce<false, std::uint32_t, 0>(src, xs, ys, outFormat, rowAt);
    else Reduce<false, std::uint64_t, 0>(src, xs, ys, outFormat, rowAt);
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

std::shared_ptr<const PackedPicture> PackedAt(SDL_Surface* whole, Scale scale, int logicalX, int logicalY) {
    if (!whole) return nullptr;
    if (scale.IsWhole() || scale.Quarters() < 4) return PackedPicture::Pack(whole);
    // A small one is reduced as usual.
    constexpr std::size_t kSmallest = 256 * 1024;
    const SDL_Rect place = ReducedPlace(whole, scale, logicalX, logicalY);
    if (static_cast<std::size_t>(place.w) * static_cast<std::size_t>(place.h) * whole->format->BytesPerPixel < kSmallest) return nullptr;
    return ReduceAreaPacked(whole, place.w, place.h);
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
