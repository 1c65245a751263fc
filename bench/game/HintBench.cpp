// Times the hint's strategy on boards from nearly empty to nearly full, with the 99th percentile of single hints.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "game/Hint.h"
#include "game/Modes.h"
#include "game/Random.h"

namespace {

using namespace zv;

// A board of `balls` balls of random colours on random cells, the same for the same seed.
Grid Scattered(int balls, std::uint32_t seed) {
    Random rng;
    rng.Seed(seed);
    Grid g;
    for (int placed = 0; placed < balls;) {
        const int i = rng(kCells);
        if (g.cells[static_cast<std::size_t>(i)] != 0) continue;
        g.cells[static_cast<std::size_t>(i)] = rng(6) + 1;
        ++placed;
    }
    return g;
}

// Arguments: the mode, the number of balls on the board. 64 boards in turn, every hint timed on its own.
void HintOnBoard(benchmark::State& state) {
    const Mode mode = static_cast<Mode>(state.range(0));
    const int balls = static_cast<int>(state.range(1));
    std::vector<Grid> boards;
    for (std::uint32_t seed = 1; seed <= 64; ++seed) boards.push_back(Scattered(balls, seed));
    const std::array<bool, kCells> blocked{};
    std::vector<double> ms;
    std::size_t k = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(FindHint(mode, boards[k++ % boards.size()], blocked));
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    state.counters["max_ms"] = ms.back();
    state.SetLabel(ModeWord(mode));
}
BENCHMARK(HintOnBoard)->ArgsProduct({{0, 1, 2, 3, 4}, {3, 50, 95}})->Unit(benchmark::kMillisecond);

} // namespace
