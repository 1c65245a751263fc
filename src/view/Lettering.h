// The lettering of the words on the main window's panel and on the command buttons: faces, sizes, inks, effects and
// places. The artwork tool paints the word-free pictures under them; the game draws the words over them.
#pragma once

#include <cstdint>
#include <vector>

namespace zv::view {

struct Ink {
    std::uint8_t r, g, b;
};

enum class CaptionAlign { Left, Centre, Right };

struct Lettering {
    const char* family = "DejaVu Sans Condensed";
    bool bold = true;
    double px = 14;             // font size in pixels at 1x
    Ink top{255, 255, 255};     // fill from the top of the capitals ...
    Ink bottom{255, 255, 255};  // ... to the baseline
    Ink shadow{0, 0, 0};
    double shadowAlpha = 0;     // 0: no shadow
    double shadowDx = 1, shadowDy = 1;
    Ink highlight{255, 255, 255};
    double highlightAlpha = 0;  // engraved look: a light copy one pixel below
};

// The two letterings of a skin that has a background of its own.
struct SkinLettering {
    Lettering heading, caption;
};

const SkinLettering& GlassLettering();
const SkinLettering& ChipsLettering();
const SkinLettering& MarblesLettering();

// A word's box on the panel in 1x pixels: the text is anchored at its left edge, centre or right edge, with the
// capitals centred on the box's middle line; the box is also all the room the word has.
struct CaptionPlace {
    const char* id;  // the Russian text, the message id of its translations
    bool heading;    // heading lettering, else caption lettering
    int x, y, w, h;
    CaptionAlign align;
};

// The panel's words: headings of the preview, record, score, skins and modes, and the names of the skins and modes.
const std::vector<CaptionPlace>& PanelCaptions();

// A command button: its picture file, its caption and the width of each of its six state cells.
struct ButtonCaption {
    const char* file;
    const char* id;
    int cellWidth;
};
const std::vector<ButtonCaption>& ButtonCaptions();
// A button's border and bevel take this much of each side of its cell; its caption keeps inside.
inline constexpr int kButtonMargin = 4;
// The button lettering in a state (0 normal, 1 hover, 2 pressed, 3 disabled, 4 focused); a pressed caption is
// drawn one pixel right and down.
Lettering ButtonLettering(int state);

// A caption may be drawn this much smaller than its lettering, and no smaller, when a translation is too long.
inline constexpr double kSmallestCaptionShare = 0.75;

} // namespace zv::view
