// Builders of small BMP files for the theme tests and benchmarks.
#include "TestBitmaps.h"

#include <algorithm>
#include <cmath>

namespace zv::test {

void PutU16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) {
    v[at] = static_cast<std::uint8_t>(value);
    v[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) {
    PutU16(v, at, value & 0xFFFF);
    PutU16(v, at + 2, value >> 16);
}

namespace {

std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t paletteBytes, std::uint32_t pixelBytes) {
    const std::uint32_t offset = 54 + paletteBytes;
    std::vector<std::uint8_t> v(offset + pixelBytes, 0);
    v[0] = 'B';
    v[1] = 'M';
    PutU32(v, 2, offset + pixelBytes);
    PutU32(v, 10, offset);
    PutU32(v, 14, 40);
    PutU32(v, 18, static_cast<std::uint32_t>(width));
    PutU32(v, 22, static_cast<std::uint32_t>(height));
    PutU16(v, 26, 1);
    PutU16(v, 28, static_cast<std::uint32_t>(bits));
    PutU32(v, 34, pixelBytes);
    return v;
}

} // namespace

std::uint32_t Bmp24Colour(int width, int height, unsigned seed, int x, int y) {
    const double d = std::hypot(x - width / 2.0, y - height / 2.0);
    const int shade = std::max(0, 255 - static_cast<int>(d * 12));
    const std::uint32_t r = static_cast<std::uint32_t>(255 - shade);
    const std::uint32_t g = static_cast<std::uint32_t>(shade);
    const std::uint32_t b = static_cast<std::uint32_t>((shade / 2 + y * 3 + seed) & 255);
    return r << 16 | g << 8 | b;
}

std::vector<std::uint8_t> MakeBmp24(int width, int height, unsigned seed) {
    const std::uint32_t row = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> v = Headers(width, height, 24, 0, row * static_cast<std::uint32_t>(height));
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        std::uint8_t* p = v.data() + 54 + row * static_cast<std::uint32_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = Bmp24Colour(width, height, seed, x, y);
            *p++ = static_cast<std::uint8_t>(c);
            *p++ = static_cast<std::uint8_t>(c >> 8);
            *p++ = static_cast<std::uint8_t>(c >> 16);
        }
    }
    return v;
}

std::vector<std::uint8_t> MakeBmp32(int width, int height, unsigned seed) {
    const std::uint32_t row = static_cast<std::uint32_t>(width) * 4;
    std::vector<std::uint8_t> v = Headers(width, height, 32, 0, row * static_cast<std::uint32_t>(height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = v.data() + 54 + row * static_cast<std::uint32_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = Bmp24Colour(width, height, seed, x, y);
            *p++ = static_cast<std::uint8_t>(c);
            *p++ = static_cast<std::uint8_t>(c >> 8);
            *p++ = static_cast<std::uint8_t>(c >> 16);
            *p++ = static_cast<std::uint8_t>(x * 7 + y);
        }
    }
    return v;
}

std::vector<std::uint8_t> MakeBmp8(int width, int height) {
    const std::uint32_t row = (static_cast<std::uint32_t>(width) + 3) / 4 * 4;
    std::vector<std::uint8_t> v = Headers(width, height, 8, 16 * 4, row * static_cast<std::uint32_t>(height));
    PutU32(v, 46, 16);
    for (int i = 0; i < 16; ++i) {
        v[54 + i * 4] = static_cast<std::uint8_t>(i * 16);       // blue
        v[54 + i * 4 + 1] = static_cast<std::uint8_t>(255 - i);  // green
        v[54 + i * 4 + 2] = static_cast<std::uint8_t>(i);        // red
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) v[54 + 64 + row * static_cast<std::uint32_t>(y) + static_cast<std::uint32_t>(x)] = static_cast<std::uint8_t>((x + y) % 16);
    return v;
}

} // namespace zv::test
