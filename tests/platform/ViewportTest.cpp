// The viewport maths: window sizes at a scale, full screen letterboxed, and the mouse mapped back to the form.
#include <gtest/gtest.h>

#include "platform/Viewport.h"

using namespace zv::platform;
using zv::ui::Scale;

namespace {

Scale Q(int quarters) { return Scale::FromQuarters(quarters); }

} // namespace

TEST(Viewport, LargestStepIsTheLargestOfTheStepsThatFits) {
    struct Case {
        Size area, form;
        int quarters;
    };
    const Case cases[] = {
        {{1024, 768}, {200, 100}, 16},  // capped at 4x
        {{1024, 768}, {632, 492}, 6},   // 948 x 738
        {{1920, 1080}, {632, 492}, 8},  // 2.5x would be 1580 x 1230
        {{1264, 984}, {632, 492}, 8},   // exactly
        {{1263, 984}, {632, 492}, 7},   // a pixel short: the step below, not a whole factor
        {{640, 480}, {632, 492}, 4},    // nothing fits: still 1x
        {{5000, 5000}, {5001, 10}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LargestStep(c.area.w, c.area.h, c.form.w, c.form.h), Q(c.quarters)) << c.area.w << "x" << c.area.h;
}

TEST(Viewport, WindowSizesInPointsAndTheirCentre) {
    struct Case {
        Size form;
        Scale scale;
        int ratio;
        Size points;
    };
    const Case cases[] = {
        {{200, 100}, Q(6), 1, {300, 150}},
        {{201, 101}, Q(5), 1, {251, 126}}, // the far edge rounds halves up, as painting does
        {{200, 100}, 2, 2, {200, 100}},    // a drawable at 2 pixels a point
        {{201, 101}, 3, 2, {302, 152}},    // odd pixels round up to a whole point
    };
    for (const Case& c : cases) EXPECT_EQ(WindowSize(c.form, c.scale, c.ratio), c.points) << c.form.w << " at " << c.scale.Text();

    EXPECT_EQ(PixelRatio(200, 400), 2);
    EXPECT_EQ(PixelRatio(200, 200), 1);
    EXPECT_EQ(PixelRatio(200, 199), 1); // never below 1
    EXPECT_EQ(PixelRatio(0, 400), 1);   // no size yet
    EXPECT_EQ(WindowedScale(1, 2), 2);
    EXPECT_EQ(WindowedScale(Q(6), 1), Q(6));
    EXPECT_EQ(WindowedScale(3, 2), 3);

    EXPECT_EQ(KeepCentre({100, 100}, {200, 100}, {400, 200}), (Point{0, 50}));
    EXPECT_EQ(KeepCentre({100, 100}, {400, 200}, {200, 100}), (Point{200, 150}));
    EXPECT_EQ(KeepCentre({0, 0}, {201, 101}, {200, 100}), (Point{0, 0}));
}

TEST(Viewport, FitsTheFormWindowedOrFullScreenCentredOnBlack) {
    struct Case {
        const char* what;
        ViewportInput in;
        int quarters;
        bool shrunk;
        int offsetX, offsetY;
    };
    const Case cases[] = {
        {"windowed at 1x", {{200, 100}, {200, 100}, 1, 1, false}, 4, false, 0, 0},
        {"windowed at 2x", {{200, 100}, {400, 200}, 2, 1, false}, 8, false, 0, 0},
        {"a drawable at 2 pixels a point draws at 2x", {{200, 100}, {400, 200}, 1, 2, false}, 8, false, 0, 0},
        {"a larger scale than the drawable's stays", {{200, 100}, {600, 300}, 3, 2, false}, 12, false, 0, 0},
        {"a window larger than asked for centres it", {{200, 100}, {300, 150}, 1, 1, false}, 4, false, 50, 25},
        {"full screen: the largest step", {{632, 492}, {1920, 1080}, 1, 1, true}, 8, false, 328, 48},
        {"full screen at a fractional step", {{632, 492}, {1024, 768}, 1, 1, true}, 6, false, 38, 15},
        {"full screen ignores the window's scale", {{300, 200}, {1024, 768}, 4, 1, true}, 12, false, 62, 84},
        {"full screen at 640 x 480: shrunk", {{632, 492}, {640, 480}, 1, 1, true}, 4, true, 12, 0},
        {"a form with no size yet", {{0, 0}, {100, 100}, 1, 1, true}, 16, false, 48, 48},
    };
    for (const Case& c : cases) {
        const Viewport v = FitViewport(c.in);
        EXPECT_EQ(v.contentScale, Q(c.quarters)) << c.what;
        EXPECT_EQ(v.Shrunk(), c.shrunk) << c.what;
        EXPECT_EQ(v.offsetX, c.offsetX) << c.what;
        EXPECT_EQ(v.offsetY, c.offsetY) << c.what;
        EXPECT_EQ(v.pixelRatio, c.in.pixelRatio) << c.what;
    }
    // Shrunk, the whole form stays in view and keeps its shape.
    const Viewport shrunk = FitViewport({{632, 492}, {640, 480}, 1, 1, true});
    const Size shown = ShownSize(shrunk, {632, 492});
    EXPECT_LE(shown.h, 480);
    EXPECT_GE(shown.h, 479);
    EXPECT_EQ(shown.w, 616);
}

TEST(Viewport, BlackIsLaidOnlyWhereTheFormLeavesSomeOfTheSurface) {
    struct Case {
        Viewport v;
        Size form, surface;
        bool covers;
    };
    const Case cases[] = {
        {{1, 1.0, 0, 0, 1}, {200, 100}, {200, 100}, true},
        {{Q(6), 1.0, 0, 0, 1}, {200, 100}, {300, 150}, true},
        {{1, 1.0, 0, 0, 1}, {200, 100}, {201, 100}, false},
        {{1, 1.0, 0, 0, 1}, {200, 100}, {200, 101}, false},
        {{2, 1.0, 328, 48, 1}, {632, 492}, {1920, 1080}, false},
        {{1, 0.99, 0, 0, 1}, {632, 492}, {625, 487}, false}, // a shrunk picture leaves seams
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoversSurface(c.v, c.form, c.surface), c.covers) << c.surface.w << "x" << c.surface.h;
}

TEST(Viewport, WindowPointsMapBackToTheFormByThePaintingsRounding) {
    struct Case {
        const char* what;
        Viewport v;
        Size form;
        Point window;
        std::optional<Point> form_point;
    };
    const Viewport twice{2, 1.0, 0, 0, 1}, half{Q(6), 1.0, 0, 0, 1}, full{2, 1.0, 328, 48, 1}, shrunk{1, 0.5, 12, 0, 1},
        dense{2, 1.0, 0, 0, 2};
    const Case cases[] = {
        {"2x: the first pixel", twice, {200, 100}, {0, 0}, Point{0, 0}},
        {"2x: the last pixel", twice, {200, 100}, {399, 199}, Point{199, 99}},
        {"2x: past the right edge", twice, {200, 100}, {400, 100}, std::nullopt},
        {"2x: past the bottom edge", twice, {200, 100}, {100, 200}, std::nullopt},
        // At 1.5 logical 150..170 spans pixels 225..254 and 60..80 spans 90..119.
        {"1.5x: before a left edge", half, {200, 100}, {224, 100}, Point{149, 66}},
        {"1.5x: on a left edge", half, {200, 100}, {225, 100}, Point{150, 66}},
        {"1.5x: on a right edge", half, {200, 100}, {254, 100}, Point{169, 66}},
        {"1.5x: past a right edge", half, {200, 100}, {255, 100}, Point{170, 66}},
        {"1.5x: above a top edge", half, {200, 100}, {240, 89}, Point{160, 59}},
        {"1.5x: on a top edge", half, {200, 100}, {240, 90}, Point{160, 60}},
        {"full screen: on the black margin", full, {632, 492}, {327, 48}, std::nullopt},
        {"full screen: above the picture", full, {632, 492}, {400, 47}, std::nullopt},
        {"full screen: the corner", full, {632, 492}, {328, 48}, Point{0, 0}},
        {"full screen: the far corner", full, {632, 492}, {328 + 1263, 48 + 983}, Point{631, 491}},
        {"full screen: the right margin", full, {632, 492}, {328 + 1264, 48}, std::nullopt},
        {"shrunk: the corner", shrunk, {632, 492}, {12, 0}, Point{0, 0}},
        {"shrunk: a pixel on", shrunk, {632, 492}, {13, 1}, Point{2, 2}},
        {"shrunk: the margin", shrunk, {632, 492}, {11, 0}, std::nullopt},
        {"2 pixels a point", dense, {200, 100}, {100, 50}, Point{100, 50}},
        {"2 pixels a point: the far edge", dense, {200, 100}, {200, 50}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ToForm(c.v, c.form, c.window), c.form_point) << c.what;
}
