// The windows at the fractional scales: controls rounded at their edges tile as they touch, a click on a cell's
// edge pixel reaches the cell, and a cell shows its ball from the next whole scale's artwork reduced.
#include "kit/AppFixture.h"

#include <cstring>
#include <functional>

#include "app/Resources.h"
#include "ui/Reduce.h"
#include "view/HintGlyph.h"
#include "view/ReadyArtwork.h"
#include "view/Skins.h"

namespace zv::test {
namespace {

const int kQuarters[] = {4, 5, 6, 7, 8, 10, 12};

// Every pixel of every window is painted at every step: a control whose picture, frame or text fell short of
// its rounded place would leave the canvas's old colour showing as a seam.
TEST_F(AppTest, AtEveryStepEveryPixelOfEveryWindowIsPainted) {
    Start();
    program->ShowNumberWindow();
    for (ui::Form* f : {&form1->Window(), &form2->Window(), &program->RulesWindow().Window(), &program->BestGames().Window()})
        for (int q : kQuarters) {
            const ui::Scale s = ui::Scale::FromQuarters(q);
            f->SetScale(s);
            SDL_Surface* canvas = f->Canvas();
            ASSERT_TRUE(canvas);
            ASSERT_EQ(canvas->w, s.Px(f->Width()));
            const Uint32 sentinel = SDL_MapRGB(canvas->format, 255, 0, 254);
            SDL_FillRect(canvas, nullptr, sentinel);
            f->InvalidateAll();
            f->Render();
            int unpainted = 0, firstX = -1, firstY = -1;
            for (int y = 0; y < canvas->h; ++y)
                for (int x = 0; x < canvas->w; ++x)
                    if (reinterpret_cast<Uint32*>(static_cast<Uint8*>(canvas->pixels) + y * canvas->pitch)[x] == sentinel &&
                        unpainted++ == 0) {
                        firstX = x;
                        firstY = y;
                    }
            EXPECT_EQ(unpainted, 0) << f->Name() << " at " << s.Text() << ", first at " << firstX << "," << firstY;
        }
}

TEST_F(AppTest, AtEveryStepTheFirstAndLastPixelOfEachCellReachThatCell) {
    Start();
    ui::Form& f = form1->Window();
    for (int q : kQuarters) {
        const ui::Scale s = ui::Scale::FromQuarters(q);
        for (std::size_t i = 0; i < 100; ++i) {
            const SDL_Rect r = form1->im[i]->PixelBounds(s);
            for (const SDL_Point px : {SDL_Point{r.x, r.y}, SDL_Point{r.x + r.w - 1, r.y + r.h - 1}, SDL_Point{r.x + r.w - 1, r.y},
                                       SDL_Point{r.x, r.y + r.h - 1}}) {
                const ui::Control* hit = f.HitAt(s.Logical(px.x), s.Logical(px.y));
                EXPECT_TRUE(hit == form1->im[i] || hit == form1->Fill[i] || hit == form1->blok[i])
                    << "cell " << i << " pixel " << px.x << "," << px.y << " at " << s.Text();
            }
        }
    }
}

TEST_F(AppTest, AtAFractionalScaleACellShowsTheNextWholeScalesBallReduced) {
    Start();
    ui::Form& f = form1->Window();
    const std::size_t cell = 55;
    const int ball = 3;
    form1->im[cell]->SetListIndex(ball);
    for (int q : {5, 6, 7, 10}) {
        const ui::Scale s = ui::Scale::FromQuarters(q);
        f.SetScale(s);
        f.Render();
        SDL_Surface* canvas = f.Canvas();
        ASSERT_EQ(canvas->w, s.Px(632));
        const SDL_Rect r = form1->im[cell]->PixelBounds(s);
        const ui::SurfacePtr want = ui::ReduceArea(form1->BallList()->Get(ball, s.Whole()), r.w, r.h);
        ASSERT_TRUE(want);
        int differing = 0;
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                Uint8 a[3], b[3];
                const Uint32 got = reinterpret_cast<Uint32*>(static_cast<Uint8*>(canvas->pixels) + (r.y + y) * canvas->pitch)[r.x + x];
                const Uint32 exp = reinterpret_cast<Uint32*>(static_cast<Uint8*>(want->pixels) + y * want->pitch)[x];
                SDL_GetRGB(got, canvas->format, &a[0], &a[1], &a[2]);
                SDL_GetRGB(exp, want->format, &b[0], &b[1], &b[2]);
                if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) ++differing;
            }
        EXPECT_EQ(differing, 0) << "at " << s.Text();
    }
}

// The skins whose background was made ready when the program was built draw that one from 1x to 2x, and it is the
// background the list would have made from its whole-scale picture where the main window shows it. Were the window
// to show it elsewhere, its rounded size would no longer match and the list would decode and reduce it again.
TEST_F(AppTest, AReadyBackgroundIsTheOneTheListWouldDrawWhereTheWindowShowsIt) {
    Start();
    const SDL_Rect at = form1->BackGround->ScreenBounds();
    int ready = 0;
    for (const char* list : app::kSkinListResources) {
        if (app::ReadyListResource(list).empty()) continue;
        ++ready;
        ui::ImageList whole;
        app::LoadResourceList(whole, list);
        app::CompactLargePictures(whole);
        const std::vector<ui::SurfacePtr> drawn = app::ScaledListPictures(list, 2);
        for (int q : view::kReadyQuarters) {
            const ui::Scale s = ui::Scale::FromQuarters(q);
            const auto made = app::ReadyBackground(list, q);
            ASSERT_TRUE(made) << list << " at " << s.Text();
            SDL_Surface* from = q == 4 ? whole.Get(view::kBackgroundPicture) : drawn.at(view::kBackgroundPicture).get();
            const int f = q == 4 ? 1 : 2;
            EXPECT_EQ(made->Width(), s.Span(at.x, (from->w + f - 1) / f)) << list << " at " << s.Text();
            EXPECT_EQ(made->Height(), s.Span(at.y, (from->h + f - 1) / f)) << list << " at " << s.Text();
            const auto want = ui::PackedAt(from, s, at.x, at.y);
            ASSERT_TRUE(want);
            const ui::SurfacePtr a = made->Unpack(), b = want->Unpack();
            ASSERT_EQ(a->format->format, b->format->format);
            for (int y = 0; y < a->h; ++y)
                ASSERT_EQ(std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                                      static_cast<std::size_t>(a->w) * a->format->BytesPerPixel), 0)
                    << list << " at " << s.Text() << ", row " << y;
        }
    }
    EXPECT_EQ(ready, 3) << "the skins with a large background";
}

void ExpectSamePicture(SDL_Surface* made, SDL_Surface* want, const std::string& what) {
    ASSERT_EQ(made->format->format, want->format->format) << what;
    ASSERT_EQ(made->w, want->w) << what;
    ASSERT_EQ(made->h, want->h) << what;
    SDL_BlendMode a = SDL_BLENDMODE_NONE, b = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(made, &a);
    SDL_GetSurfaceBlendMode(want, &b);
    EXPECT_EQ(a, b) << what;
    for (int y = 0; y < made->h; ++y)
        ASSERT_EQ(std::memcmp(static_cast<Uint8*>(made->pixels) + y * made->pitch, static_cast<Uint8*>(want->pixels) + y * want->pitch,
                              static_cast<std::size_t>(made->w) * made->format->BytesPerPixel), 0)
            << what << ", row " << y;
}

// The title and command buttons made ready when the program was built are what the scaled picture would decode
// at 2x and reduce at every size they may have at each fractional scale; none is missing. The hint lamp is what
// it draws at 1x and 2x.
TEST_F(AppTest, AReadyWindowPictureIsTheOneItsScaledPictureWouldReduce) {
    for (const char* name : {"ui/title.bmp", "ui/btn_finish.bmp", "ui/btn_gstart.bmp", "ui/btn_turnback.bmp", "ui/btn_goptions.bmp"}) {
        const ui::SurfacePtr small = app::ResourcePicture(name), drawn = app::DrawnResourcePicture(name, 2);
        ASSERT_TRUE(small && drawn) << name;
        // As drawn for 1x and 2x: the same picture, however it is kept.
        for (const auto& [scale, want] : {std::pair{1, small}, std::pair{2, drawn}}) {
            const ui::SurfacePtr ready = app::ReadyDrawnPicture(name, scale);
            ASSERT_TRUE(ready) << name;
            ExpectSamePicture(ready.get(), want.get(), std::string(name) + " at " + std::to_string(scale) + "x");
        }
        for (int q : view::kReadyFractions)
            for (int v = 0; v < view::kReadyVariants; ++v) {
                const SDL_Point size = view::ReadyVariantSize({small->w, small->h}, q, v);
                const ui::SurfacePtr made = app::ReadyPicture(name, q, size.x, size.y), want = ui::ReduceArea(drawn.get(), size.x, size.y);
                ASSERT_TRUE(made) << name << " at " << q << " quarters, " << size.x << " x " << size.y;
                ExpectSamePicture(made.get(), want.get(), std::string(name) + " at " + std::to_string(q) + " quarters");
            }
    }
    for (int scale : {1, 2}) {
        const ui::SurfacePtr ready = app::ReadyDrawnPicture("ui/hint", scale), drawn = view::DrawHintGlyph(scale);
        ASSERT_TRUE(ready) << scale;
        ExpectSamePicture(ready.get(), drawn.get(), "the hint lamp at " + std::to_string(scale) + "x");
    }
}

// Each skin's list made ready for 2x holds the pictures its theme file decodes to, as the window keeps them; at
// 4x, where a whole list is ready, the same pictures doubled (the ready ones are never converted in place).
TEST_F(AppTest, ASkinListMadeReadyFor2xIsTheOneItsThemeFileDecodesTo) {
    for (const char* skin : app::kSkinListResources) {
        const std::string ready = app::ReadyListResource(skin), list = ready.empty() ? skin : ready;
        ASSERT_FALSE(app::Resource(view::ReadyListName(list, 8)).empty()) << list;
        for (int scale : {2, 4}) {
            if (scale == 4 && !ready.empty()) continue; // 4x doubles the whole list, which is not kept ready
            const std::vector<ui::SurfacePtr> made = app::ScaledListPictures(list, scale), decoded = app::DecodedListPictures(list, scale);
            ASSERT_EQ(made.size(), decoded.size()) << list;
            for (std::size_t i = 0; i < made.size(); ++i) {
                ASSERT_EQ(!made[i], !decoded[i]) << list << " picture " << i;
                if (made[i])
                    ExpectSamePicture(made[i].get(), decoded[i].get(), list + " picture " + std::to_string(i) + " at " + std::to_string(scale) + "x");
            }
        }
    }
}

} // namespace
} // namespace zv::test
