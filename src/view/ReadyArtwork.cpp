// Built-in skins' backgrounds packed ahead, by the same steps a window takes when it first draws them.
#include "view/ReadyArtwork.h"

#include "ui/Compact.h"
#include "ui/ImageList.h"
#include "ui/PictureBytes.h"
#include "ui/Reduce.h"
#include "view/Skins.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

namespace zv::view {

namespace {

// The background as the game holds it once its list is decoded: in three bytes a pixel.
ui::SurfacePtr Background(std::span<const std::uint8_t> list, const char* name) {
    ui::ImageList pictures;
    LoadThemeBytes(list.data(), list.size(), name, pictures);
    if (pictures.Count() <= kBackgroundPicture) return nullptr;
    return ui::Compact(std::move(pictures.At(kBackgroundPicture).surface));
}

std::vector<std::uint8_t> WithoutBackground(std::span<const std::uint8_t> list, const char* name) {
    std::vector<ThemeEntry> entries = ReadThemeEntries(list.data(), list.size(), name);
    entries[static_cast<std::size_t>(kBackgroundPicture)].bitmap.clear();
    return WriteThemeBytes(entries);
}

} // namespace

ReadyArtwork MakeReadyArtwork(std::span<const std::uint8_t> list1x, std::span<const std::uint8_t> list2x, int x, int y) {
    ReadyArtwork ready;
    const ui::SurfacePtr small = Background(list1x, "1x list"), large = Background(list2x, "2x list");
    for (int quarters : kReadyQuarters) {
        const ui::Scale scale = ui::Scale::FromQuarters(quarters);
        const auto packed = ui::PackedAt(quarters == 4 ? small.get() : large.get(), scale, x, y);
        // Unless it is ready at every scale the lists keep it.
        if (!packed) return {};
        ready.packed.push_back(packed->Bytes());
    }
    ready.list1x = WithoutBackground(list1x, "1x list");
    ready.list2x = WithoutBackground(list2x, "2x list");
    return ready;
}

namespace {

std::string WithoutExtension(std::string name) {
    if (const auto dot = name.rfind('.'); dot != std::string::npos && name.find('/', dot) == std::string::npos) name.resize(dot);
    return name;
}

} // namespace

std::string ReadyBackgroundName(const std::string& list, int quarters) {
    return WithoutExtension(list) + "@" + std::to_string(quarters) + ".zvp";
}

SDL_Point ReadyVariantSize(SDL_Point logical, int quarters, int variant) {
    auto side = [quarters](int length, bool up) { return (length * quarters + (up ? 3 : 0)) / 4; };
    return {side(logical.x, (variant & 1) != 0), side(logical.y, (variant & 2) != 0)};
}

std::vector<std::vector<std::uint8_t>> MakeReadyPictures(SDL_Point logical, SDL_Surface* drawn2x) {
    std::vector<std::vector<std::uint8_t>> made;
    for (int quarters : kReadyFractions)
        for (int v = 0; v < kReadyVariants; ++v) {
            const SDL_Point size = ReadyVariantSize(logical, quarters, v);
            bool seen = false;
            for (int before = 0; before < v; ++before) {
                const SDL_Point other = ReadyVariantSize(logical, quarters, before);
                seen = seen || (other.x == size.x && other.y == size.y);
            }
            const ui::SurfacePtr reduced = seen ? nullptr : ui::ReduceArea(drawn2x, size.x, size.y);
            made.push_back(reduced ? ui::PictureBytes(reduced.get()) : std::vector<std::uint8_t>{});
        }
    return made;
}

std::string ReadyPictureName(const std::string& name, int quarters, int variant) {
    return WithoutExtension(name) + "@" + std::to_string(quarters) + "-" + std::to_string(variant) + ".zvr";
}

std::vector<std::uint8_t> MakeReadyList(std::span<const std::uint8_t> list2x) {
    ui::ImageList pictures;
    try {
        LoadThemeBytes(list2x.data(), list2x.size(), "2x list", pictures);
    } catch (const ThemeError&) {
        return {};
    }
    std::vector<ui::SurfacePtr> held;
    std::vector<SDL_Surface*> shown;
    for (int i = 0; i < pictures.Count(); ++i) {
        held.push_back(ui::Compact(std::move(pictures.At(i).surface)));
        shown.push_back(held.back().get());
    }
    return ui::PlainPictureListBytes(shown);
}

std::string ReadyListName(const std::string& list, int quarters) { return WithoutExtension(list) + "@" + std::to_string(quarters) + ".zvl"; }

} // namespace zv::view
