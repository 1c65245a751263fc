// Finds free fonts that stand in for the families the windows ask for, and checks they really cover Cyrillic.
#pragma once

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <vector>

namespace zv::ui {

struct FontRequest {
    std::string family; // the family the window asks for, e.g. "Verdana"
    bool bold = false;
    int pixelSize = 12;
    bool underline = false;
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
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    // Never null once TTF is initialised and any usable font exists on the system.
    TTF_Font* Get(const FontRequest& request);
    // The family of the file actually used for a request (for tests and diagnostics).
    std::string UsedFile(const FontRequest& request);

private:
    std::string PathFor(const FontRequest& r);
    std::map<std::string, TTF_Font*> open_;
    std::map<std::string, std::string> paths_;
};

// One program-wide cache; TTF_Init happens on first use.
FontCache& Fonts();

} // namespace zv::ui
