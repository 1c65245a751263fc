// Draws one line of a lettering's words onto a window surface, as the artwork painted them: a shadow or a light
// copy below, then a fill running from the top of the capitals to the baseline.
#pragma once

#include <SDL.h>

#include <string>

#include "view/Lettering.h"

namespace zv::view {

// The width of the line (its advances, as a layout measures it) at a font size in window pixels; 0 without a face.
double CaptionWidth(const std::string& text, const Lettering& lettering, double pixelSize);
// The font size, no larger than pixelSize, at which the line fits the width: pixelSize itself when it does, else
// smaller, but not below kSmallestCaptionShare of it (a text still too long then overruns, and the fit test says so).
double FittedPixelSize(const std::string& text, const Lettering& lettering, double pixelSize, double width);
// Draws the line anchored in box (window pixels) by align, the capitals centred on the box's middle line, at a font
// size in window pixels; the effects' offsets grow with pixelSize / lettering.px. Honours the target's clip.
void DrawCaption(SDL_Surface* target, const SDL_Rect& box, const std::string& text, const Lettering& lettering,
                 double pixelSize, CaptionAlign align);

} // namespace zv::view

namespace zv::view {

// One word of the panel in its place, drawn over the background in the lettering the background was drawn for.
class PanelCaption {
public:
    PanelCaption(const CaptionPlace& place, std::string text) : place_(place), text_(std::move(text)) {}

    const CaptionPlace& Place() const { return place_; }
    const std::string& Text() const { return text_; }
    // The font size the word is drawn at for a scale, and its width then, in window pixels.
    double PixelSize(const Lettering& l, double scale) const;
    double DrawnWidth(const Lettering& l, double scale) const;
    // Draws the word on a background whose top-left corner lies at (left, top) on the target (window pixels).
    void Paint(SDL_Surface* target, int left, int top, const SkinLettering& skin, double scale) const;

private:
    CaptionPlace place_;
    std::string text_;
};

// A command button's caption over its word-free face in a cell of the button's strip (state as ButtonLettering
// takes it), scale the window pixels to one of the layout's.
void DrawButtonCaption(SDL_Surface* target, const SDL_Rect& cell, const std::string& text, int state, double scale);
// The room a caption has in a cell of the given width (layout pixels), in window pixels.
double ButtonCaptionRoom(int cellWidth, double scale);

} // namespace zv::view
