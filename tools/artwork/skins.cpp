// The cell, ball and mark pictures of the five built-in skins, and the writer of their image lists.
#include "artwork.h"
#include "captions.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int kCell = 33;
constexpr double kMid = kCell / 2.0;

// ---- "Цветы": frosted glass panes with flowers --------------------------------------------

void glassPane(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kCell, kCell);
    addStop(p, 0, rgb(196, 220, 226));
    addStop(p, 1, rgb(150, 182, 190));
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Sunken edge: shade on the top and left, light on the bottom and right.
    cairo_set_line_width(cr, 1);
    setColour(cr, rgb(60, 92, 102), 0.8);
    cairo_move_to(cr, 0.5, kCell);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, kCell, 0.5);
    cairo_stroke(cr);
    setColour(cr, rgb(60, 92, 102), 0.3);
    cairo_move_to(cr, 1.5, kCell - 1);
    cairo_line_to(cr, 1.5, 1.5);
    cairo_line_to(cr, kCell - 1, 1.5);
    cairo_stroke(cr);
    setColour(cr, {1, 1, 1}, 0.75);
    cairo_move_to(cr, 1, kCell - 0.5);
    cairo_line_to(cr, kCell - 0.5, kCell - 0.5);
    cairo_line_to(cr, kCell - 0.5, 1);
    cairo_stroke(cr);
    // A diagonal glint across the glass.
    cairo_move_to(cr, 2, 14);
    cairo_line_to(cr, 14, 2);
    cairo_line_to(cr, 20, 2);
    cairo_line_to(cr, 2, 20);
    cairo_close_path(cr);
    setColour(cr, {1, 1, 1}, 0.16);
    cairo_fill(cr);
}

struct FlowerShape {
    int petals;
    double length;  // petal reach from the centre
    double width;   // petal half-width
    bool pointed;
    Rgb heart;
};

FlowerShape flowerShape(int position) {
    switch (position) {
    case 1: return {5, 14.0, 6.4, false, rgb(255, 214, 60)};
    case 2: return {3, 14.5, 8.0, false, rgb(255, 240, 150)};
    case 3: return {4, 14.0, 6.8, false, rgb(255, 226, 80)};
    case 4: return {12, 14.5, 2.6, false, rgb(140, 78, 24)};
    case 5: return {6, 14.5, 4.6, true, rgb(255, 230, 110)};
    default: return {8, 13.5, 3.8, false, rgb(255, 250, 210)};
    }
}

void petal(cairo_t* cr, const FlowerShape& f) {
    // One petal pointing up from the origin.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    if (f.pointed) {
        cairo_curve_to(cr, f.width * 1.4, -f.length * 0.35, f.width * 0.6, -f.length * 0.8, 0, -f.length);
        cairo_curve_to(cr, -f.width * 0.6, -f.length * 0.8, -f.width * 1.4, -f.length * 0.35, 0, 0);
    } else {
        cairo_curve_to(cr, f.width * 1.3, -f.length * 0.3, f.width * 1.2, -f.length, 0, -f.length);
        cairo_curve_to(cr, -f.width * 1.2, -f.length, -f.width * 1.3, -f.length * 0.3, 0, 0);
    }
    cairo_close_path(cr);
}

void drawFlower(cairo_t* cr, int position) {
    const FlowerShape f = flowerShape(position);
    const Rgb base = ballColour(position);
    const double cx = kMid, cy = kMid;
    dropShadow(cr, cx + 1.5, cy + 2, 15, 14, 0.25);
    const double turn = (f.petals % 2 == 1) ? 0 : M_PI / f.petals;  // odd counts point one petal up
    for (int i = 0; i < f.petals; ++i) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, turn + i * 2 * M_PI / f.petals);
        petal(cr, f);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, -f.length);
        addStop(g, 0, darken(base, 0.35));
        addStop(g, 0.55, base);
        addStop(g, 1, lighten(base, 0.35));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        setColour(cr, darken(base, 0.55), 0.7);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        // A vein of light down the middle of the petal.
        cairo_move_to(cr, 0, -2.5);
        cairo_line_to(cr, 0, -f.length * 0.72);
        setColour(cr, lighten(base, 0.6), 0.55);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    const double heart = f.petals >= 12 ? 5.2 : 3.8;
    cairo_pattern_t* h = cairo_pattern_create_radial(cx - 1, cy - 1, 0.3, cx, cy, heart);
    addStop(h, 0, lighten(f.heart, 0.6));
    addStop(h, 0.6, f.heart);
    addStop(h, 1, darken(f.heart, 0.45));
    cairo_arc(cr, cx, cy, heart, 0, 2 * M_PI);
    cairo_set_source(cr, h);
    cairo_fill(cr);
    cairo_pattern_destroy(h);
    if (f.petals >= 12) {  // seeds
        Noise n(12345);
        for (int i = 0; i < 9; ++i) {
            const double a = n.next() * 2 * M_PI, d = n.next() * 3.4;
            cairo_arc(cr, cx + d * std::cos(a), cy + d * std::sin(a), 0.55, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 0.2, 0.1, 0.02, 0.8);
            cairo_fill(cr);
        }
    }
}

void drawLeaf(cairo_t* cr) {
    const Rgb leaf = rgb(70, 150, 60);
    cairo_save(cr);
    cairo_translate(cr, kMid, kMid);
    cairo_rotate(cr, M_PI / 4);
    cairo_move_to(cr, 0, 14);
    cairo_curve_to(cr, 11, 6, 9, -8, 0, -14);
    cairo_curve_to(cr, -9, -8, -11, 6, 0, 14);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(-8, 0, 8, 0);
    addStop(g, 0, lighten(leaf, 0.3));
    addStop(g, 1, darken(leaf, 0.35));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, darken(leaf, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, 13);
    cairo_line_to(cr, 0, -11);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, 0, i * 4.5);
        cairo_line_to(cr, 5, i * 4.5 - 4);
        cairo_move_to(cr, 0, i * 4.5);
        cairo_line_to(cr, -5, i * 4.5 - 4);
    }
    setColour(cr, lighten(leaf, 0.55), 0.8);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- "Windows": classic raised buttons ---------------------------------------------------

void classicTile(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    setColour(cr, rgb(192, 192, 192));
    cairo_fill(cr);
    auto line = [&](double x0, double y0, double x1, double y1, Rgb c) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        setColour(cr, c);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    };
    line(0, 0.5, kCell - 1, 0.5, rgb(255, 255, 255));
    line(0.5, 0, 0.5, kCell - 1, rgb(255, 255, 255));
    line(1, 1.5, kCell - 2, 1.5, rgb(223, 223, 223));
    line(1.5, 1, 1.5, kCell - 2, rgb(223, 223, 223));
    line(0, kCell - 0.5, kCell, kCell - 0.5, rgb(64, 64, 64));
    line(kCell - 0.5, 0, kCell - 0.5, kCell, rgb(64, 64, 64));
    line(1, kCell - 1.5, kCell - 1, kCell - 1.5, rgb(128, 128, 128));
    line(kCell - 1.5, 1, kCell - 1.5, kCell - 1, rgb(128, 128, 128));
}

// ---- "Фишки": game chips on felt ---------------------------------------------------------

void feltTile(cairo_t* cr, uint32_t seed) {
    cairo_pattern_t* p = cairo_pattern_create_radial(kMid, kMid - 4, 2, kMid, kMid, 26);
    addStop(p, 0, rgb(40, 128, 96));
    addStop(p, 1, rgb(22, 92, 68));
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    grain(cr, 0, 0, kCell, kCell, 0.12, seed);
    // The round socket a chip sits in.
    cairo_arc(cr, kMid, kMid, 14.2, 0, 2 * M_PI);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, 2, 0, kCell - 2);
    cairo_pattern_add_color_stop_rgba(s, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(s, 1, 0, 0, 0, 0.08);
    cairo_set_source(cr, s);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
    cairo_arc(cr, kMid, kMid, 14.2, 0.1 * M_PI, 0.9 * M_PI);
    setColour(cr, rgb(120, 200, 160), 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 0.5, kCell - 1, kCell - 1);
    setColour(cr, rgb(8, 50, 36), 0.6);
    cairo_stroke(cr);
}

void drawChip(cairo_t* cr, int position) {
    const Rgb base = ballColour(position);
    const double cx = kMid, cy = kMid - 0.8, r = 13.6;
    dropShadow(cr, cx + 1, cy + 3, 15, 13.5, 0.45);
    // The rim seen below the top face.
    cairo_arc(cr, cx, cy + 1.8, r, 0, 2 * M_PI);
    setColour(cr, darken(base, 0.5));
    cairo_fill(cr);
    cairo_pattern_t* face = cairo_pattern_create_radial(cx - 4, cy - 5, 1, cx, cy, r);
    addStop(face, 0, lighten(base, 0.25));
    addStop(face, 1, darken(base, 0.12));
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Edge inserts.
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 3;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r - 0.4, a - 0.2, a + 0.2);
        cairo_arc_negative(cr, cx, cy, r - 3.6, a + 0.22, a - 0.22);
        cairo_close_path(cr);
        setColour(cr, rgb(250, 248, 240));
        cairo_fill(cr);
        // The insert runs down the rim too.
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy + 1.8, r, a - 0.2, a + 0.2);
        cairo_arc_negative(cr, cx, cy, r, a + 0.2, a - 0.2);
        cairo_close_path(cr);
        if (std::sin(a) > 0) {
            setColour(cr, rgb(200, 196, 188));
            cairo_fill(cr);
        }
    }
    // Inner ring and inlay.
    cairo_arc(cr, cx, cy, 9.3, 0, 2 * M_PI);
    setColour(cr, rgb(255, 255, 255), 0.85);
    cairo_set_line_width(cr, 0.9);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_stroke(cr);
    cairo_pattern_t* inlay = cairo_pattern_create_linear(0, cy - 8, 0, cy + 8);
    addStop(inlay, 0, lighten(base, 0.45));
    addStop(inlay, 1, lighten(base, 0.1));
    cairo_arc(cr, cx, cy, 8.3, 0, 2 * M_PI);
    cairo_set_source(cr, inlay);
    cairo_fill(cr);
    cairo_pattern_destroy(inlay);
    drawGlyph(cr, position, cx, cy, 9.5, lighten(base, 0.3), 1.0);
    // Lacquer sheen over the top half.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(cx - r, cy - r, cx + r * 0.2, cy + r * 0.2);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 0.5, 1, 1, 1, 0.08);
    cairo_pattern_add_color_stop_rgba(sheen, 0.51, 1, 1, 1, 0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
    cairo_arc(cr, cx, cy, r - 0.3, 0, 2 * M_PI);
    setColour(cr, darken(base, 0.6), 0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
}

// ---- "Шарики": glass marbles in dark metal cups ---------------------------------------------

void cupTile(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kCell);
    addStop(p, 0, rgb(58, 61, 66));
    addStop(p, 1, rgb(40, 42, 46));
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A hollow: dark at the top where the rim shades it, lit at the bottom.
    cairo_pattern_t* cup = cairo_pattern_create_linear(0, 2, 0, kCell - 2);
    addStop(cup, 0, rgb(12, 13, 15));
    addStop(cup, 0.7, rgb(34, 36, 40));
    addStop(cup, 1, rgb(70, 74, 80));
    cairo_arc(cr, kMid, kMid, 14.6, 0, 2 * M_PI);
    cairo_set_source(cr, cup);
    cairo_fill(cr);
    cairo_pattern_destroy(cup);
    cairo_arc(cr, kMid, kMid, 15.1, 0.15 * M_PI, 0.85 * M_PI);
    setColour(cr, rgb(140, 146, 156), 0.7);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_arc(cr, kMid, kMid, 15.1, 1.1 * M_PI, 1.9 * M_PI);
    setColour(cr, rgb(0, 0, 0), 0.6);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 0.5, kCell - 1, kCell - 1);
    setColour(cr, rgb(22, 23, 26), 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 1, 1.5);
    cairo_line_to(cr, kCell - 1, 1.5);
    setColour(cr, rgb(96, 100, 108), 0.6);
    cairo_stroke(cr);
}

void drawMarble(cairo_t* cr, int position) {
    const Rgb base = ballColour(position);
    dropShadow(cr, kMid + 0.5, kMid + 3, 13, 11, 0.6);
    drawGlassBall(cr, kMid, kMid, 13.4, base);
    drawGlyph(cr, position, kMid, kMid + 3.2, 8.6, lighten(base, 0.2), 0.85);
}

// ---- "Лица": smiling faces on light tiles ---------------------------------------------------

void faceTile(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kCell);
    addStop(p, 0, rgb(250, 246, 236));
    addStop(p, 1, rgb(224, 216, 198));
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 1);
    setColour(cr, {1, 1, 1});
    cairo_move_to(cr, 0.5, kCell - 1);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, kCell - 1, 0.5);
    cairo_stroke(cr);
    setColour(cr, rgb(150, 138, 116));
    cairo_move_to(cr, 0, kCell - 0.5);
    cairo_line_to(cr, kCell - 0.5, kCell - 0.5);
    cairo_line_to(cr, kCell - 0.5, 0);
    cairo_stroke(cr);
    setColour(cr, rgb(190, 180, 160));
    cairo_move_to(cr, 1, kCell - 1.5);
    cairo_line_to(cr, kCell - 1.5, kCell - 1.5);
    cairo_line_to(cr, kCell - 1.5, 1);
    cairo_stroke(cr);
}

void eye(cairo_t* cr, double x, double y, Rgb ink) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1.6, 2.3);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, ink);
    cairo_fill(cr);
    cairo_arc(cr, x - 0.5, y - 0.9, 0.55, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
}

void drawFace(cairo_t* cr, int position) {
    const Rgb base = ballColour(position);
    const double cx = kMid, cy = kMid, r = 13.8;
    dropShadow(cr, cx + 1.2, cy + 2, 14.5, 13.5, 0.3);
    drawSphere(cr, cx, cy, r, base);
    const Rgb ink = darken(base, 0.78);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double ex = 4.6, ey = cy - 3.2;
    auto stroke = [&](double w) {
        setColour(cr, ink);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
    };
    switch (position) {
    case 1:  // big grin with teeth
        eye(cr, cx - ex, ey, ink);
        eye(cr, cx + ex, ey, ink);
        cairo_move_to(cr, cx - 7.5, cy + 2.5);
        cairo_line_to(cr, cx + 7.5, cy + 2.5);
        cairo_curve_to(cr, cx + 6.5, cy + 11, cx - 6.5, cy + 11, cx - 7.5, cy + 2.5);
        cairo_close_path(cr);
        setColour(cr, ink);
        cairo_fill(cr);
        cairo_rectangle(cr, cx - 6.3, cy + 3.2, 12.6, 2.2);
        setColour(cr, {1, 1, 1});
        cairo_fill(cr);
        break;
    case 2:  // wink
        eye(cr, cx - ex, ey, ink);
        cairo_move_to(cr, cx + ex - 2.4, ey + 0.6);
        cairo_curve_to(cr, cx + ex - 1, ey - 1.6, cx + ex + 1, ey - 1.6, cx + ex + 2.4, ey + 0.6);
        stroke(1.6);
        cairo_move_to(cr, cx - 6, cy + 4);
        cairo_curve_to(cr, cx - 3, cy + 8.5, cx + 3, cy + 8.5, cx + 6.5, cy + 3);
        stroke(1.7);
        break;
    case 3:  // surprised
        cairo_arc(cr, cx - ex, ey - 0.5, 2.6, 0, 2 * M_PI);
        cairo_arc(cr, cx + ex, ey - 0.5, 2.6, 0, 2 * M_PI);
        setColour(cr, {1, 1, 1});
        cairo_fill(cr);
        cairo_arc(cr, cx - ex, ey - 0.2, 1.4, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + ex, ey - 0.2, 1.4, 0, 2 * M_PI);
        setColour(cr, ink);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_translate(cr, cx, cy + 5.5);
        cairo_scale(cr, 2.6, 3.2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColour(cr, ink);
        cairo_fill(cr);
        break;
    case 4:  // plain smile
        eye(cr, cx - ex, ey, ink);
        eye(cr, cx + ex, ey, ink);
        cairo_arc(cr, cx, cy + 0.5, 7, 0.2 * M_PI, 0.8 * M_PI);
        stroke(1.8);
        break;
    case 5: {  // sunglasses and a smirk
        for (int side = -1; side <= 1; side += 2) {
            roundedRect(cr, cx + side * 4.8 - 3.8, ey - 2.4, 7.6, 5, 2.2);
            setColour(cr, rgb(20, 20, 28));
            cairo_fill(cr);
            cairo_move_to(cr, cx + side * 4.8 - 2.2, ey - 1.2);
            cairo_line_to(cr, cx + side * 4.8 - 0.4, ey - 1.2);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, cx - 1.2, ey - 1.4);
        cairo_line_to(cr, cx + 1.2, ey - 1.4);
        setColour(cr, rgb(20, 20, 28));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - 5, cy + 6);
        cairo_curve_to(cr, cx - 1, cy + 7.5, cx + 3, cy + 7, cx + 6, cy + 3.5);
        stroke(1.7);
        break;
    }
    default:  // laughing with closed eyes
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, cx + side * ex - 2.4, ey + 1);
            cairo_curve_to(cr, cx + side * ex - 1, ey - 2, cx + side * ex + 1, ey - 2, cx + side * ex + 2.4, ey + 1);
            stroke(1.6);
        }
        cairo_move_to(cr, cx - 5.5, cy + 2.5);
        cairo_line_to(cr, cx + 5.5, cy + 2.5);
        cairo_curve_to(cr, cx + 5, cy + 9.5, cx - 5, cy + 9.5, cx - 5.5, cy + 2.5);
        cairo_close_path(cr);
        setColour(cr, ink);
        cairo_fill(cr);
        cairo_arc(cr, cx, cy + 7.3, 2.4, M_PI, 2 * M_PI);
        setColour(cr, rgb(240, 110, 120));
        cairo_fill(cr);
        break;
    }
    // Rosy cheeks.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * 8.6, cy + 3, 2.2, 0, 2 * M_PI);
        setColour(cr, rgb(255, 120, 120), 0.28);
        cairo_fill(cr);
    }
}

// ---- the image lists ------------------------------------------------------------------------

// The seven cell pictures of a list, 00.bmp to 06.bmp.
void writeCells(const std::string& folder, int scale, int list) {
    for (int i = 0; i < 7; ++i) {
        Canvas c(kCell, kCell, scale);
        drawCell(c.cr(), list, i);
        char name[16];
        std::snprintf(name, sizeof name, "/%02d.bmp", i);
        c.saveBmp(folder + name);
    }
}

// The background and marks of a skin with a background of its own.
void writeLookExtras(const std::string& folder, const SkinLook& look, uint32_t seed, int scale) {
    Canvas back(621, 462, scale);
    drawBackground(back, look, seed);
    back.saveBmp(folder + "/07.bmp");
    Canvas off(14, 14, scale), on(14, 14, scale);
    drawMark(off, look, false);
    drawMark(on, look, true);
    off.saveBmp(folder + "/08.bmp");
    on.saveBmp(folder + "/09.bmp");
}

}  // namespace

void drawCell(cairo_t* cr, int list, int position) {
    switch (list) {
    case 0:
        glassPane(cr);
        if (position > 0) drawFlower(cr, position);
        break;
    case 1:
        classicTile(cr);
        if (position == 0) break;
        dropShadow(cr, kMid + 1.5, kMid + 2, 12.5, 12, 0.3);
        drawSphere(cr, kMid - 0.5, kMid - 0.5, 11.5, ballColour(position));
        drawGlyph(cr, position, kMid - 0.5, kMid + 1.5, 9, ballColour(position), 0.9);
        break;
    case 2:
        feltTile(cr, 300 + position);
        if (position > 0) drawChip(cr, position);
        break;
    case 3:
        cupTile(cr);
        if (position > 0) drawMarble(cr, position);
        break;
    default:
        faceTile(cr);
        if (position > 0) drawFace(cr, position);
        break;
    }
}

void writeSkins(const std::string& dir, int scale) {
    namespace fs = std::filesystem;
    const std::string root = dir + "/skins";

    const std::string l1 = root + "/list1";
    fs::create_directories(l1);
    writeCells(l1, scale, 0);
    writeLookExtras(l1, glassLook(), 101, scale);
    {
        Canvas spare(kCell, kCell, scale);
        glassPane(spare.cr());
        drawLeaf(spare.cr());
        spare.saveBmp(l1 + "/10.bmp");
    }

    const std::string l2 = root + "/list2";
    fs::create_directories(l2);
    writeCells(l2, scale, 1);

    const std::string l3 = root + "/List3";
    fs::create_directories(l3);
    writeCells(l3, scale, 2);
    writeLookExtras(l3, chipsLook(), 303, scale);

    const std::string l4 = root + "/List4";
    fs::create_directories(l4);
    writeCells(l4, scale, 3);
    writeLookExtras(l4, marblesLook(), 404, scale);

    const std::string l5 = root + "/list5";
    fs::create_directories(l5);
    writeCells(l5, scale, 4);
}
