// Every text of every window, in every language that has a catalogue and in Russian, fits its control at every scale;
// and one picture of the main window a language is kept to look at.
#include "kit/AppFixture.h"

#include <algorithm>
#include <clocale>
#include <sstream>

#include "app/Rules.h"
#include "platform/Language.h"
#include "ui/Label.h"
#include "view/CaptionText.h"
#include "view/ThemeFile.h"

namespace zv::test {
namespace {

// The scales the windows are checked at: whole ones and a fractional one, where text is rasterised at its exact size.
const ui::Scale kFitScales[] = {1, ui::Scale::FromQuarters(6), 2};
// A label's shadow, halo or raised rim (three lines deep at most, each a whole number of pixels) may lie past its
// control, as the Russian texts have it; a fractional scale may round the text's box up by a pixel.
constexpr double kEffectRim = 3;

std::vector<std::string> Languages() {
    std::vector<std::string> out = {""};  // the game's own texts
    std::stringstream list(ZV_TEST_LANGUAGES);
    for (std::string language; std::getline(list, language, ',');)
        if (!language.empty()) out.push_back(language);
    return out;
}

void Labels(const ui::Control& c, std::vector<const ui::Label*>& out) {
    if (auto* l = dynamic_cast<const ui::Label*>(&c)) out.push_back(l);
    if (auto* box = dynamic_cast<const ui::Container*>(&c))
        for (const auto& child : box->Children()) Labels(*child, out);
}

class LanguageFitTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        const char* language = std::getenv("LANGUAGE");
        had_ = language != nullptr;
        saved_ = language ? language : "";
        savedLocale_ = std::setlocale(LC_MESSAGES, nullptr);
        const auto dirs = platform::CatalogueDirs();
        ASSERT_FALSE(dirs.empty()) << "no catalogues in the build tree";
        platform::BindCatalogue(dirs.front());
    }
    void TearDown() override {
        if (had_) setenv("LANGUAGE", saved_.c_str(), 1);
        else unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, savedLocale_.c_str());
        // gettext keeps what it looked up by locale, not by LANGUAGE: forgetting it keeps the last language from the next test.
        textdomain(textdomain(nullptr));
        AppTest::TearDown();
    }

    // Each window drawn at each scale, and every text in it measured against its control.
    void ExpectEveryTextFits(const std::string& language) {
        std::vector<ui::Form*> forms = {&form1->Window(), &form2->Window(), &program->RulesWindow().Window(),
                                        &program->BestGames().Window()};
        for (const ui::Scale scale : kFitScales) {
            const std::string where = (language.empty() ? std::string("ru") : language) + " at " + scale.Text() + "x: ";
            const double f = scale.Factor();
            for (ui::Form* form : forms) {
                form->SetScale(scale);
                form->InvalidateAll();
                form->Render();
                std::vector<const ui::Label*> labels;
                Labels(*form, labels);
                for (const ui::Label* label : labels) {
                    auto* l = const_cast<ui::Label*>(label);
                    if (l->Caption().empty() || !l->Visible()) continue;
                    SDL_Surface* text = l->RenderedAt(scale);
                    if (!text) continue;
                    EXPECT_LE(text->w, f * l->Width() + scale.Line() * kEffectRim + 1) << where << form->Name() << " " << l->Name() << " \"" << l->Caption() << "\"";
                    EXPECT_LE(text->h, f * l->Height() + scale.Line() * kEffectRim + 1) << where << form->Name() << " " << l->Name() << " \"" << l->Caption() << "\"";
                }
            }
            // The panel's words in the lettering of every skin with a background, and the command buttons' captions.
            for (const view::SkinLettering* skin : {&view::GlassLettering(), &view::ChipsLettering(), &view::MarblesLettering()})
                for (const view::PanelCaption& c : form1->captions) {
                    const view::Lettering& l = c.Place().heading ? skin->heading : skin->caption;
                    EXPECT_LE(c.DrawnWidth(l, f), f * c.Place().w + 0.5) << where << "panel \"" << c.Text() << "\"";
                }
            for (const view::ButtonCaption& b : view::ButtonCaptions()) {
                const view::Lettering l = view::ButtonLettering(0);
                const std::string text = platform::Tr(b.id);
                const double room = view::ButtonCaptionRoom(b.cellWidth, f);
                EXPECT_LE(view::CaptionWidth(text, l, view::FittedPixelSize(text, l, l.px * f, room)), room + 0.5)
                    << where << b.file << " \"" << text << "\"";
            }
        }
    }

private:
    bool had_ = false;
    std::string saved_, savedLocale_;
};

TEST_F(LanguageFitTest, EveryTextFitsItsControlInEveryLanguageAndScale) {
    // The best games hold a game whose score and date take the longest forms a locale gives them.
    const std::string time = std::setlocale(LC_TIME, nullptr);
    const bool english = std::setlocale(LC_TIME, "en_US.UTF-8") != nullptr;
    if (english) setenv("LC_NUMERIC", "en_US.UTF-8", 1);
    for (const std::string& language : Languages()) {
        platform::UseLanguage({language, "the test"});
        Start();
        ClickCentre(form1->Window(), *form1->Gstart);
        S().Score = 1234567;
        S().MoveCount = 12345;
        for (auto& c : S().Board.cells) c = 2;
        ClickCell(1);
        RunLater();
        if (!language.empty()) {
            EXPECT_STRNE(platform::Tr("Закрыть"), "Закрыть") << language;
        }
        ExpectEveryTextFits(language);
        std::vector<const ui::Label*> labels;
        Labels(program->BestGames().Window(), labels);
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [english](const ui::Label* l) {
            return l->Caption() == (english ? "1,234,567" : "1234567");
        })) << "the score in the best games";
    }
    std::setlocale(LC_TIME, time.c_str());
    unsetenv("LC_NUMERIC");
    if (!english) GTEST_SKIP() << "en_US.UTF-8 missing: dates and numbers checked in the C locale's form only";
}

TEST_F(LanguageFitTest, TheMainWindowOfEachLanguageLooksAsItsReferencePicture) {
    constexpr const char* kReferences = ZV_TEST_DATA "/reference-languages.zvt";
    std::vector<view::ThemeEntry> rendered;
    for (const std::string& language : Languages()) {
        platform::UseLanguage({language, "the test"});
        Start();
        form1->Window().SetScale(1);
        form1->Window().InvalidateAll();
        form1->Window().Render();
        view::ThemeEntry e;
        SDL_Surface* s = form1->Window().Canvas();
        std::vector<std::uint8_t> bmp(static_cast<std::size_t>(s->w * s->h * 4 + 1024));
        SDL_RWops* rw = SDL_RWFromMem(bmp.data(), static_cast<int>(bmp.size()));
        SDL_SaveBMP_RW(s, rw, 0);
        bmp.resize(static_cast<std::size_t>(SDL_RWtell(rw)));
        SDL_RWclose(rw);
        e.bitmap = std::move(bmp);
        e.description = (language.empty() ? std::string("ru") : language) + " main window";
        rendered.push_back(std::move(e));
    }
    if (std::getenv("ZV_UPDATE_REFERENCES")) {
        const auto bytes = view::WriteThemeBytes(rendered);
        WriteFile(kReferences, std::string(bytes.begin(), bytes.end()));
        GTEST_SKIP() << "reference pictures rewritten";
    }
    ui::ImageList references("references");
    ASSERT_NO_THROW(view::LoadThemeFile(kReferences, references));
    ASSERT_EQ(references.Count(), static_cast<int>(rendered.size())) << "a language came or went: rerun with ZV_UPDATE_REFERENCES=1";
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        const auto& bmp = rendered[i].bitmap;
        ui::SurfacePtr now = ui::AdoptSurface(SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1));
        SDL_Surface* reference = references.Get(static_cast<int>(i));
        ASSERT_TRUE(now && reference);
        ASSERT_EQ(now->w, reference->w);
        ASSERT_EQ(now->h, reference->h);
        ui::SurfacePtr a = ui::AdoptSurface(SDL_ConvertSurfaceFormat(now.get(), SDL_PIXELFORMAT_RGB888, 0));
        ui::SurfacePtr b = ui::AdoptSurface(SDL_ConvertSurfaceFormat(reference, SDL_PIXELFORMAT_RGB888, 0));
        long different = 0;
        for (int y = 0; y < a->h; ++y)
            for (int x = 0; x < a->w; ++x) {
                const Uint32 p = Pixel(a.get(), x, y), q = Pixel(b.get(), x, y);
                for (int shift = 0; shift < 24; shift += 8)
                    if (std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255)) > 48) {
                        ++different;
                        break;
                    }
            }
        EXPECT_LT(different, a->w * a->h / 500) << rendered[i].description
            << " differs from its reference; if the change is intended, rerun with ZV_UPDATE_REFERENCES=1";
    }
}

} // namespace
} // namespace zv::test
