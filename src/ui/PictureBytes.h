// Pictures kept in the program as bytes, made when it is built: artwork already reduced for a fractional scale.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/Surface.h"

namespace zv::ui {

// The picture's pixels compressed, with its size, pixel format and blend mode. Empty for a picture of another
// kind than three or four bytes a pixel.
std::vector<std::uint8_t> PictureBytes(SDL_Surface* picture);
// The same, its rows left as they are drawn: larger, but a picture can be drawn from them where they lie.
std::vector<std::uint8_t> PlainPictureBytes(SDL_Surface* picture);
// The size of the picture either kind of bytes holds, read from their head alone; {0, 0} when they are not such
// bytes.
SDL_Point PictureBytesSize(const std::uint8_t* bytes, std::size_t size);
// The picture those bytes hold; null when they are not such bytes.
SurfacePtr PictureFromBytes(const std::uint8_t* bytes, std::size_t size);
// The picture plain picture bytes hold, its pixels those bytes themselves, not copied: for bytes that outlive it
// and are never written, such as the program's own. Null when they are not such bytes.
SurfacePtr PictureOver(const std::uint8_t* bytes, std::size_t size);

// Pictures one after another as plain picture bytes, an empty one as none: a list drawn from where its bytes lie.
// Empty when a picture cannot be kept so.
std::vector<std::uint8_t> PlainPictureListBytes(const std::vector<SDL_Surface*>& pictures);
// The pictures such bytes hold, each over its bytes as PictureOver makes it, null for an empty one; nothing when
// they are not such bytes.
std::optional<std::vector<SurfacePtr>> PicturesOver(const std::uint8_t* bytes, std::size_t size);

} // namespace zv::ui
