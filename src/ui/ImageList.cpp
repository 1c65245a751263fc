// Image lists: their pictures at larger scales.
#include "ui/ImageList.h"

#include "ui/PixelArt.h"

namespace zv::ui {

void ImageList::Load() const {
    if (!loader_) return;
    Loader load = std::move(loader_);
    loader_ = nullptr;
    auto& self = const_cast<ImageList&>(*this);
    const std::uint64_t version = version_;
    ScaledSource source = source_;
    load(self);
    self.version_ = version;
    self.source_ = std::move(source);
}

SDL_Surface* ImageList::Get(int position, int scale) const {
    if (scale <= 1 || position < 0) return Get(position);
    if (scale > kLargestScale) scale = kLargestScale;
    Made& made = made_[static_cast<std::size_t>(scale)];
    if (made.version != version_) {
        made = {};
        made.version = version_;
        if (source_) made.fromSource = source_(scale);
    }
    const auto at = static_cast<std::size_t>(position);
    // The source's own picture needs nothing of the 1x list.
    if (at < made.fromSource.size() && made.fromSource[at]) return made.fromSource[at].get();
    SDL_Surface* base = Get(position);
    if (!base) return nullptr;
    if (made.enlarged.size() <= at) made.enlarged.resize(at + 1);
    if (!made.enlarged[at]) made.enlarged[at] = EnlargePixelArt(base, scale);
    return made.enlarged[at].get();
}

SDL_Surface* ImageList::Get(int position, Scale scale, int logicalX, int logicalY) const {
    SDL_Surface* whole = Get(position, scale.Whole());
    if (scale.IsWhole() || !whole) return whole;
    if (reducedVersion_ != version_) {
        reduced_.Clear();
        reducedVersion_ = version_;
    }
    const SDL_Rect place = ReducedPlace(whole, scale, logicalX, logicalY);
    return reduced_.Get(whole, place.w, place.h);
}

} // namespace zv::ui
