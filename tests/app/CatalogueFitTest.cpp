// The windows in every language we have a catalogue for: each text stays inside its label at every scale.
#include "kit/AppFixture.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "app/Rules.h"
#include "platform/Language.h"

namespace zv::test {
namespace {

// The languages of po/CMakeLists.txt, "en,de,...".
std::vector<std::string> Languages() {
    std::vector<std::string> out;
    std::string list = ZV_TEST_LANGUAGES;
    for (std::string::size_type at = 0; at <= list.size();) {
        const auto end = std::min(list.find(',', at), list.size());
        if (end > at) out.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// LANGUAGE chooses the catalogue under any locale but C, so en_US.UTF-8 (which the tests need anyway, see
// scripts/deps.sh) serves for every language; the test puts LANGUAGE and the message locale back after it.
class CatalogueFitTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (const char* l = std::getenv("LANGUAGE")) savedLanguage_ = l;
        savedLocale_ = std::setlocale(LC_MESSAGES, nullptr);
    }
    void TearDown() override {
        if (savedLanguage_) setenv("LANGUAGE", savedLanguage_->c_str(), 1);
        else unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, savedLocale_.c_str());
        AppTest::TearDown();
    }

    void Use(const std::string& language) {
        setenv("LANGUAGE", language.c_str(), 1);
        // A change of locale makes the C library look its catalogues up afresh; setting the same one again does not.
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        ASSERT_NE(std::setlocale(LC_MESSAGES, "en_US.UTF-8"), nullptr)
            << "the en_US.UTF-8 locale is missing: bash scripts/deps.sh test generates it";
        const auto dirs = platform::CatalogueDirs();
        ASSERT_FALSE(dirs.empty()) << "no catalogues in the build tree";
        platform::BindCatalogue(dirs.front());
        const std::string header = platform::Tr("");
        ASSERT_NE(header.find("\nLanguage: " + language + "\n"), std::string::npos)
            << "no catalogue for " << language << " in " << dirs.front();
    }

private:
    std::optional<std::string> savedLanguage_;
    std::string savedLocale_;
};

TEST_F(CatalogueFitTest, EveryTextOfEveryLanguageFitsItsLabelAtEveryScale) {
    for (const std::string& language : Languages()) {
        Use(language);
        if (HasFatalFailure()) return;
        // Lines wrapped to a label's width at 1x are drawn with a font s times as large at s x, which need not
        // be exactly s times as wide; so every scale is measured.
        auto fits = [&language](const std::string& name, ui::Label* label) {
            for (int scale : {1, 2, 3}) {
                SDL_Surface* r = label->RenderedAt(scale);
                ASSERT_NE(r, nullptr) << language << " " << name;
                EXPECT_LE(r->w, scale * label->Width())
                    << language << " at " << scale << "x, " << name << ": \"" << label->Caption() << "\"";
                // One line is as high as its font (with its shadow) whatever the words; more must not overflow.
                if (label->Caption().find('\n') != std::string::npos) {
                    EXPECT_LE(r->h, scale * label->Height())
                        << language << " at " << scale << "x, " << name << ": \"" << label->Caption() << "\"";
                }
            }
        };
        Start();
        app::TFormRules& rules = program->RulesWindow();
        rules.Open(form1->BallList());
        for (const app::RulesText& t : app::RulesTexts()) fits(t.control, rules.Controls().Get<ui::Label>(t.control));
        // The game-over banner's two words, one above the other.
        fits("Label5", form1->Label5);
        fits("Label6", form1->Label6);
        const std::pair<const char*, ui::Label*> options[] = {
            {"advancedCaption", form2->advancedCaption}, {"LMDLabel4", form2->LMDLabel4},
            {"LMDLabel5", form2->LMDLabel5},             {"motionCaption", form2->motionCaption},
            {"LMDLabel1", form2->LMDLabel1},             {"LMDLabel2", form2->LMDLabel2},
            {"LMDLabel3", form2->LMDLabel3},             {"motionNote", form2->motionNote},
            {"digital", form2->digital}};
        for (const auto& [name, label] : options) fits(name, label);
        app::TBestGames& best = program->BestGames();
        fits("heading", best.heading);
        for (std::size_t i = 0; i < best.tab.size(); ++i) fits("tab" + std::to_string(i + 1), best.tab[i]);
        for (std::size_t i = 0; i < best.head.size(); ++i) fits("head" + std::to_string(i + 1), best.head[i]);
        // The number window's buttons, and its line below the field in both its texts, with the longest number.
        app::TFormNumber& number = program->NumberWindow();
        number.Open(4294967295u);
        fits("NumberPlay", number.Play);
        fits("NumberCancel", number.Cancel);
        fits("NumberRunning", number.Running);
        number.PlayClick();
        fits("NumberRunning", number.Running);
    }
}

} // namespace
} // namespace zv::test
