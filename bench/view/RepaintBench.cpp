// The whole main window painted again, as when it is uncovered, at 1x, 1.5x and 2x: the background is unpacked band
// by band into the window on every such paint (processor time of the thread).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <filesystem>

#include "app/Program.h"
#include "app/Headless.h"

namespace {

using namespace zv;

void WholeRepaint(benchmark::State& state) {
    const ui::Scale scale = ui::Scale::FromQuarters(static_cast<int>(state.range(0)));
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    {
        app::Headless headless(app::MakeScratchDir("repaint-bench"));
        app::Program program(headless.services);
        program.Start();
        ui::Form& window = program.Main().Window();
        window.SetScale(scale);
        window.Render();
        for (auto _ : state) {
            window.InvalidateAll();
            window.Render();
        }
        std::filesystem::remove_all(headless.dir);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(WholeRepaint)->Arg(4)->Arg(6)->Arg(8)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace

BENCHMARK_MAIN();
