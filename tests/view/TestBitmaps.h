// Small bitmap files made in memory for the theme tests.
#pragma once

#include <cstdint>
#include <vector>

namespace zv::test {

// A 24-bit bottom-up BMP file: a shaded ball on a gradient, seeded for variety.
std::vector<std::uint8_t> MakeBmp24(int width, int height, unsigned seed = 0);
// A 32-bit plain (BI_RGB) bottom-up BMP file of MakeBmp24's colours; the fourth bytes vary.
std::vector<std::uint8_t> MakeBmp32(int width, int height, unsigned seed = 0);
// An 8-bit paletted BMP file with a 16-entry palette.
std::vector<std::uint8_t> MakeBmp8(int width, int height);
// The colour MakeBmp24 puts at (x, y), counted from the top row, as 0x00RRGGBB.
std::uint32_t Bmp24Colour(int width, int height, unsigned seed, int x, int y);

void PutU16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value);
void PutU32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value);

} // namespace zv::test
