// The embedded artwork at every scale: names, and what each scale decodes.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/Resources.h"

namespace zv::app {
namespace {

bool SamePixels(SDL_Surface* a, SDL_Surface* b) {
    if (!a || !b || a->w != b->w || a->h != b->h || a->format->format != b->format->format) return false;
    for (int y = 0; y < a->h; ++y)
        if (SDL_memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                       static_cast<std::size_t>(a->w) * a->format->BytesPerPixel) != 0)
            return false;
    return true;
}

TEST(Resources, EveryScaleHasItsOwnArtworkAndFourIsTwoDoubled) {
    EXPECT_EQ(ScaledResourceName("ui/title.bmp", 2), "s2/ui/title.zvt");
    EXPECT_EQ(ScaledResourceName("ui/btn_finish.bmp", 3), "s3/ui/btn_finish.zvt");
    EXPECT_EQ(ScaledResourceName("skins/List3.zvt", 2), "s2/skins/List3.zvt");
    ui::ScaledPicture title = ScaledResourcePicture("ui/title.bmp");
    SDL_Surface* one = title.At(1);
    ASSERT_NE(one, nullptr);
    for (int scale = 2; scale <= 4; ++scale) {
        SDL_Surface* big = title.At(scale);
        ASSERT_NE(big, nullptr) << scale;
        EXPECT_EQ(big->w, scale * one->w) << scale;
        EXPECT_EQ(big->h, scale * one->h) << scale;
    }
    // 4x: every pixel of the 2x picture as a 2 x 2 block.
    SDL_Surface* two = title.At(2);
    SDL_Surface* four = title.At(4);
    const auto px = [](SDL_Surface* s, int x, int y) { return static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x]; };
    for (int y = 0; y < two->h; y += 7)
        for (int x = 0; x < two->w; x += 5) ASSERT_EQ(px(four, 2 * x + 1, 2 * y + 1), px(two, x, y));
    for (const char* list : kSkinListResources) {
        const auto pictures = ScaledListPictures(list, 2);
        ASSERT_GE(pictures.size(), 7u) << list;
        for (int i = 0; i < 7; ++i) EXPECT_EQ(pictures[static_cast<std::size_t>(i)]->w, 66) << list << " " << i;
    }
}

// The embedded files' pages are given back all at once, rounded out to whole pages: what is read afterwards
// comes back from the program file unchanged, the neighbouring data with it.
TEST(Resources, EmbeddedFilesReadTheSameAfterTheirPagesAreGivenBack) {
    const ui::SurfacePtr before = ResourcePicture("ui/title.bmp");
    const auto list = ScaledListPictures("skins/list1.zvt", 2);
    ReleaseResourcePages();
    const ui::SurfacePtr after = ResourcePicture("ui/title.bmp");
    EXPECT_TRUE(SamePixels(before.get(), after.get()));
    const auto again = ScaledListPictures("skins/list1.zvt", 2);
    ASSERT_EQ(again.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_TRUE(SamePixels(again[i].get(), list[i].get())) << i;
    EXPECT_EQ(ScaledResourceName("ui/title.bmp", 2), "s2/ui/title.zvt");
}

} // namespace
} // namespace zv::app
