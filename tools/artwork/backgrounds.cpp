// The panel backgrounds and choice marks of the skins that have their own (Glass, Block, Single).
#include "artwork.h"

#include <cmath>

namespace {

SkinLook makeGlass() {
    SkinLook k{};
    k.window = rgb(151, 179, 185);
    k.backTop = rgb(178, 205, 211);
    k.backBottom = rgb(126, 158, 167);
    k.plate = rgb(88, 125, 136);
    k.plateLight = rgb(160, 196, 204);
    k.plateDark = rgb(46, 74, 84);
    k.tray = rgb(92, 129, 140);
    k.trayLight = rgb(150, 186, 195);
    k.trayDark = rgb(40, 66, 76);
    k.well = rgb(50, 82, 93);
    k.display = rgb(234, 243, 245);
    k.markWell = rgb(44, 72, 82);
    k.markDot = rgb(240, 86, 122);
    k.motif = 0;
    return k;
}

SkinLook makeChips() {
    SkinLook k{};
    k.window = rgb(245, 153, 139);
    k.backTop = rgb(251, 184, 168);
    k.backBottom = rgb(226, 126, 112);
    k.plate = rgb(253, 240, 226);
    k.plateLight = rgb(255, 255, 252);
    k.plateDark = rgb(168, 86, 76);
    k.tray = rgb(26, 100, 74);
    k.trayLight = rgb(70, 150, 116);
    k.trayDark = rgb(8, 50, 36);
    k.well = rgb(12, 62, 45);
    k.display = rgb(255, 252, 244);
    k.markWell = rgb(196, 160, 144);
    k.markDot = rgb(204, 40, 52);
    k.motif = 1;
    return k;
}

SkinLook makeMarbles() {
    SkinLook k{};
    k.window = rgb(105, 105, 105);
    k.backTop = rgb(96, 99, 105);
    k.backBottom = rgb(52, 54, 59);
    k.plate = rgb(68, 71, 77);
    k.plateLight = rgb(120, 125, 134);
    k.plateDark = rgb(24, 25, 28);
    k.tray = rgb(38, 40, 45);
    k.trayLight = rgb(96, 100, 110);
    k.trayDark = rgb(10, 11, 13);
    k.well = rgb(20, 21, 24);
    k.display = rgb(212, 224, 234);
    k.markWell = rgb(28, 30, 34);
    k.markDot = rgb(64, 200, 255);
    k.motif = 2;
    return k;
}

// Panel places of the controls that lie over the background.
constexpr int kBoardLeft = 112, kBoardTop = 56, kPitch = 40, kCell = 33;

void plate(cairo_t* cr, const SkinLook& k, double x, double y, double w, double h) {
    // Soft shadow, then a flat face so the marks drawn over it match it exactly.
    roundedRect(cr, x + 1, y + 2, w, h, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 8);
    setColour(cr, k.plate);
    cairo_fill(cr);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 7.5);
    setColour(cr, k.plateDark, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    roundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 6.5);
    setColour(cr, k.plateLight, 0.55);
    cairo_stroke(cr);
}

void insetBox(cairo_t* cr, Rgb face, Rgb dark, Rgb light, double x, double y, double w, double h, double r) {
    roundedRect(cr, x, y, w, h, r);
    setColour(cr, face);
    cairo_fill(cr);
    // Inner shadow along the top and left.
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 6);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.28);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    setColour(cr, dark, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, x + r, y + h + 0.5);
    cairo_line_to(cr, x + w - r, y + h + 0.5);
    setColour(cr, light, 0.7);
    cairo_stroke(cr);
}

void well(cairo_t* cr, const SkinLook& k, double x, double y) {
    // Frame round a 33 x 33 control at (x, y): dark inside, lit on the lower right outer edge.
    roundedRect(cr, x - 3, y - 3, kCell + 6, kCell + 6, 4);
    setColour(cr, k.trayLight, 0.55);
    cairo_fill(cr);
    roundedRect(cr, x - 3, y - 3, kCell + 5, kCell + 5, 4);
    setColour(cr, k.trayDark, 0.8);
    cairo_fill(cr);
    roundedRect(cr, x - 2, y - 2, kCell + 4, kCell + 4, 3);
    setColour(cr, k.well);
    cairo_fill(cr);
}

void motif(cairo_t* cr, const SkinLook& k, int w, int h, uint32_t seed) {
    Noise n(seed);
    if (k.motif == 0) {
        // Large pale blossoms drifting behind the glass.
        for (int i = 0; i < 14; ++i) {
            const double cx = n.next() * w, cy = n.next() * h, r = 18 + n.next() * 30, turn = n.next() * M_PI;
            for (int p = 0; p < 5; ++p) {
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_rotate(cr, turn + p * 2 * M_PI / 5);
                cairo_move_to(cr, 0, 0);
                cairo_curve_to(cr, r * 0.55, -r * 0.3, r * 0.5, -r, 0, -r);
                cairo_curve_to(cr, -r * 0.5, -r, -r * 0.55, -r * 0.3, 0, 0);
                cairo_restore(cr);
            }
            cairo_set_source_rgba(cr, 1, 1, 1, 0.07 + n.next() * 0.05);
            cairo_fill(cr);
        }
        for (int i = 0; i < 5; ++i) {
            const double x = n.next() * w;
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x + 40, 0);
            cairo_line_to(cr, x - h * 0.6 + 40, h);
            cairo_line_to(cr, x - h * 0.6, h);
            cairo_close_path(cr);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.05);
            cairo_fill(cr);
        }
    } else if (k.motif == 1) {
        for (int x = -h; x < w; x += 9) {
            cairo_move_to(cr, x, h);
            cairo_line_to(cr, x + h, 0);
        }
        cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        grain(cr, 0, 0, w, h, 0.05, seed);
    } else {
        for (int y = 0; y < h; ++y) {
            const double v = n.next() - 0.5;
            cairo_rectangle(cr, 0, y, w, 1);
            cairo_set_source_rgba(cr, v > 0 ? 1 : 0, v > 0 ? 1 : 0, v > 0 ? 1 : 0, std::fabs(v) * 0.08);
            cairo_fill(cr);
        }
        grain(cr, 0, 0, w, h, 0.06, seed);
    }
}

}  // namespace

const SkinLook& glassLook() {
    static const SkinLook k = makeGlass();
    return k;
}
const SkinLook& chipsLook() {
    static const SkinLook k = makeChips();
    return k;
}
const SkinLook& marblesLook() {
    static const SkinLook k = makeMarbles();
    return k;
}

void drawBackground(Canvas& c, const SkinLook& k, uint32_t seed) {
    cairo_t* cr = c.cr();
    const int w = c.width(), h = c.height();
    cairo_pattern_t* back = cairo_pattern_create_linear(0, 0, 0, h);
    addStop(back, 0, k.backTop);
    addStop(back, 1, k.backBottom);
    cairo_set_source(cr, back);
    cairo_paint(cr);
    cairo_pattern_destroy(back);
    motif(cr, k, w, h, seed);

    // Seats under the four command buttons, which draw themselves.
    for (auto [bx, by] : {std::pair{10, 10}, {522, 10}, {10, 425}, {522, 425}}) {
        roundedRect(cr, bx - 1, by - 1, 93, 27, 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
        cairo_fill(cr);
        roundedRect(cr, bx - 1, by, 93, 27, 2);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }

    // Preview strip: "Next" [four sockets] "colours".
    plate(cr, k, 110, 2, 401, 45);
    for (int i = 0; i < 4; ++i) well(cr, k, 232 + 40 * i, 8);

    // Board tray with a well round every cell.
    roundedRect(cr, 106, 51, 405, 405, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    roundedRect(cr, 105, 49, 405, 405, 10);
    cairo_pattern_t* tray = cairo_pattern_create_linear(0, 49, 0, 454);
    addStop(tray, 0, mix(k.tray, k.trayLight, 0.25));
    addStop(tray, 1, k.tray);
    cairo_set_source(cr, tray);
    cairo_fill(cr);
    cairo_pattern_destroy(tray);
    if (k.motif == 1) {  // felt
        cairo_save(cr);
        roundedRect(cr, 105, 49, 405, 405, 10);
        cairo_clip(cr);
        grain(cr, 105, 49, 405, 405, 0.1, seed + 7);
        cairo_restore(cr);
    }
    roundedRect(cr, 105.5, 49.5, 404, 404, 9.5);
    setColour(cr, k.trayDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    roundedRect(cr, 106.5, 50.5, 402, 402, 8.5);
    setColour(cr, k.trayLight, 0.6);
    cairo_stroke(cr);
    for (int r = 0; r < 10; ++r)
        for (int col = 0; col < 10; ++col) well(cr, k, kBoardLeft + kPitch * col, kBoardTop + kPitch * r);

    // Left column: record, then the skin choices.
    plate(cr, k, 4, 49, 98, 84);
    insetBox(cr, k.display, k.plateDark, k.plateLight, 9, 73, 88, 54, 5);
    plate(cr, k, 4, 165, 98, 180);

    // Right column: score, then the mode choices.
    plate(cr, k, 515, 49, 102, 84);
    insetBox(cr, k.display, k.plateDark, k.plateLight, 521, 73, 90, 54, 5);
    plate(cr, k, 515, 165, 102, 157);

    // The words go on at run time, in the player's language (view/Lettering.h).
}

void drawMark(Canvas& c, const SkinLook& k, bool checked) {
    cairo_t* cr = c.cr();
    setColour(cr, k.plate);
    cairo_paint(cr);
    // A round hollow, shaded at the top, lit at the bottom rim.
    cairo_arc(cr, 7, 7, 6.3, 0, 2 * M_PI);
    cairo_pattern_t* hollow = cairo_pattern_create_linear(0, 0.7, 0, 13.3);
    addStop(hollow, 0, darken(k.markWell, 0.4));
    addStop(hollow, 1, k.markWell);
    cairo_set_source(cr, hollow);
    cairo_fill(cr);
    cairo_pattern_destroy(hollow);
    cairo_arc(cr, 7, 7, 6.3, 0.1 * M_PI, 0.9 * M_PI);
    setColour(cr, k.plateLight, 0.9);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    if (!checked) return;
    cairo_pattern_t* dot = cairo_pattern_create_radial(5.8, 5.6, 0.3, 7, 7, 4.6);
    addStop(dot, 0, lighten(k.markDot, 0.75));
    addStop(dot, 0.45, k.markDot);
    addStop(dot, 1, darken(k.markDot, 0.35));
    cairo_arc(cr, 7, 7, 4.6, 0, 2 * M_PI);
    cairo_set_source(cr, dot);
    cairo_fill(cr);
    cairo_pattern_destroy(dot);
}
