// Converts the game's lettering for the drawing helpers and places a word in its box as the game does.
#include "captions.h"

namespace {

Rgb colour(zv::view::Ink i) { return rgb(i.r, i.g, i.b); }

}  // namespace

Lettering paintLettering(const zv::view::Lettering& l) {
    Lettering p;
    p.family = l.family;
    p.bold = l.bold;
    p.px = l.px;
    p.top = colour(l.top);
    p.bottom = colour(l.bottom);
    p.shadow = colour(l.shadow);
    p.shadowAlpha = l.shadowAlpha;
    p.shadowDx = l.shadowDx;
    p.shadowDy = l.shadowDy;
    p.highlight = colour(l.highlight);
    p.highlightAlpha = l.highlightAlpha;
    return p;
}

std::pair<double, double> captionExtent(const std::string& text, const zv::view::CaptionPlace& p, const Lettering& style,
                                        int scale) {
    const double width = textWidth(text, style, scale);
    double left = p.x * scale;
    if (p.align == zv::view::CaptionAlign::Centre) left = (p.x + p.w / 2.0) * scale - width / 2;
    if (p.align == zv::view::CaptionAlign::Right) left = (p.x + p.w) * scale - width;
    return {left, left + width};
}
