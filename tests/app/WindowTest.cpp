// The main window headless: layout, stacking, mouse routing, dragging, the overlays and the label effects.
#include "kit/AppFixture.h"

#include <algorithm>
#include <map>

#include "app/Layout.h"
#include "app/Rules.h"
#include "ui/ShadeOverlay.h"

namespace zv::test {
namespace {

// The window is as large as what it holds, each cell's overlays lie exactly on it, and what is only
// shown at the end of a game or never is hidden at start.
TEST_F(AppTest, TheWindowFitsItsContentAndEachOverlayLiesOnItsCell) {
    Start();
    ui::Form& f = form1->Window();
    int w = 0, h = 0;
    for (const auto& c : f.Children()) {
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    EXPECT_EQ(f.Width(), w);
    EXPECT_EQ(f.Height(), h);
    EXPECT_EQ(f.Canvas()->w, w);
    auto same = [](const SDL_Rect& a, const SDL_Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; };
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_TRUE(same(form1->Fill[i]->Bounds(), form1->im[i]->Bounds())) << i + 1;
        EXPECT_TRUE(same(form1->blok[i]->Bounds(), form1->im[i]->Bounds())) << i + 1;
    }
    EXPECT_FALSE(form1->Label5->Visible());
    EXPECT_FALSE(form1->Label6->Visible());
    EXPECT_FALSE(form1->DXDraw1->Visible());
    for (auto* r : form1->RadioButton) EXPECT_FALSE(r->Visible());
}

// Each window as its table says: every control of the table where the table puts it (a self-sizing
// label only at its corner), and every container's children in the table's order.
void ExpectBuiltByTable(ui::Form& form, const app::LayoutTable& table, bool laidOut) {
    std::map<std::string, std::vector<std::string>> order;
    for (const app::ControlPlace& place : table) {
        order[place.parent].push_back(place.name);
        const ui::Control* c = form.Find(place.name);
        ASSERT_NE(c, nullptr) << place.name;
        const SDL_Rect want = (laidOut && place.laidOut) ? *place.laidOut : place.design;
        const SDL_Rect got = c->Bounds();
        EXPECT_EQ(got.x, want.x) << place.name;
        EXPECT_EQ(got.y, want.y) << place.name;
        const auto* label = dynamic_cast<const ui::Label*>(c);
        if (label && label->AutoSize()) continue;
        EXPECT_EQ(got.w, want.w) << place.name;
        EXPECT_EQ(got.h, want.h) << place.name;
    }
    for (const auto& [parent, names] : order) {
        const ui::Container* box = parent.empty() ? &form : dynamic_cast<const ui::Container*>(form.Find(parent));
        ASSERT_NE(box, nullptr) << parent;
        std::vector<std::string> children;
        for (const auto& c : box->Children()) children.push_back(c->Name());
        EXPECT_EQ(children, names) << (parent.empty() ? form.Name() : parent);
    }
}

TEST_F(AppTest, EveryWindowIsBuiltAndLaidOutByItsTable) {
    {
        app::Program fresh(services);
        ExpectBuiltByTable(fresh.Main().Window(), app::MainWindowLayout(), false);
    }
    Start();
    ExpectBuiltByTable(form1->Window(), app::MainWindowLayout(), true);
    ExpectBuiltByTable(form2->Window(), app::OptionsWindowLayout(), false);
    program->RulesWindow().Open(form1->BallList());
    ExpectBuiltByTable(program->RulesWindow().Window(), app::RulesWindowLayout(), false);
    // The cell rule and the table agree with what a click reaches.
    for (int n : {1, 37, 100}) {
        const SDL_Point p = app::CellCentreInWindow(n);
        EXPECT_EQ(form1->Window().ControlAt(p.x, p.y), form1->im[static_cast<std::size_t>(n - 1)]) << n;
    }
}

// Every window opened costs the display server's round trips: at start only the main window is, those
// nobody sees follow the first frame, and the best games and the rules wait until they are asked for.
TEST_F(AppTest, WindowsAreGivenToTheDesktopOnlyWhenNeededAndOnce) {
    using R = app::WindowRole;
    using Opened = std::vector<std::pair<std::string, R>>;
    program = std::make_unique<app::Program>(services);
    form1 = &program->Main();
    program->Start();
    EXPECT_EQ(desktopWindows, (Opened{{"Form1", R::Main}}));
    RunLater();
    const Opened afterFrame = {{"Form1", R::Main}, {"Form2", R::Owned}, {"Form3", R::Spare}, {"FormNumber", R::Owned}};
    EXPECT_EQ(desktopWindows, afterFrame);
    for (int twice = 0; twice < 2; ++twice) {
        program->ShowBestGames(Mode::Ring);
        program->ShowRules();
        program->Hide(app::WindowId::Rules);
    }
    Opened all = afterFrame;
    all.push_back({"BestGames", R::Owned});
    all.push_back({"FormRules", R::Owned});
    EXPECT_EQ(desktopWindows, all);
    EXPECT_TRUE(bestGamesShown);
    EXPECT_FALSE(rulesShown);
}

TEST_F(AppTest, OverlaysTakeTheClicksOfTheirCells) {
    Start();
    ui::Form& f = form1->Window();
    ClickCentre(f, *form1->Gstart);
    int ball = 0;
    for (int n = 1; n <= 100 && !ball; ++n)
        if (S().Board.cells[static_cast<std::size_t>(n - 1)]) ball = n;
    ASSERT_NE(ball, 0);
    const SDL_Point p = CellCentre(ball);
    EXPECT_EQ(f.HitAt(p.x, p.y), form1->im[static_cast<std::size_t>(ball - 1)]);
    ClickCell(ball);
    EXPECT_EQ(S().PlayState, kPlaySelected);
    EXPECT_TRUE(form1->Fill[static_cast<std::size_t>(ball - 1)]->Visible());
    // The highlight now lies on top and swallows the click.
    EXPECT_EQ(f.HitAt(p.x, p.y), form1->Fill[static_cast<std::size_t>(ball - 1)]);
    ClickCell(ball);
    EXPECT_EQ(S().PlayState, kPlaySelected);
    // A blocked empty cell cannot be a target.
    int empty = 0;
    for (int n = 1; n <= 100 && !empty; ++n)
        if (!S().Board.cells[static_cast<std::size_t>(n - 1)]) empty = n;
    form1->SetBlocked(empty, true);
    const Grid before = S().Board;
    ClickCell(empty);
    EXPECT_EQ(S().Board, before);
    EXPECT_EQ(S().PlayState, kPlaySelected);
}

TEST_F(AppTest, DraggingOnlyByTheTitleStrip) {
    Start();
    ui::Form& f = form1->Window();
    EXPECT_TRUE(f.IsDragPoint(300, 10));   // title strip: the disabled Image1 does not count
    EXPECT_FALSE(f.IsDragPoint(600, 10));  // minimise area
    EXPECT_FALSE(f.IsDragPoint(620, 10));  // close area
    EXPECT_FALSE(f.IsDragPoint(300, 200)); // board panel
    EXPECT_FALSE(f.IsDragPoint(1, 300));   // frame
}

TEST_F(AppTest, TheScoreAndRecordNumbersDragNothing) {
    Start();
    ui::Form& f = form1->Window();
    // The longest record there can be runs well onto the board's first column.
    form1->SetRecordText("2147483647");
    form1->SetScoreText("2147483647");
    f.Render();
    for (ui::Label* l : {form1->label2, form1->Label1}) {
        const SDL_Rect r = l->ScreenBounds();
        const SDL_Rect panel = form1->Panel1->ScreenBounds();
        EXPECT_FALSE(f.IsDragPoint(r.x + 2, r.y + r.h / 2)) << l->Name();
        // The score runs past the panel's right edge; up to that edge it is on the panel.
        EXPECT_FALSE(f.IsDragPoint(std::min(r.x + r.w, panel.x + panel.w) - 3, r.y + r.h / 2)) << l->Name();
    }
    for (int n : {11, 21}) {
        const SDL_Point p = CellCentre(n);
        EXPECT_FALSE(f.IsDragPoint(p.x, p.y)) << "cell " << n;
    }
}

TEST_F(AppTest, WhileAGameRunsTheChosenModeStandsOutAndTheOthersLookDimmed) {
    Start();
    ui::Form& f = form1->Window();
    auto look = [&](const ui::Control* c) {
        f.Render();
        const SDL_Rect r = c->ScreenBounds();
        std::vector<Uint32> px;
        for (int x = r.x; x < r.x + r.w; ++x) px.push_back(Pixel(f.Canvas(), x, r.y + r.h / 2));
        return px;
    };
    auto grey = [](const std::vector<Uint32>& px) {
        for (Uint32 p : px)
            if ((p >> 16) != (p & 255) || ((p >> 8) & 255) != (p & 255)) return false;
        return true;
    };
    const auto lineBefore = look(form1->Selector(Mode::Line)), skinBefore = look(form1->CheckGlass);
    EXPECT_FALSE(grey(lineBefore));
    for (ui::Control* chosen : {form1->Selector(Mode::Cross), form1->Selector(Mode::Line)}) {
        ClickCentre(f, *chosen);
        const auto chosenBefore = look(chosen);
        ClickCentre(f, *form1->Gstart);
        for (const ui::Control* c : {form1->Selector(Mode::Line), form1->Selector(Mode::Square), form1->Selector(Mode::Cross), form1->Selector(Mode::Ring), form1->Selector(Mode::Block)})
            if (c == chosen) EXPECT_EQ(look(c), chosenBefore) << c->Name();
            else EXPECT_TRUE(grey(look(c))) << c->Name();
        EXPECT_EQ(look(form1->CheckGlass), skinBefore); // the skin choices still work, and look it
        ClickCentre(f, *form1->finish);
    }
    EXPECT_EQ(look(form1->Selector(Mode::Line)), lineBefore);
}

TEST_F(AppTest, TheLinkOfTheOptionsWindowDragsNothing) {
    Start();
    ui::Form& f = form2->Window();
    const SDL_Rect link = form2->digital->ScreenBounds();
    EXPECT_FALSE(f.IsDragPoint(link.x + 5, link.y + link.h / 2));
    const SDL_Rect caption = form2->advancedCaption->ScreenBounds();
    EXPECT_TRUE(f.IsDragPoint(caption.x + 5, caption.y + caption.h / 2));
    EXPECT_TRUE(f.IsDragPoint(300, 20));
}

TEST_F(AppTest, TitleStripAreasMinimiseAndClose) {
    Start();
    ui::Form& f = form1->Window();
    f.ClickAt(585, 11);
    EXPECT_TRUE(rulesShown);
    f.ClickAt(603, 11);
    EXPECT_EQ(minimised, 1);
    f.ClickAt(621, 11);
    EXPECT_EQ(fullScreen.restoreCalls, 1);
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(AppTest, ShadeOverlaysDrawTheCheckerboard) {
    Start();
    ui::Form& f = form1->Window();
    f.Render();
    SDL_Surface* canvas = f.Canvas();
    const SDL_Rect r = form1->blok[0]->ScreenBounds();
    std::vector<Uint32> before;
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 33; ++x) before.push_back(Pixel(canvas, r.x + x, r.y + y));
    form1->SetBlocked(1, true);
    f.Render();
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 33; ++x) {
            const Uint32 now = Pixel(canvas, r.x + x, r.y + y);
            if (ui::ShadeOverlay::PatternBlack(x, y)) EXPECT_EQ(now, 0u) << x << "," << y;
            else EXPECT_EQ(now, before[static_cast<std::size_t>(y * 33 + x)]) << x << "," << y;
        }
    // The highlight shades only inside its bevel.
    form1->SetBlocked(1, false);
    form1->SetHighlight(1, true);
    f.Render();
    int shaded = 0;
    for (int y = 2; y < 31; ++y)
        for (int x = 2; x < 31; ++x)
            if (ui::ShadeOverlay::PatternBlack(x, y) && Pixel(canvas, r.x + x, r.y + y) == 0) ++shaded;
    EXPECT_EQ(shaded, (29 * 29) / 2);
    EXPECT_NE(Pixel(canvas, r.x, r.y + 1), 0u); // bevel, not pattern
}

TEST_F(AppTest, TheBannersGradientRunsFromFuchsiaToBlack) {
    Start();
    // Banner: "Игра" runs from fuchsia at the top to black at the bottom.
    SDL_Surface* banner = form1->Label5->Rendered();
    ASSERT_NE(banner, nullptr);
    // The glyph's own colour in a row: the opaque pixel least touched by the pale rim (least green).
    auto rowColour = [&](int y) -> Uint32 {
        Uint32 best = 0xFFFFFFFF;
        for (int x = 0; x < banner->w; ++x) {
            Uint32 p = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(banner->pixels) + y * banner->pitch + x * 4);
            if ((p >> 24) == 255 && (best == 0xFFFFFFFF || ((p >> 8) & 255) < ((best >> 8) & 255))) best = p & 0xFFFFFF;
        }
        return best;
    };
    const Uint32 top = rowColour(banner->h * 3 / 10), bottom = rowColour(banner->h * 7 / 10);
    ASSERT_NE(top, 0xFFFFFFFFu);
    ASSERT_NE(bottom, 0xFFFFFFFFu);
    EXPECT_GT((top >> 16) & 255, (bottom >> 16) & 255); // more red at the top
    EXPECT_LT((top >> 8) & 255, 16u);                    // fuchsia has no green
}

TEST_F(AppTest, ScriptedGameByClicks) {
    Start();
    ui::Form& f = form1->Window();
    ClickCentre(f, *form1->Gstart);
    int balls = 0;
    for (ColourCode v : S().Board.cells) balls += v != 0;
    EXPECT_EQ(balls, 6);
    EXPECT_FALSE(form1->Selector(Mode::Line)->Enabled());
    // Select each ball in turn and move it to the first cell it can reach; count the moves made.
    int moves = 0;
    for (int turn = 0; turn < 20 && S().PlayState != kPlayOver; ++turn) {
        int from = 0;
        for (int n = 1; n <= 100 && !from; ++n)
            if (S().Board.cells[static_cast<std::size_t>(n - 1)] && !form1->IsBlocked(n)) from = n;
        ASSERT_NE(from, 0);
        ClickCell(from);
        ASSERT_EQ(S().PlayState, kPlaySelected);
        const CellPos c = CellOf(from);
        int to = 0;
        const int dr[4] = {1, -1, 0, 0}, dc[4] = {0, 0, 1, -1};
        for (int d = 0; d < 4 && !to; ++d) {
            const int r = c.row + dr[d], cc = c.col + dc[d];
            if (r < 1 || r > 10 || cc < 1 || cc > 10) continue;
            const int n = CellIndex(r, cc);
            if (!S().Board.cells[static_cast<std::size_t>(n - 1)] && !form1->IsBlocked(n)) to = n;
        }
        if (!to) {
            ClickCentre(f, *form1->finish); // nothing adjacent: give up cleanly
            break;
        }
        const int score = S().Score;
        ClickCell(to);
        ++moves;
        EXPECT_EQ(S().PlayState == kPlayOver ? kPlayOver : kPlayIdle, S().PlayState);
        EXPECT_FALSE(form1->Fill[static_cast<std::size_t>(from - 1)]->Visible());
        EXPECT_GE(S().Score, score);
        EXPECT_EQ(form1->Label1->Caption(), std::to_string(S().Score));
    }
    EXPECT_GT(moves, 0);
    EXPECT_FALSE(sound.played.empty());
}

TEST_F(AppTest, ModeSelectorsChooseTheModeOnlyBetweenGames) {
    Start();
    ui::Form& f = form1->Window();
    ClickCentre(f, *form1->Selector(Mode::Cross));
    EXPECT_EQ(form1->Selector(Mode::Cross)->ListIndex(), 9);
    EXPECT_EQ(form1->Selector(Mode::Line)->ListIndex(), 8);
    ClickCentre(f, *form1->Gstart);
    EXPECT_EQ(S().GameMode, "blok");
    ClickCentre(f, *form1->Selector(Mode::Ring)); // disabled while the game runs
    EXPECT_EQ(form1->Selector(Mode::Ring)->ListIndex(), 8);
    ClickCentre(f, *form1->finish);
    ClickCentre(f, *form1->Selector(Mode::Ring));
    EXPECT_EQ(form1->Selector(Mode::Ring)->ListIndex(), 9);
}

} // namespace
} // namespace zv::test
