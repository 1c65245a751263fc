// The one copy of stb_truetype in the program, and font files mapped once however many faces and sizes use them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_truetype.h>
#pragma GCC diagnostic pop

namespace zv::ui {

// A font file mapped, not read: only the tables and glyphs in use ever reach memory.
struct MappedFont {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    ~MappedFont();
};

// The file mapped, shared with every other user of the same file while any holds it; null when it cannot be
// opened or is no plausible font (under 12 bytes or over 64 MiB).
std::shared_ptr<const MappedFont> MapFontFile(const std::string& file);

// Gives every mapped font file's pages back to the system's file cache, as after the first frame, whose words
// read more of them than later ones do: the pages come back from that cache as they are next read.
void ReleaseFontPages();

} // namespace zv::ui
