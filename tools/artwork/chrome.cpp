// The window chrome that no skin changes: title strip, frame pieces, command buttons, options window.
#include "artwork.h"
#include "view/Lettering.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

const Rgb kOptionsBack = rgb(151, 179, 185);

// ---- title strip --------------------------------------------------------------------------

enum class Glyph { Rules, Minimise, Close };

void glyphButton(cairo_t* cr, double x, double y, Glyph glyph) {
    const bool close = glyph == Glyph::Close;
    const Rgb top = close ? rgb(236, 112, 100) : rgb(176, 172, 240);
    const Rgb bottom = close ? rgb(176, 40, 36) : rgb(82, 76, 176);
    roundedRect(cr, x, y, 15, 15, 3);
    setColour(cr, rgb(20, 16, 60), 0.85);
    cairo_fill(cr);
    roundedRect(cr, x + 1, y + 1, 13, 13, 2.2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y + 1, 0, y + 14);
    addStop(g, 0, top);
    addStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    roundedRect(cr, x + 1.5, y + 1.5, 12, 6, 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_fill(cr);
    if (glyph == Glyph::Rules) {
        // A question mark in the lettering of the title, with the same dark shadow as the strokes.
        Lettering mark;
        mark.family = "DejaVu Sans";
        mark.px = 12;
        mark.top = rgb(255, 255, 255);
        mark.bottom = rgb(255, 255, 255);
        mark.shadow = rgb(0, 0, 0);
        mark.shadowAlpha = 0.45;
        mark.shadowDx = 0.8;
        mark.shadowDy = 0.8;
        drawText(cr, "?", x + 7.5, y + 7.5, Align::Centre, mark);
        return;
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2);
    for (int pass = 0; pass < 2; ++pass) {
        const double o = pass == 0 ? 0.8 : 0;
        if (close) {
            cairo_move_to(cr, x + 4.5 + o, y + 4.5 + o);
            cairo_line_to(cr, x + 10.5 + o, y + 10.5 + o);
            cairo_move_to(cr, x + 10.5 + o, y + 4.5 + o);
            cairo_line_to(cr, x + 4.5 + o, y + 10.5 + o);
        } else {
            cairo_move_to(cr, x + 4.5 + o, y + 10.5 + o);
            cairo_line_to(cr, x + 10.5 + o, y + 10.5 + o);
        }
        if (pass == 0) cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        else cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_stroke(cr);
    }
}

void drawTitle(Canvas& c) {
    cairo_t* cr = c.cr();
    const int w = c.width(), h = c.height();
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, w, 0);
    addStop(band, 0, rgb(40, 36, 112));
    addStop(band, 0.5, rgb(92, 86, 190));
    addStop(band, 1, rgb(140, 136, 216));
    cairo_set_source(cr, band);
    cairo_paint(cr);
    cairo_pattern_destroy(band);
    // Gloss on the upper half and a dark line at the foot of the band.
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 3, 0, h);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(gloss, 0.45, 1, 1, 1, 0.08);
    cairo_pattern_add_color_stop_rgba(gloss, 0.46, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 0, 0, 0, 0.15);
    cairo_set_source(cr, gloss);
    cairo_paint(cr);
    cairo_pattern_destroy(gloss);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_set_source_rgba(cr, 0.08, 0.06, 0.25, 0.8);
    cairo_fill(cr);

    // Three small balls as the game's mark at the left end.
    for (int i = 0; i < 3; ++i) drawSphere(cr, 12 + i * 12, 13, 4.6, ballColour(i == 0 ? 1 : i == 1 ? 4 : 3));

    Lettering title;
    title.family = "DejaVu Sans";
    title.px = 14;
    title.top = rgb(255, 255, 255);
    title.bottom = rgb(220, 222, 255);
    title.shadow = rgb(10, 8, 50);
    title.shadowAlpha = 0.8;
    drawText(cr, "Zorvex 2000", w / 2.0, 13, Align::Centre, title);

    // The 17 x 17 click areas lie at strip x 574, 592 and 610, y 3: rules, minimise, close.
    glyphButton(cr, 575, 4, Glyph::Rules);
    glyphButton(cr, 593, 4, Glyph::Minimise);
    glyphButton(cr, 611, 4, Glyph::Close);
}

// ---- frame pieces ---------------------------------------------------------------------------

// The three lines of each side, from the outside in.
const Rgb kLightSide[3] = {rgb(140, 136, 216), rgb(255, 255, 255), rgb(208, 208, 207)};
const Rgb kDarkSide[3] = {rgb(128, 128, 128), rgb(208, 208, 207), rgb(208, 208, 207)};

// Each pixel of a piece takes the line it is nearest to from the outside; where a light side (top,
// left) and a dark side (bottom, right) are equally near, the dark side wins, as its line runs through.
// At scale s each pixel is an s x s block, so the frame's three lines keep their width in window pixels.
void drawFramePiece(Canvas& c, int index) {
    cairo_t* cr = c.cr();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            struct Side { int depth; bool dark; };
            std::vector<Side> sides;
            switch (index) {
            case 0: sides = {{y, false}, {2 - x, true}}; break;       // top-right
            case 1: sides = {{x, false}}; break;                      // left
            case 2: sides = {{x, false}, {2 - y, true}}; break;       // bottom-left
            case 3: sides = {{2 - x, true}, {2 - y, true}}; break;    // bottom-right
            case 4: sides = {{2 - x, true}}; break;                   // right
            case 5: sides = {{y, false}}; break;                      // top
            case 6: sides = {{x, false}, {y, false}}; break;          // top-left
            default: sides = {{2 - y, true}}; break;                  // bottom
            }
            Side best = sides[0];
            for (const Side& s : sides)
                if (s.depth < best.depth || (s.depth == best.depth && s.dark)) best = s;
            setColour(cr, best.dark ? kDarkSide[best.depth] : kLightSide[best.depth]);
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
    }
}

// ---- buttons --------------------------------------------------------------------------------

enum State { Normal = 0, Hover, Pressed, Disabled, Focused };

// Draws a button face in a cell of w x h at x0; the content (caption, arrow) is drawn by `content`
// with the offset of a pressed button and its ink colour.
void buttonCell(cairo_t* cr, double x0, double w, double h, State s, Rgb under,
                const std::function<void(double dx, double dy, Rgb ink, bool shadow)>& content) {
    Rgb top = rgb(132, 128, 224), bottom = rgb(60, 54, 156), border = rgb(30, 26, 92);
    if (s == Hover) {
        top = rgb(160, 156, 244);
        bottom = rgb(84, 78, 190);
    } else if (s == Pressed) {
        top = rgb(48, 42, 136);
        bottom = rgb(96, 92, 196);
    } else if (s == Disabled) {
        top = rgb(188, 188, 196);
        bottom = rgb(150, 150, 160);
        border = rgb(110, 110, 120);
    }
    cairo_save(cr);
    cairo_rectangle(cr, x0, 0, w, h);
    cairo_clip(cr);
    setColour(cr, under);
    cairo_paint(cr);
    roundedRect(cr, x0, 0, w, h, 3);
    setColour(cr, border);
    cairo_fill(cr);
    roundedRect(cr, x0 + 1, 1, w - 2, h - 2, 2.2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 1, 0, h - 1);
    addStop(g, 0, top);
    addStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    if (s != Pressed) {
        roundedRect(cr, x0 + 1.5, 1.5, w - 3, h / 2.0 - 1.5, 2);
        cairo_set_source_rgba(cr, 1, 1, 1, s == Disabled ? 0.2 : 0.22);
        cairo_fill(cr);
        cairo_move_to(cr, x0 + 3, 1.5);
        cairo_line_to(cr, x0 + w - 3, 1.5);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, x0 + 2, 1.5);
        cairo_line_to(cr, x0 + w - 2, 1.5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    if (s == Hover) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x0 + w / 2, h, 1, x0 + w / 2, h, w / 2);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.3);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
        roundedRect(cr, x0 + 1, 1, w - 2, h - 2, 2.2);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    if (s == Focused) {
        roundedRect(cr, x0 + 1.5, 1.5, w - 3, h - 3, 2);
        setColour(cr, rgb(255, 212, 84));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    const bool pressed = s == Pressed;
    content(pressed ? 1 : 0, pressed ? 1 : 0, s == Disabled ? rgb(234, 234, 240) : rgb(255, 255, 255), s != Disabled);
    cairo_restore(cr);
}

void buttonStrip(Canvas& c, int cellWidth, Rgb under,
                 const std::function<void(cairo_t*, double cx, double cy, Rgb ink, bool shadow)>& content) {
    static const State order[6] = {Normal, Hover, Pressed, Disabled, Focused, Normal};
    for (int i = 0; i < 6; ++i) {
        const double x0 = i * cellWidth;
        buttonCell(c.cr(), x0, cellWidth, c.height(), order[i], under,
                   [&](double dx, double dy, Rgb ink, bool shadow) {
                       content(c.cr(), x0 + cellWidth / 2.0 + dx, c.height() / 2.0 + dy, ink, shadow);
                   });
    }
}

// A command button's faces; its caption is drawn over them at run time.
void captionStrip(Canvas& c, int cellWidth, Rgb under) {
    buttonStrip(c, cellWidth, under, [](cairo_t*, double, double, Rgb, bool) {});
}

void drawSwitch(Canvas& c) {
    buttonStrip(c, 36, kOptionsBack, [](cairo_t* cr, double cx, double cy, Rgb ink, bool shadow) {
        for (int pass = shadow ? 0 : 1; pass < 2; ++pass) {
            const double o = pass == 0 ? 1 : 0;
            cairo_move_to(cr, cx - 6 + o, cy - 3 + o);
            cairo_line_to(cr, cx + 6 + o, cy - 3 + o);
            cairo_line_to(cr, cx + o, cy + 4 + o);
            cairo_close_path(cr);
            if (pass == 0) cairo_set_source_rgba(cr, 0.06, 0.05, 0.27, 0.7);
            else setColour(cr, ink);
            cairo_fill(cr);
        }
    });
}

void drawIndicator(Canvas& c) {
    cairo_t* cr = c.cr();
    setColour(cr, kOptionsBack);
    cairo_paint(cr);
    const double cx = 20.5, cy = 20.5;
    // Glow of the lit lamp on the window behind it.
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 12, cx, cy, 20.5);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.55, 1, 0.55, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.55, 1, 0.55, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // Metal bezel, then the lamp.
    cairo_arc(cr, cx, cy, 15.5, 0, 2 * M_PI);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, 5, 0, 36);
    addStop(bezel, 0, rgb(250, 252, 252));
    addStop(bezel, 1, rgb(96, 112, 118));
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);
    dropShadow(cr, cx, cy + 0.5, 13.5, 13.5, 0.4);
    drawSphere(cr, cx, cy, 12.6, rgb(54, 196, 84));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        const double o = pass == 0 ? 1 : 0;
        cairo_move_to(cr, cx - 6 + o, cy + 0.5 + o);
        cairo_line_to(cr, cx - 1.8 + o, cy + 5 + o);
        cairo_line_to(cr, cx + 6.5 + o, cy - 4.5 + o);
        if (pass == 0) cairo_set_source_rgba(cr, 0, 0.25, 0.05, 0.6);
        else cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
}

}  // namespace

void writeChrome(const std::string& dir, int scale) {
    const std::string ui = dir + "/ui";
    std::filesystem::create_directories(ui);

    Canvas title(626, 23, scale);
    drawTitle(title);
    title.saveBmp(ui + "/title.bmp");

    for (int i = 0; i < 8; ++i) {
        Canvas piece(3, 3, scale);
        drawFramePiece(piece, i);
        char name[32];
        std::snprintf(name, sizeof name, "/frame%d.bmp", i);
        piece.saveBmp(ui + name);
    }

    // The panel behind a command button differs by skin, so its corners take the border colour.
    const Rgb panel = rgb(30, 26, 92);
    // The close button sits on the options window.
    for (const zv::view::ButtonCaption& b : zv::view::ButtonCaptions()) {
        Canvas strip(6 * b.cellWidth, 25, scale);
        captionStrip(strip, b.cellWidth, std::string(b.file) == "btn_ooptions.bmp" ? kOptionsBack : panel);
        strip.saveBmp(ui + "/" + b.file);
    }

    Canvas sw(6 * 36, 25, scale);
    drawSwitch(sw);
    sw.saveBmp(ui + "/switch.bmp");

    Canvas indicator(41, 41, scale);
    drawIndicator(indicator);
    indicator.saveBmp(ui + "/indicator.bmp");
}
