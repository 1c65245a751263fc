// What the component library's tests share: SDL's video started for each test, and plain pictures to paint and read.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include "ui/Surface.h"

namespace zv::ui::test {

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

// A w x h picture of one colour, 32 bits a pixel.
inline SurfacePtr Solid(int w, int h, Uint32 rgb) {
    SurfacePtr s = AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888));
    SDL_FillRect(s.get(), nullptr, rgb);
    return s;
}

// The colour of a pixel of a 32-bit picture.
inline Uint32 Pixel(SDL_Surface* s, int x, int y) {
    return *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4) & 0xFFFFFF;
}

inline void Put(SDL_Surface* s, int x, int y, Uint32 v) {
    *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4) = v;
}

} // namespace zv::ui::test
