// The pictures of the game, grouped by where they are used, and the palettes of the skins.
#pragma once

#include "paint.h"

#include <string>

// The colours of a skin that has a background of its own.
struct SkinLook {
    Rgb window;      // the window colour the skin sets; shows round the background
    Rgb backTop, backBottom;
    Rgb plate, plateLight, plateDark;   // the side plates under the captions and the marks
    Rgb tray, trayLight, trayDark;      // the board tray
    Rgb well;                           // the frame round each cell
    Rgb display;                        // the box behind the score numbers
    Rgb markWell, markDot;              // the 14 x 14 choice marks
    int motif;                          // 0 glass petals, 1 pinstripes, 2 brushed metal
};

const SkinLook& glassLook();
const SkinLook& chipsLook();
const SkinLook& marblesLook();

// The 621 x 462 panel background of a skin, without words: the game draws them over it.
void drawBackground(Canvas& c, const SkinLook& look, uint32_t seed);
// The 14 x 14 choice mark of a skin, checked or not.
void drawMark(Canvas& c, const SkinLook& look, bool checked);
// A cell picture of a built-in skin (list 0 to 4: flowers, classic, chips, marbles, faces) in the 33 x 33 of a cell:
// position 0 the empty cell, 1 to 6 the balls.
void drawCell(cairo_t* cr, int list, int position);

// The scales the skins and the window pictures are drawn at, for desktops of 1x, 2x and 3x; a 4x desktop doubles
// the 2x pictures.
constexpr int kScales[] = {1, 2, 3};
// The folder of the pictures of one scale: the output folder itself at 1x, its sub-folder s<scale> otherwise.
inline std::string scaleFolder(const std::string& dir, int scale) {
    return scale == 1 ? dir : dir + "/s" + std::to_string(scale);
}

// Each writer creates its sub-folder of dir and fills it; the skins and the chrome at one scale.
void writeSkins(const std::string& dir, int scale);   // skins/<list>/NN.bmp
void writeChrome(const std::string& dir, int scale);  // ui/*.bmp; the command buttons without words
void writeIcons(const std::string& dir);               // icons/zorvex2000-N.png, icons/zorvex2000.svg
