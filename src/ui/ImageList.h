// An ordered list of pictures that picture controls show by position; the built-in skins and loaded themes are image lists.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/PackedPicture.h"
#include "ui/ScaledPicture.h"
#include "ui/Surface.h"

namespace zv::ui {

// One picture of a list with what the theme format stores beside it.
// A null surface is an empty picture: controls draw nothing for it. A large one the list keeps packed once it
// has been drawn (see Find) has a null surface and its packed form.
struct Picture {
    SurfacePtr surface;
    std::shared_ptr<const PackedPicture> packed;
    bool compressed = false;
    std::string description;
    std::int32_t identifier = 0;
    int pixelFormat = 0;
};

class ImageList {
public:
    explicit ImageList(std::string name = {}) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    int Count() const { Load(); return static_cast<int>(items_.size()); }
    // The picture at a position, or null when the list holds none there (one kept packed is unpacked again).
    SDL_Surface* Get(int position) const;
    const Picture& At(int position) const { Load(); return items_.at(static_cast<std::size_t>(position)); }
    Picture& At(int position) { Load(); return items_.at(static_cast<std::size_t>(position)); }

    // Fills the list the first time its pictures are asked for, not before: a window drawn at a
    // larger scale never needs its 1x pictures. The list counts as holding them all along (its
    // version does not move when they arrive).
    using Loader = std::function<void(ImageList& list)>;
    void SetLoader(Loader load) { loader_ = std::move(load); }
    // Replaces one picture's surface.
    void SetSurface(int position, SurfacePtr surface) {
        At(position).surface = std::move(surface);
        At(position).packed.reset();
        Changed();
    }

    // Where the list's pictures drawn for a larger scale come from: all positions at once, in list
    // order, asked for the first time a picture of that scale is needed. Lists without one (themes)
    // enlarge their 1x pictures as pixel art.
    using ScaledSource = std::function<std::vector<SurfacePtr>(int scale)>;
    void SetScaledSource(ScaledSource source) { source_ = std::move(source); ++version_; }
    // Pictures made ready beforehand in their packed form (a built-in skin's background, packed when the program
    // was built), by position and scale in quarters; null where there is none. Find takes one for the list's
    // corner before anything is decoded, and Get unpacks one where the list or its source has an empty picture.
    // Set after the scaled source; it holds until the list next changes.
    using ReadySource = std::function<std::shared_ptr<const PackedPicture>(int position, int quarters)>;
    void SetReadySource(ReadySource ready) { ready_ = std::move(ready); readyVersion_ = version_; }
    // The picture at a position drawn for a scale: the source's when it has one there, else the 1x
    // picture enlarged as pixel art; at scale 1 (or below) the 1x picture. Null when there is no 1x one.
    SDL_Surface* Get(int position, int scale) const;
    // The picture at a position as it is drawn at a logical place: at a whole scale Get(position, scale);
    // at a fractional one the picture of the whole scale above, reduced to its rounded size there.
    SDL_Surface* Get(int position, Scale scale, int logicalX, int logicalY) const;

    // What a control draws for a position at a logical place: the picture Get gives there, or for a large
    // opaque one (a background) its packed form, which the list then keeps instead of the picture.
    struct Shown {
        SDL_Surface* surface = nullptr;
        const PackedPicture* packed = nullptr;
        int Width() const { return surface ? surface->w : packed ? packed->Width() : 0; }
        int Height() const { return surface ? surface->h : packed ? packed->Height() : 0; }
        explicit operator bool() const { return surface || packed; }
    };
    Shown Find(int position, Scale scale, int logicalX, int logicalY) const;

    void Clear() { loader_ = nullptr; items_.clear(); Changed(); }
    // Takes over the pictures of another list (which is left empty); the name stays, the source of
    // larger pictures goes: they were drawn for the pictures replaced.
    void ReplaceWith(ImageList&& other) {
        other.Load();
        loader_ = nullptr;
        items_ = std::move(other.items_);
        other.items_.clear();
        source_ = nullptr;
        ++version_;
    }
    Picture& Append(Picture p = {}) { Load(); items_.push_back(std::move(p)); Changed(); return items_.back(); }

    // Bumped on every change, so controls showing the list know to repaint.
    std::uint64_t Version() const { return version_; }
    // While updates are suspended, changes are not announced until EndUpdate.
    void BeginUpdate() { ++suspended_; }
    void EndUpdate() { if (suspended_ > 0 && --suspended_ == 0) ++version_; }

private:
    void Changed() { if (suspended_ == 0) ++version_; }
    void Load() const;
    // Lets go of a large whole-scale picture of the source once a fractional scale has what it needs of it.
    void LetGoLarge(int position, Scale scale, SDL_Surface* whole) const;
    std::shared_ptr<const PackedPicture> Ready(int position, int quarters) const {
        return ready_ && readyVersion_ == version_ ? ready_(position, quarters) : nullptr;
    }
    std::string name_;
    std::vector<Picture> items_;
    mutable Loader loader_;
    ScaledSource source_;
    ReadySource ready_;
    std::uint64_t readyVersion_ = 0;
    // Larger pictures by scale, for the version of the list they were made for.
    struct Made {
        std::uint64_t version = 0;
        std::vector<SurfacePtr> fromSource;
        std::vector<SurfacePtr> enlarged;
        // Large pictures of the source's let go once reduced for a fractional scale: asked for again, the
        // source gives them again.
        std::vector<bool> letGo;
    };
    mutable std::array<Made, kLargestScale + 1> made_{};
    // Pictures reduced for fractional scales by position, and the size of the whole-scale picture each was
    // reduced from, so a picture already made is found without asking for the whole-scale one.
    mutable ReducedPictures reduced_;
    mutable std::uint64_t reducedVersion_ = 0;
    mutable std::vector<SDL_Point> reducedFrom_;
    // Packed pictures by the version of the list they were made for; null for one not worth packing.
    struct PackedMade {
        std::uint64_t version;
        int position, quarters, x, y;
        std::shared_ptr<const PackedPicture> picture;
    };
    mutable std::vector<PackedMade> packed_;
    std::uint64_t version_ = 1;
    int suspended_ = 0;
};

} // namespace zv::ui
