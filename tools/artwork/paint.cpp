// Drawing helpers shared by the artwork generator: colours, canvases, shapes and lettering.
#include "paint.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb lighten(Rgb c, double t) { return mix(c, {1, 1, 1}, t); }
Rgb darken(Rgb c, double t) { return mix(c, {0, 0, 0}, t); }
double luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

void setColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

Canvas::Canvas(int width, int height, int scale)
    : width_(width), height_(height), scale_(scale),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
    // A whole-number scale keeps the pixel grid: a 1-pixel rectangle or a line on a half pixel stays crisp.
    cairo_scale(cr_, scale, scale);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

static void putLe(std::vector<unsigned char>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void Canvas::saveBmp(const std::string& path) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const int width = width_ * scale_, height = height_ * scale_;
    const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
    std::vector<unsigned char> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    putLe(out, 54 + imageSize, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<uint32_t>(width), 4);
    putLe(out, static_cast<uint32_t>(height), 4);  // positive: bottom-up rows
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);  // no compression
    putLe(out, imageSize, 4);
    putLe(out, 0, 4);  // no resolution given
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        // Premultiplied pixels are already composited over black, which is what a bitmap without alpha shows.
        for (int x = 0; x < width; ++x) {
            const uint32_t px = row[x];
            out.push_back(static_cast<unsigned char>(px & 0xff));
            out.push_back(static_cast<unsigned char>((px >> 8) & 0xff));
            out.push_back(static_cast<unsigned char>((px >> 16) & 0xff));
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path);
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

void Canvas::savePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

double Noise::next() {
    // xorshift32: fixed sequence on every platform.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xffffff) / double(0x1000000);
}

void grain(cairo_t* cr, int x, int y, int w, int h, double strength, uint32_t seed) {
    Noise n(seed);
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            const double v = n.next() - 0.5;
            if (std::fabs(v) < 0.2) continue;
            cairo_set_source_rgba(cr, v > 0 ? 1 : 0, v > 0 ? 1 : 0, v > 0 ? 1 : 0, std::fabs(v) * strength);
            cairo_rectangle(cr, i, j, 1, 1);
            cairo_fill(cr);
        }
    }
}

static PangoLayout* makeLayout(cairo_t* cr, const std::string& text, const Lettering& style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    // Fixed rendering options so the output does not depend on desktop settings.
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), fo);
    cairo_font_options_destroy(fo);
    pango_layout_context_changed(layout);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, style.family.c_str());
    pango_font_description_set_weight(desc, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(desc, style.px * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

static cairo_surface_t* scratchSurface = nullptr;
static cairo_t* scratch = nullptr;

static cairo_t* scratchContext() {
    if (!scratch) {
        scratchSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
        scratch = cairo_create(scratchSurface);
    }
    return scratch;
}

void releaseTextResources() {
    if (scratch) {
        cairo_destroy(scratch);
        cairo_surface_destroy(scratchSurface);
        scratch = nullptr;
        scratchSurface = nullptr;
    }
    // Drop the font caches of Pango, Cairo and fontconfig so leak checkers see a clean exit.
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}

double textWidth(const std::string& text, const Lettering& style, int scale) {
    // Measured under the canvas's scale: the font is laid out for that many pixels, not stretched from 1x.
    cairo_t* cr = scratchContext();
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    PangoLayout* layout = makeLayout(cr, text, style);
    cairo_restore(cr);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    g_object_unref(layout);
    return logical.width / double(PANGO_SCALE) * scale;
}

void drawText(cairo_t* cr, const std::string& text, double x, double cy, Align align, const Lettering& style) {
    PangoLayout* layout = makeLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    const double width = logical.width / double(PANGO_SCALE);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);

    // Cap height from a capital letter of the same face, so rows of mixed case line up.
    PangoLayout* probe = makeLayout(cr, "Н", style);
    PangoRectangle capInk, capLogical;
    pango_layout_get_extents(probe, &capInk, &capLogical);
    const double capTop = capInk.y / double(PANGO_SCALE);
    const double capBottom = (capInk.y + capInk.height) / double(PANGO_SCALE);
    g_object_unref(probe);

    double left = x;
    if (align == Align::Centre) left = x - width / 2;
    if (align == Align::Right) left = x - width;
    const double top = cy - (capTop + capBottom) / 2;

    cairo_save(cr);
    auto pathAt = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, left + dx, top + dy);
        pango_cairo_layout_path(cr, layout);
    };
    if (style.shadowAlpha > 0) {
        pathAt(style.shadowDx, style.shadowDy);
        setColour(cr, style.shadow, style.shadowAlpha);
        cairo_fill(cr);
    }
    if (style.highlightAlpha > 0) {
        pathAt(0, 1);
        setColour(cr, style.highlight, style.highlightAlpha);
        cairo_fill(cr);
    }
    pathAt(0, 0);
    if (style.outlineWidth > 0) {
        setColour(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top + capTop, 0, top + baseline);
    addStop(fill, 0, style.top);
    addStop(fill, 1, style.bottom);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
    g_object_unref(layout);
}

Rgb ballColour(int position) {
    switch (position) {
    case 1: return rgb(222, 46, 46);    // red
    case 2: return rgb(52, 168, 64);    // green
    case 3: return rgb(44, 98, 222);    // blue
    case 4: return rgb(246, 200, 36);   // yellow
    case 5: return rgb(156, 64, 200);   // purple
    default: return rgb(34, 190, 206);  // cyan
    }
}

void glyphPath(cairo_t* cr, int position, double cx, double cy, double s) {
    const double h = s / 2;
    cairo_new_sub_path(cr);
    switch (position) {
    case 1:  // ring
        cairo_arc(cr, cx, cy, h * 0.9, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, h * 0.45, 2 * M_PI, 0);
        cairo_close_path(cr);
        break;
    case 2:  // triangle
        cairo_move_to(cr, cx, cy - h);
        cairo_line_to(cr, cx + h * 0.98, cy + h * 0.72);
        cairo_line_to(cr, cx - h * 0.98, cy + h * 0.72);
        cairo_close_path(cr);
        break;
    case 3:  // square
        cairo_rectangle(cr, cx - h * 0.75, cy - h * 0.75, h * 1.5, h * 1.5);
        break;
    case 4:  // five-pointed star
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double rr = (i % 2 == 0) ? h * 1.05 : h * 0.45;
            if (i == 0) cairo_move_to(cr, cx + rr * std::cos(a), cy + 0.08 * h + rr * std::sin(a));
            else cairo_line_to(cr, cx + rr * std::cos(a), cy + 0.08 * h + rr * std::sin(a));
        }
        cairo_close_path(cr);
        break;
    case 5:  // diamond
        cairo_move_to(cr, cx, cy - h);
        cairo_line_to(cr, cx + h * 0.75, cy);
        cairo_line_to(cr, cx, cy + h);
        cairo_line_to(cr, cx - h * 0.75, cy);
        cairo_close_path(cr);
        break;
    default: {  // plus
        const double t = h * 0.34;
        cairo_move_to(cr, cx - t, cy - h);
        cairo_line_to(cr, cx + t, cy - h);
        cairo_line_to(cr, cx + t, cy - t);
        cairo_line_to(cr, cx + h, cy - t);
        cairo_line_to(cr, cx + h, cy + t);
        cairo_line_to(cr, cx + t, cy + t);
        cairo_line_to(cr, cx + t, cy + h);
        cairo_line_to(cr, cx - t, cy + h);
        cairo_line_to(cr, cx - t, cy + t);
        cairo_line_to(cr, cx - h, cy + t);
        cairo_line_to(cr, cx - h, cy - t);
        cairo_line_to(cr, cx - t, cy - t);
        cairo_close_path(cr);
        break;
    }
    }
}

void drawGlyph(cairo_t* cr, int position, double cx, double cy, double s, Rgb under, double alpha) {
    const bool lightBall = luminance(under) > 0.62;
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    // An embossed edge: a contrasting copy half a pixel off gives the glyph body at small sizes.
    glyphPath(cr, position, cx + 0.6, cy + 0.6, s);
    setColour(cr, lightBall ? lighten(under, 0.7) : darken(under, 0.6), alpha * 0.7);
    cairo_fill(cr);
    glyphPath(cr, position, cx, cy, s);
    setColour(cr, lightBall ? darken(under, 0.62) : lighten(under, 0.85), alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void dropShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.6, 0, 0, 0, alpha * 0.6);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void drawSphere(cairo_t* cr, double cx, double cy, double r, Rgb base) {
    cairo_save(cr);
    // Body: lit from the upper left.
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r * 1.05);
    addStop(body, 0, lighten(base, 0.55));
    addStop(body, 0.45, base);
    addStop(body, 0.85, darken(base, 0.35));
    addStop(body, 1, darken(base, 0.6));
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Light bounced up from the surface under the ball.
    cairo_pattern_t* bounce = cairo_pattern_create_radial(cx + r * 0.15, cy + r * 0.75, 0, cx + r * 0.15, cy + r * 0.75, r * 0.6);
    addStop(bounce, 0, lighten(base, 0.5), 0.45);
    addStop(bounce, 1, lighten(base, 0.5), 0);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, bounce);
    cairo_fill(cr);
    cairo_pattern_destroy(bounce);
    // Specular window.
    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.28, cy - r * 0.48);
    cairo_scale(cr, r * 0.5, r * 0.3);
    cairo_pattern_t* spec = cairo_pattern_create_linear(0, -1, 0, 1);
    cairo_pattern_add_color_stop_rgba(spec, 0, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(spec, 1, 1, 1, 1, 0.08);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_set_source(cr, spec);
    cairo_fill(cr);
    cairo_pattern_destroy(spec);
    cairo_restore(cr);
    // A crisp edge.
    cairo_arc(cr, cx, cy, r - 0.35, 0, 2 * M_PI);
    setColour(cr, darken(base, 0.7), 0.45);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawGlassBall(cairo_t* cr, double cx, double cy, double r, Rgb base) {
    cairo_save(cr);
    // Deep colour at the rim, glowing where light is focused through the glass at the bottom.
    cairo_pattern_t* body = cairo_pattern_create_radial(cx, cy + r * 0.45, r * 0.05, cx, cy, r);
    addStop(body, 0, lighten(base, 0.6));
    addStop(body, 0.5, base);
    addStop(body, 0.9, darken(base, 0.45));
    addStop(body, 1, darken(base, 0.7));
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Darker upper half: the glass shows the dark surroundings above it.
    cairo_pattern_t* upper = cairo_pattern_create_linear(0, cy - r, 0, cy + r * 0.2);
    cairo_pattern_add_color_stop_rgba(upper, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(upper, 1, 0, 0, 0, 0);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, upper);
    cairo_fill(cr);
    cairo_pattern_destroy(upper);
    // Wide soft reflection of the sky on the top.
    cairo_save(cr);
    cairo_translate(cr, cx, cy - r * 0.5);
    cairo_scale(cr, r * 0.72, r * 0.42);
    cairo_pattern_t* spec = cairo_pattern_create_linear(0, -1, 0, 1);
    cairo_pattern_add_color_stop_rgba(spec, 0, 1, 1, 1, 0.85);
    cairo_pattern_add_color_stop_rgba(spec, 1, 1, 1, 1, 0.0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_set_source(cr, spec);
    cairo_fill(cr);
    cairo_pattern_destroy(spec);
    cairo_restore(cr);
    // A pin-point highlight.
    cairo_arc(cr, cx - r * 0.38, cy - r * 0.42, r * 0.12, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - 0.4, 0, 2 * M_PI);
    setColour(cr, darken(base, 0.8), 0.5);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}
