// The main window in each built-in skin, after the same seeded game, against reference pictures kept in the repository.
#include "kit/AppFixture.h"

#include <cstdlib>

#include "view/ThemeFile.h"

namespace zv::test {
namespace {

constexpr const char* kReferences = ZV_TEST_DATA "/reference-skins.zvt";

// Plays a fixed opening: a deterministic game start, a few moves found by scanning the board.
void PlayOpening(app::TForm1& form) {
    Game& g = form.Rules();
    g.GstartClick();
    for (int move = 0; move < 6 && g.State().PlayState != kPlayOver; ++move) {
        int from = 0, to = 0;
        for (int n = 1; n <= 100 && !from; ++n)
            if (g.State().Board.cells[static_cast<std::size_t>(n - 1)]) from = n;
        for (int n = 100; n >= 1 && !to; --n)
            if (!g.State().Board.cells[static_cast<std::size_t>(n - 1)]) to = n;
        g.ImClick(from);
        g.ImClick(to);
    }
    // One ball left selected, so the highlight is in the picture too.
    for (int n = 1; n <= 100; ++n)
        if (g.State().Board.cells[static_cast<std::size_t>(n - 1)]) {
            g.ImClick(n);
            break;
        }
}

std::vector<std::uint8_t> SaveBmp(SDL_Surface* s) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(s->w * s->h * 4 + 1024));
    SDL_RWops* rw = SDL_RWFromMem(out.data(), static_cast<int>(out.size()));
    SDL_SaveBMP_RW(s, rw, 0);
    out.resize(static_cast<std::size_t>(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    return out;
}

// Share of pixels whose colour differs noticeably; font rasterisers differ by a little at glyph edges.
double DifferentShare(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) return 1.0;
    SDL_Surface* ca = SDL_ConvertSurfaceFormat(a, SDL_PIXELFORMAT_RGB888, 0);
    SDL_Surface* cb = SDL_ConvertSurfaceFormat(b, SDL_PIXELFORMAT_RGB888, 0);
    long different = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) {
            const Uint32 p = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(ca->pixels) + y * ca->pitch + x * 4);
            const Uint32 q = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(cb->pixels) + y * cb->pitch + x * 4);
            int worst = 0;
            for (int shift = 0; shift < 24; shift += 8)
                worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255)));
            if (worst > 48) ++different;
        }
    SDL_FreeSurface(ca);
    SDL_FreeSurface(cb);
    return static_cast<double>(different) / (a->w * a->h);
}

TEST_F(AppTest, EachSkinLooksAsItsReferencePicture) {
    std::vector<view::ThemeEntry> rendered;
    std::vector<ui::SurfacePtr> pictures;
    for (int skin = 1; skin <= 5; ++skin) {
        std::filesystem::remove_all(services.dataDir);
        std::filesystem::remove(services.settingsPath);
        form2.reset();
        form1.reset();
        Start();
        view::ApplyBuiltInSkin(form1->Skin(), skin);
        PlayOpening(*form1);
        form1->Window().InvalidateAll();
        form1->Window().Render();
        view::ThemeEntry e;
        e.bitmap = SaveBmp(form1->Window().Canvas());
        e.description = "skin " + std::to_string(skin);
        rendered.push_back(e);
    }
    if (std::getenv("ZV_UPDATE_REFERENCES")) {
        const auto bytes = view::WriteThemeBytes(rendered);
        WriteFile(kReferences, std::string(bytes.begin(), bytes.end()));
        GTEST_SKIP() << "reference pictures rewritten";
    }
    ui::ImageList references("references");
    ASSERT_NO_THROW(view::LoadThemeFile(kReferences, references));
    ASSERT_EQ(references.Count(), 5);
    for (int skin = 1; skin <= 5; ++skin) {
        const auto& bmp = rendered[static_cast<std::size_t>(skin - 1)].bitmap;
        SDL_Surface* now = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
        ASSERT_NE(now, nullptr);
        EXPECT_LT(DifferentShare(now, references.Get(skin - 1)), 0.002) << "skin " << skin
            << " differs from its reference; if the change is intended, rerun with ZV_UPDATE_REFERENCES=1";
        SDL_FreeSurface(now);
    }
}

} // namespace
} // namespace zv::test
