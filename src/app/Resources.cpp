// Lookup of embedded files.
#include "app/Resources.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/Language.h"
#include "ui/Compact.h"
#include "ui/ImageList.h"
#include "ui/PictureBytes.h"
#include "ui/PixelArt.h"
#include "ui/Reduce.h"
#include "view/Bmp.h"
#include "view/CaptionText.h"
#include "view/ReadyArtwork.h"
#include "view/Skins.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

namespace zv::app {

struct EmbeddedFile {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
extern const EmbeddedFile kEmbeddedFiles[];

std::span<const std::uint8_t> Resource(const std::string& name) {
    for (const EmbeddedFile* f = kEmbeddedFiles; f->name; ++f)
        if (name == f->name) return {f->begin, static_cast<std::size_t>(f->end - f->begin)};
    return {};
}

ui::SurfacePtr ResourcePicture(const std::string& name) {
    auto bytes = Resource(name);
    if (bytes.empty()) return {};
    ui::SurfacePtr picture;
    try {
        picture = view::DecodeBmp(bytes.data(), bytes.size());
    } catch (const view::ThemeError&) {
    }
    ui::ReleasePages(bytes);
    return picture;
}

void LoadResourceList(ui::ImageList& list, const std::string& name) {
    auto bytes = Resource(name);
    if (bytes.empty()) return;
    try {
        view::LoadThemeBytes(bytes.data(), bytes.size(), name, list);
    } catch (...) {
        ui::ReleasePages(bytes);
        throw;
    }
    ui::ReleasePages(bytes);
}


std::string ReadyListResource(const std::string& resource) {
    const std::string ready = "ready/" + resource;
    if (Resource(ready).empty() || Resource(ScaledResourceName(ready, 2)).empty() || !ReadyBackground(resource, 4) ||
        !ReadyBackground(resource, 8))
        return {};
    return ready;
}

std::shared_ptr<const ui::PackedPicture> ReadyBackground(const std::string& resource, int quarters) {
    const std::span<const std::uint8_t> bytes = Resource(view::ReadyBackgroundName("ready/" + resource, quarters));
    return ui::PackedPicture::Over(bytes.data(), bytes.size());
}

void CompactLargePictures(ui::ImageList& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (SDL_Surface* s = list.Get(i); s && s->w * s->h >= 256 * 256) list.SetSurface(i, ui::Compact(list.At(i).surface));
}

std::string ScaledResourceName(const std::string& name, int scale) {
    std::string scaled = "s";
    scaled += std::to_string(scale);
    scaled += '/';
    scaled += name;
    if (scaled.size() > 4 && scaled.compare(scaled.size() - 4, 4, ".bmp") == 0) scaled.replace(scaled.size() - 4, 4, ".zvt");
    return scaled;
}

namespace {

// The pictures of an embedded theme file; none when the build lacks it or it does not decode.
ui::ImageList LoadEmbeddedList(const std::string& name) {
    ui::ImageList list;
    try {
        LoadResourceList(list, name);
    } catch (const std::exception&) {
        // The program's own artwork: a picture missing at a scale is enlarged from the 1x one instead.
        list.Clear();
    }
    return list;
}

// The artwork for 4x is that of 2x doubled: nothing is drawn at 4x.
int DrawnScale(int scale) { return scale == 4 ? 2 : scale; }

ui::SurfacePtr Doubled(ui::SurfacePtr picture, int scale) {
    if (!picture || scale == DrawnScale(scale)) return picture;
    return ui::EnlargeNearest(picture.get(), scale / DrawnScale(scale));
}

} // namespace

ui::SurfacePtr DrawnResourcePicture(const std::string& name, int scale) {
    ui::ImageList list = LoadEmbeddedList(ScaledResourceName(name, DrawnScale(scale)));
    if (list.Count() == 0) return nullptr;
    return Doubled(std::move(list.At(0).surface), scale);
}

std::vector<ui::SurfacePtr> ScaledListPictures(const std::string& resource, int scale) {
    // Drawn for 2x from where the list lies in the program, neither decoded nor copied.
    if (DrawnScale(scale) == 2) {
        const std::span<const std::uint8_t> bytes = Resource(view::ReadyListName(resource, 8));
        if (std::optional<std::vector<ui::SurfacePtr>> ready = ui::PicturesOver(bytes.data(), bytes.size())) {
            // Kept as the window holds them at 2x (large ones in three bytes a pixel); the pictures over the
            // program's bytes are never converted in place, only the ones doubled for 4x.
            if (scale != 2)
                for (auto& picture : *ready) picture = ui::Compact(Doubled(std::move(picture), scale));
            return std::move(*ready);
        }
    }
    return DecodedListPictures(resource, scale);
}

std::vector<ui::SurfacePtr> DecodedListPictures(const std::string& resource, int scale) {
    ui::ImageList list = LoadEmbeddedList(ScaledResourceName(resource, DrawnScale(scale)));
    std::vector<ui::SurfacePtr> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(Doubled(std::move(list.At(i).surface), scale));
    for (auto& picture : out) picture = ui::Compact(std::move(picture));
    return out;
}

ui::SurfacePtr ReadyPicture(const std::string& name, int quarters, int w, int h) {
    for (int v = 0; v < view::kReadyVariants; ++v) {
        const std::span<const std::uint8_t> bytes = Resource(view::ReadyPictureName("ready/" + name, quarters, v));
        if (const SDL_Point size = ui::PictureBytesSize(bytes.data(), bytes.size()); size.x == w && size.y == h)
            return ui::PictureFromBytes(bytes.data(), bytes.size());
    }
    return nullptr;
}

ui::SurfacePtr ReadyDrawnPicture(const std::string& name, int scale) {
    const std::span<const std::uint8_t> bytes = Resource(view::ReadyPictureName("ready/" + name, DrawnScale(scale) * 4, 0));
    return Doubled(ui::PictureOver(bytes.data(), bytes.size()), scale);
}

ui::ScaledPicture ScaledResourcePicture(const std::string& name) {
    ui::ScaledPicture picture([name](int scale) -> ui::SurfacePtr {
        // Drawn from where it lies in the program, neither decoded nor copied.
        if (ui::SurfacePtr ready = ReadyDrawnPicture(name, scale)) return ready;
        return scale == 1 ? ResourcePicture(name) : DrawnResourcePicture(name, scale);
    });
    picture.SetReady([name](int quarters, int w, int h) { return ReadyPicture(name, quarters, w, h); });
    return picture;
}

void UseCommandButtonArtwork(ui::ImageButton& button, const std::string& file) {
    for (const view::ButtonCaption& b : view::ButtonCaptions()) {
        if (file != b.file) continue;
        button.SetStateStrip(ScaledResourcePicture("ui/" + file), b.cellWidth);
        const std::string caption = platform::Tr(b.id);
        button.PaintOver = [caption](SDL_Surface* target, const SDL_Rect& cell, ui::ButtonState state, ui::Scale scale) {
            view::DrawButtonCaption(target, cell, caption, static_cast<int>(state), scale.Factor());
        };
        return;
    }
}

void ReleaseResourcePages() {
    // The embedded files lie one after another. The system maps the pages around each one read (64 KiB at a
    // time), so the ends of the files beside it stay mapped however exactly each file's own pages are released:
    // the whole stretch goes at once, pages shared with other read-only data included (they come back from the
    // program file when next read, unchanged).
    const unsigned char* first = nullptr;
    const unsigned char* last = nullptr;
    for (const EmbeddedFile* f = kEmbeddedFiles; f->name; ++f) {
        if (!first || f->begin < first) first = f->begin;
        if (!last || f->end > last) last = f->end;
    }
    if (!first) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(first) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(last) + page - 1) & ~(page - 1);
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

} // namespace zv::app
