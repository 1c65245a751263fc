// Display mode choice and the full-screen switch on SDL's dummy driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include <optional>
#include <vector>

#include "platform/Display.h"

using namespace zv::platform;

namespace {

// The mode the switch tries first, or nullopt when none fits.
std::optional<DisplayMode> First(const std::vector<DisplayMode>& available, int desktopBpp) {
    const auto ranked = RankDisplayModes(available, desktopBpp);
    if (ranked.empty()) return std::nullopt;
    return ranked.front();
}

} // namespace

TEST(RankDisplayModes, TheModeTriedFirst) {
    struct Case {
        const char* what;
        std::vector<DisplayMode> available;
        int desktopBpp;
        std::optional<DisplayMode> first;
    };
    const Case cases[] = {
        {"the exact mode", {{1920, 1080, 16}, {800, 600, 16}, {640, 480, 32}, {640, 480, 16}}, 32, DisplayMode{640, 480, 16}},
        {"the smallest 4:3", {{1024, 768, 16}, {800, 600, 16}, {720, 480, 16}, {640, 480, 32}}, 32, DisplayMode{800, 600, 16}},
        // No 4:3 mode: the smallest 16-bit one that is large enough; too small ones never count.
        {"the smallest of any ratio", {{1280, 720, 16}, {720, 480, 16}, {640, 400, 16}, {320, 240, 16}}, 32, DisplayMode{720, 480, 16}},
        // An X11 desktop at 24 bits offers nothing else.
        {"the desktop's depth", {{1920, 1080, 24}, {1024, 768, 24}, {800, 600, 24}, {640, 480, 24}}, 24, DisplayMode{640, 480, 24}},
        {"the desktop's depth, 4:3", {{1920, 1080, 24}, {1024, 768, 24}}, 24, DisplayMode{1024, 768, 24}},
        {"not another depth", {{640, 480, 8}}, 24, std::nullopt},
        {"nothing at all", {}, 24, std::nullopt},
        {"nothing large enough", {{320, 240, 16}, {639, 480, 24}, {640, 479, 24}}, 24, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(First(c.available, c.desktopBpp), c.first) << c.what;
}

TEST(RankDisplayModes, FourByThreeBeforeOtherRatiosAndSixteenBitsBeforeTheDesktopDepth) {
    const auto ranked = RankDisplayModes({{1280, 720, 16}, {1600, 1200, 16}, {800, 600, 16}, {640, 480, 16}}, 16);
    EXPECT_EQ(ranked, (std::vector<DisplayMode>{{640, 480, 16}, {800, 600, 16}, {1600, 1200, 16}, {1280, 720, 16}}));
    // A refused 16-bit mode still leaves something to try.
    EXPECT_EQ(RankDisplayModes({{640, 480, 24}, {800, 600, 16}}, 24), (std::vector<DisplayMode>{{800, 600, 16}, {640, 480, 24}}));
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
