// Loading the 2x skin theme: time, and the most heap a load holds at once, decoded chunk by chunk or expanded whole.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

#include "ui/ImageList.h"
#include "view/ThemeFile.h"

namespace {

// Every heap byte the program holds, through operator new and through SDL (its surfaces), and the most
// since the last Reset.
std::atomic<std::int64_t> held{0};
std::atomic<std::int64_t> most{0};

void* Counted(void* p) {
    if (p != nullptr) {
        const std::int64_t now = held += static_cast<std::int64_t>(malloc_usable_size(p));
        std::int64_t seen = most.load(std::memory_order_relaxed);
        while (now > seen && !most.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {}
    }
    return p;
}

void Uncount(void* p) {
    if (p != nullptr) held -= static_cast<std::int64_t>(malloc_usable_size(p));
}

void* CountedMalloc(std::size_t n) { return Counted(std::malloc(n)); }
void* CountedCalloc(std::size_t n, std::size_t size) { return Counted(std::calloc(n, size)); }
void* CountedRealloc(void* p, std::size_t n) {
    Uncount(p);
    return Counted(std::realloc(p, n));
}
void CountedFree(void* p) {
    Uncount(p);
    std::free(p);
}

using Bytes = std::vector<std::uint8_t>;

const Bytes& Theme() {
    static const Bytes bytes = [] {
        std::ifstream in(ZV_ASSETS "/s2/skins/list1.zvt", std::ios::binary);
        return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    return bytes;
}

template <class Load>
void LoadTheme(benchmark::State& state, Load&& load) {
    const Bytes& theme = Theme();
    if (theme.empty()) {
        state.SkipWithError("the theme file cannot be read");
        return;
    }
    std::int64_t peak = 0, kept = 0;
    for (auto _ : state) {
        const std::int64_t before = held.load();
        most = before;
        {
            zv::ui::ImageList list;
            load(theme.data(), theme.size(), "list1.zvt", list);
            kept = held.load() - before;
        }
        peak = most.load() - before;
    }
    state.counters["peak_KiB"] = static_cast<double>(peak) / 1024;
    state.counters["kept_KiB"] = static_cast<double>(kept) / 1024;
}

void BM_LoadThemeChunkByChunk(benchmark::State& s) { LoadTheme(s, zv::view::LoadThemeBytes); }
void BM_LoadThemeExpandingWhole(benchmark::State& s) { LoadTheme(s, zv::view::LoadThemeBytesExpandingWhole); }

} // namespace

void* operator new(std::size_t n) {
    if (void* p = CountedMalloc(n != 0 ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }

BENCHMARK(BM_LoadThemeChunkByChunk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadThemeExpandingWhole)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Before SDL allocates anything, so that all it frees was counted.
    SDL_SetMemoryFunctions(CountedMalloc, CountedCalloc, CountedRealloc, CountedFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
