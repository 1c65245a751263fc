// The application icon: a small board with a scoring line of balls, at the sizes desktops ask for, and as SVG.
#include "artwork.h"

#include <cairo-svg.h>

#include <filesystem>
#include <stdexcept>
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

// The scalable icon: the same drawing on Cairo's SVG surface, 256 x 256 pixels, all in vector paths and gradients.
void writeSvgIcon(const std::string& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), 256, 256);
    cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path);
}

}  // namespace

void writeIcons(const std::string& dir) {
    const std::string icons = dir + "/icons";
    std::filesystem::create_directories(icons);
    // The sizes of the hicolor theme that panels, menus and software centres look for.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        Canvas c(size, size, 1);  // transparent: the icon keeps its alpha
        drawIcon(c.cr(), size);
        c.savePng(icons + "/zorvex2000-" + std::to_string(size) + ".png");
    }
    writeSvgIcon(icons + "/zorvex2000.svg");
}
