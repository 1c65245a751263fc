// The rules window: how it opens and closes, its figures in the current skin's balls, its texts in place, its points true.
#include "kit/AppFixture.h"

#include <regex>

#include "app/Rules.h"
#include "kit/Rig.h"
#include "ui/CellGrid.h"

namespace zv::test {
namespace {

class RulesTest : public AppTest {
protected:
    void StartWithRules() {
        Start();
        rules = &program->RulesWindow();
    }
    ui::Label* Text(const std::string& name) { return rules->Controls().Get<ui::Label>(name); }
    // A text of the table with its non-breaking spaces as plain ones.
    static std::string TableText(const std::string& control) {
        for (const app::RulesText& t : app::RulesTexts())
            if (t.control == control) return std::regex_replace(std::string(t.text), std::regex("\u00A0"), " ");
        return {};
    }
    // The middle pixel of a figure's cell in the rendered rules window.
    Uint32 CellPixel(const ui::CellGrid& g, int row, int col) {
        const int pitch = app::FigureCellSize() + app::FigureCellGap();
        return Pixel(rules->Window().Canvas(), g.Left() + col * pitch + app::FigureCellSize() / 2,
                     g.Top() + row * pitch + app::FigureCellSize() / 2);
    }

    app::TFormRules* rules = nullptr;
};

TEST_F(RulesTest, OpensFromTheTitleStripAndClosesByButtonEscapeAndF1) {
    StartWithRules();
    // Nothing of the window is made before it is first asked for.
    EXPECT_FALSE(rules->Built());
    ui::Form& main = form1->Window();
    // The "?" area lies beside the minimise area and does not drag the window.
    EXPECT_FALSE(main.IsDragPoint(585, 11));
    main.ClickAt(585, 11);
    EXPECT_TRUE(rulesShown);
    EXPECT_TRUE(rules->Built());
    EXPECT_EQ(minimised, 0);

    ClickCentre(rules->Window(), *rules->RulesClose);
    EXPECT_FALSE(rulesShown);

    form1->HelpClick();
    ASSERT_TRUE(rulesShown);
    ui::Form& w = rules->Window();
    w.OnKeyDown(SDLK_a, KMOD_NONE);
    w.OnKeyDown(SDLK_RETURN, KMOD_NONE);
    w.OnKeyDown(SDLK_ESCAPE, KMOD_LCTRL);
    EXPECT_TRUE(rulesShown) << "only Escape and F1 close the window";
    w.OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
    EXPECT_FALSE(rulesShown);

    main.ClickAt(585, 11);
    ASSERT_TRUE(rulesShown);
    w.OnKeyDown(SDLK_F1, KMOD_NONE);
    EXPECT_FALSE(rulesShown);
    // Opening and closing changes nothing of the game.
    EXPECT_EQ(S().PlayState, 0);
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(RulesTest, FiguresAreDrawnInTheCurrentSkinsBalls) {
    StartWithRules();
    // A skin chosen before the window was ever opened.
    form1->CheckBlockClick();
    form1->HelpClick();
    ASSERT_EQ(rules->figures.size(), app::RulesFigures().size());
    for (const ui::CellGrid* g : rules->figures) EXPECT_EQ(g->GetImageList(), &form1->List3) << g->Name();

    // Each cell shows the skin's picture of its colour, or of an empty cell.
    const auto& line = app::RulesFigures()[0];
    const ui::CellGrid& grid = *rules->figures[0];
    auto expected = [&](const ui::ImageList& list, ColourCode colour) {
        ui::SurfacePtr small = ui::ShrinkPicture(list.Get(ColourPicture(colour)), app::FigureCellSize(), app::FigureCellSize());
        SDL_Surface* s = SDL_ConvertSurfaceFormat(small.get(), SDL_PIXELFORMAT_RGB888, 0);
        const Uint32 p = Pixel(s, app::FigureCellSize() / 2, app::FigureCellSize() / 2);
        SDL_FreeSurface(s);
        return p;
    };
    rules->Window().Render();
    EXPECT_EQ(CellPixel(grid, 0, 0), expected(form1->List3, line.colour));
    EXPECT_EQ(CellPixel(grid, 0, 1), expected(form1->List3, 0));
    const Uint32 before = CellPixel(grid, 0, 0);

    // A skin chosen while the window is open shows at once.
    form1->CheckpeopleClick();
    for (const ui::CellGrid* g : rules->figures) EXPECT_EQ(g->GetImageList(), &form1->list5) << g->Name();
    rules->Window().Render();
    EXPECT_EQ(CellPixel(grid, 0, 0), expected(form1->list5, line.colour));
    EXPECT_NE(CellPixel(grid, 0, 0), before);
}

TEST_F(RulesTest, EveryTextFitsItsPlaceAndNothingOverlaps) {
    StartWithRules();
    form1->HelpClick();
    const SDL_Rect window{0, 0, app::kRulesWidth, app::kRulesHeight};
    for (const app::RulesText& t : app::RulesTexts()) {
        ui::Label* l = Text(t.control);
        SDL_Surface* r = l->Rendered();
        ASSERT_NE(r, nullptr) << t.control;
        EXPECT_LE(r->w, l->Width()) << t.control << ": " << l->Caption();
        EXPECT_LE(r->h, l->Height()) << t.control << ": " << l->Caption();
    }
    // No two controls share pixels, but for the strip under the caption; all lie inside the window.
    const app::LayoutTable& table = app::RulesWindowLayout();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SDL_Rect a = table[i].design;
        SDL_Rect inside;
        ASSERT_TRUE(SDL_IntersectRect(&a, &window, &inside));
        EXPECT_TRUE(SDL_RectEquals(&inside, &a)) << table[i].name;
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            if (table[i].name == "RulesStrip") continue;
            const SDL_Rect b = table[j].design;
            EXPECT_FALSE(SDL_HasIntersection(&a, &b)) << table[i].name << " and " << table[j].name;
        }
    }
}

// What the window says a figure scores is what the rules give for it.
TEST_F(RulesTest, EveryFigureShownScoresWhatItsTextSays) {
    StartWithRules();
    form1->HelpClick();
    for (const app::RulesFigure& f : app::RulesFigures()) {
        kit::Rig rig;
        rig.Running(f.mode, {});
        for (int r = 0; r < f.rows; ++r)
            for (int c = 0; c < f.cols; ++c)
                if (f.cells[r * f.cols + c] == '#') rig.s().Board.at(3 + r, 3 + c) = f.colour;
        rig.s().FiguresRemoved = 0;
        rig.game.FigureScan();
        EXPECT_EQ(rig.s().Score, f.points) << f.control;
        EXPECT_EQ(rig.s().FiguresRemoved, 1) << f.control;
        const std::string text = TableText(f.text);
        EXPECT_TRUE(std::regex_search(text, std::regex("— " + std::to_string(f.points) + "\\b"))) << f.control << ": " << text;
    }
    // The prices of the undo and the hint.
    const std::string undo = TableText("UndoText");
    EXPECT_NE(undo.find("3 очка"), std::string::npos) << undo;
    EXPECT_NE(undo.find(std::to_string(kHintPrice) + " очков"), std::string::npos) << undo;
    // Lines of every length.
    const std::string lines = TableText("ModeText1");
    for (int len = 5; len <= 10; ++len) {
        kit::Rig rig;
        rig.Running(Mode::Line, {});
        for (int c = 1; c <= len; ++c) rig.s().Board.at(4, c) = 6;
        rig.game.FigureScan();
        const std::regex said(std::to_string(len) + "( шаров)? — " + std::to_string(rig.s().Score) + "\\b");
        EXPECT_TRUE(std::regex_search(lines, said)) << "a line of " << len << " scores " << rig.s().Score;
    }
}

} // namespace
} // namespace zv::test
