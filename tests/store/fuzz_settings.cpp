// Fuzz target: the settings reader must accept any content and keep its invariants, and the file reader must agree with it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/Settings.h"
#include "store/TextFile.h"

namespace {

// The content as a file in memory, read from its end in pieces of every small size: the start of
// its last line must read as the whole content does.
void CheckFileReading(std::string_view content, const zv::Settings& whole) {
    static const int fd = ::memfd_create("config.cfg", MFD_CLOEXEC);
    if (fd < 0) std::abort();
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, content.data(), content.size(), 0) != static_cast<ssize_t>(content.size()))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    for (std::size_t piece : {1, 2, 3, 7, 64}) {
        zv::Settings settings = zv::store::DefaultSettings();
        std::string head;
        if (zv::store::ReadLastLineHead(path, 6, head, piece)) zv::store::ParseSettings(head + "\r\n", settings);
        if (!(settings == whole)) std::abort();
    }
    zv::Settings settings = zv::store::DefaultSettings();
    if (!zv::store::ReadSettingsFile(path, settings) || !(settings == whole)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::Settings settings = zv::store::DefaultSettings();
    zv::store::ParseSettings(content, settings);
    const zv::store::SettingsCodes codes = zv::store::CodesOf(settings);
    for (const std::string* code : {&codes.advanced, &codes.fullScreen, &codes.sound})
        if (code->size() > 2 || code->find('\n') != std::string::npos) std::abort();
    if (content.empty() && codes.advanced != "na") std::abort();
    if (settings.advanced != (codes.advanced == "ad")) std::abort();
    CheckFileReading(content, settings);

    // Full-length codes come back exactly from what is written for them.
    if (codes.advanced.size() == 2 && codes.fullScreen.size() == 2 && codes.sound.size() == 2) {
        zv::Settings again;
        zv::store::ParseSettings(zv::store::FormatSettings(settings), again);
        if (!(again == settings)) std::abort();
    }
    return 0;
}
