// The settings file "config.cfg": three two-letter switches on one line, read into and written from typed settings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game/Types.h"

namespace zv::store {

inline constexpr const char* kSettingsFileName = "config.cfg";
// The game writes six letters and a line end; a last line longer than this was not ours.
constexpr std::size_t kMaxSettingsLine = 4096;

// The settings used when there is no settings file yet: standard mode, window, sound on.
Settings DefaultSettings();

// The three codes as they stand in the file, and the settings they give.
struct SettingsCodes {
    std::string advanced, fullScreen, sound;
};
SettingsCodes CodesOf(const Settings& settings);
Settings FromCodes(const SettingsCodes& codes);

// Reads the content of a settings file into settings. Each line fills the three codes
// two characters at a time (fewer when the line is short) and the last line counts;
// content without any line leaves the settings as they were.
void ParseSettings(std::string_view content, Settings& settings);

// The three codes one after another, then CR LF.
std::string FormatSettings(const Settings& settings);

// Reads the settings file, whatever its size, as ParseSettings reads its content. False, with settings
// untouched, when the file does not exist; InOutError on any other failure to read it, a last line
// longer than kMaxSettingsLine included (then nothing is known of the file, and it must not be
// overwritten with the settings in use).
bool ReadSettingsFile(const std::string& path, Settings& settings);

// Rewrites the file atomically; InOutError on failure, the old file then stays intact.
void WriteSettingsFile(const std::string& path, const Settings& settings);

} // namespace zv::store
