// Fuzz target: the skin file reader must accept or reject any content and round-trip what it accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/SkinFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    std::int32_t skin = 1;
    if (!zv::store::ParseSkinText(content, skin)) {
        if (skin != 1) std::abort(); // a rejected content changes nothing
        return 0;
    }
    if (content.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos && skin != 1) std::abort();
    std::int32_t again = 7;
    if (!zv::store::ParseSkinText(zv::store::FormatSkin(skin), again) || again != skin) std::abort();
    return 0;
}
