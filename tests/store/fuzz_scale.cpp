// Fuzz target: the scale reader; whatever it accepts is what the writer gives for that scale, give or take the line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/ScaleFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    int scale = -1;
    std::string problem;
    if (!zv::store::ParseScale(content, scale, problem)) {
        if (scale != -1 || problem.empty() || problem.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    if (scale < zv::store::kLowestQuarters || scale > zv::store::kHighestQuarters || !problem.empty()) std::abort();
    const std::string written = zv::store::FormatScale(scale);
    const std::string_view bare = std::string_view(written).substr(0, written.size() - 2);
    if (content != written && content != bare && content != std::string(bare) + "\n") std::abort();
    return 0;
}
