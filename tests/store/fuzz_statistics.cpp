// Fuzz target: the statistics reader; whatever it accepts, the writer gives back in its own order and line ends,
// and that reads again to the same statistics.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/StatisticsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::Statistics stats{};
    std::string problem;
    if (!zv::store::ParseStatistics(content, stats, problem)) {
        if (!(stats == zv::Statistics{}) || problem.empty() || problem.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const std::string written = zv::store::FormatStatistics(stats);
    zv::Statistics again{};
    if (!zv::store::ParseStatistics(written, again, problem) || !(again == stats)) std::abort();
    if (zv::store::FormatStatistics(again) != written) std::abort();
    return 0;
}
