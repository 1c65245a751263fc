// The component library on its own: routing, damage tracking, picture positions and stretched pictures.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "Pictures.h"

#include "ui/CellGrid.h"
#include "ui/Control.h"
#include "ui/Draw.h"
#include "ui/Fonts.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"
#include "ui/PictureControl.h"
#include "ui/TrueType.h"

namespace zv::ui {
namespace {

using UiTest = test::VideoTest;
using test::Pixel;
using test::Solid;

TEST_F(UiTest, PressesGoToTheTopmostVisibleEnabledControl) {
    Form f("f", 100, 100);
    int below = 0, above = 0;
    auto& b = f.AddAt<PictureControl>("below", 10, 10, 50, 50);
    b.OnClick = [&] { ++below; };
    auto& a = f.AddAt<PictureControl>("above", 20, 20, 50, 50);
    a.OnClick = [&] { ++above; };
    f.ClickAt(30, 30);
    EXPECT_EQ(above, 1);
    a.SetEnabled(false); // a disabled control lets the press through
    f.ClickAt(30, 30);
    EXPECT_EQ(below, 1);
    a.SetEnabled(true);
    a.Hide();
    f.ClickAt(30, 30);
    EXPECT_EQ(below, 2);
    // A press moved off its control before the release is no click.
    f.MouseDown(15, 15);
    f.MouseUp(90, 90);
    EXPECT_EQ(below, 2);
    // Nothing under the point: the window itself, which is where a drag starts.
    EXPECT_TRUE(f.IsDragPoint(95, 95));
    EXPECT_FALSE(f.IsDragPoint(15, 15));
}

TEST_F(UiTest, OnlyLooseCaptionsLetTheWindowBeDragged) {
    Form f("f", 200, 100);
    f.AddAt<Label>("caption", 0, 0, 100, 20);
    auto& link = f.AddAt<Label>("link", 0, 30, 100, 20);
    link.OnClick = [] {};
    auto& panel = f.AddAt<Container>("panel", 100, 0, 100, 100);
    auto& inner = panel.AddAt<Label>("inner", 10, 10, 50, 20);
    // A label running past the panel's edge is cut off there, and beyond it the window is free.
    inner.SetWidth(150);
    EXPECT_TRUE(f.IsDragPoint(10, 10));   // a plain caption on the window
    EXPECT_FALSE(f.IsDragPoint(10, 40));  // a link
    EXPECT_FALSE(f.IsDragPoint(120, 20)); // a caption inside a panel belongs to the panel
    EXPECT_FALSE(f.IsDragPoint(150, 80)); // the panel itself
    EXPECT_TRUE(f.IsDragPoint(50, 80));
}

TEST_F(UiTest, DisabledControlsThatAskForItLookDimmed) {
    Form f("f", 100, 40);
    f.SetColour({0, 0, 128, 255});
    auto& dims = f.AddAt<PictureControl>("dims", 0, 0, 40, 40);
    dims.SetPicture(Solid(40, 40, 0xFF0000));
    dims.SetDimmedWhenDisabled(true);
    auto& plain = f.AddAt<PictureControl>("plain", 50, 0, 40, 40);
    plain.SetPicture(Solid(40, 40, 0xFF0000));
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 20, 20), 0xFF0000u); // enabled: as ever
    dims.SetEnabled(false);
    plain.SetEnabled(false);
    const SDL_Rect repainted = f.Render();
    EXPECT_LE(repainted.x, 0);
    EXPECT_GE(repainted.x + repainted.w, 90);
    const Uint32 dimmed = Pixel(f.Canvas(), 20, 20);
    const Uint32 r = dimmed >> 16, g = (dimmed >> 8) & 255, b = dimmed & 255;
    EXPECT_EQ(r, g); // grey
    EXPECT_EQ(g, b);
    EXPECT_GT(r, 128u); // and pale
    EXPECT_EQ(Pixel(f.Canvas(), 70, 20), 0xFF0000u); // not asked for: unchanged
    EXPECT_EQ(Pixel(f.Canvas(), 45, 20), 0x000080u); // between them the window is untouched
    dims.SetEnabled(true);
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 20, 20), 0xFF0000u);
}

TEST_F(UiTest, OnlyWhatChangedIsRepainted) {
    Form f("f", 200, 100);
    f.SetColour({10, 20, 30, 255});
    auto& c = f.AddAt<PictureControl>("c", 50, 40, 20, 10);
    c.SetPicture(Solid(20, 10, 0xFF0000));
    EXPECT_EQ(f.Render().w, 200); // the first paint is whole
    EXPECT_EQ(f.Render().w, 0);   // nothing changed since
    c.Hide();
    const SDL_Rect r = f.Render();
    EXPECT_EQ(r.x, 50);
    EXPECT_EQ(r.y, 40);
    EXPECT_EQ(r.w, 20);
    EXPECT_EQ(r.h, 10);
    EXPECT_EQ(Pixel(f.Canvas(), 55, 45), 0x0A141Eu);
}

TEST_F(UiTest, PicturePositionsFollowTheImageListRules) {
    Form f("f", 40, 40);
    ImageList list("l");
    for (Uint32 rgb : {0x111111u, 0x222222u}) {
        Picture p;
        p.surface = Solid(33, 33, rgb);
        list.Append(std::move(p));
    }
    auto& b = f.AddAt<ImageButton>("b", 0, 0, 33, 33);
    b.SetImageList(&list);
    b.SetListIndex(1);
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 5, 5), 0x222222u);
    EXPECT_EQ(f.Render().w, 0);
    b.SetListIndex(1); // the position it already shows: nothing to repaint
    EXPECT_EQ(f.Render().w, 0);
    b.SetListIndex(-1); // ignored
    EXPECT_EQ(b.ListIndex(), 1);
    b.SetListIndex(5); // the list holds no picture there: the bare face
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 16, 16), 0xD4D0C8u);
}

TEST_F(UiTest, CellGridsShowShrunkPicturesAndFollowTheirList) {
    // A picture of a white left half and a black right half shrinks to a white, a grey and a black pixel.
    SurfacePtr halves = Solid(6, 3, 0x000000);
    const SDL_Rect left{0, 0, 3, 3};
    SDL_FillRect(halves.get(), &left, 0xFFFFFF);
    SurfacePtr small = ShrinkPicture(halves.get(), 3, 1);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(small.get(), SDL_PIXELFORMAT_RGB888, 0);
    EXPECT_EQ(Pixel(rgb, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(rgb, 1, 0), 0x808080u);
    EXPECT_EQ(Pixel(rgb, 2, 0), 0x000000u);
    SDL_FreeSurface(rgb);

    Form f("f", 40, 40);
    ImageList list("l");
    for (Uint32 c : {0x101010u, 0x20A020u}) {
        Picture p;
        p.surface = Solid(33, 33, c);
        list.Append(std::move(p));
    }
    auto& g = f.AddAt<CellGrid>("g", 2, 2, 23, 11);
    g.SetCellSize(11, 1);
    g.SetCells(1, 2, {1, -1});
    g.SetImageList(&list);
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 7, 7), 0x20A020u);
    EXPECT_EQ(Pixel(f.Canvas(), 19, 7), 0x000000u); // a negative position leaves its cell bare
    // New pictures in the same list show at the next repaint.
    list.At(1).surface = Solid(33, 33, 0x3030C0);
    list.Append();
    g.Invalidate();
    f.Render();
    EXPECT_EQ(Pixel(f.Canvas(), 7, 7), 0x3030C0u);
}

TEST_F(UiTest, StretchedPicturesRepaintUnderAPartialClip) {
    // A 3 x 3 frame piece stretched along a 300-pixel edge, repainted in a small window of it.
    SurfacePtr piece = Solid(3, 3, 0x00FF00);
    SurfacePtr target = Solid(300, 3, 0x000000);
    const SDL_Rect clip{100, 0, 20, 3};
    SDL_SetClipRect(target.get(), &clip);
    BlitStretched(piece.get(), target.get(), {0, 0, 300, 3});
    EXPECT_EQ(Pixel(target.get(), 110, 1), 0x00FF00u);
    EXPECT_EQ(Pixel(target.get(), 99, 1), 0x000000u); // outside the clip stays
    EXPECT_EQ(Pixel(target.get(), 120, 1), 0x000000u);
}

TEST_F(UiTest, ASelfSizingLabelKnowsItsWidthBeforeItIsPainted) {
    Form f("f", 300, 60);
    auto& l = f.AddAt<Label>("score", 10, 10, 27, 42);
    l.SetFont({"Verdana", true, 32, false});
    l.SetAutoSize(true);
    l.SetCaption("0");
    f.Render();
    const int narrow = l.Width();
    l.SetCaption("12345");
    // The whole new text is inside the area the next paint covers, so no part waits for a later one.
    EXPECT_GT(l.Width(), narrow);
    const SDL_Rect painted = f.Render();
    EXPECT_GE(painted.x + painted.w, l.Left() + l.Width());
    EXPECT_EQ(f.Render().w, 0);
}

// The font files' pages given back after the first frame are read again, unchanged, for the next words.
TEST_F(UiTest, WordsDrawnAfterTheFontPagesAreGivenBackAreTheSame) {
    auto draw = [] {
        Form f("f", 200, 40);
        f.SetColour({255, 255, 255, 255});
        auto& l = f.AddAt<Label>("score", 4, 4, 190, 32);
        l.SetFont({"Verdana", true, 24, false});
        l.SetCaption("Счёт 12345");
        f.Render();
        std::vector<Uint32> pixels;
        for (int y = 0; y < f.Canvas()->h; ++y)
            for (int x = 0; x < f.Canvas()->w; ++x) pixels.push_back(Pixel(f.Canvas(), x, y));
        return pixels;
    };
    const std::vector<Uint32> before = draw();
    ReleaseFontPages();
    EXPECT_EQ(draw(), before);
    EXPECT_NE(std::count(before.begin(), before.end(), 0xFFFFFFu), static_cast<long>(before.size())) << "no words drawn";
}

TEST_F(UiTest, ARaisedLabelCastsOneShadowDownRightInItsDarkerColourAtEveryScale) {
    for (int scale : {1, 2, 3}) {
        Form f("f", 120, 50);
        f.SetColour({255, 255, 255, 255});
        f.SetScale(scale);
        auto& l = f.AddAt<Label>("heading", 20, 10, 80, 30);
        l.SetFont({"Arial", true, 19, false});
        l.SetColour({0, 0, 0, 255});
        l.SetRaisedShadow(3, {92, 83, 215, 255}, 2, {193, 193, 240, 255});
        l.SetCaption("HI");
        f.Render();
        SDL_Surface* c = f.Canvas();
        int top = c->h, left = c->w, shadowTop = c->h, shadowLeft = c->w;
        bool light = false;
        for (int y = 0; y < c->h; ++y)
            for (int x = 0; x < c->w; ++x) {
                const Uint32 p = Pixel(c, x, y);
                if (p == 0x000000) top = std::min(top, y), left = std::min(left, x);
                // Shadow colours are blue; the letters' smoothed edges are grey.
                if (int(p & 0xFF) - int(p >> 16) > 40) shadowTop = std::min(shadowTop, y), shadowLeft = std::min(shadowLeft, x);
                if (p == 0xC1C1F0) light = true;
            }
        ASSERT_LT(top, c->h) << scale;
        // Nothing stands out above or left of the letters; the shadow begins below and right of them.
        EXPECT_GE(shadowTop, top) << scale;
        EXPECT_GE(shadowLeft, left) << scale;
        EXPECT_FALSE(light) << "a second, lighter shadow at scale " << scale;
    }
}

TEST_F(UiTest, ATextTooWideForItsLabelIsCutAndEndsInAnEllipsis) {
    Form f("f", 200, 40);
    auto& plain = f.AddAt<Label>("plain", 0, 0, 80, 16);
    auto& cut = f.AddAt<Label>("cut", 0, 20, 80, 16);
    auto& dots = f.AddAt<Label>("dots", 0, 20, 80, 16);
    cut.SetEllipsis(true);
    dots.SetCaption("\u2026");
    for (const char* text : {"Анна", "Константин Константинопольский-Щедрин", "WWWWWWWWWWWWWWWWWWWWWWWW"})
        for (int s : {1, 2}) {
            plain.SetCaption(text);
            cut.SetCaption(text);
            const int whole = plain.RenderedAt(s)->w, shown = cut.RenderedAt(s)->w;
            if (whole <= s * 80) EXPECT_EQ(shown, whole) << text;
            // Cut to fit, and something of the text is left before the "…".
            else EXPECT_TRUE(shown <= s * 80 && shown > dots.RenderedAt(s)->w + s * 20) << text << " " << shown;
        }
}

TEST_F(UiTest, ATextTooWideForItsLabelShrinksToThreeQuartersOfItsSizeAtMost) {
    Form f("f", 200, 40);
    auto& plain = f.AddAt<Label>("plain", 0, 0, 80, 16);
    auto& shrunk = f.AddAt<Label>("shrunk", 0, 20, 80, 16);
    shrunk.SetShrinkToFit(true);
    // text, whether three quarters of the size is small enough
    const struct { const char* text; bool fits; } cases[] = {
        {"Анна", true}, {"Константин Конст", true}, {"Константин Константинопольский-Щедрин", false}};
    for (const auto& c : cases)
        for (int s : {1, 2}) {
            plain.SetCaption(c.text);
            shrunk.SetCaption(c.text);
            const int whole = plain.RenderedAt(s)->w, shown = shrunk.RenderedAt(s)->w;
            if (whole <= s * 80) EXPECT_EQ(shown, whole) << c.text;  // a text that fits keeps its size
            else if (c.fits) EXPECT_LE(shown, s * 80) << c.text << " at " << s << "x";
            else EXPECT_GE(shown, whole * 2 / 3) << c.text << " at " << s << "x";  // no smaller than the floor
        }
}

// Counts its paints; paints nothing.
class Probe : public Control {
public:
    using Control::Control;
    void Paint(SDL_Surface*, int, int, Scale) override { ++paints; }
    int paints = 0;
};

TEST_F(UiTest, ChangesFarApartArePaintedApartAndWhatLiesUnderAnOpaqueControlIsLeftOut) {
    Form f("f", 300, 100);
    f.SetColour({10, 20, 30, 255});
    auto& under = f.AddAt<Probe>("under", 0, 0, 300, 100);
    auto& left = f.AddAt<PictureControl>("left", 10, 10, 20, 20);
    left.SetPicture(Solid(20, 20, 0xFF0000));
    auto& right = f.AddAt<PictureControl>("right", 250, 60, 20, 20);
    right.SetPicture(Solid(20, 20, 0x00FF00));
    f.Render();
    EXPECT_EQ(under.paints, 1);
    // Two changes at opposite corners: two small areas, not the box around both.
    left.SetPicture(Solid(20, 20, 0x0000FF));
    right.SetPicture(Solid(20, 20, 0xFFFF00));
    SDL_FillRect(f.Canvas(), nullptr, 0xABCDEF); // so that what is not repainted shows
    f.Render();
    ASSERT_EQ(f.Repainted().size(), 2u);
    EXPECT_EQ(Pixel(f.Canvas(), 15, 15), 0x0000FFu);
    EXPECT_EQ(Pixel(f.Canvas(), 255, 65), 0xFFFF00u);
    EXPECT_EQ(Pixel(f.Canvas(), 150, 50), 0xABCDEFu);
    // Both areas lay wholly under opaque pictures: neither the window's colour nor the control below was painted.
    EXPECT_EQ(under.paints, 1);
    // Touching areas join; beyond the most kept apart they become one.
    for (int i = 0; i < 20; ++i) f.InvalidateRect({i * 14, (i % 2) * 50, 4, 4});
    f.Render();
    EXPECT_LE(f.Repainted().size(), Form::kMaxDirtyAreas);
    f.InvalidateRect({0, 0, 10, 10});
    f.InvalidateRect({10, 0, 10, 10});
    f.Render();
    ASSERT_EQ(f.Repainted().size(), 1u);
    EXPECT_EQ(f.Repainted()[0].w, 20);
    // A picture with see-through parts hides nothing.
    SurfacePtr keyed = Solid(20, 20, 0xFF0000);
    SDL_SetColorKey(keyed.get(), SDL_TRUE, 0xFF0000);
    left.SetPicture(keyed);
    const int before = under.paints;
    f.Render();
    EXPECT_EQ(under.paints, before + 1);
}

// A picture a few pixels short of its control (a background in its panel): the colour is laid around the
// picture, never left out there, and under a picture with see-through parts it is laid as before.
TEST_F(UiTest, TheColourIsLaidAroundAPictureShortOfItsControl) {
    for (const bool keyed : {false, true}) {
        Form f("f", 100, 80);
        f.SetColour({10, 20, 30, 255});
        auto& picture = f.AddAt<PictureControl>("picture", 10, 10, 80, 60);
        SurfacePtr p = Solid(76, 57, 0xFF0000);
        if (keyed) SDL_SetColorKey(p.get(), SDL_TRUE, 0xFF0000);
        picture.SetPicture(p);
        f.Render();
        SDL_FillRect(f.Canvas(), nullptr, 0xABCDEF); // so that what is not painted shows
        f.InvalidateAll();
        f.Render();
        const Uint32 colour = 0x0A141E;
        for (const auto& [x, y] : {std::pair{5, 5}, {95, 75}, {88, 40}, {40, 68}, {87, 67}})
            EXPECT_EQ(Pixel(f.Canvas(), x, y), colour) << "at " << x << ", " << y << (keyed ? ", keyed" : "");
        EXPECT_EQ(Pixel(f.Canvas(), 50, 40), keyed ? colour : 0xFF0000u) << (keyed ? "keyed" : "");
    }
}

} // namespace
} // namespace zv::ui

// fontconfig is reached through dlopen: every call must be found, and it must name the same files as the
// shortcut to the faces our packages install.
TEST(Fontconfig, FindsTheKnownFacesWhereTheShortcutDoesAndNoOtherFamily) {
    const struct {
        const char* family;
        bool bold;
    } faces[] = {{"DejaVu Sans", false}, {"DejaVu Sans", true}, {"Liberation Sans", false}, {"Roboto Condensed", true}};
    for (const auto& f : faces) {
        SCOPED_TRACE(f.family + std::string(f.bold ? " bold" : ""));
        const std::string file = zv::ui::ResolveThroughFontconfig(f.family, f.bold);
        EXPECT_FALSE(file.empty());
        EXPECT_EQ(file, zv::ui::ResolveFontFile(f.family, f.bold));
    }
    EXPECT_EQ(zv::ui::ResolveThroughFontconfig("No Such Family Anywhere", false), "");
}
