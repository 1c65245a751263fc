// The artwork stored inside the program: looked up by name, decoded on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "ui/Surface.h"

namespace zv::app {

// The bytes of an embedded file, empty when the build had none of that name.
std::span<const std::uint8_t> Resource(const std::string& name);
// An embedded BMP decoded into a 32-bit surface, or null.
ui::SurfacePtr ResourcePicture(const std::string& name);
// A window picture with words painted in, in the player's language: "ui/en/<file>" for an English player where the
// build has it, else "ui/<file>".
ui::SurfacePtr CaptionedPicture(const std::string& file);
// Lets the system drop the pages of embedded files read so far: once decoded they are not read again
// until another skin is chosen, and then they come back from the program file.
void ReleaseResourcePages();

} // namespace zv::app
