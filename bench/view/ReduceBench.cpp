// The area filter taking 2x artwork to 1.25x, 1.5x and 1.75x: an opaque background (packed as it is made, as the
// window keeps it) and a keyed sheet of sprites (reduced with alpha).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include "ui/Reduce.h"

namespace {

using namespace zv;

// A picture with detail in every pixel, so no row is cheaper than another.
ui::SurfacePtr Picture(int w, int h, Uint32 format) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Uint32 c = SDL_MapRGB(s->format, Uint8(x * 7 + y), Uint8(x ^ y), Uint8((x * y) >> 3));
            SDL_memcpy(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel, &c,
                       s->format->BytesPerPixel);
        }
    return ui::AdoptSurface(s);
}

void OpaqueBackground(benchmark::State& state) {
    const ui::SurfacePtr src = Picture(1264, 984, SDL_PIXELFORMAT_BGR24);
    const int quarters = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ui::ReduceAreaPacked(src.get(), 316 * quarters / 2, 246 * quarters / 2));
}
BENCHMARK(OpaqueBackground)->Arg(5)->Arg(6)->Arg(7)->Unit(benchmark::kMillisecond);

void KeyedSprites(benchmark::State& state) {
    const ui::SurfacePtr src = Picture(640, 640, SDL_PIXELFORMAT_ARGB8888);
    SDL_SetColorKey(src.get(), SDL_TRUE, SDL_MapRGB(src->format, 0, 0, 0));
    const int quarters = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ui::ReduceArea(src.get(), 160 * quarters / 2, 160 * quarters / 2));
}
BENCHMARK(KeyedSprites)->Arg(5)->Arg(6)->Arg(7)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
