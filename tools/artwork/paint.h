// Drawing helpers shared by the artwork generator: colours, canvases, shapes and lettering.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

struct Rgb {
    double r, g, b;
};

Rgb rgb(int r, int g, int b);
Rgb mix(Rgb a, Rgb b, double t);
Rgb lighten(Rgb c, double t);
Rgb darken(Rgb c, double t);
double luminance(Rgb c);
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// An opaque drawing surface that is saved as a 24-bit bottom-up Windows bitmap. Drawing is always done in the
// pixels of the 1x picture: a canvas of scale s holds s x s pixels for each of them, so the same drawing comes
// out s times as large and as finely drawn.
class Canvas {
public:
    Canvas(int width, int height, int scale);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    // The size in 1x pixels, the units of the drawing.
    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }

    void saveBmp(const std::string& path) const;
    void savePng(const std::string& path) const;

private:
    int width_, height_, scale_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A small deterministic generator for textures: same seed, same pictures.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
    double next();  // 0..1
private:
    uint32_t state_;
};

// Speckles the current clip with faint light and dark dots. A dot is a pixel of the 1x picture, an s x s block on a
// canvas of scale s: the texture keeps its grain at every scale instead of turning to fine dust.
void grain(cairo_t* cr, int x, int y, int w, int h, double strength, uint32_t seed);

enum class Align { Left, Centre, Right };

struct Lettering {
    std::string family;      // e.g. "DejaVu Sans Condensed"
    bool bold = true;
    double px = 14;          // font size in pixels
    Rgb top{1, 1, 1};        // fill gradient from the top of the letters ...
    Rgb bottom{1, 1, 1};     // ... to their baseline
    Rgb shadow{0, 0, 0};
    double shadowAlpha = 0;  // 0: no shadow
    double shadowDx = 1, shadowDy = 1;
    Rgb outline{0, 0, 0};
    double outlineWidth = 0; // 0: no outline
    Rgb highlight{1, 1, 1};
    double highlightAlpha = 0; // engraved look: a light copy one pixel below
};

// Frees the font caches; call once when all drawing is done.
void releaseTextResources();

// The width of one line as drawn on a canvas of the given scale, in that canvas's pixels.
double textWidth(const std::string& text, const Lettering& style, int scale = 1);
// Draws one line; x is the anchor for the alignment, cy the vertical centre of the capital letters.
void drawText(cairo_t* cr, const std::string& text, double x, double cy, Align align, const Lettering& style);

// The six colours of the balls by picture position 1..6, and their marking glyphs.
Rgb ballColour(int position);
// Adds the path of the colour's marking glyph (ring, triangle, square, star, diamond, plus), centred, size s.
void glyphPath(cairo_t* cr, int position, double cx, double cy, double s);
// Draws the marking glyph in a colour that stands out from the ball under it.
void drawGlyph(cairo_t* cr, int position, double cx, double cy, double s, Rgb under, double alpha = 0.9);

// A lit, glossy sphere.
void drawSphere(cairo_t* cr, double cx, double cy, double r, Rgb base);
// A see-through glass marble.
void drawGlassBall(cairo_t* cr, double cx, double cy, double r, Rgb base);
// A soft drop shadow ellipse under a round object.
void dropShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);
