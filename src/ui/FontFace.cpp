// Text rasterising with stb_truetype over a memory-mapped font file: labels need no shaping engine, and a
// small rasteriser keeps the program's memory close to that of a bare window.
#include "ui/FontFace.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "ui/TrueType.h"

namespace zv::ui {

struct FontFace::Impl {
    std::shared_ptr<const MappedFont> file;
    stbtt_fontinfo info{};
    float scale = 1.0f;
    int pixelSize = 12;
    bool underline = false;
    int ascent = 0, descent = 0, lineGap = 0; // font units

    // A name-table entry (1 family, 2 style, 16 typographic family) in the Windows Unicode record.
    std::string Name(int id) const {
        int len = 0;
        const char* s = stbtt_GetFontNameString(&info, &len, STBTT_PLATFORM_ID_MICROSOFT, STBTT_MS_EID_UNICODE_BMP,
                                                STBTT_MS_LANG_ENGLISH, id);
        std::string out;
        // UTF-16 big-endian; family and style names are plain ASCII in the faces we use.
        for (int i = 0; s && i + 1 < len; i += 2)
            if (s[i] == 0) out.push_back(s[i + 1]);
        return out;
    }
};

std::unique_ptr<FontFace> FontFace::Open(const std::string& file, int pixelSize, bool underline, int quarters) {
    auto impl = std::make_unique<Impl>();
    impl->file = MapFontFile(file);
    if (!impl->file) return nullptr;
    const unsigned char* data = impl->file->data;
    const int offset = stbtt_GetFontOffsetForIndex(data, 0);
    if (offset < 0 || !stbtt_InitFont(&impl->info, data, offset)) return nullptr;
    quarters = std::max(1, quarters);
    impl->pixelSize = std::max(1, (pixelSize * quarters + 2) / 4);
    impl->underline = underline;
    impl->scale = stbtt_ScaleForMappingEmToPixels(&impl->info, std::max(1, pixelSize) * static_cast<float>(quarters) / 4.0f);
    stbtt_GetFontVMetrics(&impl->info, &impl->ascent, &impl->descent, &impl->lineGap);
    std::unique_ptr<FontFace> f(new FontFace());
    f->impl_ = std::move(impl);
    return f;
}

FontFace::~FontFace() = default;

std::string FontFace::Family() const {
    std::string f = impl_->Name(1);
    return f.empty() ? impl_->Name(16) : f;
}

std::string FontFace::Style() const { return impl_->Name(2); }
bool FontFace::Has(char32_t cp) const { return stbtt_FindGlyphIndex(&impl_->info, static_cast<int>(cp)) != 0; }

int FontFace::LineSkip() const {
    return static_cast<int>(std::ceil((impl_->ascent - impl_->descent + impl_->lineGap) * impl_->scale));
}

SurfacePtr FontFace::RenderMask(const std::string& utf8) const {
    const Impl& f = *impl_;
    const std::vector<char32_t> text = DecodeUtf8(utf8);
    if (text.empty()) return {};
    const int ascent = static_cast<int>(std::ceil(f.ascent * f.scale));
    const int descent = static_cast<int>(std::ceil(-f.descent * f.scale));
    const int height = std::max(1, ascent + descent);

    struct Placed {
        int glyph;
        float x;
    };
    std::vector<Placed> placed;
    float pen = 0.0f, left = 0.0f, right = 0.0f;
    int previous = 0;
    for (char32_t cp : text) {
        const int glyph = stbtt_FindGlyphIndex(&f.info, static_cast<int>(cp));
        if (previous) pen += f.scale * static_cast<float>(stbtt_GetGlyphKernAdvance(&f.info, previous, glyph));
        int advance = 0, lsb = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphHMetrics(&f.info, glyph, &advance, &lsb);
        stbtt_GetGlyphBitmapBoxSubpixel(&f.info, glyph, f.scale, f.scale, pen - std::floor(pen), 0, &x0, &y0, &x1, &y1);
        left = std::min(left, std::floor(pen) + static_cast<float>(x0));
        right = std::max({right, std::floor(pen) + static_cast<float>(x1), pen + f.scale * static_cast<float>(advance)});
        placed.push_back({glyph, pen});
        pen += f.scale * static_cast<float>(advance);
        previous = glyph;
    }
    const int shift = static_cast<int>(-std::floor(left));
    const int width = std::max(1, static_cast<int>(std::ceil(right)) + shift);
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return {};
    SDL_FillRect(s, nullptr, 0);

    std::vector<unsigned char> cover;
    for (const Placed& p : placed) {
        const float sub = p.x - std::floor(p.x);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphBitmapBoxSubpixel(&f.info, p.glyph, f.scale, f.scale, sub, 0, &x0, &y0, &x1, &y1);
        const int w = x1 - x0, h = y1 - y0;
        if (w <= 0 || h <= 0) continue;
        cover.assign(static_cast<std::size_t>(w * h), 0);
        stbtt_MakeGlyphBitmapSubpixel(&f.info, cover.data(), w, h, w, f.scale, f.scale, sub, 0, p.glyph);
        const int gx = static_cast<int>(std::floor(p.x)) + shift + x0;
        const int gy = ascent + y0;
        for (int row = 0; row < h; ++row) {
            const int y = gy + row;
            if (y < 0 || y >= height) continue;
            auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
            for (int col = 0; col < w; ++col) {
                const int x = gx + col;
                const Uint32 a = cover[static_cast<std::size_t>(row * w + col)];
                if (x < 0 || x >= width || !a) continue;
                // Overlapping glyphs keep the stronger coverage.
                out[x] = (std::max<Uint32>(a, out[x] >> 24) << 24) | 0xFFFFFF;
            }
        }
    }
    if (f.underline) {
        const int thickness = std::max(1, f.pixelSize / 14);
        const int y = std::min(height - thickness, ascent + std::max(1, descent / 3));
        for (int t = 0; t < thickness; ++t) {
            auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + (y + t) * s->pitch);
            for (int x = 0; x < width; ++x) out[x] = 0xFFFFFFFF;
        }
    }
    return AdoptSurface(s);
}

std::vector<char32_t> DecodeUtf8(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        out.push_back(ok ? cp : 0xFFFD);
        i += ok ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

} // namespace zv::ui
