// Pictures at every scale, made on first use.
#include "ui/ScaledPicture.h"

#include "ui/PixelArt.h"

namespace zv::ui {

SDL_Surface* ScaledPicture::At(int scale) const {
    if (scale <= 1) {
        if (lazyBase_) {
            lazyBase_ = false;
            base_ = source_(1);
        }
        return base_.get();
    }
    if (scale > kLargestScale) scale = kLargestScale;
    SurfacePtr& made = made_[static_cast<std::size_t>(scale)];
    if (!made && source_) made = source_(scale);
    if (!made) made = EnlargePixelArt(At(1), scale);
    return made.get();
}

SDL_Surface* ScaledPicture::At(Scale scale, int logicalX, int logicalY) const {
    SDL_Surface* whole = At(scale.Whole());
    if (scale.IsWhole() || !whole) return whole;
    const SDL_Rect place = ReducedPlace(whole, scale, logicalX, logicalY);
    return reduced_.Get(whole, place.w, place.h);
}

} // namespace zv::ui
