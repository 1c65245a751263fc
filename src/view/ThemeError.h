// The error raised when a theme file or one of its pictures cannot be read.
#pragma once

#include <stdexcept>
#include <string>

namespace zv::view {

class ThemeError : public std::runtime_error {
public:
    explicit ThemeError(const std::string& message) : std::runtime_error(message) {}
};

// The messages a failed theme load reports.
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char* kOutOfMemory = "Out of memory";

} // namespace zv::view
