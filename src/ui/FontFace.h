// One face of a font file at one pixel size, rasterised with FreeType into alpha masks for the labels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Surface.h"

namespace zv::ui {

class FontFace {
public:
    // Null when the file cannot be opened as a font.
    // At pixelSize x quarters / 4 pixels (a quarter of a pixel size and more is kept, not rounded).
    static std::unique_ptr<FontFace> Open(const std::string& file, int pixelSize, bool underline = false, int quarters = 4);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    std::string Family() const;
    std::string Style() const;
    bool Has(char32_t codepoint) const;
    // Distance from one baseline to the next, in pixels.
    int LineSkip() const;
    // The text in white with its coverage as alpha (ARGB8888), one line; null for empty text.
    SurfacePtr RenderMask(const std::string& utf8) const;

private:
    FontFace() = default;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Decodes UTF-8; malformed bytes become U+FFFD so a bad caption never stops the drawing.
std::vector<char32_t> DecodeUtf8(const std::string& s);

} // namespace zv::ui
