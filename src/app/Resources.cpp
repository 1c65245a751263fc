// Lookup of embedded files.
#include "app/Resources.h"

#include <cstdint>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/Language.h"
#include "ui/ImageList.h"
#include "ui/PixelArt.h"
#include "view/Skins.h"
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

namespace {

// Lets the system drop the pages of one embedded file once it is decoded: whole pages inside its bytes only,
// as the pages at its ends may hold other data. They come back from the program file if it is read again.
void ReleasePages(std::span<const std::uint8_t> bytes) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(bytes.data()) + page - 1) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(bytes.data() + bytes.size()) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

} // namespace

ui::SurfacePtr ResourcePicture(const std::string& name) {
    auto bytes = Resource(name);
    if (bytes.empty()) return {};
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* s = SDL_LoadBMP_RW(rw, 1);
    ReleasePages(bytes);
    if (!s) return {};
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(s);
    return ui::AdoptSurface(c);
}

void LoadResourceList(ui::ImageList& list, const std::string& name) {
    auto bytes = Resource(name);
    if (bytes.empty()) return;
    try {
        view::LoadThemeBytes(bytes.data(), bytes.size(), name, list);
    } catch (...) {
        ReleasePages(bytes);
        throw;
    }
    ReleasePages(bytes);
}

std::string ScaledResourceName(const std::string& name, int scale) {
    std::string scaled = "s" + std::to_string(scale) + "/" + name;
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

ui::ScaledPicture ScaledResourcePicture(const std::string& name) {
    return ui::ScaledPicture([name](int scale) { return scale == 1 ? ResourcePicture(name) : DrawnResourcePicture(name, scale); });
}

std::vector<ui::SurfacePtr> ScaledListPictures(const std::string& resource, int scale) {
    ui::ImageList list = LoadEmbeddedList(ScaledResourceName(resource, DrawnScale(scale)));
    std::vector<ui::SurfacePtr> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(Doubled(std::move(list.At(i).surface), scale));
    if (platform::EnglishInUse() && out.size() > static_cast<std::size_t>(view::kBackgroundPicture)) {
        const std::string english = resource.substr(0, resource.size() - 4) + ".en.zvt";
        ui::ImageList background = LoadEmbeddedList(ScaledResourceName(english, DrawnScale(scale)));
        if (background.Count() > 0 && background.Get(0))
            out[static_cast<std::size_t>(view::kBackgroundPicture)] = Doubled(std::move(background.At(0).surface), scale);
    }
    return out;
}

ui::ScaledPicture CaptionedPicture(const std::string& file) {
    if (platform::EnglishInUse() && !Resource("ui/en/" + file).empty()) return ScaledResourcePicture("ui/en/" + file);
    return ScaledResourcePicture("ui/" + file);
}

void ReleaseResourcePages() {
    for (const EmbeddedFile* f = kEmbeddedFiles; f->name; ++f) ReleasePages({f->begin, static_cast<std::size_t>(f->end - f->begin)});
}

} // namespace zv::app
