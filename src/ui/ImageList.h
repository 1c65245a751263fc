// An ordered list of pictures that picture controls show by position; the built-in skins and loaded themes are image lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Surface.h"

namespace zv::ui {

// One picture of a list with what the theme format stores beside it.
// A null surface is an empty picture: controls draw nothing for it.
struct Picture {
    SurfacePtr surface;
    bool compressed = false;
    std::string description;
    std::int32_t identifier = 0;
    int pixelFormat = 0;
};

class ImageList {
public:
    explicit ImageList(std::string name = {}) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // The picture at a position, or null when the list holds none there.
    SDL_Surface* Get(int position) const {
        if (position < 0 || position >= Count()) return nullptr;
        return items_[static_cast<std::size_t>(position)].surface.get();
    }
    const Picture& At(int position) const { return items_.at(static_cast<std::size_t>(position)); }
    Picture& At(int position) { return items_.at(static_cast<std::size_t>(position)); }

    void Clear() { items_.clear(); Changed(); }
    // Takes over the pictures of another list (which is left empty); the name stays.
    void ReplaceWith(ImageList&& other) {
        items_ = std::move(other.items_);
        other.items_.clear();
        ++version_;
    }
    Picture& Append(Picture p = {}) { items_.push_back(std::move(p)); Changed(); return items_.back(); }

    // Bumped on every change, so controls showing the list know to repaint.
    std::uint64_t Version() const { return version_; }
    // While updates are suspended, changes are not announced until EndUpdate.
    void BeginUpdate() { ++suspended_; }
    void EndUpdate() { if (suspended_ > 0 && --suspended_ == 0) ++version_; }

private:
    void Changed() { if (suspended_ == 0) ++version_; }
    std::string name_;
    std::vector<Picture> items_;
    std::uint64_t version_ = 1;
    int suspended_ = 0;
};

} // namespace zv::ui
