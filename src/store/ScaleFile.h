// The scale file: the scale the player chose for the windows, kept in a file of its own in the data directory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::store {

inline constexpr const char* kScaleFileName = "scale.cfg";
// A factor like "1.75" and a line end; anything this much larger is not ours and is not looked at.
constexpr std::size_t kMaxScaleFileSize = 64;

// dir + "/" + kScaleFileName.
std::string ScalePath(const std::string& dir);

// Scales are counted in quarters here: 4 is a factor of 1, 6 of 1.5, 16 of 4.
inline constexpr int kLowestQuarters = 4;
inline constexpr int kHighestQuarters = 16;

// The content the game writes: the factor and CR LF, "2\r\n" or "1.5\r\n": whole factors as one digit,
// the others with the shortest of ".25", ".5", ".75" (a scale outside 1..4 is written as the nearest).
std::string FormatScale(int quarters);

// Strict: exactly what FormatScale writes, also without its final line end or with a bare LF. Anything
// else is false with a one-line reason ("the scale is not a number", "the scale 7 is outside 1 to 4",
// "the scale 1.3 is not a step of 0.25", "more than one line", "the file is too large", ...), quarters
// then untouched. Content above kMaxScaleFileSize bytes is refused unread. Files written before
// fractional scales (a single digit) read as they always did.
bool ParseScale(std::string_view content, int& quarters, std::string& problem);

struct ScaleLoad {
    std::optional<int> scale; // in quarters
    // "<path>: <problem>" for a broken file, "<path>: <the file layer's message>" for one that cannot be
    // read; "" when fine.
    std::string error;
};
// Missing file: no scale, no error. Unreadable or broken file: no scale and an error (reported once; the
// desktop's scale is used instead, and the file is left as it is until the player chooses again).
// Never throws.
ScaleLoad LoadScale(const std::string& dir);

// Replaces the file atomically; throws InOutError, the old file then stays as it was.
void SaveScale(const std::string& dir, int quarters);

// Removes the file, so that the desktop's scale rules again; a missing file is fine. Throws InOutError.
void ForgetScale(const std::string& dir);

} // namespace zv::store
