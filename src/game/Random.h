// The one pseudo-random generator of the game, with its own bounded draw so a seed replays the same game everywhere.
#pragma once

#include <cstdint>

namespace zv {

class Random {
public:
    explicit Random(std::uint32_t seed = 0) { Seed(seed); }
    void Seed(std::uint32_t seed);
    // The whole state, so a kept game goes on drawing what it would have drawn.
    std::uint64_t State() const { return state_; }
    void SetState(std::uint64_t state) { state_ = state; }
    // Uniform integer in 0..n-1; n must be at least 1.
    std::int32_t operator()(std::int32_t n);

private:
    std::uint64_t Next64();
    std::uint64_t state_ = 0;
};

} // namespace zv
