// Owning handles for SDL surfaces, shared between image lists and the controls that show them.
#pragma once

#include <SDL.h>

#include <memory>

namespace zv::ui {

using SurfacePtr = std::shared_ptr<SDL_Surface>;

// Takes ownership of a surface (null stays null).
inline SurfacePtr AdoptSurface(SDL_Surface* s) {
    return SurfacePtr(s, [](SDL_Surface* p) { if (p) SDL_FreeSurface(p); });
}

} // namespace zv::ui
