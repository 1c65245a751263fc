// Chunk expansion throughput (bytes of output per second) beside a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "view/LzChunk.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A rendered background-sized picture: shaded balls on a gradient, 24 bits, like the skins' artwork.
Bytes RenderedPicture() {
    const int w = 621, h = 462;
    Bytes v;
    v.reserve(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int cx = x % 33 - 16, cy = y % 33 - 16;
            const double d = std::sqrt(cx * cx + cy * cy);
            const int shade = d < 14 ? 255 - static_cast<int>(d * 15) : 0;
            v.push_back(static_cast<std::uint8_t>(d < 14 ? shade / 3 : 120 + y / 8));
            v.push_back(static_cast<std::uint8_t>(d < 14 ? shade : 150 + y / 10));
            v.push_back(static_cast<std::uint8_t>(d < 14 ? shade / 2 : 180));
        }
    return v;
}

Bytes RandomBytes(unsigned alphabet) {
    std::mt19937 rng(12345);
    Bytes v(1 << 20);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng() % alphabet);
    return v;
}

std::vector<Bytes> Chunks(const Bytes& data) {
    std::vector<Bytes> chunks;
    for (std::size_t p = 0; p < data.size(); p += zv::view::kMaxChunkOutput) {
        const std::size_t n = std::min(zv::view::kMaxChunkOutput, data.size() - p);
        chunks.push_back(zv::view::CompressChunk(data.data() + p, n));
    }
    return chunks;
}

void Expand(benchmark::State& state, const Bytes& data) {
    const std::vector<Bytes> chunks = Chunks(data);
    Bytes out;
    out.reserve(data.size() + zv::view::kMaxChunkOutput + 64);
    for (auto _ : state) {
        out.clear();
        for (const Bytes& c : chunks) zv::view::ExpandChunk(c.data(), c.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != data) state.SkipWithError("expansion differs from the input");
    std::size_t packed = 0;
    for (const Bytes& c : chunks) packed += c.size();
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(data.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(data.size()));
}

void Copy(benchmark::State& state, const Bytes& data) {
    Bytes out(data.size());
    for (auto _ : state) {
        std::memcpy(out.data(), data.data(), data.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(data.size()));
}

const Bytes& Picture() { static const Bytes v = RenderedPicture(); return v; }
const Bytes& Noise() { static const Bytes v = RandomBytes(256); return v; }
const Bytes& FewSymbols() { static const Bytes v = RandomBytes(4); return v; }

void BM_ExpandPicture(benchmark::State& s) { Expand(s, Picture()); }
void BM_MemcpyPicture(benchmark::State& s) { Copy(s, Picture()); }
void BM_ExpandRandom(benchmark::State& s) { Expand(s, Noise()); }
void BM_MemcpyRandom(benchmark::State& s) { Copy(s, Noise()); }
void BM_ExpandFourSymbols(benchmark::State& s) { Expand(s, FewSymbols()); }
void BM_MemcpyFourSymbols(benchmark::State& s) { Copy(s, FewSymbols()); }

} // namespace

BENCHMARK(BM_ExpandPicture);
BENCHMARK(BM_MemcpyPicture);
BENCHMARK(BM_ExpandRandom);
BENCHMARK(BM_MemcpyRandom);
BENCHMARK(BM_ExpandFourSymbols);
BENCHMARK(BM_MemcpyFourSymbols);

BENCHMARK_MAIN();
