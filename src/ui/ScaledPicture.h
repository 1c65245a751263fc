// One picture at every scale: the one drawn for 1x, and the ones drawn for larger scales, each made when first asked for.
#pragma once

#include <array>
#include <functional>

#include "ui/Reduce.h"
#include "ui/Surface.h"

namespace zv::ui {

inline constexpr int kLargestScale = 4;

class ScaledPicture {
public:
    // Gives the picture drawn for a scale (2 to kLargestScale), or null when there is none drawn for it.
    using Source = std::function<SurfacePtr(int scale)>;

    ScaledPicture() = default;
    // A picture with no artwork of its own for larger scales: they are enlarged from it as pixel art.
    ScaledPicture(SurfacePtr base) : base_(std::move(base)) {} // NOLINT: a plain picture is a scaled one
    ScaledPicture(SurfacePtr base, Source source) : base_(std::move(base)), source_(std::move(source)) {}
    // Nothing decoded until a scale is asked for: the source gives the 1x picture too (scale 1).
    explicit ScaledPicture(Source source) : source_(std::move(source)), lazyBase_(true) {}

    // The picture for a scale: the 1x one for 1 (and anything below), else the source's, else the 1x
    // one enlarged as pixel art. Null when there is no 1x picture.
    SDL_Surface* At(int scale) const;
    // The picture for a scale as it is drawn at a logical place: at a whole scale At(scale); at a
    // fractional one the picture of the whole scale above, reduced to its rounded size there.
    SDL_Surface* At(Scale scale, int logicalX, int logicalY) const;
    explicit operator bool() const { return static_cast<bool>(base_) || lazyBase_; }
    // Its width at 1x, which every scale's picture is drawn for: from the 1x picture, else from the scale's.
    int LogicalWidth(int scale) const;

    // Pictures reduced for fractional scales ahead (when the program was built), by scale in quarters and the
    // size wanted there; null where there is none. Asked before the picture of the whole scale above is decoded.
    using Ready = std::function<SurfacePtr(int quarters, int w, int h)>;
    void SetReady(Ready ready) { ready_ = std::move(ready); }

private:
    mutable SurfacePtr base_;
    Source source_;
    Ready ready_;
    mutable bool lazyBase_ = false;
    mutable std::array<SurfacePtr, kLargestScale + 1> made_{};
    mutable ReducedPictures reduced_;
};

} // namespace zv::ui
