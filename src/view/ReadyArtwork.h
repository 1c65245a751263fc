// A built-in skin's background made ready for drawing when the program is built: packed at each scale from 1x
// to 2x, so a window's first frame neither decodes it nor reduces it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zv::view {

// The scales a background is made ready for, in quarters: 1x, 1.25x, 1.5x, 1.75x and 2x.
inline constexpr int kReadyQuarters[] = {4, 5, 6, 7, 8};

struct ReadyArtwork {
    // The skin's lists of 1x and 2x pictures with the background left empty; both empty when the skin has no
    // background worth making ready.
    std::vector<std::uint8_t> list1x, list2x;
    // The background as an image list draws it at its place at each of kReadyQuarters, in
    // ui::PackedPicture::Bytes form: from the 1x list at 1x, from the 2x list above.
    std::vector<std::vector<std::uint8_t>> packed;
};

// Made from the skin's theme files drawn for 1x and 2x, for a background at a logical place in its window (at a
// fractional scale the place decides the rounding of its size). Throws ThemeError when either does not load.
ReadyArtwork MakeReadyArtwork(std::span<const std::uint8_t> list1x, std::span<const std::uint8_t> list2x, int x, int y);

// "skins/list1.zvt" at 6 quarters: "skins/list1@6.zvp".
std::string ReadyBackgroundName(const std::string& list, int quarters);

// A window picture reduced ahead for the fractional scales (1.25x, 1.5x, 1.75x). Its width there is its 1x width
// times the scale rounded down or up, whichever the place it lies at gives, and so is its height: variant v is
// rounded up across when v & 1, down when not, and likewise high when v & 2.
inline constexpr int kReadyFractions[] = {5, 6, 7};
inline constexpr int kReadyVariants = 4;
SDL_Point ReadyVariantSize(SDL_Point logical, int quarters, int variant);
// The picture drawn for 2x reduced as an image list or a scaled picture reduces it, for each of kReadyFractions
// and each variant in turn, in ui::PictureBytes form; empty where a variant's size is that of one before it.
std::vector<std::vector<std::uint8_t>> MakeReadyPictures(SDL_Point logical, SDL_Surface* drawn2x);
// "ui/title.bmp" at 6 quarters, variant 1: "ui/title@6-1.zvr".
std::string ReadyPictureName(const std::string& name, int quarters, int variant);

// A skin's list drawn for 2x as the window holds its pictures once decoded (large ones in three bytes a pixel), in
// ui::PlainPictureListBytes form; empty when the list does not load or a picture cannot be kept so.
std::vector<std::uint8_t> MakeReadyList(std::span<const std::uint8_t> list2x);
// "skins/list2.zvt" at 8 quarters: "skins/list2@8.zvl".
std::string ReadyListName(const std::string& list, int quarters);

} // namespace zv::view
