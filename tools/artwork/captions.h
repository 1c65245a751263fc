// The captions painted into the pictures (skin backgrounds, command buttons), in Russian and in English, with their room.
#pragma once

#include "artwork.h"

#include <string>
#include <vector>

// The words of one language.
struct PaintedWords {
    const char* language;  // "ru", "en"
    const char* next;      // left of the preview
    const char* colours;   // right of the preview
    const char* record;    // above the record
    const char* score;     // above the score
    const char* skin;      // heading of the skin choices
    const char* mode;      // heading of the mode choices
    const char* skins[6];  // beside CheckGlass .. CheckAdded
    const char* modes[5];  // beside line .. corner
    const char* finish;    // the command buttons
    const char* gstart;
    const char* turnBack;
    const char* goptions;
    const char* close;     // the options window's close button
};

const PaintedWords& russianWords();
const PaintedWords& englishWords();

// One caption: where it is anchored and how, and the stretch of the row it must stay within.
struct CaptionPlace {
    std::string text;
    bool heading;          // heading lettering, else caption lettering
    double x, cy;          // anchor, and the vertical centre of the capitals
    Align align;
    double roomLeft, roomRight;
};

std::vector<CaptionPlace> backgroundCaptions(const PaintedWords& words);

// A command button's picture: its file, its caption and the width of each of its six state cells.
struct ButtonCaption {
    std::string file;
    std::string text;
    int cellWidth;
};
std::vector<ButtonCaption> buttonCaptions(const PaintedWords& words);
// The lettering of the button captions; each state sets its own ink.
Lettering buttonLettering();
// A button's border and bevel take this much of each side of its cell.
constexpr int kButtonMargin = 4;

// Left and right edge of a caption as drawn in a lettering on a canvas of the given scale, in that canvas's pixels.
std::pair<double, double> captionExtent(const CaptionPlace& place, const Lettering& style, int scale = 1);
