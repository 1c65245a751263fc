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

SDL_Surface* ImageList::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    Picture& p = const_cast<Picture&>(items_[static_cast<std::size_t>(position)]);
    if (!p.surface && !p.packed) p.packed = Ready(position, 4);
    // Asked for as a picture after all (a theme's background enlarged for a larger scale, say).
    if (!p.surface && p.packed) p.surface = p.packed->Unpack();
    return p.surface.get();
}

ImageList::Shown ImageList::Find(int position, Scale scale, int logicalX, int logicalY) const {
    if (position < 0) return {};
    const auto at = static_cast<std::size_t>(position);
    // A picture found not worth packing is drawn as it is: it is not tried again on every paint.
    for (const PackedMade& m : packed_)
        if (m.version == version_ && m.position == position && m.quarters == scale.Quarters() && m.x == logicalX && m.y == logicalY)
            return m.picture ? Shown{nullptr, m.picture.get()} : Shown{Get(position, scale, logicalX, logicalY), nullptr};
    std::erase_if(packed_, [this](const PackedMade& m) { return m.version != version_; });
    // Made ready for the place it lies at: the size tells (its 1x form gives the logical size).
    if (std::shared_ptr<const PackedPicture> ready = Ready(position, scale.Quarters()))
        if (const auto base = Ready(position, 4); base && ready->Width() == scale.Span(logicalX, base->Width()) &&
                                                  ready->Height() == scale.Span(logicalY, base->Height())) {
            packed_.push_back({version_, position, scale.Quarters(), logicalX, logicalY, ready});
            return {nullptr, ready.get()};
        }
    std::shared_ptr<const PackedPicture> packed;
    if (scale.Quarters() <= 4) {
        if (position >= Count()) return {};
        Picture& p = const_cast<Picture&>(items_[at]);
        // The list keeps the picture only packed; Get unpacks it again if it is ever asked for.
        if (!p.packed && (p.packed = PackedAt(p.surface.get(), scale, logicalX, logicalY))) p.surface.reset();
        packed = p.packed;
    } else if (scale.IsWhole()) {
        SDL_Surface* shown = Get(position, scale.Whole());
        packed = PackedAt(shown, scale, logicalX, logicalY);
        Made& made = made_[static_cast<std::size_t>(std::min(scale.Whole(), kLargestScale))];
        // Asked for again, the picture is made again.
        if (!packed) {
        } else if (at < made.fromSource.size() && made.fromSource[at].get() == shown) {
            made.fromSource[at].reset();
            if (made.letGo.size() <= at) made.letGo.resize(at + 1, false);
            made.letGo[at] = true;
        } else if (at < made.enlarged.size() && made.enlarged[at].get() == shown) {
            made.enlarged[at].reset();
        }
    } else if (SDL_Surface* whole = Get(position, scale.Whole())) {
        // Reduced straight into its packed form: the reduced picture is never held whole beside the whole-scale one.
        if ((packed = PackedAt(whole, scale, logicalX, logicalY))) LetGoLarge(position, scale, whole);
    }
    packed_.push_back({version_, position, scale.Quarters(), logicalX, logicalY, packed});
    return packed ? Shown{nullptr, packed.get()} : Shown{Get(position, scale, logicalX, logicalY), nullptr};
}

void ImageList::LetGoLarge(int position, Scale scale, SDL_Surface* whole) const {
    // Nothing at a fractional scale shows the whole-scale picture itself: a large one (a background) is let go.
    constexpr long kLarge = 1L << 20;
    const auto at = static_cast<std::size_t>(position);
    Made& from = made_[static_cast<std::size_t>(std::min(scale.Whole(), kLargestScale))];
    if (static_cast<long>(whole->pitch) * whole->h >= kLarge && at < from.fromSource.size() && from.fromSource[at].get() == whole) {
        from.fromSource[at].reset();
        if (from.letGo.size() <= at) from.letGo.resize(at + 1, false);
        from.letGo[at] = true;
    }
}

SDL_Surface* ImageList::Get(int position, int scale) const {
    if (scale <= 1 || position < 0) return Get(position);
    if (scale > kLargestScale) scale = kLargestScale;
    Made& made = made_[static_cast<std::size_t>(scale)];
    if (const auto at = static_cast<std::size_t>(position); at < made.letGo.size() && made.letGo[at]) made.version = 0;
    if (made.version != version_) {
        made = {};
        made.version = version_;
        if (source_) made.fromSource = source_(scale);
    }
    const auto at = static_cast<std::size_t>(position);
    // The source's own picture needs nothing of the 1x list.
    if (at < made.fromSource.size() && made.fromSource[at]) return made.fromSource[at].get();
    if (std::shared_ptr<const PackedPicture> ready = Ready(position, 4 * scale)) {
        if (made.fromSource.size() <= at) made.fromSource.resize(at + 1);
        made.fromSource[at] = ready->Unpack();
        return made.fromSource[at].get();
    }
    SDL_Surface* base = Get(position);
    if (!base) return nullptr;
    if (made.enlarged.size() <= at) made.enlarged.resize(at + 1);
    if (!made.enlarged[at]) made.enlarged[at] = EnlargePixelArt(base, scale);
    return made.enlarged[at].get();
}

SDL_Surface* ImageList::Get(int position, Scale scale, int logicalX, int logicalY) const {
    if (scale.IsWhole() || position < 0) return Get(position, scale.Whole());
    if (reducedVersion_ != version_) {
        reduced_.Clear();
        reducedFrom_.clear();
        reducedVersion_ = version_;
    }
    const auto at = static_cast<std::size_t>(position);
    const auto key = static_cast<std::uintptr_t>(position);
    auto placeOf = [&](SDL_Point size) {
        const int f = scale.Whole();
        return SDL_Rect{0, 0, scale.Span(logicalX, (size.x + f - 1) / f), scale.Span(logicalY, (size.y + f - 1) / f)};
    };
    if (at < reducedFrom_.size() && reducedFrom_[at].x > 0) {
        const SDL_Rect place = placeOf(reducedFrom_[at]);
        if (SDL_Surface* made = reduced_.Find(key, place.w, place.h)) return made;
    }
    SDL_Surface* whole = Get(position, scale.Whole());
    if (!whole) return nullptr;
    if (reducedFrom_.size() <= at) reducedFrom_.resize(at + 1, SDL_Point{0, 0});
    reducedFrom_[at] = {whole->w, whole->h};
    const SDL_Rect place = placeOf(reducedFrom_[at]);
    SDL_Surface* reduced = reduced_.Get(key, whole, place.w, place.h);
    LetGoLarge(position, scale, whole);
    return reduced;
}

} // namespace zv::ui
