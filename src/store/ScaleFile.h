// The scale file: the scale the player chose for the windows, kept in a file of its own in the data directory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::store {

inline constexpr const char* kScaleFileName = "scale.cfg";
// A digit and a line end; anything this much larger is not ours and is not looked at.
constexpr std::size_t kMaxScaleFileSize = 64;

// dir + "/" + kScaleFileName.
std::string ScalePath(const std::string& dir);

// The content the game writes: "<s>\r\n", s in 1..4 (a scale outside is written as the nearest of them).
std::string FormatScale(int scale);

// Strict: exactly what FormatScale writes, also without its final line end or with a bare LF. Anything
// else is false with a one-line reason ("the scale is not a number", "the scale 7 is outside 1 to 4",
// "more than one line", "the file is too large", ...), scale then untouched. Content above
// kMaxScaleFileSize bytes is refused unread.
bool ParseScale(std::string_view content, int& scale, std::string& problem);

struct ScaleLoad {
    std::optional<int> scale;
    // "<path>: <problem>" for a broken file, "<path>: <the file layer's message>" for one that cannot be
    // read; "" when fine.
    std::string error;
};
// Missing file: no scale, no error. Unreadable or broken file: no scale and an error (reported once; the
// desktop's scale is used instead, and the file is left as it is until the player chooses again).
// Never throws.
ScaleLoad LoadScale(const std::string& dir);

// Replaces the file atomically; throws InOutError, the old file then stays as it was.
void SaveScale(const std::string& dir, int scale);

// Removes the file, so that the desktop's scale rules again; a missing file is fine. Throws InOutError.
void ForgetScale(const std::string& dir);

} // namespace zv::store
