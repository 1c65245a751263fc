// Pictures at every scale, made on first use.
#include "ui/ScaledPicture.h"

#include "ui/PixelArt.h"

#include <algorithm>

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

int ScaledPicture::LogicalWidth(int scale) const {
    if (SDL_Surface* base = At(1)) return base->w;
    SDL_Surface* whole = At(scale);
    return whole ? (whole->w + scale - 1) / std::max(scale, 1) : 0;
}

SDL_Surface* ScaledPicture::At(Scale scale, int logicalX, int logicalY) const {
    // Its place there follows from the 1x picture's size, which costs next to nothing to decode.
    if (ready_ && !scale.IsWhole())
        if (SDL_Surface* base = At(1)) {
            const int w = scale.Span(logicalX, base->w), h = scale.Span(logicalY, base->h);
            const auto key = static_cast<std::uintptr_t>(scale.Quarters());
            if (SDL_Surface* kept = reduced_.Find(key, w, h)) return kept;
            if (SurfacePtr made = ready_(scale.Quarters(), w, h); made && made->w == w && made->h == h)
                return reduced_.Keep(key, std::move(made));
        }
    SDL_Surface* whole = At(scale.Whole());
    if (scale.IsWhole() || !whole) return whole;
    const SDL_Rect place = ReducedPlace(whole, scale, logicalX, logicalY);
    return reduced_.Get(whole, place.w, place.h);
}

} // namespace zv::ui
