// Fuzz target: the motion reader; whatever it accepts is what the writer gives, give or take the line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/MotionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    bool on = true;
    std::string problem;
    if (!zv::store::ParseMotion(content, on, problem)) {
        if (!on || problem.empty() || problem.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const std::string written = zv::store::FormatMotion(on);
    const std::string_view bare = std::string_view(written).substr(0, written.size() - 2);
    if (content != written && content != bare && content != std::string(bare) + "\n") std::abort();
    return 0;
}
