// Labels: text in a chosen font, plain, with a drop shadow, a raised shadow, or a gradient fill of N colour steps.
#pragma once

#include <array>
#include <string>

#include "ui/Control.h"
#include "ui/Fonts.h"
#include "ui/ScaledPicture.h"
#include "ui/Surface.h"

namespace zv::ui {

class Label : public Control {
public:
    enum class Effect { None, DropShadow, RaisedShadow, Gradient };
    enum class Align { Left, Centre, Right };

    explicit Label(std::string name = {}) : Control(std::move(name)) {}

    const std::string& Caption() const { return caption_; }
    // Text lines are separated by '\n'.
    void SetCaption(const std::string& text);
    void SetFont(FontRequest font);
    void SetColour(SDL_Color c);
    void SetAlign(Align a) { align_ = a; Invalidate(); }
    // Grows the width to fit the text, keeping the left edge.
    void SetAutoSize(bool on) { autoSize_ = on; dirtyText_ = true; Invalidate(); FitNow(); }
    bool AutoSize() const { return autoSize_; }
    void SetFill(SDL_Color c) { fill_ = c; Invalidate(); }

    void SetDropShadow(int depth, SDL_Color colour);
    // Raised off the window: the text extruded down-right, as deep as the shallower depth, in the darker colour.
    void SetRaisedShadow(int lightDepth, SDL_Color light, int shadowDepth, SDL_Color shadow);
    // Colours run from `from` (top) to `to` (bottom) in `steps` bands; glyph edges keep their alpha.
    void SetGradient(int steps, SDL_Color from, SDL_Color to);
    void SetHalo(SDL_Color c) { halo_ = c; haloOn_ = true; dirtyText_ = true; Invalidate(); }
    // A line wider than the label is cut at a character and ends in "…" rather than being clipped mid-letter.
    void SetEllipsis(bool on) { ellipsis_ = on; dirtyText_ = true; Invalidate(); }
    // A line wider than the label is drawn in a smaller size of its font, down to three quarters of it: a long
    // translation keeps within its control while texts that fit keep their size.
    void SetShrinkToFit(bool on) { shrink_ = on; dirtyText_ = true; Invalidate(); }

    // A caption lying straight on a window lets the window be dragged by it; a label that answers
    // clicks (a link) does not.
    bool StopsWindowDrag() const override { return static_cast<bool>(OnClick); }
    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;

    // The rendered text at 1x (the one the label sizes itself by); built on demand.
    SDL_Surface* Rendered() { return RenderedAt(1); }
    // The text rasterised for a scale: the font at its size x the factor (rounded to a whole pixel
    // size, never a picture enlarged or reduced), effects as deep in whole pixels.
    SDL_Surface* RenderedAt(Scale scale);

private:
    SurfacePtr Build(Scale scale);
    void FitNow();
    std::string caption_;
    FontRequest font_{"MS Sans Serif", false, 11, false};
    SDL_Color colour_{0, 0, 0, 255};
    SDL_Color fill_{0, 0, 0, 0};
    Align align_ = Align::Left;
    Effect effect_ = Effect::None;
    int depth1_ = 0, depth2_ = 0;
    SDL_Color effect1_{0, 0, 0, 255}, effect2_{0, 0, 0, 255};
    int steps_ = 0;
    bool autoSize_ = false;
    bool haloOn_ = false;
    bool ellipsis_ = false;
    bool shrink_ = false;
    SDL_Color halo_{0, 0, 0, 0};
    std::array<SurfacePtr, Scale::kMaxQuarters + 1> rendered_{}; // by quarters, but [1] the 1x text
    bool dirtyText_ = true;
};

} // namespace zv::ui
