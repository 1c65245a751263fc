// Built-in skins' backgrounds packed ahead, by the same steps a window takes when it first draws them.
#include "view/ReadyArtwork.h"

#include "ui/Compact.h"
#include "ui/ImageList.h"
#include "ui/Reduce.h"
#include "view/Skins.h"
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

std::string ReadyBackgroundName(const std::string& list, int quarters) {
    std::string name = list;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zvt") == 0) name.resize(name.size() - 4);
    return name + "@" + std::to_string(quarters) + ".zvp";
}

} // namespace zv::view
