// Fuzz target: the settings reader must accept any content and keep its invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::Settings settings = zv::store::DefaultSettings();
    zv::store::ParseSettings(content, settings);
    const zv::store::SettingsCodes codes = zv::store::CodesOf(settings);
    for (const std::string* code : {&codes.advanced, &codes.fullScreen, &codes.sound})
        if (code->size() > 2 || code->find('\n') != std::string::npos) std::abort();
    if (content.empty() && codes.advanced != "na") std::abort();
    if (settings.advanced != (codes.advanced == "ad")) std::abort();

    // Full-length codes come back exactly from what is written for them.
    if (codes.advanced.size() == 2 && codes.fullScreen.size() == 2 && codes.sound.size() == 2) {
        zv::Settings again;
        zv::store::ParseSettings(zv::store::FormatSettings(settings), again);
        if (!(again == settings)) std::abort();
    }
    return 0;
}
