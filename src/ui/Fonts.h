// Finds free fonts that stand in for the families the windows ask for, and checks they really cover Cyrillic.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/FontFace.h"

namespace zv::ui {

struct FontRequest {
    std::string family; // the family the window asks for, e.g. "Verdana"
    bool bold = false;
    int pixelSize = 12;
    bool underline = false;
    // The face is opened at pixelSize x quarters / 4: text for a fractional scale at its exact size, in
    // the same proportions as at 1x, rather than at a pixel size rounded one way or the other.
    int quarters = 4;
};

// The free families tried for a requested one, best first.
std::vector<std::string> StandInFamilies(const std::string& family, bool bold);

// Resolves a family through fontconfig: the file path of a match whose family is the
// one asked for and which covers Cyrillic, or empty.
std::string ResolveFontFile(const std::string& family, bool bold);
// The same, asking fontconfig only.
std::string ResolveThroughFontconfig(const std::string& family, bool bold);

// Opens and caches fonts; falls back along the stand-in list, then to any Cyrillic sans.
class FontCache {
public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    // Null only when no usable font exists on the system.
    const FontFace* Get(const FontRequest& request);
    // The family of the file actually used for a request (for tests and diagnostics).
    std::string UsedFile(const FontRequest& request);

private:
    std::string PathFor(const FontRequest& r);
    std::map<std::string, std::unique_ptr<FontFace>> open_;
    std::map<std::string, std::string> paths_;
};

// One program-wide cache.
FontCache& Fonts();

} // namespace zv::ui
