// Times one whole turn (path search, scan, drop, second scan, redraw) on crowded boards in each mode.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "game/Game.h"
#include "game/NullPorts.h"

namespace {

using namespace zv;

// The autoplayer's ports: nothing drawn, played or written.
struct Ports {
    NullPorts quiet;
    SetClock clock{{12, 0, 0, 0}};
};

// A crowded board without figures: colours cycle so that no two neighbours
// in any direction match, with a free lane so the ball must travel far.
Grid CrowdedBoard() {
    Grid g;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) g.at(r, c) = ((r + 2 * c) % 6) + 1;
    // An empty lane: row 10 leftwards, then up column 1 to row 2; 19 cells plus a few holes.
    for (int c = 1; c <= 9; ++c) g.at(10, c) = 0;
    for (int r = 2; r <= 9; ++r) g.at(r, 1) = 0;
    g.at(4, 6) = g.at(6, 4) = g.at(7, 8) = 0;
    return g;
}

void WholeTurn(benchmark::State& state) {
    const Mode mode = static_cast<Mode>(state.range(0));
    Ports ports;
    Game game(ports.quiet, ports.quiet, ports.quiet, ports.clock);
    game.SetSound(true);
    game.SetAdvancedMode(true);
    Position position;
    position.mode = mode;
    position.record = 1000000;
    position.board = CrowdedBoard();
    std::uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        // The advanced turn lays blocks after its drop; the position clears them, so no start cell is blocked.
        game.SetPosition(position);
        game.Rng().Seed(seed++);
        state.ResumeTiming();
        // Ball at (10,10) goes left along row 10 and up column 1 to (2,1).
        game.ImClick(CellIndex(10, 10));
        game.ImClick(CellIndex(2, 1));
        benchmark::DoNotOptimize(game.State().Board);
    }
    state.SetLabel(ModeWord(mode));
}
BENCHMARK(WholeTurn)->DenseRange(0, 4);

// The same without the pause/resume overhead: setting up the position (with its redraw) is part of the time.
void WholeTurnWithReset(benchmark::State& state) {
    const Mode mode = static_cast<Mode>(state.range(0));
    Ports ports;
    Game game(ports.quiet, ports.quiet, ports.quiet, ports.clock);
    Position position;
    position.mode = mode;
    position.record = 1000000;
    position.board = CrowdedBoard();
    std::uint32_t seed = 1;
    for (auto _ : state) {
        game.SetPosition(position);
        game.Rng().Seed(seed++);
        game.ImClick(CellIndex(10, 10));
        game.ImClick(CellIndex(2, 1));
        benchmark::DoNotOptimize(game.State().Board);
    }
    state.SetLabel(ModeWord(mode));
}
BENCHMARK(WholeTurnWithReset)->DenseRange(0, 4);

} // namespace

BENCHMARK_MAIN();
