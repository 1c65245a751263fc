// libFuzzer target: theme loading against the load that expands every picture whole, its check for skins, chunk
// expansion on arbitrary bytes, and the compressor's round trip.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ThemeOutcome.h"
#include "ui/ImageList.h"
#include "view/LzChunk.h"
#include "view/SkinTheme.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::ui::ImageList list;
    bool loaded = true;
    try {
        zv::view::LoadThemeBytes(data, size, "fuzz.zvt", list);
    } catch (const zv::view::ThemeError&) {
        loaded = false;
    }
    // Decoding chunk by chunk ends exactly as expanding whole does: the same pictures, or the same error
    // with the same pictures before it.
    const zv::test::LoadOutcome streamed = zv::test::OutcomeOf(zv::view::LoadThemeBytes, data, size);
    const zv::test::LoadOutcome whole = zv::test::OutcomeOf(zv::view::LoadThemeBytesExpandingWhole, data, size);
    if (!(streamed == whole) || streamed.error.empty() != loaded) std::abort();
    // The check that tools run refuses exactly what the game refuses as a skin, after the same pictures.
    const zv::view::ThemeCheck check = zv::view::CheckSkinThemeBytes(data, size, "fuzz.zvt");
    bool taken = loaded && list.Count() >= zv::view::kMinSkinPictures;
    for (int i = 0; taken && i < zv::view::kMinSkinPictures; ++i)
        if (const SDL_Surface* p = list.Get(i))
            taken = p->w == zv::view::kCellPictureSize && p->h == zv::view::kCellPictureSize;
    if (check.fault.empty() != taken) std::abort();
    if (static_cast<int>(check.pictures.size()) != (loaded ? list.Count() : std::max(0, list.Count() - 1))) std::abort();

    if (size <= zv::view::kMaxChunkLength) {
        std::vector<std::uint8_t> out(3, 0);
        try {
            zv::view::ExpandChunk(data, size, out);
            if (out.size() > 3 + zv::view::kMaxChunkOutput) std::abort();
        } catch (const zv::view::ThemeError&) {
            if (out.size() != 3) std::abort();
        }
    }
    if (size <= zv::view::kMaxChunkOutput) {
        const std::vector<std::uint8_t> chunk = zv::view::CompressChunk(data, size);
        std::vector<std::uint8_t> back;
        zv::view::ExpandChunk(chunk.data(), chunk.size(), back);
        if (chunk.size() > size + 1 || back != std::vector<std::uint8_t>(data, data + size)) std::abort();
    }
    return 0;
}
