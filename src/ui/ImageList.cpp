// Image lists: their pictures at larger scales.
#include "ui/ImageList.h"

#include "ui/PixelArt.h"

namespace zv::ui {

SDL_Surface* ImageList::Get(int position, int scale) const {
    SDL_Surface* base = Get(position);
    if (scale <= 1 || !base) return base;
    if (scale > kLargestScale) scale = kLargestScale;
    Made& made = made_[static_cast<std::size_t>(scale)];
    if (made.version != version_) {
        made = {};
        made.version = version_;
        if (source_) made.fromSource = source_(scale);
    }
    const auto at = static_cast<std::size_t>(position);
    if (at < made.fromSource.size() && made.fromSource[at]) return made.fromSource[at].get();
    if (made.enlarged.size() <= at) made.enlarged.resize(at + 1);
    if (!made.enlarged[at]) made.enlarged[at] = EnlargePixelArt(base, scale);
    return made.enlarged[at].get();
}

} // namespace zv::ui
