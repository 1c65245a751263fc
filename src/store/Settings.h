// The settings file "config.cfg": three two-letter switches on one line.
#pragma once

#include <string>
#include <string_view>

#include "game/GameState.h"

namespace zv::store {

inline constexpr const char* kSettingsFileName = "config.cfg";

// The switches used when there is no settings file yet: standard mode, window, sound on.
SettingsCodes DefaultSettings();

// Reads the content of a settings file into codes. Each line fills the three codes
// two characters at a time (fewer when the line is short) and the last line counts;
// content without any line leaves the codes as they were.
void ParseSettings(std::string_view content, SettingsCodes& codes);

// The three codes one after another, then CR LF.
std::string FormatSettings(const SettingsCodes& codes);

// False, with codes untouched, when the file does not exist; InOutError on any other failure.
bool ReadSettingsFile(const std::string& path, SettingsCodes& codes);

// Rewrites the file atomically; InOutError on failure, the old file then stays intact.
void WriteSettingsFile(const std::string& path, const SettingsCodes& codes);

} // namespace zv::store
