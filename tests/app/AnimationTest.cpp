// The board's motion: what the cells show at chosen moments of a move, a removal and a drop, and input that
// never waits for it.
#include "kit/AppFixture.h"
#include "kit/Rig.h"

namespace zv::test {
namespace {

// A line of four in row 1 with a gap at (1,3); the ball at (4,3) goes up to close it.
Position LineAlmostDone() {
    Position p;
    for (int c : {1, 2, 4, 5}) p.board.at(1, c) = 2;
    p.board.at(4, 3) = 2;
    p.board.at(8, 8) = 5;
    return p;
}

TEST(TurnTimeline, ShowsTheMoveTheRemovalAndTheDropAtTheirMoments) {
    kit::Rig rig;
    rig.game.SetPosition(LineAlmostDone());
    rig.Click(4, 3);
    const view::TurnTimeline line(rig.Click(1, 3));
    const int up = CellIndex(4, 3), mid = CellIndex(3, 3), target = CellIndex(1, 3), row = CellIndex(1, 1);
    // Three steps up: 75 ms of move, then 150 ms of the five balls shrinking; no drop.
    ASSERT_EQ(line.Duration(), 3 * view::kStepMs + view::kRemoveMs);
    const struct {
        int cell, ms;
        view::CellLook look;
    } lineCases[] = {
        {up, 0, {true, 2, 100}},      {up, 30, {true, 0, 100}},     {mid, 30, {true, 2, 100}},
        {target, 30, {true, 0, 100}}, {target, 75, {true, 2, 100}}, {row, 10, {true, 2, 100}},
        {row, 150, {true, 2, 50}},    {target, 224, {true, 2, 1}},  {row, 225, {}},
        {CellIndex(8, 8), 100, {}},
    };
    for (const auto& c : lineCases) EXPECT_EQ(line.Look(c.cell, c.ms), c.look) << "cell " << c.cell << " at " << c.ms;
    EXPECT_EQ(line.ScoreAt(5, 75), 0);
    EXPECT_EQ(line.ScoreAt(5, 150), 2);
    EXPECT_EQ(line.ScoreAt(5, 225), 5);

    // A move that removes nothing: the preview falls after the move and grows in.
    rig.Click(8, 8);
    const TurnReport& r = rig.Click(8, 9);
    const view::TurnTimeline drop(r);
    ASSERT_EQ(r.droppedCount, 4);
    ASSERT_EQ(drop.Duration(), view::kStepMs + view::kDropMs);
    const DroppedBall& d = r.dropped[0];
    EXPECT_EQ(drop.Look(d.cell, 10), (view::CellLook{true, 0, 100}));
    EXPECT_EQ(drop.Look(d.cell, view::kStepMs + 60), (view::CellLook{true, d.colour, 50}));
    EXPECT_EQ(drop.Look(d.cell, drop.Duration()), view::CellLook{});
}

class MotionTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        services.animation = true;
        Start();
        form1->Engine().SetPosition(LineAlmostDone());
    }
    void Key(SDL_Keycode key, Uint16 mod = KMOD_NONE) { form1->Window().OnKeyDown(key, mod); }
    ui::ImageButton& Cell(int row, int col) { return *form1->im[static_cast<std::size_t>(CellIndex(row, col) - 1)]; }
    void At(std::uint32_t ms) {
        clock.ticks = ms;
        program->Frame();
    }
};

TEST_F(MotionTest, TheBallTravelsItsPathAndTheFigureShrinksAway) {
    ClickCell(CellIndex(4, 3));
    // A selected ball beats; an unselected one never moves.
    At(175);
    EXPECT_LT(Cell(4, 3).ShownPercent(), 100);
    EXPECT_EQ(Cell(8, 8).ShownPercent(), 100);
    clock.ticks = 1000;
    ClickCell(CellIndex(1, 3));
    ASSERT_EQ(S().Board.at(1, 3), 0); // the rules are done at once
    At(1030);
    EXPECT_EQ(Cell(3, 3).ShownPosition(), ColourPicture(2));
    EXPECT_EQ(Cell(1, 3).ShownPosition(), ColourPicture(0));
    At(1150);
    EXPECT_EQ(Cell(1, 1).ShownPosition(), ColourPicture(2));
    EXPECT_EQ(Cell(1, 1).ShownPercent(), 50);
    EXPECT_TRUE(program->Frame());
    At(1300);
    EXPECT_FALSE(program->Frame()); // at rest: no more frames asked for
    for (int n = 1; n <= kCells; ++n) EXPECT_FALSE(form1->im[static_cast<std::size_t>(n - 1)]->ShowingInstead()) << n;
    EXPECT_EQ(form1->Label1->Caption(), "5");
}

// The rules' calls pass through the motion: a removed ball's cell keeps its own picture while the motion
// covers it and takes the new one when the motion lets go; the score counts up and is never set back.
TEST_F(MotionTest, EachControlGetsTheRulesPictureOnlyWhenTheMotionLetsGo) {
    ClickCell(CellIndex(4, 3));
    clock.ticks = 1000;
    ClickCell(CellIndex(1, 3));
    ui::ImageButton& removed = Cell(1, 1);
    int lastScore = -1, handedBackAt = -1;
    for (std::uint32_t t = 1000; t <= 1300; t += 5) {
        At(t);
        if (removed.ShowingInstead()) EXPECT_EQ(removed.ListIndex(), ColourPicture(2)) << t;
        else {
            EXPECT_EQ(removed.ListIndex(), ColourPicture(0)) << t;
            if (handedBackAt < 0) handedBackAt = static_cast<int>(t);
        }
        const int score = std::stoi(form1->Label1->Caption());
        EXPECT_GE(score, lastScore) << t;
        lastScore = score;
    }
    EXPECT_EQ(handedBackAt, 1000 + 3 * view::kStepMs + view::kRemoveMs);
    EXPECT_EQ(lastScore, 5);
}

TEST_F(MotionTest, AClickDuringTheMotionLandsTheBoardAndActs) {
    ClickCell(CellIndex(8, 8));
    clock.ticks = 500;
    ClickCell(CellIndex(10, 10)); // a long way: the move and the drop take a while
    At(530);
    ASSERT_TRUE(form1->Board().Motion().TurnRunning());
    // Undo at once, mid-motion: the board jumps to where the rules were, then the undo is taken.
    ClickCentre(form1->Window(), *form1->TurnBack);
    EXPECT_FALSE(form1->Board().Motion().TurnRunning());
    EXPECT_EQ(S().Board.at(8, 8), 5);
    for (int n = 1; n <= kCells; ++n) EXPECT_FALSE(form1->im[static_cast<std::size_t>(n - 1)]->ShowingInstead()) << n;
    // A game over shows its banner only after the last motion.
    Position full = LineAlmostDone();
    // No two neighbours alike, six cells free: the move scores nothing and the drop fills all but two.
    for (int n = 6; n <= kCells; ++n) full.board.cells[static_cast<std::size_t>(n - 1)] = (CellOf(n).row + 2 * CellOf(n).col) % 6 + 1;
    for (int n : {CellIndex(2, 3), CellIndex(3, 3), CellIndex(5, 5), CellIndex(6, 6), CellIndex(7, 7)})
        full.board.cells[static_cast<std::size_t>(n - 1)] = 0;
    form1->Engine().SetPosition(full);
    ClickCell(CellIndex(1, 2));
    clock.ticks = 2000;
    ClickCell(CellIndex(2, 3));
    ASSERT_EQ(S().PlayState, kPlayOver);
    EXPECT_FALSE(form1->Label5->Visible());
    // Frame by frame: hidden while the balls move, then shown for good.
    for (std::uint32_t t = 2000; t <= 2600; t += 10) {
        At(t);
        EXPECT_EQ(form1->Label5->Visible(), !form1->Board().Motion().TurnRunning()) << t;
    }
    At(5000);
    EXPECT_TRUE(form1->Label5->Visible());
}

// The hint's marks have their moment while the board moves; with the motion off they wait for the next
// operation. The program's frame keeps asking for frames exactly while they show.
TEST_F(MotionTest, TheHintsMarksGoAfterTheirMomentOnlyWhileTheBoardMoves) {
    for (const bool motion : {true, false}) {
        program->SetMotion(motion);
        Key(SDLK_n, KMOD_LCTRL);
        S().Score = S().ScoreBeforeMove = 20;
        clock.ticks = 10000;
        Key(SDLK_h);
        ASSERT_TRUE(form1->Board().HintShown()) << motion;
        clock.ticks = 10000 + 1499;
        EXPECT_EQ(program->Frame(), motion) << motion;
        EXPECT_TRUE(form1->Board().HintShown()) << motion;
        clock.ticks = 10000 + 1500;
        EXPECT_FALSE(program->Frame()) << motion;
        EXPECT_EQ(form1->Board().HintShown(), !motion) << motion;
    }
}

} // namespace
} // namespace zv::test
