// The board's motion: the time of one frame (the motion's step and the repaint of what it changed) at 1x, 2x and
// 3x, its median and 99th percentile, and the processor time of a whole move from its click to the last frame
// (processor time of the thread throughout).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/Program.h"
#include "app/Headless.h"

namespace {

using namespace zv;
// The processor time of this thread: on a machine busy with other work, wall time would time the others too.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(duration(std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec));
    }
};

// A long way round for the ball, and a line it completes at the end: every kind of motion in one move.
Position LongMove() {
    Position p;
    for (int c : {6, 7, 8, 9}) p.board.at(1, c) = 2;
    p.board.at(10, 1) = 2;
    for (int c = 1; c <= 9; ++c) p.board.at(5, c) = 1 + c % 5;
    return p;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void MotionFrames(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    {
        app::Headless headless(app::MakeScratchDir("motion-bench"));
        headless.services.animation = true;
        app::Program program(headless.services);
        program.Start();
        app::TForm1& form = program.Main();
        form.Window().SetScale(scale);
        form.Window().Render();
        auto cell = [&](int row, int col) { return form.im[static_cast<std::size_t>(CellIndex(row, col) - 1)]; };
        std::vector<double> frames, moves;
        constexpr std::uint32_t kFrameMs = 16;
        for (auto _ : state) {
            state.PauseTiming();
            program.Engine().SetPosition(LongMove());
            form.Window().Render();
            headless.clock.ticks = 0;
            state.ResumeTiming();
            const auto move0 = Clock::now();
            cell(10, 1)->OnClick();
            cell(1, 10)->OnClick();
            form.Window().Render();
            bool more = true;
            for (std::uint32_t t = kFrameMs; more; t += kFrameMs) {
                headless.clock.ticks = t;
                const auto f0 = Clock::now();
                more = program.Frame();
                form.Window().Render();
                frames.push_back(Ms(Clock::now() - f0));
            }
            moves.push_back(Ms(Clock::now() - move0));
        }
        std::sort(frames.begin(), frames.end());
        std::sort(moves.begin(), moves.end());
        auto at = [](const std::vector<double>& v, double q) { return v.empty() ? 0.0 : v[static_cast<std::size_t>(q * (v.size() - 1))]; };
        state.counters["frame_median_ms"] = at(frames, 0.5);
        state.counters["frame_p99_ms"] = at(frames, 0.99);
        state.counters["frames_per_move"] = moves.empty() ? 0.0 : static_cast<double>(frames.size()) / moves.size();
        state.counters["move_ms"] = at(moves, 0.5);
        std::filesystem::remove_all(headless.dir);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(MotionFrames)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

BENCHMARK_MAIN();
