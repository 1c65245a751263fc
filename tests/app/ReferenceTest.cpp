// The main window in each built-in skin, after the same seeded game, against reference pictures kept in the repository.
#include "kit/AppFixture.h"

#include <clocale>
#include <functional>
#include <map>
#include <cstdlib>

#include "app/Rules.h"
#include "platform/Language.h"
#include "view/ThemeFile.h"

namespace zv::test {
namespace {

constexpr const char* kReferences = ZV_TEST_DATA "/reference-skins.zvt";

// Plays a fixed opening: a deterministic game start, a few moves found by scanning the board.
void PlayOpening(app::TForm1& form) {
    Game& g = form.Engine();
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

// The main window in every skin after the opening, drawn at a scale, as pictures.
std::vector<view::ThemeEntry> RenderSkins(AppTest& test, const std::function<void()>& restart,
                                          const std::function<app::TForm1&()> form, int scale) {
    (void)test;
    std::vector<view::ThemeEntry> rendered;
    for (int skin = 1; skin <= 5; ++skin) {
        restart();
        view::ApplyBuiltInSkin(form().Skin(), skin);
        PlayOpening(form());
        form().Window().SetScale(scale);
        form().Window().InvalidateAll();
        form().Window().Render();
        view::ThemeEntry e;
        e.bitmap = SaveBmp(form().Window().Canvas());
        e.description = "skin " + std::to_string(skin) + " at " + std::to_string(scale) + "x";
        rendered.push_back(e);
    }
    return rendered;
}

class SkinReferenceTest : public AppTest, public ::testing::WithParamInterface<int> {
protected:
    std::vector<view::ThemeEntry> Render(int scale) {
        return RenderSkins(
            *this,
            [this] {
                std::filesystem::remove_all(services.dataDir);
                std::filesystem::remove(services.settingsPath);
                Start();
            },
            [this]() -> app::TForm1& { return *form1; }, scale);
    }
};

TEST_P(SkinReferenceTest, EachSkinLooksAsItsReferencePicture) {
    const int scale = GetParam();
    const std::string file = scale == 1 ? ZV_TEST_DATA "/reference-skins.zvt"
                                        : ZV_TEST_DATA "/reference-skins-" + std::to_string(scale) + "x.zvt";
    const auto rendered = Render(scale);
    if (std::getenv("ZV_UPDATE_REFERENCES")) {
        const auto bytes = view::WriteThemeBytes(rendered);
        WriteFile(file, std::string(bytes.begin(), bytes.end()));
        GTEST_SKIP() << "reference pictures rewritten";
    }
    ui::ImageList references("references");
    ASSERT_NO_THROW(view::LoadThemeFile(file, references));
    ASSERT_EQ(references.Count(), 5);
    for (int skin = 1; skin <= 5; ++skin) {
        const auto& bmp = rendered[static_cast<std::size_t>(skin - 1)].bitmap;
        SDL_Surface* now = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(now->w, scale * app::kMainDesignWidth);
        EXPECT_EQ(now->h, scale * app::kMainDesignHeight);
        EXPECT_LT(DifferentShare(now, references.Get(skin - 1)), 0.002) << "skin " << skin << " at " << scale
            << "x differs from its reference; if the change is intended, rerun with ZV_UPDATE_REFERENCES=1";
        SDL_FreeSurface(now);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinReferenceTest, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& i) { return "At" + std::to_string(i.param) + "x"; });

// At 2x a ball is drawn from artwork made for 2x: its picture is not the 1x one with every pixel doubled, and
// its edges are not 2 x 2 staircases.
TEST_F(AppTest, AtTwiceTheSizeBallsAreDrawnNotBlownUp) {
    Start();
    for (int skin = 1; skin <= 5; ++skin) {
        view::ApplyBuiltInSkin(form1->Skin(), skin);
        kit::StateAccess::Of(form1->Engine()).Board.cells[0] = 3;
        form1->Engine().RedrawBoard();
        ui::Form& f = form1->Window();
        const SDL_Rect cell = app::CellRect(1);
        const SDL_Rect at = form1->im[0]->ScreenBounds();
        f.SetScale(1);
        f.InvalidateAll();
        f.Render();
        ui::SurfacePtr one = ui::AdoptSurface(SDL_ConvertSurfaceFormat(f.Canvas(), SDL_PIXELFORMAT_RGB888, 0));
        f.SetScale(2);
        f.Render();
        SDL_Surface* two = f.Canvas();
        int notDoubled = 0, brokenBlocks = 0;
        for (int y = 0; y < cell.h; ++y)
            for (int x = 0; x < cell.w; ++x) {
                const Uint32 p1 = Pixel(one.get(), at.x + x, at.y + y);
                bool uniform = true;
                for (int d = 0; d < 4; ++d) {
                    const Uint32 p2 = Pixel(two, 2 * (at.x + x) + d % 2, 2 * (at.y + y) + d / 2);
                    if (p2 != p1) ++notDoubled;
                    if (p2 != Pixel(two, 2 * (at.x + x), 2 * (at.y + y))) uniform = false;
                }
                if (!uniform) ++brokenBlocks;
            }
        // A blow-up would give zero of each; drawn artwork changes a good share of the ball's pixels.
        EXPECT_GT(notDoubled, cell.w * cell.h / 4) << "skin " << skin;
        EXPECT_GT(brokenBlocks, cell.w * cell.h / 10) << "skin " << skin;
    }
}

// The windows in English: the process's message language is switched for the test and back after it.
class EnglishTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        const char* language = std::getenv("LANGUAGE");
        saved_ = language ? language : "";
        hadLanguage_ = language != nullptr;
        savedLocale_ = std::setlocale(LC_MESSAGES, nullptr);
        const auto dirs = platform::CatalogueDirs();
        ASSERT_FALSE(dirs.empty()) << "no English catalogue in the build tree";
        platform::BindCatalogue(dirs.front());
        platform::UseLanguage({"en", "the test"});
        ASSERT_STREQ(platform::Tr("Закрыть"), "Close");
    }
    void TearDown() override {
        if (hadLanguage_) setenv("LANGUAGE", saved_.c_str(), 1);
        else unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, savedLocale_.c_str());
        // gettext keeps what it looked up by locale, not by LANGUAGE: forgetting it keeps English from the next test.
        textdomain(textdomain(nullptr));
        AppTest::TearDown();
    }
    void Russian() { platform::UseLanguage({"", "the test"}); }

    // The main window after the opening in the first skin, the options window and the rules window, as pictures.
    std::vector<view::ThemeEntry> RenderWindows(const std::string& language) {
        std::filesystem::remove_all(services.dataDir);
        std::filesystem::remove(services.settingsPath);
        Start();
        view::ApplyBuiltInSkin(form1->Skin(), view::kGlass);
        PlayOpening(*form1);
        form1->Window().InvalidateAll();
        form1->Window().Render();
        form2->Window().Render();
        view::ThemeEntry main, options;
        main.bitmap = SaveBmp(form1->Window().Canvas());
        main.description = language + " main window";
        options.bitmap = SaveBmp(form2->Window().Canvas());
        options.description = language + " options window";
        app::TFormRules& rules = program->RulesWindow();
        rules.Open(form1->BallList());
        rules.Window().Render();
        view::ThemeEntry rulesPicture;
        rulesPicture.bitmap = SaveBmp(rules.Window().Canvas());
        rulesPicture.description = language + " rules window";
        return {main, options, rulesPicture};
    }

    // A copy of the main window with the board blacked out: it does not change with the language, and the
    // reference pictures stay small.
    static ui::SurfacePtr WithoutBoard(SDL_Surface* window) {
        ui::SurfacePtr copy = ui::AdoptSurface(SDL_ConvertSurfaceFormat(window, SDL_PIXELFORMAT_RGB888, 0));
        const SDL_Point first = CellCentre(1), last = CellCentre(100);
        const SDL_Rect board{first.x - 20, first.y - 20, last.x - first.x + 40, last.y - first.y + 40};
        SDL_FillRect(copy.get(), &board, 0);
        return copy;
    }

    // Every caption of the windows within its control's width (at 1x, 2x and 3x), give or take the one pixel of halo or shadow that
    // lies past the letters; the captions and their heights, by name, for comparing two languages.
    std::map<std::string, std::pair<std::string, int>> ExpectCaptionsFit(const std::string& language) {
        constexpr int kEffectRim = 1;
        std::vector<ui::Label*> labels = {form1->Label5, form1->Label6, form2->advancedCaption, form2->LMDLabel4,
                                          form2->LMDLabel5, form2->LMDLabel1, form2->LMDLabel2, form2->LMDLabel3};
        for (ui::Label* r : form1->RadioButton) labels.push_back(r);
        std::map<std::string, std::pair<std::string, int>> captions;
        for (ui::Label* l : labels) {
            SDL_Surface* text = l->Rendered();
            if (!text) {
                ADD_FAILURE() << language << " " << l->Name() << " shows no text";
                continue;
            }
            EXPECT_LE(text->w, l->Width() + kEffectRim) << language << " " << l->Name() << " \"" << l->Caption() << "\"";
            // Drawn with fonts of twice and three times the size, the text still fits the control at that scale.
            for (int scale : {2, 3}) {
                SDL_Surface* big = l->RenderedAt(scale);
                if (!big) {
                    ADD_FAILURE() << language << " " << l->Name() << " shows no text at " << scale << "x";
                    continue;
                }
                EXPECT_LE(big->w, scale * (l->Width() + kEffectRim))
                    << language << " " << l->Name() << " at " << scale << "x \"" << l->Caption() << "\"";
                EXPECT_LE(big->h, scale * (text->h + kEffectRim)) << language << " " << l->Name() << " at " << scale << "x";
            }
            captions[l->Name()] = {l->Caption(), text->h};
        }
        return captions;
    }

private:
    std::string saved_, savedLocale_;
    bool hadLanguage_ = false;
};

TEST_F(EnglishTest, WindowsInEnglishAndInRussianLookAsTheirReferencePictures) {
    constexpr const char* kLanguageReferences = ZV_TEST_DATA "/reference-language.zvt";
    const auto english = RenderWindows("English");
    EXPECT_EQ(form2->advancedCaption->Caption(), "Advanced game mode");
    const auto englishCaptions = ExpectCaptionsFit("English");
    Russian();
    ASSERT_STREQ(platform::Tr("Закрыть"), "Закрыть");
    const auto russian = RenderWindows("Russian");
    EXPECT_EQ(form2->advancedCaption->Caption(), "Усложнённый режим игры");
    // Every caption is translated; the design's texts fill their panels to the last line, and a translation has no
    // more lines than they have.
    const auto russianCaptions = ExpectCaptionsFit("Russian");
    ASSERT_EQ(englishCaptions.size(), russianCaptions.size());
    for (const auto& [name, caption] : englishCaptions) {
        const auto& russianCaption = russianCaptions.at(name);
        EXPECT_NE(caption.first, russianCaption.first) << name;
        EXPECT_EQ(caption.second, russianCaption.second) << name << " \"" << caption.first << "\"";
    }

    // The Russian main window is the first skin's reference picture; the rest are kept here, the English main
    // window without its board.
    auto bmpSurface = [](const view::ThemeEntry& e) {
        return ui::AdoptSurface(SDL_LoadBMP_RW(SDL_RWFromConstMem(e.bitmap.data(), static_cast<int>(e.bitmap.size())), 1));
    };
    view::ThemeEntry englishMain = english[0];
    englishMain.bitmap = SaveBmp(WithoutBoard(bmpSurface(english[0]).get()).get());
    std::vector<view::ThemeEntry> kept = {englishMain, english[1], russian[1], english[2], russian[2]};
    if (std::getenv("ZV_UPDATE_REFERENCES")) {
        const auto bytes = view::WriteThemeBytes(kept);
        WriteFile(kLanguageReferences, std::string(bytes.begin(), bytes.end()));
        GTEST_SKIP() << "reference pictures rewritten";
    }
    ui::ImageList references("references"), skins("skins");
    ASSERT_NO_THROW(view::LoadThemeFile(kLanguageReferences, references));
    ASSERT_NO_THROW(view::LoadThemeFile(kReferences, skins));
    ASSERT_EQ(references.Count(), 5);
    const std::vector<std::pair<const view::ThemeEntry*, SDL_Surface*>> pairs = {
        {&englishMain, references.Get(0)}, {&english[1], references.Get(1)}, {&russian[0], skins.Get(0)},
        {&russian[1], references.Get(2)},  {&english[2], references.Get(3)}, {&russian[2], references.Get(4)}};
    for (const auto& [rendered, reference] : pairs) {
        const auto& bmp = rendered->bitmap;
        SDL_Surface* now = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
        ASSERT_NE(now, nullptr);
        EXPECT_LT(DifferentShare(now, reference), 0.002) << rendered->description
            << " differs from its reference; if the change is intended, rerun with ZV_UPDATE_REFERENCES=1";
        SDL_FreeSurface(now);
    }
}

TEST_F(EnglishTest, TheRulesInEnglishFitTheirPlaces) {
    Start();
    app::TFormRules& rules = program->RulesWindow();
    rules.Open(form1->BallList());
    for (const app::RulesText& t : app::RulesTexts()) {
        ui::Label* l = rules.Controls().Get<ui::Label>(t.control);
        SDL_Surface* r = l->Rendered();
        ASSERT_NE(r, nullptr) << t.control;
        EXPECT_LE(r->w, l->Width()) << t.control << ": " << l->Caption();
        EXPECT_LE(r->h, l->Height()) << t.control << ": " << l->Caption();
        // Only the names of keys read the same in both languages.
        if (std::string(t.control).rfind("KeyNames", 0) != 0) {
            EXPECT_STRNE(platform::Tr(t.text), t.text) << t.control;
        }
    }
}

TEST_F(EnglishTest, EverySkinWithABackgroundShowsThePanelWordsInTheLanguageInUse) {
    // The backgrounds carry no words: the panel's words are drawn over them, in the skin's lettering and the
    // language in use.
    const int skins[3] = {view::kGlass, view::kBlock, view::kSingle};
    auto panel = [this](int skin) {
        view::ApplyBuiltInSkin(form1->Skin(), skin);
        EXPECT_NE(form1->PanelLettering(), nullptr) << "skin " << skin;
        form1->Window().InvalidateAll();
        form1->Window().Render();
        return SaveBmp(WithoutBoard(form1->Window().Canvas()).get());
    };
    Start();
    std::vector<std::vector<std::uint8_t>> english;
    for (int skin : skins) english.push_back(panel(skin));
    EXPECT_EQ(form1->captions.front().Text(), "Next");
    Russian();
    Start();
    EXPECT_EQ(form1->captions.front().Text(), "Следующие");
    for (int i = 0; i < 3; ++i) EXPECT_NE(panel(skins[i]), english[static_cast<std::size_t>(i)]) << "skin " << skins[i];
}

} // namespace
} // namespace zv::test
