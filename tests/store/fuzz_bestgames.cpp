// Fuzz target: the best-games reader; whatever it accepts must write back to the same text and read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/BestGamesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::BestTables tables;
    zv::store::BestGamesProblem problem;
    if (!zv::store::ParseBestGames(content, tables, problem)) {
        if (problem.what.empty() || problem.line < 0) std::abort();
        return 0;
    }
    for (const zv::BestTable& t : tables)
        if (t.size() > zv::kBestGamesPerMode || !zv::InRankingOrder(t)) std::abort();
    const std::string written = zv::store::FormatBestGames(tables);
    zv::BestTables again;
    if (!zv::store::ParseBestGames(written, again, problem) || again != tables) std::abort();
    if (zv::store::FormatBestGames(again) != written) std::abort();
    // Cleaning any bytes gives a name the reader takes.
    if (!zv::store::ValidPlayerName(zv::store::CleanPlayerName(content.substr(0, 200)))) std::abort();
    return 0;
}
