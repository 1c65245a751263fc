// Theme files as the custom skin: a theme is taken only when it can show a board, and a tool can learn why one cannot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/ImageList.h"
#include "view/Bmp.h"

namespace zv::view {

// The cells and the preview show pictures 0 to 6 of a skin: the empty cell and the six balls, each the
// size of a cell. A theme's further pictures are not shown, and may be of any size.
inline constexpr int kMinSkinPictures = 7;
inline constexpr int kCellPictureSize = 33;

// Loads a theme file for use as the custom skin. On success its pictures replace the content of
// `list`; on any failure `list` keeps what it held and a ThemeError names the file:
//   "Cannot open file PATH" and "Cannot open file PATH: ImageList" as LoadThemeFile reports them,
//   "PATH: Stream read error", "PATH: Bitmap image is not valid", "PATH: Out of memory",
//   "PATH: a skin needs at least 7 pictures, this file holds N" for a theme with fewer pictures,
//   "PATH: picture I is W × H pixels; ..." for a cell or ball picture that is not 33 × 33.
// A picture of another size would spill over the neighbouring cells or leave part of its own bare,
// so it is refused rather than fitted: the player learns which picture to redraw.
void LoadSkinThemeFile(const std::string& path, zv::ui::ImageList& list);

// The message for a theme of `count` pictures used as a skin.
std::string TooFewSkinPictures(const std::string& name, int count);
// The message for a cell or ball picture (position 0 to 6) of another size than a cell's; "" when it fits.
std::string WrongSizeSkinPicture(const std::string& name, int position, int width, int height);

// One picture of a theme as a check has read it.
struct ThemePictureInfo {
    std::size_t offset = 0;      // where its record begins in the file
    bool compressed = false;
    std::string description;
    std::size_t bitmapBytes = 0; // size of its bitmap file; 0 for an empty picture
    BmpInfo bitmap;              // what the bitmap's headers say, when there is one
};

struct ThemeCheck {
    int announced = -1;                     // the pictures the file says it holds; -1 before that is read
    std::vector<ThemePictureInfo> pictures; // the pictures read and decoded before any fault
    std::string fault;                      // "" when the game takes the theme as a skin
};

// Reads and decodes every picture of theme data as the game does when it loads a skin, keeping no
// picture longer than its own check. fault names the file, what is wrong and where: which picture,
// the offset of its record and, for data that ends early or is malformed, the offset of the read
// that failed.
ThemeCheck CheckSkinThemeBytes(const std::uint8_t* data, std::size_t size, const std::string& name);

} // namespace zv::view
