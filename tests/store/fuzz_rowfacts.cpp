// Fuzz target: the best games' companion reader; whatever it accepts, the writer gives back in key order and that
// reads again to the same facts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/RowFactsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::RowFactsMap facts;
    std::string problem;
    if (!zv::store::ParseRowFacts(content, facts, problem)) {
        if (!facts.empty() || problem.empty() || problem.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    if (facts.size() > zv::store::kMaxRowFacts) std::abort();
    const std::string written = zv::store::FormatRowFacts(facts);
    zv::RowFactsMap again;
    if (!zv::store::ParseRowFacts(written, again, problem) || again != facts) std::abort();
    return 0;
}
