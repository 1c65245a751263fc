// The embedded artwork at every scale: names, what each scale decodes, and the decoding done ahead of the first frame.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/Resources.h"
#include "ui/Reduce.h"
#include "view/Skins.h"

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

TEST(Resources, WhatIsDecodedAheadIsWhatWouldHaveBeenDecodedAndIsUsedOnce) {
    const auto direct = ScaledListPictures("skins/List3.zvt", 2);
    const ui::SurfacePtr directTitle = DrawnResourcePicture("ui/title.bmp", 2);
    PrefetchArtwork(2, "skins/List3.zvt");
    const auto ahead = ScaledListPictures("skins/List3.zvt", 2);
    ASSERT_EQ(ahead.size(), direct.size());
    for (std::size_t i = 0; i < ahead.size(); ++i) EXPECT_TRUE(SamePixels(ahead[i].get(), direct[i].get())) << i;
    const ui::SurfacePtr aheadTitle = DrawnResourcePicture("ui/title.bmp", 2);
    EXPECT_TRUE(SamePixels(aheadTitle.get(), directTitle.get()));
    // Taken once: asked again, the picture is decoded anew.
    const ui::SurfacePtr again = DrawnResourcePicture("ui/title.bmp", 2);
    EXPECT_NE(again.get(), aheadTitle.get());
    EXPECT_TRUE(SamePixels(again.get(), directTitle.get()));
    // Nothing is decoded ahead for 1x, and what was made for another scale is not handed out for this one:
    // it is let go, so the 3x pictures are decoded anew when asked for after all.
    PrefetchArtwork(1, "skins/list1.zvt");
    PrefetchArtwork(3, "skins/list1.zvt");
    EXPECT_EQ(ScaledListPictures("skins/list1.zvt", 2).front()->w, 66);
    EXPECT_EQ(ScaledListPictures("skins/list1.zvt", 3).front()->w, 99);
    FinishPrefetch();
}

// At 1.5 the start-up thread also reduces the background, to the size the first paint asks for at the window's
// corner: the paint gets that picture, made from the background as it was decoded (drawn over since, here, to
// tell the two apart).
TEST(Resources, AtAFractionalScaleTheBackgroundIsReducedAheadToTheSizeThePaintAsksFor) {
    const ui::Scale scale = ui::Scale::FromQuarters(6);
    PrefetchArtwork(scale, "skins/List3.zvt");
    const auto pictures = ScaledListPictures("skins/List3.zvt", 2);
    SDL_Surface* background = pictures.at(static_cast<std::size_t>(view::kBackgroundPicture)).get();
    ASSERT_NE(background, nullptr);
    const SDL_Rect place = ui::ReducedPlace(background, scale, 0, 0);
    const ui::SurfacePtr decoded = ui::AdoptSurface(SDL_DuplicateSurface(background));
    const auto expected = ui::ReduceAreaPacked(decoded.get(), place.w, place.h);
    SDL_FillRect(background, nullptr, 0);
    const auto ahead = ui::ReduceAreaPacked(background, place.w, place.h);
    ASSERT_TRUE(expected && ahead);
    const ui::SurfacePtr want = expected->Unpack(), got = ahead->Unpack();
    EXPECT_TRUE(SamePixels(got.get(), want.get()));
    FinishPrefetch();
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
