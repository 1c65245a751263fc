// autoplay: plays whole games headlessly through the rules engine and prints speed and score figures per mode.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Player.h"

namespace {

using namespace zv;
using namespace zv::autoplay;

void Usage() {
    std::fprintf(stderr,
                 "usage: autoplay --games N --seed S [--mode line|square|blok|ring|block|all] [--advanced] [--check]\n");
}

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

bool ParseCount(const char* text, std::uint64_t& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    out = std::strtoull(text, &end, 10);
    return *end == '\0' && text[0] != '-';
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t games = 0, seed = 0;
    bool haveGames = false, haveSeed = false, advanced = false, check = false;
    std::string modeArg = "all";
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!std::strcmp(a, "--games")) {
            haveGames = ParseCount(next, games) && games > 0;
            ++i;
        } else if (!std::strcmp(a, "--seed")) {
            haveSeed = ParseCount(next, seed);
            ++i;
        } else if (!std::strcmp(a, "--mode") && next) {
            modeArg = next;
            ++i;
        } else if (!std::strcmp(a, "--advanced")) {
            advanced = true;
        } else if (!std::strcmp(a, "--check")) {
            check = true;
        } else {
            Usage();
            return 2;
        }
    }
    if (!haveGames || !haveSeed) {
        Usage();
        return 2;
    }
    std::vector<Mode> modes;
    if (modeArg == "all") {
        for (const ModeRow& m : Modes()) modes.push_back(m.mode);
    } else {
        Mode m;
        if (!ModeFromWord(modeArg, m)) {
            Usage();
            return 2;
        }
        modes.push_back(m);
    }

    std::printf("seed %llu, %s%s\n", static_cast<unsigned long long>(seed), advanced ? "advanced" : "normal",
                check ? ", checking every operation" : "");
    std::printf("%-7s %7s %10s %11s %9s %8s %7s %7s\n", "mode", "games", "games/s", "turns/game", "mean", "median",
                "best", "stuck");
    for (Mode mode : modes) {
        Player player(mode, advanced, check, Mix(seed ^ (static_cast<std::uint64_t>(mode) << 32)));
        std::vector<std::int32_t> scores;
        scores.reserve(games);
        std::int64_t turns = 0, stuck = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (std::uint64_t g = 0; g < games; ++g) {
            GameResult r;
            const std::uint64_t gameSeed = Mix(seed * 1000003ULL + static_cast<std::uint64_t>(mode) * 7919ULL + g);
            if (!player.PlayGame(gameSeed, r)) {
                std::fprintf(stderr, "autoplay: %s game %llu (seed %llu): %s\n", ModeWord(mode),
                             static_cast<unsigned long long>(g), static_cast<unsigned long long>(seed),
                             player.Error().c_str());
                return 1;
            }
            scores.push_back(r.score);
            turns += r.turns;
            stuck += r.capped;
        }
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::vector<std::int32_t> sorted = scores;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (auto s : scores) sum += s;
        const std::size_t n = sorted.size();
        const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
        std::printf("%-7s %7zu %10.1f %11.1f %9.1f %8.1f %7d %7lld\n", ModeWord(mode), n,
                    secs > 0 ? static_cast<double>(n) / secs : 0.0, static_cast<double>(turns) / static_cast<double>(n),
                    sum / static_cast<double>(n), median, sorted.back(), static_cast<long long>(stuck));
    }
    return 0;
}
