// The skin file "win.sys": the number of the last chosen built-in skin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv::store {

inline constexpr const char* kSkinFileName = "win.sys";

// Reads one integer per line (blanks and line ends before it skipped, the rest of
// its line ignored) until the end; the last one counts. Content with no integer
// at all leaves skin unchanged. False, with skin unchanged, when a line holds
// something that is not an integer in the signed 32-bit range.
bool ParseSkinText(std::string_view content, std::int32_t& skin);

// The number in decimal, no line end.
std::string FormatSkin(std::int32_t skin);

// False, with skin unchanged, when the file does not exist. InOutError on other
// failures, "Invalid numeric input" for content that is not a number.
bool ReadSkinFile(const std::string& path, std::int32_t& skin);

// Rewrites the file atomically, unless it already holds exactly what would be written: then it
// is not touched at all. InOutError on failure, the old file then stays intact.
void WriteSkinFile(const std::string& path, std::int32_t skin);

} // namespace zv::store
