// The game's pseudo-random generator: splitmix64 with a rejection-sampled bounded draw.
#include "game/Random.h"

namespace zv {

void Random::Seed(std::uint32_t seed) { state_ = seed; }

std::uint64_t Random::Next64() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::int32_t Random::operator()(std::int32_t n) {
    if (n <= 1) return 0;
    // Reject the top sliver of the range so every value is equally likely.
    const std::uint64_t bound = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % bound);
    std::uint64_t x;
    do {
        x = Next64();
    } while (x >= limit);
    return static_cast<std::int32_t>(x % bound);
}

} // namespace zv
