// Little-endian 32-bit words, as the program's own picture bytes (packed backgrounds, ready pictures) keep them.
#pragma once

#include <cstdint>
#include <vector>

namespace zv::ui {

inline void PutWord(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::uint32_t WordAt(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace zv::ui
