// Pictures made for a whole scale reduced to a fractional one: an exact area filter, and a cache of what it made.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "ui/PackedPicture.h"
#include "ui/Scale.h"
#include "ui/Surface.h"

namespace zv::ui {

// The picture reduced to w x h, each target pixel the mean of the source area it covers, weighed by how
// much of each source pixel lies in it (colours weighed by their opacity, so no dark fringe appears
// round a transparent edge). A picture with a colour key or alpha comes back with alpha and blending;
// an opaque one comes back opaque. Null for a null source or an empty size.
SurfacePtr ReduceArea(SDL_Surface* src, int w, int h);
// The same reduction of an opaque picture packed as it is made, row by row, so the reduced picture is never
// held whole; null where PackedPicture::Pack would give null.
std::shared_ptr<const PackedPicture> ReduceAreaPacked(SDL_Surface* src, int w, int h);

// The size a picture drawn for the scale's whole factor takes at the scale, its top-left corner at a
// logical place: its logical size rounded at both edges, as a control's place is.
SDL_Rect ReducedPlace(SDL_Surface* whole, Scale scale, int logicalX, int logicalY);

// What an image list draws for a large opaque picture (a background) at a scale and logical place, made from
// the picture drawn for the whole scale at or above it: that picture packed at a whole scale, at a fractional
// one reduced straight into its packed form. Null where the list draws a picture as it is.
std::shared_ptr<const PackedPicture> PackedAt(SDL_Surface* whole, Scale scale, int logicalX, int logicalY);

// Reduced copies of pictures, made once for each picture (by a key of the owner's: the picture's address, or
// its position in a list) and size. The owner clears it whenever the pictures it was given may have changed.
class ReducedPictures {
public:
    SDL_Surface* Get(SDL_Surface* source, int w, int h) { return Get(reinterpret_cast<std::uintptr_t>(source), source, w, h); }
    SDL_Surface* Get(std::uintptr_t key, SDL_Surface* source, int w, int h);
    // What was made for the key and size, or null.
    SDL_Surface* Find(std::uintptr_t key, int w, int h) const;
    void Clear() { made_.clear(); }
    // Keeps a picture made elsewhere for the key at its size.
    SDL_Surface* Keep(std::uintptr_t key, SurfacePtr picture) {
        SDL_Surface* kept = picture.get();
        made_.push_back({key, kept->w, kept->h, std::move(picture)});
        return kept;
    }

private:
    struct Made {
        std::uintptr_t key;
        int w, h;
        SurfacePtr picture;
    };
    std::vector<Made> made_;
};

} // namespace zv::ui
