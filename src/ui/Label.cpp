// Labels with their text effects, rendered once per change and blitted with alpha.
#include "ui/Label.h"

#include <algorithm>
#include <vector>

#include "ui/Draw.h"
#include "ui/FontFace.h"

namespace zv::ui {

namespace {
std::vector<std::string> SplitLines(const std::string& s) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        auto nl = s.find('\n', start);
        out.push_back(s.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return out;
}

// Draws the mask into dst at x, y in one colour per row chosen by colourOf(row), compositing over what is there.
template <class ColourOf>
void Stamp(SDL_Surface* mask, SDL_Surface* dst, int x, int y, ColourOf colourOf) {
    for (int row = 0; row < mask->h; ++row) {
        const int dy = y + row;
        if (dy < 0 || dy >= dst->h) continue;
        const SDL_Color c = colourOf(row);
        const auto* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(mask->pixels) + row * mask->pitch);
        auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dst->pixels) + dy * dst->pitch);
        for (int col = 0; col < mask->w; ++col) {
            const int dx = x + col;
            if (dx < 0 || dx >= dst->w) continue;
            const Uint32 a = src[col] >> 24;
            if (!a) continue;
            const Uint32 d = out[dx];
            const Uint32 da = d >> 24, dr = (d >> 16) & 255, dg = (d >> 8) & 255, db = d & 255;
            // Porter-Duff "over" for straight alpha.
            const Uint32 oa = a + da * (255 - a) / 255;
            auto mix = [&](Uint32 s, Uint32 dc) { return oa ? (s * a + dc * da * (255 - a) / 255) / oa : 0; };
            out[dx] = (oa << 24) | (mix(c.r, dr) << 16) | (mix(c.g, dg) << 8) | mix(c.b, db);
        }
    }
}

// The longest start of text, cut at a character boundary, that fits in room pixels with "…" after it.
SurfacePtr Shortened(const FontFace& font, const std::string& text, int room) {
    std::vector<std::size_t> cuts{0}; // character boundaries, shortest first
    for (std::size_t i = 1; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
    auto render = [&](std::size_t k) {
        std::string head = text.substr(0, cuts[k]);
        while (!head.empty() && head.back() == ' ') head.pop_back();
        return font.RenderMask(head + "\u2026");
    };
    // Binary search for the last cut that fits; the bare ellipsis when none does.
    std::size_t lo = 0, hi = cuts.size();
    while (hi - lo > 1) {
        const std::size_t mid = (lo + hi) / 2;
        SurfacePtr m = render(mid);
        if (m && m->w <= room) lo = mid;
        else hi = mid;
    }
    return render(lo);
}

} // namespace

void Label::SetCaption(const std::string& text) {
    if (text == caption_) return;
    Invalidate();
    caption_ = text;
    dirtyText_ = true;
    Invalidate();
    FitNow();
}

void Label::SetFont(FontRequest font) {
    font_ = std::move(font);
    dirtyText_ = true;
    Invalidate();
    FitNow();
}

void Label::FitNow() {
    // A label that sizes itself takes its new width now, not while painting: a width found during a
    // paint would be clipped to the old one until the next repaint.
    if (autoSize_) Rendered();
}

void Label::SetColour(SDL_Color c) {
    colour_ = c;
    dirtyText_ = true;
    Invalidate();
}

void Label::SetDropShadow(int depth, SDL_Color colour) {
    effect_ = Effect::DropShadow;
    depth1_ = depth;
    effect1_ = colour;
    dirtyText_ = true;
    Invalidate();
}

void Label::SetRaisedShadow(int lightDepth, SDL_Color light, int shadowDepth, SDL_Color shadow) {
    effect_ = Effect::RaisedShadow;
    depth1_ = lightDepth;
    effect1_ = light;
    depth2_ = shadowDepth;
    effect2_ = shadow;
    dirtyText_ = true;
    Invalidate();
}

void Label::SetGradient(int steps, SDL_Color from, SDL_Color to) {
    effect_ = Effect::Gradient;
    steps_ = std::max(1, steps);
    effect1_ = from;
    effect2_ = to;
    dirtyText_ = true;
    Invalidate();
}

SurfacePtr Label::Build(Scale scale) {
    // Depths and the rim in whole pixels: a fractional scale rounds them, as it rounds places.
    const int s = scale.Line();
    FontRequest request = font_;
    if (scale.IsWhole()) request.pixelSize *= scale.Whole();
    else request.quarters = scale.Quarters();
    const FontFace* font = Fonts().Get(request);
    if (!font || caption_.empty()) return nullptr;
    std::vector<SurfacePtr> lines;
    int w = 0, h = 0;
    const auto texts = SplitLines(caption_);
    const int room = scale.Px(Width()) - 2 * s * std::max({depth1_, depth2_, haloOn_ ? 1 : 0});
    if (shrink_ && !autoSize_) {
        // A size smaller by a step at a time, down to three quarters of the asked one, until every line fits.
        auto widest = [&texts](const FontFace& f) {
            int widest = 0;
            for (const auto& t : texts)
                if (SurfacePtr m = f.RenderMask(t)) widest = std::max(widest, m->w);
            return widest;
        };
        // The effects may reach one depth past the control, as the texts that fit have them.
        const int shrinkRoom = scale.Px(Width()) - s * std::max({depth1_, depth2_, haloOn_ ? 1 : 0});
        const int smallest = std::max(1, request.pixelSize * 3 / 4);
        while (request.pixelSize > smallest && widest(*font) > shrinkRoom) {
            --request.pixelSize;
            const FontFace* smaller = Fonts().Get(request);
            if (!smaller) break;
            font = smaller;
        }
    }
    const int lineHeight = font->LineSkip();
    // At a fractional scale line i stands where line i of the 1x text stands, scaled and rounded: the text
    // takes the room the layout gave it, however its own line height rounds.
    const FontFace* one = scale.IsWhole() ? nullptr : Fonts().Get(font_);
    auto lineTop = [&](int i) { return one ? scale.Px(i * one->LineSkip()) : i * lineHeight; };
    for (const auto& t : texts) {
        lines.push_back(font->RenderMask(t));
        if (ellipsis_ && lines.back() && lines.back()->w > room) lines.back() = Shortened(*font, t, room);
        if (lines.back()) w = std::max(w, lines.back()->w);
    }
    h = one ? std::max(lineTop(static_cast<int>(texts.size())), lineTop(static_cast<int>(texts.size()) - 1) + font->LineSkip())
            : lineHeight * static_cast<int>(texts.size());
    if (w == 0) return nullptr;
    const int pad = s * std::max({depth1_, depth2_, haloOn_ ? 1 : 0});
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, w + 2 * pad, h + 2 * pad, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) return nullptr;
    SDL_FillRect(out, nullptr, 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SDL_Surface* m = lines[i].get();
        if (!m) continue;
        const int x = pad, y = pad + lineTop(static_cast<int>(i));
        auto solid = [](SDL_Color c) { return [c](int) { return c; }; };
        // The rim is one logical pixel all round: at scale s, every offset up to s pixels.
        if (haloOn_)
            for (int dx = -s; dx <= s; ++dx)
                for (int dy = -s; dy <= s; ++dy)
                    if (dx || dy) Stamp(m, out, x + dx, y + dy, solid(halo_));
        switch (effect_) {
        case Effect::DropShadow:
            Stamp(m, out, x + s * depth1_, y + s * depth1_, solid(effect1_));
            Stamp(m, out, x, y, solid(colour_));
            break;
        case Effect::RaisedShadow: {
            // Extruded one way only, below and right, in the darker of the two colours: both colours
            // extruded both ways read as a doubled, blurred shadow, and one copy at a distance as a ghost.
            auto luma = [](SDL_Color c) { return 299 * c.r + 587 * c.g + 114 * c.b; };
            const bool firstDarker = luma(effect1_) < luma(effect2_);
            const SDL_Color shade = firstDarker ? effect1_ : effect2_;
            for (int d = std::min(s * std::min(depth1_, depth2_), pad); d >= 1; --d) Stamp(m, out, x + d, y + d, solid(shade));
            Stamp(m, out, x, y, solid(colour_));
            break;
        }
        case Effect::Gradient: {
            const SDL_Color a = effect1_, b = effect2_;
            const int rows = m->h, steps = steps_;
            Stamp(m, out, x, y, [=](int row) {
                // Quantised into `steps` bands from the first colour to the last.
                const int band = std::min(steps - 1, row * steps / std::max(1, rows));
                const int den = std::max(1, steps - 1);
                auto lerp = [&](Uint8 p, Uint8 q) { return static_cast<Uint8>(p + (q - p) * band / den); };
                return SDL_Color{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), 255};
            });
            break;
        }
        case Effect::None:
            Stamp(m, out, x, y, solid(colour_));
            break;
        }
    }
    SDL_SetSurfaceBlendMode(out, SDL_BLENDMODE_BLEND);
    return AdoptSurface(out);
}

SDL_Surface* Label::RenderedAt(Scale scale) {
    if (dirtyText_) {
        dirtyText_ = false;
        for (auto& r : rendered_) r.reset();
        // The 1x text decides the label's size at every scale: the layout is the same at all of them.
        rendered_[1] = Build(1);
        if (autoSize_ && rendered_[1] && rendered_[1]->w != Width()) SetWidth(rendered_[1]->w);
    }
    if (scale == Scale(1)) return rendered_[1].get();
    auto& r = rendered_[static_cast<std::size_t>(scale.Quarters())];
    if (!r && rendered_[1]) r = Build(scale);
    return r.get();
}

void Label::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    const SDL_Rect px = PixelBounds(scale);
    if (fill_.a) FillRect(target, originX, originY, px.w, px.h, fill_);
    SDL_Surface* r = RenderedAt(scale);
    if (!r) return;
    int x = originX;
    if (align_ == Align::Centre) x += (px.w - r->w) / 2;
    else if (align_ == Align::Right) x += px.w - r->w;
    SDL_Rect clip, mine{originX, originY, px.w, px.h}, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    Blit(r, nullptr, target, x, originY);
    SDL_SetClipRect(target, &clip);
}

} // namespace zv::ui
