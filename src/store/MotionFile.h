// The motion file: whether the board's motion is on, kept in a file of its own in the data directory (the
// settings file keeps its three codes and nothing else). No file: motion on.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::store {

inline constexpr const char* kMotionFileName = "motion.cfg";
// "off" and a line end; anything this much larger is not ours and is not looked at.
constexpr std::size_t kMaxMotionFileSize = 64;

std::string MotionPath(const std::string& dir);

// The content the game writes: "on\r\n" or "off\r\n".
std::string FormatMotion(bool on);

// Strict: exactly what FormatMotion writes, also without its final line end or with a bare LF. Anything else
// is false with a one-line reason, on then untouched.
bool ParseMotion(std::string_view content, bool& on, std::string& problem);

struct MotionLoad {
    std::optional<bool> on;
    // "<path>: <problem>" for a broken or unreadable file; "" when fine or missing.
    std::string error;
};
// Never throws; a broken file is left as it is until the player switches again.
MotionLoad LoadMotion(const std::string& dir);

// Replaces the file atomically; throws InOutError, the old file then stays as it was.
void SaveMotion(const std::string& dir, bool on);

} // namespace zv::store
