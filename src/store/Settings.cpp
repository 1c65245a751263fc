// Reading and writing the settings file, byte for byte as the game has always stored it.
#include "store/Settings.h"

#include <cerrno>

#include "store/TextFile.h"

namespace zv::store {

SettingsCodes DefaultSettings() { return {"na", "ns", "sy"}; }

void ParseSettings(std::string_view content, SettingsCodes& codes) {
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::string_view line = NextLine(content, pos);
        // Up to two characters per code; a short line leaves the later codes short or empty.
        auto take = [&line]() {
            const std::string_view part = line.substr(0, 2);
            line.remove_prefix(part.size());
            return std::string(part);
        };
        codes.advanced = take();
        codes.fullScreen = take();
        codes.sound = take();
    }
}

std::string FormatSettings(const SettingsCodes& codes) {
    return codes.advanced + codes.fullScreen + codes.sound + "\r\n";
}

bool ReadSettingsFile(const std::string& path, SettingsCodes& codes) {
    std::string content;
    try {
        content = ReadTextFile(path);
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT) return false;
        throw;
    }
    ParseSettings(content, codes);
    return true;
}

void WriteSettingsFile(const std::string& path, const SettingsCodes& codes) {
    WriteTextFileAtomic(path, FormatSettings(codes));
}

} // namespace zv::store
