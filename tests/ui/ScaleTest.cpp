// Drawing at a scale: every control drawn for the scale at its rounded place, the pixel-art enlargers, and the area filter.
#include <gtest/gtest.h>

#include <SDL.h>

#include <set>

#include "Pictures.h"

#include "ui/Control.h"
#include "ui/Draw.h"
#include "ui/FocusFrame.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"
#include "ui/PictureControl.h"
#include "ui/PixelArt.h"
#include "ui/Reduce.h"
#include "ui/Scale.h"
#include "ui/ShadeOverlay.h"

namespace zv::ui {
namespace {

using ScaleTest = test::VideoTest;
using test::Pixel;
using test::Put;
using test::Solid;

Picture Pic(SurfacePtr surface) {
    Picture p;
    p.surface = std::move(surface);
    return p;
}

std::set<Uint32> Colours(SDL_Surface* s) {
    std::set<Uint32> out;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) out.insert(Pixel(s, x, y));
    return out;
}

TEST_F(ScaleTest, ControlsLieAtScaleTimesTheirPlaceAndTakeTheirOwnPictures) {
    Form f("f", 60, 40);
    f.SetColour({0, 0, 0, 255});
    ImageList list;
    list.Append(Pic(Solid(10, 10, 0x112233)));
    list.Append(Pic(Solid(10, 10, 0x445566)));
    int asked = 0;
    // Drawn for 2x: a different colour, so the test sees which picture was taken.
    list.SetScaledSource([&](int scale) {
        ++asked;
        std::vector<SurfacePtr> out;
        if (scale == 2) out.push_back(Solid(20, 20, 0xAA0000));
        return out;
    });
    auto& a = f.AddAt<PictureControl>("a", 5, 5, 10, 10);
    a.SetImageList(&list);
    auto& b = f.AddAt<PictureControl>("b", 30, 5, 10, 10);
    b.SetImageList(&list);
    b.SetListIndex(1);
    f.Render();
    EXPECT_EQ(asked, 0); // nothing larger is made while the window is at 1x
    EXPECT_EQ(Pixel(f.Canvas(), 5, 5), 0x112233u);

    f.SetScale(2);
    const SDL_Rect all = f.Render();
    EXPECT_EQ(all.w, 120);
    EXPECT_EQ(f.Canvas()->w, 120);
    EXPECT_EQ(f.Canvas()->h, 80);
    EXPECT_EQ(Pixel(f.Canvas(), 10, 10), 0xAA0000u); // the source's own 2x picture, at 2 x (5, 5)
    EXPECT_EQ(Pixel(f.Canvas(), 29, 29), 0xAA0000u);
    EXPECT_EQ(Pixel(f.Canvas(), 30, 30), 0x000000u);
    EXPECT_EQ(Pixel(f.Canvas(), 60, 10), 0x445566u); // none drawn for it: enlarged from 1x
    EXPECT_EQ(Pixel(f.Canvas(), 79, 29), 0x445566u);
    EXPECT_EQ(asked, 1); // asked once per scale

    // A change in one control repaints its place at the scale, in canvas pixels.
    b.SetListIndex(0);
    const SDL_Rect r = f.Render();
    EXPECT_EQ(r.x, 60);
    EXPECT_EQ(r.y, 10);
    EXPECT_EQ(r.w, 20);
    EXPECT_EQ(r.h, 20);

    // A changed list asks again.
    list.Append(Pic(Solid(10, 10, 0)));
    f.InvalidateAll();
    f.Render();
    EXPECT_EQ(asked, 2);
}

TEST_F(ScaleTest, PatternsBevelsAndFramesKeepTheirLookInBlocks) {
    for (int s = 1; s <= 3; ++s) {
        Form f("f", 30, 30);
        f.SetColour({255, 255, 255, 255});
        f.SetScale(s);
        auto& shade = f.Add<ShadeOverlay>("shade", ShadeOverlay::Style::Whole);
        shade.SetBounds(0, 0, 10, 10);
        auto& frame = f.Add<FocusFrame>("frame");
        frame.SetBounds(12, 12, 12, 12);
        frame.Show();
        f.Render();
        SDL_Surface* c = f.Canvas();
        // Every logical pixel of the checkerboard is an s x s block of one colour.
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                const Uint32 want = ShadeOverlay::PatternBlack(x, y) ? 0x000000u : 0xFFFFFFu;
                for (int dy = 0; dy < s; ++dy)
                    for (int dx = 0; dx < s; ++dx)
                        ASSERT_EQ(Pixel(c, s * x + dx, s * y + dy), want) << "scale " << s << " at " << x << "," << y;
            }
        // The frame's three rings: black, white, black, each s pixels deep.
        const int x0 = 12 * s, mid = 18 * s;
        for (int d = 0; d < 3 * s; ++d) {
            const Uint32 want = (d / s == 1) ? 0xFFFFFFu : 0x000000u;
            EXPECT_EQ(Pixel(c, x0 + d, mid), want) << "scale " << s << " depth " << d;
        }
        EXPECT_EQ(Pixel(c, x0 + 3 * s, mid), 0xFFFFFFu) << "scale " << s; // inside the frame: the window
    }
}

TEST_F(ScaleTest, StateStripsTakeTheirCellAtTheScale) {
    Form f("f", 20, 10);
    auto& button = f.AddAt<ImageButton>("b", 0, 0, 10, 10);
    // Cells 10 wide at 1x: normal red, hover green. The 2x strip has cells 20 wide: blue, yellow.
    SurfacePtr one = Solid(20, 10, 0xFF0000);
    SDL_Rect hover{10, 0, 10, 10};
    SDL_FillRect(one.get(), &hover, 0x00FF00);
    SurfacePtr two = Solid(40, 20, 0x0000FF);
    SDL_Rect hover2{20, 0, 20, 20};
    SDL_FillRect(two.get(), &hover2, 0xFFFF00);
    button.SetStateStrip(ScaledPicture(one, [two](int scale) { return scale == 2 ? two : nullptr; }), 10);
    f.SetScale(2);
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 19, 19), 0x0000FFu);
    EXPECT_EQ(Pixel(f.Canvas(), 20, 0), 0x000000u); // the next cell of the strip is not shown
    f.MouseMove(5, 5); // logical: the form's mouse is never scaled
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 0, 0), 0xFFFF00u);
    // No strip drawn for 3x: the 1x one enlarged, still one cell of it.
    f.SetScale(3);
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 29, 29), 0x00FF00u);
    EXPECT_EQ(Pixel(f.Canvas(), 30, 0), 0x000000u);
}

// At a fractional scale a strip reduced ahead is taken at the size its place gives, and the 2x artwork is never
// decoded for it; where none was made for that size, the 2x strip is decoded and reduced as before.
TEST_F(ScaleTest, AStripReducedAheadSparesDecodingThe2xArtwork) {
    SurfacePtr one = Solid(20, 10, 0xFF0000);
    SurfacePtr two = Solid(40, 20, 0x0000FF);
    for (const bool ready : {true, false}) {
        Form f("f", 20, 10);
        auto& button = f.AddAt<ImageButton>("b", 0, 0, 10, 10);
        int decoded = 0;
        ScaledPicture strip(one, [&](int scale) { ++decoded; return scale == 2 ? two : nullptr; });
        strip.SetReady([ready](int quarters, int w, int h) { return ready && quarters == 6 && w == 30 && h == 15 ? Solid(w, h, 0x00FF00) : nullptr; });
        button.SetStateStrip(strip, 10);
        f.SetScale(Scale::FromQuarters(6));
        f.Render();
        EXPECT_EQ(Pixel(f.Canvas(), 14, 14), ready ? 0x00FF00u : 0x0000FFu) << ready;
        EXPECT_EQ(Pixel(f.Canvas(), 15, 0), 0x000000u) << "one cell of the strip, " << ready;
        EXPECT_EQ(decoded, ready ? 0 : 1) << ready;
    }
}

TEST_F(ScaleTest, LabelsAreRasterisedForTheScaleAndSizedByTheirOneTimesText) {
    Form f("f", 200, 60);
    auto& l = f.AddAt<Label>("l", 0, 0, 10, 40);
    l.SetFont({"Verdana", true, 20, false});
    l.SetDropShadow(2, {0, 0, 0, 255});
    l.SetAutoSize(true);
    l.SetCaption("0123");
    SDL_Surface* one = l.Rendered();
    ASSERT_NE(one, nullptr);
    const int width = l.Width();
    EXPECT_EQ(width, one->w);
    SDL_Surface* two = l.RenderedAt(2);
    ASSERT_NE(two, nullptr);
    // Drawn with a font twice the size, not stretched: about twice as large, and with more than the two
    // colours (text and shadow) plus coverage steps a doubled picture would repeat.
    EXPECT_NEAR(two->h, 2 * one->h, 4);
    EXPECT_NEAR(two->w, 2 * one->w, 8);
    EXPECT_EQ(l.Width(), width); // the layout stays that of 1x
    f.SetScale(2);
    f.Render();
    EXPECT_EQ(l.Width(), width);
    // A caption change makes every scale's text again.
    const int twoWidth = two->w;
    l.SetCaption("01234");
    EXPECT_GT(l.RenderedAt(2)->w, twoWidth);
    EXPECT_GT(l.Width(), width);
}

TEST_F(ScaleTest, ThreeBytePicturesLandAsTheirFourBytePicturesWouldUnderAnyClip) {
    // A picture of distinct colours, once in four bytes a pixel and once in three.
    SurfacePtr four = Solid(37, 23, 0);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) Put(four.get(), x, y, static_cast<Uint32>(x * 7 << 16 | y * 11 << 8 | (x + y)));
    SurfacePtr three = AdoptSurface(SDL_ConvertSurfaceFormat(four.get(), SDL_PIXELFORMAT_BGR24, 0));
    const SDL_Rect clips[] = {{0, 0, 64, 48}, {5, 3, 20, 15}, {30, 20, 50, 50}, {0, 0, 3, 2}};
    const SDL_Rect part{4, 2, 20, 30}; // runs past the picture's bottom
    for (const SDL_Rect& clip : clips)
        for (const SDL_Rect* from : {static_cast<const SDL_Rect*>(nullptr), &part}) {
            SurfacePtr a = Solid(64, 48, 0x555555), b = Solid(64, 48, 0x555555);
            for (SDL_Surface* t : {a.get(), b.get()}) SDL_SetClipRect(t, &clip);
            Blit(four.get(), from, a.get(), 9, -4);
            Blit(three.get(), from, b.get(), 9, -4);
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x)
                    ASSERT_EQ(Pixel(b.get(), x, y), Pixel(a.get(), x, y)) << x << "," << y << " clip " << clip.x << "," << clip.y;
        }
}

TEST_F(ScaleTest, PixelArtEnlargingInventsNoColourAndKeepsDiagonalsSmooth) {
    // A black diagonal line on white, one pixel wide.
    SurfacePtr pic = Solid(8, 8, 0xFFFFFF);
    for (int i = 0; i < 8; ++i) Put(pic.get(), i, i, 0);
    for (int f = 2; f <= 4; ++f) {
        SurfacePtr big = EnlargePixelArt(pic.get(), f);
        ASSERT_NE(big, nullptr);
        EXPECT_EQ(big->w, 8 * f);
        EXPECT_EQ(big->h, 8 * f);
        EXPECT_EQ(Colours(big.get()), Colours(pic.get())) << f;
        SurfacePtr blocky = EnlargeNearest(pic.get(), f);
        // Pixel doubling keeps the staircase; the pixel-art rules fill its steps.
        int differ = 0;
        for (int y = 0; y < big->h; ++y)
            for (int x = 0; x < big->w; ++x) differ += Pixel(big.get(), x, y) != Pixel(blocky.get(), x, y);
        EXPECT_GT(differ, 0) << f;
    }
    // Scale2x of this line: the corners of each step are filled in, the line keeps one colour.
    SurfacePtr two = EnlargePixelArt(pic.get(), 2);
    EXPECT_EQ(Pixel(two.get(), 2, 1), 0x000000u);
    EXPECT_EQ(Pixel(two.get(), 1, 2), 0x000000u);
    EXPECT_EQ(Pixel(two.get(), 3, 0), 0xFFFFFFu);
    // A flat picture stays flat, and nothing comes of nothing.
    SurfacePtr flat = EnlargePixelArt(Solid(3, 5, 0x123456).get(), 3);
    EXPECT_EQ(Colours(flat.get()), std::set<Uint32>{0x123456u});
    EXPECT_EQ(EnlargePixelArt(nullptr, 2), nullptr);
    // Other depths are widened first.
    SurfacePtr narrow = AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 24, SDL_PIXELFORMAT_RGB24));
    SDL_FillRect(narrow.get(), nullptr, SDL_MapRGB(narrow->format, 10, 20, 30));
    SurfacePtr wide = EnlargePixelArt(narrow.get(), 2);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(Pixel(wide.get(), 7, 7), 0x0A141Eu);
}

// Rounding at every step: edges round halves up, whole scales multiply exactly, and the pixel a point maps back
// to is the one whose rounded span holds it, so painting and the mouse agree.
TEST(ScaleSteps, EdgesRoundAndPixelsMapBackIntoTheirSpan) {
    const struct {
        int quarters;
        const char* text;
        int line;
        int px33; // a cell's edge at 33 logical pixels
    } cases[] = {{4, "1", 1, 33}, {5, "1.25", 1, 41}, {6, "1.5", 2, 50}, {7, "1.75", 2, 58}, {8, "2", 2, 66},
                 {10, "2.5", 3, 83}, {12, "3", 3, 99}, {16, "4", 4, 132}};
    for (const auto& c : cases) {
        const Scale s = Scale::FromQuarters(c.quarters);
        EXPECT_EQ(s.Text(), c.text);
        EXPECT_EQ(s.Line(), c.line) << c.text;
        EXPECT_EQ(s.Px(33), c.px33) << c.text;
        if (s.IsWhole()) {
            for (int l = -5; l < 700; ++l) ASSERT_EQ(s.Px(l), l * s.Whole()) << c.text;
        }
        for (int px = -40; px < 2600; ++px) {
            const int l = s.Logical(px);
            ASSERT_LE(s.Px(l), px) << c.text << " " << px;
            ASSERT_LT(px, s.Px(l + 1)) << c.text << " " << px;
        }
    }
}

// The area filter weighs each source pixel by how much of it a target pixel covers: blocks two pixels wide
// taken to three quarters keep their pure colours where a target pixel lies inside one, and mix evenly
// only where one straddles two; a keyed colour turns to transparency, not to a fringe of its own colour.
TEST(ReduceArea, WeighsSourcePixelsByTheAreaCovered) {
    const Uint32 a = 0x204060, b = 0xA0C0E0, mix = 0x6080A0;
    SurfacePtr stripes = Solid(8, 2, a);
    for (int y = 0; y < 2; ++y)
        for (int x : {2, 3, 6, 7}) Put(stripes.get(), x, y, b);
    const SurfacePtr reduced = ReduceArea(stripes.get(), 6, 2);
    ASSERT_TRUE(reduced);
    const Uint32 want[6] = {a, mix, b, a, mix, b};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(Pixel(reduced.get(), x, 1), want[x]) << x;
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    SDL_GetSurfaceBlendMode(reduced.get(), &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_NONE) << "an opaque picture stays opaque";

    SurfacePtr keyed = Solid(4, 4, 0xFF00FF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x) Put(keyed.get(), x, y, a);
    SDL_SetColorKey(keyed.get(), SDL_TRUE, SDL_MapRGB(keyed->format, 255, 0, 255));
    const SurfacePtr small = ReduceArea(keyed.get(), 3, 3);
    ASSERT_TRUE(small);
    auto alpha = [&](int x) { return *reinterpret_cast<Uint32*>(static_cast<Uint8*>(small->pixels) + 4 * x) >> 24; };
    EXPECT_EQ(alpha(0), 255u);
    EXPECT_EQ(Pixel(small.get(), 0, 0), a);
    EXPECT_EQ(Pixel(small.get(), 1, 0), a) << "half covered: the colour of what is there, half transparent";
    EXPECT_EQ(alpha(1), 128u);
    EXPECT_EQ(alpha(2), 0u);
}

// A flat colour stays exactly itself at every ratio, however large the sums grow: sizes whose ratio reduces to
// small whole numbers (2x to 1.5x), sizes that share no divisor (so the weights are large), and a picture large
// enough for the sums to need 64 bits; opaque and keyed (half of it transparent).
TEST(ReduceArea, AFlatColourStaysExactlyItselfAtEveryRatio) {
    const struct {
        int w, h, toW, toH;
        bool keyed;
    } cases[] = {{1264, 984, 948, 738, false}, {1264, 984, 948, 738, true}, {7, 5, 3, 2, false},
                 {301, 299, 300, 298, true}, {1009, 1013, 1007, 1011, false}};
    for (const auto& c : cases) {
        SurfacePtr pic = Solid(c.w, c.h, 0x8153FE);
        if (c.keyed) {
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w / 2; ++x) Put(pic.get(), x, y, 0xFF00FF);
            SDL_SetColorKey(pic.get(), SDL_TRUE, SDL_MapRGB(pic->format, 255, 0, 255));
        }
        const SurfacePtr small = ReduceArea(pic.get(), c.toW, c.toH);
        ASSERT_TRUE(small);
        for (int y : {0, c.toH / 2, c.toH - 1})
            EXPECT_EQ(Pixel(small.get(), c.toW - 1, y), 0x8153FEu) << c.w << "x" << c.h << " to " << c.toW << "x" << c.toH;
    }
}

// A large whole-scale picture is let go once reduced for a fractional scale; the reduced one is kept, and
// drawing at the whole scale later asks the source again rather than enlarging the 1x picture.
TEST_F(ScaleTest, ALargePictureLetGoOnceReducedComesBackFromItsSource) {
    ImageList list;
    list.Append(Pic(Solid(600, 300, 0x102030)));
    int asked = 0;
    list.SetScaledSource([&](int scale) {
        ++asked;
        std::vector<SurfacePtr> v;
        v.push_back(Solid(600 * scale, 300 * scale, 0x405060));
        return v;
    });
    SDL_Surface* reduced = list.Get(0, Scale::FromQuarters(6), 0, 0);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(reduced->w, 900);
    EXPECT_EQ(Pixel(reduced, 5, 5), 0x405060u);
    EXPECT_EQ(list.Get(0, Scale::FromQuarters(6), 0, 0), reduced);
    EXPECT_EQ(asked, 1);
    SDL_Surface* whole = list.Get(0, 2);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->w, 1200);
    EXPECT_EQ(Pixel(whole, 5, 5), 0x405060u) << "the source's picture, not the 1x one enlarged";
    EXPECT_EQ(asked, 2);
}

// At a fractional scale lines stay whole pixels: a focus frame's three rings are each round(factor) wide and
// fill the frame's rounded place to its last pixel.
TEST_F(ScaleTest, AtAFractionalScaleFramesAreWholePixelsAndFillTheirRoundedPlace) {
    for (int q : {5, 6, 7, 10}) {
        const Scale s = Scale::FromQuarters(q);
        Form form("f", 41, 31);
        form.SetColour({0, 128, 0, 255});
        auto& frame = form.AddAt<FocusFrame>("frame", 3, 3, 33, 21);
        form.SetScale(s);
        form.Render();
        const SDL_Rect r = frame.PixelBounds(s);
        EXPECT_EQ(r.w, s.Px(36) - s.Px(3));
        SDL_Surface* c = form.Canvas();
        const int l = s.Line();
        const int y = r.y + r.h / 2;
        // Outside, black, white, black, then what lies inside: the form's green.
        EXPECT_EQ(Pixel(c, r.x - 1, y), 0x008000u) << s.Text();
        for (int i = 0; i < l; ++i) {
            EXPECT_EQ(Pixel(c, r.x + i, y), 0u) << s.Text();
            EXPECT_EQ(Pixel(c, r.x + l + i, y), 0xFFFFFFu) << s.Text();
            EXPECT_EQ(Pixel(c, r.x + 2 * l + i, y), 0u) << s.Text();
            EXPECT_EQ(Pixel(c, r.x + r.w - 1 - i, y), 0u) << s.Text();
        }
        EXPECT_EQ(Pixel(c, r.x + 3 * l, y), 0x008000u) << s.Text();
        EXPECT_EQ(Pixel(c, r.x + r.w, y), 0x008000u) << s.Text();
    }
}

} // namespace
} // namespace zv::ui
