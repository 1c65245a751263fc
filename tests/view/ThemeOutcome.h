// What a theme load ends with, down to the pixels, so that two ways of loading can be compared.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ui/ImageList.h"
#include "view/ThemeError.h"

namespace zv::test {

struct PictureState {
    bool compressed = false;
    std::string description;
    std::int32_t identifier = 0;
    int pixelFormat = 0;
    bool hasSurface = false;
    int width = 0, height = 0, pitch = 0;
    std::uint32_t format = 0, flags = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    std::vector<std::uint8_t> pixels;  // the rows without what pads them to the pitch
    bool operator==(const PictureState&) const = default;
};

struct LoadOutcome {
    std::string error;  // "" when the load succeeded
    std::vector<PictureState> pictures;
    std::uint64_t version = 0;
    bool operator==(const LoadOutcome&) const = default;
};

inline PictureState StateOf(const zv::ui::Picture& p) {
    PictureState s;
    s.compressed = p.compressed;
    s.description = p.description;
    s.identifier = p.identifier;
    s.pixelFormat = p.pixelFormat;
    if (SDL_Surface* surface = p.surface.get()) {
        s.hasSurface = true;
        s.width = surface->w;
        s.height = surface->h;
        s.pitch = surface->pitch;
        s.format = surface->format->format;
        s.flags = surface->flags;
        SDL_GetSurfaceBlendMode(surface, &s.blend);
        const std::size_t row = static_cast<std::size_t>(surface->w) * surface->format->BytesPerPixel;
        s.pixels.resize(row * static_cast<std::size_t>(surface->h));
        for (int y = 0; y < surface->h; ++y)
            std::memcpy(s.pixels.data() + row * static_cast<std::size_t>(y),
                        static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch, row);
    }
    return s;
}

// Loads into a list that held two pictures before, with `load` one of the theme loading functions.
template <class Load>
LoadOutcome OutcomeOf(Load&& load, const std::uint8_t* data, std::size_t size) {
    zv::ui::ImageList list("list6");
    list.Append().description = "old 0";
    list.Append().description = "old 1";
    LoadOutcome outcome;
    try {
        load(data, size, "skin.zvt", list);
    } catch (const zv::view::ThemeError& e) {
        outcome.error = e.what();
    }
    for (int i = 0; i < list.Count(); ++i) outcome.pictures.push_back(StateOf(list.At(i)));
    outcome.version = list.Version();
    return outcome;
}

} // namespace zv::test
