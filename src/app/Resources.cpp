// Lookup of embedded files.
#include "app/Resources.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <thread>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/Language.h"
#include "store/ScaleFile.h"
#include "store/SkinFile.h"
#include "ui/ImageList.h"
#include "ui/PixelArt.h"
#include "ui/Reduce.h"
#include "view/CaptionText.h"
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

ui::SurfacePtr Compact(ui::SurfacePtr picture) {
    constexpr int kLargePixels = 256 * 256;
    if (!picture || picture->w * picture->h < kLargePixels || picture->format->format != SDL_PIXELFORMAT_RGB888 ||
        SDL_MUSTLOCK(picture.get()) || SDL_BYTEORDER != SDL_LIL_ENDIAN)
        return picture;
    // In place, so the four-byte and the three-byte picture are never held together: a row of three-byte pixels
    // is shorter than the row it is made from, so going from the first pixel on never overwrites one not yet
    // read. The three bytes of each pixel are the first three of its four, in the same order.
    SDL_Surface* s = picture.get();
    const int pitch = (s->w * 3 + 3) & ~3;
    auto* pixels = static_cast<Uint8*>(s->pixels);
    SDL_Surface* compact = SDL_CreateRGBSurfaceWithFormatFrom(pixels, s->w, s->h, 24, pitch, SDL_PIXELFORMAT_BGR24);
    if (!compact) return picture;
    for (int y = 0; y < s->h; ++y) {
        const Uint8* in = pixels + static_cast<std::ptrdiff_t>(y) * s->pitch;
        Uint8* out = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < s->w; ++x) std::memmove(out + 3 * x, in + 4 * x, 3);
    }
    // The pages past the shorter picture go back to the system; the buffer lives as long as the picture on it.
    ReleasePages({pixels + static_cast<std::ptrdiff_t>(s->h) * pitch, static_cast<std::size_t>(s->h) * static_cast<std::size_t>(s->pitch - pitch)});
    return ui::SurfacePtr(compact, [buffer = std::move(picture)](SDL_Surface* p) { SDL_FreeSurface(p); });
}

void CompactLargePictures(ui::ImageList& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (SDL_Surface* s = list.Get(i); s && s->w * s->h >= 256 * 256) list.SetSurface(i, Compact(list.At(i).surface));
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

namespace {

ui::SurfacePtr DecodeDrawnPicture(const std::string& name, int scale) {
    ui::ImageList list = LoadEmbeddedList(ScaledResourceName(name, DrawnScale(scale)));
    if (list.Count() == 0) return nullptr;
    return Doubled(std::move(list.At(0).surface), scale);
}

std::vector<ui::SurfacePtr> DecodeScaledList(const std::string& resource, int scale) {
    ui::ImageList list = LoadEmbeddedList(ScaledResourceName(resource, DrawnScale(scale)));
    std::vector<ui::SurfacePtr> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(Doubled(std::move(list.At(i).surface), scale));
    for (auto& picture : out) picture = Compact(std::move(picture));
    return out;
}

// What a second thread decoded ahead of the first frame, by "name@scale"; taken out once used.
struct Prefetch {
    std::thread worker;
    std::map<std::string, std::vector<ui::SurfacePtr>> lists;
    std::map<std::string, ui::SurfacePtr> pictures;

    int scale = 0;

    // Waits for the thread: its results are read only after it has ended.
    void Finish() {
        if (worker.joinable()) worker.join();
    }
    // Waits, and lets go of everything when a picture of another scale is asked for: the window is drawn at
    // a scale the guess missed (full screen, say), and what was made would only take memory.
    void FinishFor(int asked) {
        Finish();
        if (asked == scale) return;
        lists.clear();
        pictures.clear();
    }
    ~Prefetch() { Finish(); }
};

Prefetch& Prefetched() {
    static Prefetch prefetch;
    return prefetch;
}

std::string Key(const std::string& name, int scale) { return name + "@" + std::to_string(scale); }

} // namespace

void PrefetchArtwork(ui::Scale drawn, const std::string& listResource) {
    Prefetch& p = Prefetched();
    const int scale = drawn.Whole();
    if (scale < 2 || p.worker.joinable()) return;
    p.scale = scale;
    std::vector<std::string> pictures = {"ui/title.bmp"};
    for (int i = 0; i < 8; ++i) pictures.push_back("ui/frame" + std::to_string(i) + ".bmp");
    for (const char* button : {"btn_finish.bmp", "btn_gstart.bmp", "btn_turnback.bmp", "btn_goptions.bmp"})
        pictures.push_back(std::string("ui/") + button);
    p.worker = std::thread([&p, drawn, scale, listResource, pictures] {
        // The background first: it is the most work, and the first paint needs it first.
        std::vector<ui::SurfacePtr>& list = p.lists[Key(listResource, scale)] = DecodeScaledList(listResource, scale);
        // At a fractional scale the first paint reduces it, too: done here, while the display is still being
        // opened. It lies at the main window's corner.
        if (constexpr auto at = static_cast<std::size_t>(view::kBackgroundPicture); !drawn.IsWhole() && at < list.size() && list[at]) {
            const SDL_Rect place = ui::ReducedPlace(list[at].get(), drawn, 0, 0);
            ui::ReduceAheadPacked(list[at].get(), place.w, place.h);
        }
        for (const std::string& name : pictures) p.pictures[Key(name, scale)] = DecodeDrawnPicture(name, scale);
    });
}

void PrefetchFirstFrame(const std::string& dataDir, ui::Scale desktopScale) {
    ui::Scale scale = desktopScale;
    // The artwork of the whole scale at or above the chosen one: a fractional scale reduces it.
    if (const store::ScaleLoad chosen = store::LoadScale(dataDir); chosen.scale) scale = ui::Scale::FromQuarters(*chosen.scale);
    std::int32_t skin = view::kGlass;
    try {
        if (!store::ReadSkinFile(dataDir + "/" + store::kSkinFileName, skin)) skin = view::kGlass;
    } catch (const std::exception&) {
        skin = view::kGlass;
    }
    if (skin < 1 || skin > 5) skin = view::kGlass;
    PrefetchArtwork(scale, kSkinListResources[skin - 1]);
}

void FinishPrefetch() { Prefetched().Finish(); }

ui::SurfacePtr DrawnResourcePicture(const std::string& name, int scale) {
    Prefetch& p = Prefetched();
    p.FinishFor(scale);
    if (auto it = p.pictures.find(Key(name, scale)); it != p.pictures.end()) {
        ui::SurfacePtr picture = std::move(it->second);
        p.pictures.erase(it);
        return picture;
    }
    return DecodeDrawnPicture(name, scale);
}

std::vector<ui::SurfacePtr> ScaledListPictures(const std::string& resource, int scale) {
    Prefetch& p = Prefetched();
    p.FinishFor(scale);
    if (auto it = p.lists.find(Key(resource, scale)); it != p.lists.end()) {
        std::vector<ui::SurfacePtr> pictures = std::move(it->second);
        p.lists.erase(it);
        return pictures;
    }
    return DecodeScaledList(resource, scale);
}

ui::ScaledPicture ScaledResourcePicture(const std::string& name) {
    return ui::ScaledPicture([name](int scale) { return scale == 1 ? ResourcePicture(name) : DrawnResourcePicture(name, scale); });
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
