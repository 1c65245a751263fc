// The pictures of 2x and 3x: drawn anew at their size rather than blown up, and stored for the program in the same
// lists and order as at 1x, every picture s times its 1x size.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "artwork.h"
#include "view/ThemeFile.h"

namespace {

namespace fs = std::filesystem;

// The colour of a pixel of a canvas, counted in the canvas's own pixels.
std::uint32_t pixel(const Canvas& c, int x, int y) {
    cairo_surface_flush(c.surface());
    const unsigned char* row = cairo_image_surface_get_data(c.surface()) + y * cairo_image_surface_get_stride(c.surface());
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xffffffu;
}

int difference(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) d += std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff));
    return d;
}

TEST(ArtworkScale, BallsAt2xAreDrawnAtThatSizeNotBlownUpFrom1x) {
    for (int list = 0; list < 5; ++list) {
        Canvas one(33, 33, 1), two(33, 33, 2);
        drawCell(one.cr(), list, 1);
        drawCell(two.cr(), list, 1);
        int unlike = 0;
        for (int y = 0; y < 66; ++y)
            for (int x = 0; x < 66; ++x) unlike += difference(pixel(two, x, y), pixel(one, x / 2, y / 2)) > 12;
        // Edges, highlights and glyphs fall between the 1x pixels: a good share of the picture differs from the blow-up.
        EXPECT_GT(unlike, 66 * 66 / 10) << "list " << list;
    }
}

// A 24-bit bitmap file's width and height.
struct Size {
    int width = 0, height = 0;
};

std::int32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24);
}

Size bmpSize(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 26) return {};
    return {le32(bytes, 18), le32(bytes, 22)};
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Size> themePictures(const fs::path& path) {
    const std::vector<std::uint8_t> bytes = readFile(path);
    std::vector<Size> out;
    for (const zv::view::ThemeEntry& e : zv::view::ReadThemeEntries(bytes.data(), bytes.size(), path.string()))
        out.push_back(bmpSize(e.bitmap));
    return out;
}

void expectScaled(const std::vector<Size>& ones, const fs::path& scaled, int scale) {
    SCOPED_TRACE(scaled.string());
    ASSERT_TRUE(fs::exists(scaled));
    const std::vector<Size> bigs = themePictures(scaled);
    ASSERT_EQ(bigs.size(), ones.size());
    for (std::size_t i = 0; i < ones.size(); ++i) {
        EXPECT_GT(ones[i].width, 0) << "picture " << i;
        EXPECT_EQ(bigs[i].width, ones[i].width * scale) << "picture " << i;
        EXPECT_EQ(bigs[i].height, ones[i].height * scale) << "picture " << i;
    }
}

// What the program embeds: each list of 2x and 3x holds the 1x list's pictures in its order, and each window picture
// ui/NAME.bmp has its one-picture theme file s<scale>/ui/NAME.zvt.
TEST(ArtworkScale, StoredPicturesOfEachScaleAreThatManyTimesTheirOneXSize) {
    const fs::path assets = ZV_ASSETS;
    int checked = 0;
    for (int scale : {2, 3}) {
        const fs::path folder = scaleFolder(assets.string(), scale);
        for (const auto& e : fs::directory_iterator(assets / "skins")) {
            expectScaled(themePictures(e.path()), folder / "skins" / e.path().filename(), scale);
            ++checked;
        }
        for (const auto& e : fs::recursive_directory_iterator(assets / "ui")) {
            if (!e.is_regular_file()) continue;
            const fs::path rel = fs::relative(e.path(), assets).replace_extension(".zvt");
            expectScaled({bmpSize(readFile(e.path()))}, folder / rel, scale);
            ++checked;
        }
    }
    // Five lists; the title, eight frame pieces, five buttons, switch and indicator.
    EXPECT_EQ(checked, 2 * (5 + 16));
}

}  // namespace
