// Caption drawing with stb_truetype: fractional sizes and positions, so a word lands where the artwork put it.
#include "view/CaptionText.h"

#include "ui/FontFace.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "ui/Fonts.h"
#include "ui/TrueType.h"

namespace zv::view {

namespace {

struct Face {
    bool ok = false;
    std::shared_ptr<const ui::MappedFont> file;
    stbtt_fontinfo info{};
};

// A face stays mapped for the program's life: there are three of them, and every paint of the panel uses one.
const Face& FaceOf(const Lettering& l) {
    static std::map<std::pair<std::string, bool>, Face> faces;
    const auto key = std::make_pair(std::string(l.family), l.bold);
    if (auto it = faces.find(key); it != faces.end()) return it->second;
    Face& face = faces[key];
    std::string file = ui::ResolveFontFile(l.family, l.bold);
    if (file.empty())
        for (const std::string& standIn : ui::StandInFamilies(l.family, l.bold))
            if (file = ui::ResolveFontFile(standIn, l.bold); !file.empty()) break;
    face.file = file.empty() ? nullptr : ui::MapFontFile(file);
    if (!face.file) return face;
    const unsigned char* data = face.file->data;
    const int offset = stbtt_GetFontOffsetForIndex(data, 0);
    face.ok = offset >= 0 && stbtt_InitFont(&face.info, data, offset);
    return face;
}


struct Glyph {
    int index;
    double x;  // pen position from the line's origin, in pixels
};

// The glyphs of a line and its advance width at a scale of the face.
std::vector<Glyph> LayOut(const Face& f, const std::string& text, float scale, double& width) {
    std::vector<Glyph> glyphs;
    double pen = 0;
    int previous = 0;
    for (char32_t cp : ui::DecodeUtf8(text)) {
        const int glyph = stbtt_FindGlyphIndex(&f.info, static_cast<int>(cp));
        if (previous) pen += scale * stbtt_GetGlyphKernAdvance(&f.info, previous, glyph);
        int advance = 0, lsb = 0;
        stbtt_GetGlyphHMetrics(&f.info, glyph, &advance, &lsb);
        glyphs.push_back({glyph, pen});
        pen += scale * advance;
        previous = glyph;
    }
    width = pen;
    return glyphs;
}

Uint32 ReadPixel(const SDL_Surface* s, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    if (s->format->BytesPerPixel == 4) return *reinterpret_cast<const Uint32*>(p);
    return SDL_BYTEORDER == SDL_LIL_ENDIAN ? Uint32(p[0] | p[1] << 8 | p[2] << 16) : Uint32(p[2] | p[1] << 8 | p[0] << 16);
}

void WritePixel(SDL_Surface* s, int x, int y, Uint32 v) {
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    if (s->format->BytesPerPixel == 4) {
        *reinterpret_cast<Uint32*>(p) = v;
        return;
    }
    if (SDL_BYTEORDER == SDL_LIL_ENDIAN) p[0] = Uint8(v), p[1] = Uint8(v >> 8), p[2] = Uint8(v >> 16);
    else p[2] = Uint8(v), p[1] = Uint8(v >> 8), p[0] = Uint8(v >> 16);
}

// The line's coverage, one byte a pixel, in a grid whose corner lies at (gridX, gridY) on the target.
struct Mask {
    int gridX = 0, gridY = 0, w = 0, h = 0;
    std::vector<Uint8> cover;
};

Mask Rasterise(const Face& f, const std::vector<Glyph>& glyphs, float scale, double left, double baseline) {
    Mask m;
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -(1 << 30), y1 = -(1 << 30);
    struct Placed {
        int glyph, gx, gy, bx0, by0, bx1, by1;
        float subX, subY;
    };
    std::vector<Placed> placed;
    for (const Glyph& g : glyphs) {
        const double px = left + g.x;
        const int gx = static_cast<int>(std::floor(px)), gy = static_cast<int>(std::floor(baseline));
        Placed p{g.index, gx, gy, 0, 0, 0, 0, static_cast<float>(px - gx), static_cast<float>(baseline - gy)};
        stbtt_GetGlyphBitmapBoxSubpixel(&f.info, g.index, scale, scale, p.subX, p.subY, &p.bx0, &p.by0, &p.bx1, &p.by1);
        if (p.bx1 <= p.bx0 || p.by1 <= p.by0) continue;
        x0 = std::min(x0, gx + p.bx0), y0 = std::min(y0, gy + p.by0);
        x1 = std::max(x1, gx + p.bx1), y1 = std::max(y1, gy + p.by1);
        placed.push_back(p);
    }
    if (placed.empty()) return m;
    m.gridX = x0, m.gridY = y0, m.w = x1 - x0, m.h = y1 - y0;
    m.cover.assign(static_cast<std::size_t>(m.w * m.h), 0);
    std::vector<Uint8> one;
    for (const Placed& p : placed) {
        const int w = p.bx1 - p.bx0, h = p.by1 - p.by0;
        one.assign(static_cast<std::size_t>(w * h), 0);
        stbtt_MakeGlyphBitmapSubpixel(&f.info, one.data(), w, h, w, scale, scale, p.subX, p.subY, p.glyph);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                Uint8& out = m.cover[static_cast<std::size_t>((p.gy + p.by0 - y0 + row) * m.w + p.gx + p.bx0 - x0 + col)];
                // Where glyphs overlap, their outlines are one shape: coverage adds up to full.
                out = static_cast<Uint8>(std::min(255, out + one[static_cast<std::size_t>(row * w + col)]));
            }
    }
    return m;
}

// std::lround, without the call into the library, for the channel values here (never negative).
long Round(double x) {
    if (!(x >= 0)) return std::lround(x);
    const auto whole = static_cast<long>(x);
    return x - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

// Lays the mask, moved by (dx, dy) pixels, over the target in a colour that may change by row.
template <class InkOfRow>
void Composite(SDL_Surface* target, const Mask& m, int dx, int dy, double alpha, InkOfRow inkOfRow) {
    SDL_Rect clip;
    SDL_GetClipRect(target, &clip);
    const SDL_PixelFormat* fmt = target->format;
    // The window's own form, four bytes a pixel with a byte a channel: its pixels are read and written in place.
    const bool direct = fmt->BytesPerPixel == 4 && fmt->Rloss == 0 && fmt->Gloss == 0 && fmt->Bloss == 0;
    const int firstCol = std::max(0, clip.x - m.gridX - dx), endCol = std::min(m.w, clip.x + clip.w - m.gridX - dx);
    // The share of the ink each coverage lays down, worked out once rather than for every pixel.
    double share[256];
    for (int c = 0; c < 256; ++c) share[c] = alpha * c / 255.0;
    for (int row = 0; row < m.h; ++row) {
        const int y = m.gridY + dy + row;
        if (y < clip.y || y >= clip.y + clip.h) continue;
        const Ink ink = inkOfRow(y);
        const Uint32 solid = Uint32(ink.r) << fmt->Rshift | Uint32(ink.g) << fmt->Gshift | Uint32(ink.b) << fmt->Bshift | fmt->Amask;
        const Uint8* cover = &m.cover[static_cast<std::size_t>(row * m.w)];
        for (int col = firstCol; col < endCol; ++col) {
            const Uint8 c = cover[col];
            if (!c) continue;
            const int x = m.gridX + dx + col;
            const double a = share[c];
            auto over = [a](Uint8 under, Uint8 on) { return static_cast<Uint8>(Round(under + (on - under) * a)); };
            if (direct) {
                Uint32& pixel = reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + y * target->pitch)[x];
                // Fully covered in full ink: the ink itself, as the sum below would make it.
                if (a == 1.0) {
                    pixel = solid;
                    continue;
                }
                const auto r = static_cast<Uint8>((pixel & fmt->Rmask) >> fmt->Rshift);
                const auto g = static_cast<Uint8>((pixel & fmt->Gmask) >> fmt->Gshift);
                const auto b = static_cast<Uint8>((pixel & fmt->Bmask) >> fmt->Bshift);
                // As SDL_MapRGB makes it: opaque where the form has alpha.
                pixel = Uint32(over(r, ink.r)) << fmt->Rshift | Uint32(over(g, ink.g)) << fmt->Gshift |
                        Uint32(over(b, ink.b)) << fmt->Bshift | fmt->Amask;
                continue;
            }
            Uint8 r, g, b;
            SDL_GetRGB(ReadPixel(target, x, y), fmt, &r, &g, &b);
            WritePixel(target, x, y, SDL_MapRGB(fmt, over(r, ink.r), over(g, ink.g), over(b, ink.b)));
        }
    }
}

Ink Mix(Ink a, Ink b, double t) {
    auto m = [t](Uint8 p, Uint8 q) { return static_cast<std::uint8_t>(std::lround(p + (q - p) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

} // namespace


double CaptionWidth(const std::string& text, const Lettering& lettering, double pixelSize) {
    const Face& f = FaceOf(lettering);
    if (!f.ok) return 0;
    double width = 0;
    LayOut(f, text, stbtt_ScaleForMappingEmToPixels(&f.info, static_cast<float>(pixelSize)), width);
    return width;
}

double FittedPixelSize(const std::string& text, const Lettering& lettering, double pixelSize, double width) {
    const double natural = CaptionWidth(text, lettering, pixelSize);
    if (natural <= width || natural <= 0) return pixelSize;
    // Widths grow in step with the size, give or take a kerning pair.
    return std::max(pixelSize * kSmallestCaptionShare, pixelSize * width / natural);
}

void DrawCaption(SDL_Surface* target, const SDL_Rect& box, const std::string& text, const Lettering& l, double pixelSize,
                 CaptionAlign align) {
    const Face& f = FaceOf(l);
    if (!f.ok || text.empty() || !target) return;
    const float scale = stbtt_ScaleForMappingEmToPixels(&f.info, static_cast<float>(pixelSize));
    double width = 0;
    const std::vector<Glyph> glyphs = LayOut(f, text, scale, width);
    double left = box.x;
    if (align == CaptionAlign::Centre) left = box.x + box.w / 2.0 - width / 2;
    if (align == CaptionAlign::Right) left = box.x + box.w - width;
    // Capitals of one face share a height, so rows of mixed case line up on the box's middle.
    int cx0 = 0, cy0 = 0, cx1 = 0, cy1 = 0;
    if (!stbtt_GetCodepointBox(&f.info, 0x041D, &cx0, &cy0, &cx1, &cy1)) stbtt_GetCodepointBox(&f.info, 'H', &cx0, &cy0, &cx1, &cy1);
    const double baseline = box.y + box.h / 2.0 + (cy0 + cy1) / 2.0 * scale;
    const double capTop = baseline - cy1 * scale;
    const Mask mask = Rasterise(f, glyphs, scale, left, baseline);
    if (mask.cover.empty()) return;

    const double unit = pixelSize / l.px;
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    if (l.shadowAlpha > 0)
        Composite(target, mask, static_cast<int>(std::lround(l.shadowDx * unit)), static_cast<int>(std::lround(l.shadowDy * unit)),
                  l.shadowAlpha, [&](int) { return l.shadow; });
    if (l.highlightAlpha > 0)
        Composite(target, mask, 0, static_cast<int>(std::lround(unit)), l.highlightAlpha, [&](int) { return l.highlight; });
    Composite(target, mask, 0, 0, 1.0, [&](int y) {
        const double t = std::clamp((y + 0.5 - capTop) / (baseline - capTop), 0.0, 1.0);
        return Mix(l.top, l.bottom, t);
    });
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

} // namespace zv::view

namespace zv::view {

double PanelCaption::PixelSize(const Lettering& l, double scale) const {
    return FittedPixelSize(text_, l, l.px * scale, place_.w * scale);
}

double PanelCaption::DrawnWidth(const Lettering& l, double scale) const { return CaptionWidth(text_, l, PixelSize(l, scale)); }

void PanelCaption::Paint(SDL_Surface* target, int left, int top, const SkinLettering& skin, double scale) const {
    const Lettering& l = place_.heading ? skin.heading : skin.caption;
    const SDL_Rect box{left + static_cast<int>(std::lround(place_.x * scale)), top + static_cast<int>(std::lround(place_.y * scale)),
                       static_cast<int>(std::lround(place_.w * scale)), static_cast<int>(std::lround(place_.h * scale))};
    // A repaint of a score or a mark touches one or two words: the others are not laid out at all. Letters and
    // their shadows may reach a little past the box.
    const SDL_Rect reach{box.x - box.h, box.y - box.h, box.w + 2 * box.h, 3 * box.h};
    SDL_Rect clip, common;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &reach, &common)) return;
    DrawCaption(target, box, text_, l, PixelSize(l, scale), place_.align);
}

double ButtonCaptionRoom(int cellWidth, double scale) { return (cellWidth - 2 * kButtonMargin) * scale; }

void DrawButtonCaption(SDL_Surface* target, const SDL_Rect& cell, const std::string& text, int state, double scale) {
    const Lettering l = ButtonLettering(state);
    const double px = FittedPixelSize(text, l, l.px * scale, cell.w - 2 * kButtonMargin * scale);
    // A pressed face takes its caption one pixel of the layout in and down.
    const int push = state == 2 ? static_cast<int>(std::lround(scale)) : 0;
    DrawCaption(target, {cell.x + push, cell.y + push, cell.w, cell.h}, text, l, px, CaptionAlign::Centre);
}

} // namespace zv::view
