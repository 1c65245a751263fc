// Display mode choice, the scaling of the picture, and the full-screen switch on SDL's dummy driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/Display.h"

using namespace zv::platform;

TEST(ChooseDisplayMode, ExactModeFirst) {
    const std::vector<DisplayMode> modes{{1920, 1080, 16}, {800, 600, 16}, {640, 480, 32}, {640, 480, 16}};
    EXPECT_EQ(ChooseDisplayMode(modes, 32), (DisplayMode{640, 480, 16}));
}

TEST(ChooseDisplayMode, SmallestFourByThreeThenSmallestOfAnyRatio) {
    EXPECT_EQ(ChooseDisplayMode({{1024, 768, 16}, {800, 600, 16}, {720, 480, 16}, {640, 480, 32}}, 32),
              (DisplayMode{800, 600, 16}));
    // No 4:3 mode: the smallest 16-bit one that is large enough; too small ones never count.
    EXPECT_EQ(ChooseDisplayMode({{1280, 720, 16}, {720, 480, 16}, {640, 400, 16}, {320, 240, 16}}, 32),
              (DisplayMode{720, 480, 16}));
    const auto ranked = RankDisplayModes({{1280, 720, 16}, {1600, 1200, 16}, {800, 600, 16}, {640, 480, 16}}, 16);
    EXPECT_EQ(ranked, (std::vector<DisplayMode>{{640, 480, 16}, {800, 600, 16}, {1600, 1200, 16}, {1280, 720, 16}}));
}

TEST(ChooseDisplayMode, WithoutSixteenBitModesTheDesktopDepthIsUsed) {
    // An X11 desktop at 24 bits offers nothing else.
    const std::vector<DisplayMode> x11{{1920, 1080, 24}, {1024, 768, 24}, {800, 600, 24}, {640, 480, 24}};
    EXPECT_EQ(ChooseDisplayMode(x11, 24), (DisplayMode{640, 480, 24}));
    EXPECT_EQ(ChooseDisplayMode({{1920, 1080, 24}, {1024, 768, 24}}, 24), (DisplayMode{1024, 768, 24}));
    // Modes at other depths than the desktop's are not taken.
    EXPECT_EQ(ChooseDisplayMode({{640, 480, 8}}, 24), std::nullopt);
    // 16-bit modes come first, the desktop depth after them, so that a refused 16-bit mode
    // still leaves something to try.
    const auto ranked = RankDisplayModes({{640, 480, 24}, {800, 600, 16}}, 24);
    EXPECT_EQ(ranked, (std::vector<DisplayMode>{{800, 600, 16}, {640, 480, 24}}));
}

TEST(ChooseDisplayMode, NothingFits) {
    EXPECT_EQ(ChooseDisplayMode({}, 24), std::nullopt);
    EXPECT_EQ(ChooseDisplayMode({{320, 240, 16}, {639, 480, 24}, {640, 479, 24}}, 24), std::nullopt);
}

TEST(ScaleAndOffset, LargestWholeFactorCentred) {
    auto check = [](int w, int h, int scale, int x, int y) {
        const Placement p = ScaleAndOffset(w, h);
        EXPECT_EQ(p.scale, scale) << w << "x" << h;
        EXPECT_EQ(p.x, x) << w << "x" << h;
        EXPECT_EQ(p.y, y) << w << "x" << h;
    };
    check(632, 492, 1, 0, 0);
    check(1920, 1080, 2, 328, 48);
    check(1264, 984, 2, 0, 0);
    check(1263, 984, 1, 315, 246);
    // The full-screen mode itself is 12 rows short: the picture stays whole-pixel and centred.
    check(640, 480, 1, 4, -6);
    const Placement custom = ScaleAndOffset(100, 100, 10, 20);
    EXPECT_EQ(custom.scale, 5);
    EXPECT_EQ(custom.x, 25);
    EXPECT_EQ(custom.y, 0);
}

TEST(FullScreen, DummyDisplayEntersAndLeavesFullScreen) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* w = SDL_CreateWindow("t", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 632, 492, SDL_WINDOW_BORDERLESS);
    ASSERT_NE(w, nullptr);
    {
        FullScreen fs(w);
        EXPECT_FALSE(fs.Active());
        fs.RestoreSavedDisplayMode(); // nothing to do yet
        fs.Initialise();
        EXPECT_TRUE(fs.Active());
        EXPECT_TRUE(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN);
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        EXPECT_EQ(fs.Saved().width, desktop.w);
        EXPECT_EQ(fs.Saved().height, desktop.h);
        EXPECT_EQ(fs.Saved().bpp, static_cast<int>(SDL_BITSPERPIXEL(desktop.format)));
        fs.Initialise(); // already on
        EXPECT_TRUE(fs.Active());

        fs.Finalise();
        EXPECT_FALSE(fs.Active());
        EXPECT_FALSE(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN);
        int ww = 0, wh = 0;
        SDL_GetWindowSize(w, &ww, &wh);
        EXPECT_EQ(ww, 632);
        EXPECT_EQ(wh, 492);
        fs.Finalise(); // harmless when off

        fs.Initialise();
        fs.RestoreSavedDisplayMode();
        EXPECT_FALSE(fs.Active());
        EXPECT_FALSE(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN);
    }
    SDL_DestroyWindow(w);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(FullScreen, WithoutWindowInitialiseNamesTheRequestedMode) {
    FullScreen fs(nullptr);
    try {
        fs.Initialise();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot set display mode 640x480x16");
    }
    EXPECT_FALSE(fs.Active());
}
