// The application icon: a small board with a scoring line of balls, at the sizes desktops ask for.
#include "artwork.h"

#include <filesystem>
#include <string>

namespace {

void drawIcon(cairo_t* cr, int size) {
    cairo_scale(cr, size / 256.0, size / 256.0);
    // Board tile with a soft shadow.
    roundedRect(cr, 14, 20, 232, 232, 44);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    roundedRect(cr, 10, 10, 236, 236, 44);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 10, 0, 246);
    addStop(g, 0, rgb(132, 126, 224));
    addStop(g, 1, rgb(44, 38, 128));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    roundedRect(cr, 14, 14, 228, 228, 40);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Three by three wells; a diagonal of red balls and two others.
    const int kinds[3][3] = {{1, 0, 4}, {0, 1, 0}, {3, 0, 1}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const double x = 34 + c * 66, y = 34 + r * 66;
            roundedRect(cr, x, y, 56, 56, 12);
            cairo_set_source_rgba(cr, 0.05, 0.03, 0.2, 0.55);
            cairo_fill(cr);
            roundedRect(cr, x + 1, y + 3, 54, 52, 11);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
            cairo_fill(cr);
            if (kinds[r][c] == 0) continue;
            dropShadow(cr, x + 30, y + 34, 26, 24, 0.5);
            drawSphere(cr, x + 28, y + 28, 24, ballColour(kinds[r][c]));
        }
    }
    // Top gloss.
    cairo_save(cr);
    roundedRect(cr, 10, 10, 236, 236, 44);
    cairo_clip(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 10, 0, 128);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.22);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
    cairo_set_source(cr, gloss);
    cairo_rectangle(cr, 10, 10, 236, 118);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
}

}  // namespace

void writeIcons(const std::string& dir) {
    const std::string icons = dir + "/icons";
    std::filesystem::create_directories(icons);
    for (int size : {256, 128, 64, 48}) {
        Canvas c(size, size);  // transparent: the icon keeps its alpha
        drawIcon(c.cr(), size);
        c.savePng(icons + "/zorvex2000-" + std::to_string(size) + ".png");
    }
}
