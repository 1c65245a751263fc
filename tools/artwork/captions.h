// The game's lettering (view/Lettering.h) in the drawing helpers' terms, to measure the words as Pango lays them out.
#pragma once

#include "artwork.h"
#include "view/Lettering.h"

#include <string>
#include <utility>

// The same face, size, inks and effects for the drawing helpers.
Lettering paintLettering(const zv::view::Lettering& l);
// Left and right edge of a word in its place, laid out at a scale, in that canvas's pixels.
std::pair<double, double> captionExtent(const std::string& text, const zv::view::CaptionPlace& place, const Lettering& style,
                                        int scale = 1);
