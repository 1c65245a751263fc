// The captions painted into the skins' backgrounds, in Russian and in English, each with its place and its room.
#pragma once

#include "artwork.h"

#include <string>
#include <vector>

// The words of one language.
struct BackgroundWords {
    const char* language;  // "ru", "en"
    const char* next;      // left of the preview
    const char* colours;   // right of the preview
    const char* record;    // above the record
    const char* score;     // above the score
    const char* skin;      // heading of the skin choices
    const char* mode;      // heading of the mode choices
    const char* skins[6];  // beside CheckGlass .. CheckAdded
    const char* modes[5];  // beside line .. corner
};

const BackgroundWords& russianWords();
const BackgroundWords& englishWords();

// One caption: where it is anchored and how, and the stretch of the row it must stay within.
struct CaptionPlace {
    std::string text;
    bool heading;          // heading lettering, else caption lettering
    double x, cy;          // anchor, and the vertical centre of the capitals
    Align align;
    double roomLeft, roomRight;
};

std::vector<CaptionPlace> backgroundCaptions(const BackgroundWords& words);

// Left and right edge of a caption as drawn in a lettering.
std::pair<double, double> captionExtent(const CaptionPlace& place, const Lettering& style);
