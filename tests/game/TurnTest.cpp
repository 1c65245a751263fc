// The cell click: selection, the path search with its sweep order and bound, and the steps of a move.
#include <gtest/gtest.h>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

const std::vector<std::string> kNone;

TEST(PathSearch, AnEmptyBoardDownAndRightTakesOneSweep) {
    Rig t;
    t.Running(Mode::Line, {"1"});
    t.Click(1, 1);
    t.Click(10, 10);
    EXPECT_EQ(t.s().PathSteps, 100);
    EXPECT_EQ(t.s().Board.at(10, 10), 1);
    EXPECT_EQ(t.s().Board.at(1, 1), 0);
}

TEST(PathSearch, EachStepUpOrLeftCostsASweep) {
    Rig t;
    t.Running(Mode::Line, {});
    t.s().Board.at(10, 10) = 2;
    t.game.RedrawBoard();
    t.Click(10, 10);
    t.Click(1, 1);
    // 18 steps up or left: the target is reached in sweep 18 and expanded in sweep 19.
    EXPECT_EQ(t.s().PathSteps, 1900);
    EXPECT_EQ(t.s().Board.at(1, 1), 2);
}

TEST(PathSearch, ARouteAroundCornersUpAndLeftIsFound) {
    Rig t;
    // From (10,1): right, up column 10, left along row 3, up through (2,8), left along row 1.
    t.Running(Mode::Line, {
        "1.........",
        "2323232.32",
        "..........",
        "343434343.",
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "5.........",
    });
    t.Click(10, 1);
    t.Click(1, 2);
    EXPECT_EQ(t.s().Board.at(1, 2), 5);
    EXPECT_EQ(t.s().UndoBoard.at(10, 1), 5);
    EXPECT_EQ(t.s().UndoAllowed, 1);
    // 7 up column 10, 2 left, 2 up, 6 left: reached in sweep 17, expanded in sweep 18.
    EXPECT_EQ(t.s().PathSteps, 1800);
}

TEST(PathSearch, WalledInTargetIsRefusedAndTheBallStays) {
    Rig t;
    t.Running(Mode::Line, {
        "1.........",
        "..........",
        "....222...",
        "....2.2...",
        "....222...",
    });
    t.Click(1, 1);
    t.sound.played.clear();
    t.Click(4, 6);
    EXPECT_EQ(t.s().PathSteps, 5000);
    EXPECT_EQ(t.s().Board.at(1, 1), 1);
    EXPECT_EQ(t.s().Board.at(4, 6), 0);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_EQ(t.view.HighlightCount(), 0);
    EXPECT_EQ(t.sound.played, std::vector<std::string>{"no.wav"});
    for (ColourCode v : t.s().Board.cells) EXPECT_TRUE(v >= 0 && v <= 6);
}

TEST(PathSearch, DiagonalOnlyTargetIsRefused) {
    Rig t;
    t.Running(Mode::Line, {
        "12........",
        "3.........",
    });
    t.Click(1, 1);
    t.Click(2, 2);
    EXPECT_EQ(t.s().Board.at(1, 1), 1);
    EXPECT_EQ(t.s().Board.at(2, 2), 0);
    EXPECT_EQ(t.s().PathSteps, 5000);
}

TEST(PathSearch, LongSerpentineStaysWithinTheBound) {
    Rig t;
    // Three leftward rows joined by gaps: 35 steps up or left, so 36 sweeps.
    t.Running(Mode::Line, {
        "1212121212",
        "..........",
        "343434343.",
        "..........",
        ".343434343",
        "..........",
        "343434343.",
        "..........",
        ".343434343",
        ".........6",
    });
    t.Click(10, 10);
    t.Click(2, 1);
    EXPECT_EQ(t.s().PathSteps, 3600);
    EXPECT_EQ(t.s().Board.at(2, 1), 6);
}

TEST(CellClickTable, SelectReselectAndDeselect) {
    Rig t;
    t.Running(Mode::Line, {"12"});
    t.Click(3, 3); // empty, nothing selected
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_EQ(t.sound.played, kNone);

    t.Click(1, 1);
    EXPECT_EQ(t.s().PlayState, kPlaySelected);
    EXPECT_EQ(t.s().SelectedColour, 1);
    EXPECT_TRUE(t.view.highlight[1]);

    t.Click(1, 2);
    EXPECT_EQ(t.s().PlayState, kPlaySelected);
    EXPECT_EQ(t.s().SelectedColour, 2);
    EXPECT_EQ((t.s().SelectedCell), (CellPos{1, 2}));
    EXPECT_FALSE(t.view.highlight[1]);
    EXPECT_TRUE(t.view.highlight[2]);
    EXPECT_EQ(t.view.HighlightCount(), 1);
    EXPECT_EQ(t.sound.played, (std::vector<std::string>{"blip.wav", "blip.wav"}));
    EXPECT_EQ(t.s().Board.at(1, 1), 1);

    // The selected ball clicked again (only from callers other than the window).
    t.game.CellClick({1, 2});
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_TRUE(t.view.highlight[2]);
    EXPECT_EQ(t.sound.played.size(), 2u);
}

TEST(CellClickTable, BlockedCellsCannotBeClickedButCanBeCrossed) {
    Rig t;
    t.Running(Mode::Line, {"1.........", ".........."});
    t.Block(1, true);
    t.Click(1, 1);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    t.Block(1, false);
    t.Block(2, true); // (1,2) lies on the way
    t.Click(1, 1);
    t.Click(1, 3);
    EXPECT_EQ(t.s().Board.at(1, 3), 1);
    EXPECT_EQ(t.view.BlockedCount(), 0); // a move clears every block
}

TEST(CellClickTable, NoSoundWhenSoundIsOff) {
    Rig t;
    t.game.SetSound(false);
    t.Running(Mode::Line, {"1"});
    t.Click(1, 1);
    t.Click(5, 5);
    EXPECT_EQ(t.sound.played, kNone);
}

TEST(MoveOrder, UndoBoardHoldsTheBallAndSnapshotHasBothCellsEmpty) {
    Rig t;
    t.Running(Mode::Line, {"1.2", "3"});
    const Grid before = t.s().Board;
    t.s().Score = 42;
    t.s().BestScore = 1000;
    t.Block(77, true);
    t.Click(1, 1);
    t.Click(5, 5);
    EXPECT_EQ(t.s().UndoBoard, before);
    Grid snap = before;
    snap.at(1, 1) = 0;
    EXPECT_EQ(t.s().MoveSnapshot, snap);
    EXPECT_EQ(t.s().ScoreBeforeMove, 42);
    EXPECT_EQ(t.s().UndoAllowed, 1);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_EQ(t.view.HighlightCount(), 0);
    EXPECT_FALSE(t.view.blocked[77]);
}

TEST(MoveOrder, AMoveThatScoresBringsNoBallsAndKeepsThePreview) {
    Rig t;
    t.Running(Mode::Line, {"1111", "....1", "2"});
    t.Click(2, 5);
    t.sound.played.clear();
    t.Click(1, 5);
    EXPECT_EQ(t.s().Score, 5);
    EXPECT_EQ(t.Balls(), 1);
    EXPECT_EQ(t.s().NextBalls, (std::array<ColourCode, 4>{1, 2, 3, 4}));
    EXPECT_EQ(t.sound.played, std::vector<std::string>{"boom.wav"});
    EXPECT_EQ(t.view.scoreText, "5");
}

TEST(MoveOrder, AMoveThatScoresNothingDropsThePreviewInOrder) {
    Rig t;
    t.Running(Mode::Line, {"1"});
    t.s().NextBalls = {6, 5, 4, 3};
    t.game.Rng().Seed(7);
    // Replay the draws the drop will make to know where each ball lands.
    Random replay = t.game.Rng();
    Grid expect = t.s().Board;
    expect.at(1, 1) = 0;
    expect.at(10, 10) = 1;
    const ColourCode order[4] = {6, 5, 4, 3};
    for (int placed = 0; placed < 4;) {
        const int r = replay(10) + 1, c = replay(10) + 1;
        if (expect.at(r, c) == 0) expect.at(r, c) = order[placed++];
    }
    std::array<ColourCode, 4> nextExpect{};
    for (auto& b : nextExpect) b = replay(6) + 1;

    t.Click(1, 1);
    t.sound.played.clear();
    t.Click(10, 10);
    EXPECT_EQ(t.s().Board, expect);
    EXPECT_EQ(t.s().NextBalls, nextExpect);
    EXPECT_EQ(t.sound.played, std::vector<std::string>{"blip2.wav"});
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(t.view.nextPicture[static_cast<std::size_t>(k)], ColourPicture(nextExpect[static_cast<std::size_t>(k - 1)]));
}

TEST(MoveOrder, AdvancedModeScattersTwiceAfterADrop) {
    Rig t;
    t.Running(Mode::Line, {"1"});
    t.s().AdvancedMode = 1;
    t.game.Rng().Seed(11);
    Random replay = t.game.Rng();
    Grid b = t.s().Board;
    b.at(1, 1) = 0;
    b.at(2, 2) = 1;
    for (int placed = 0; placed < 4;) {
        const int r = replay(10) + 1, c = replay(10) + 1;
        if (b.at(r, c) == 0) b.at(r, c) = 9, ++placed;
    }
    for (int k = 0; k < 4; ++k) replay(6);
    std::array<bool, kCells + 1> blocked{};
    for (int pass = 0; pass < 2; ++pass)
        for (int n = 1; n <= kCells; ++n)
            if (replay(100) == n - 1) blocked[static_cast<std::size_t>(n)] = true;
    t.Click(1, 1);
    t.Click(2, 2);
    EXPECT_EQ(t.view.blocked, blocked);
    EXPECT_EQ(t.game.Rng()(1000000), replay(1000000));
}

TEST(MoveOrder, ADropThatCompletesAFigureScoresAtOnce) {
    Rig t;
    t.Running(Mode::Line, {});
    Grid& b = t.s().Board;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) b.at(r, c) = ((r + 2 * c) % 6) + 1;
    for (int c = 1; c <= 4; ++c) b.at(10, c) = 4; // (10,5) completes a line of five
    for (auto [r, c] : {std::pair{10, 5}, {1, 1}, {1, 2}, {3, 5}, {5, 8}, {7, 3}, {8, 9}}) b.at(r, c) = 0;
    t.s().NextBalls = {4, 4, 4, 4};
    t.game.RedrawBoard();

    // Pick a seed whose drop reaches (10,5), replaying the drop on the board after the move.
    Grid after = b;
    after.at(1, 2) = after.at(1, 3);
    after.at(1, 3) = 0;
    std::uint32_t seed = 1;
    for (;; ++seed) {
        Random replay(seed);
        Grid g = after;
        for (int placed = 0; placed < 4;) {
            const int r = replay(10) + 1, c = replay(10) + 1;
            if (g.at(r, c) == 0) g.at(r, c) = 4, ++placed;
        }
        if (g.at(10, 5) == 4) break;
    }
    t.game.Rng().Seed(seed);
    t.Click(1, 3);
    t.sound.played.clear();
    t.Click(1, 2);
    EXPECT_EQ(t.sound.played, (std::vector<std::string>{"blip2.wav", "boom.wav"}));
    EXPECT_GE(t.s().Score, 5);
    EXPECT_EQ(t.s().Board.at(10, 1), 0);
    EXPECT_EQ(t.s().Board.at(10, 5), 0);
}

TEST(MoveOrder, FiveEmptyCellsThenADropEndsTheGame) {
    Rig t;
    t.Running(Mode::Line, {});
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) t.s().Board.at(r, c) = ((r + 2 * c) % 6) + 1;
    // Five empty cells far apart, so no line of five can hold two dropped balls.
    for (auto [r, c] : {std::pair{1, 1}, {3, 5}, {5, 9}, {8, 2}, {10, 7}}) t.s().Board.at(r, c) = 0;
    t.s().Score = 1000;
    t.s().BestScore = 1000;
    t.game.RedrawBoard();
    ASSERT_EQ(t.s().PlayState, kPlayIdle);
    t.records.writes.clear();
    t.Click(1, 2);
    t.Click(1, 1);
    EXPECT_EQ(t.s().EmptyCellCount, 1);
    EXPECT_EQ(t.s().PlayState, kPlayOver);
    EXPECT_TRUE(t.view.bannerVisible);
    EXPECT_TRUE(t.view.selectorsEnabled);
    EXPECT_TRUE(t.game.ModeSelectorsEnabled());
    EXPECT_EQ(t.s().UndoAllowed, 0);
    ASSERT_FALSE(t.records.writes.empty());
    EXPECT_EQ(t.records.writes.back(), (std::pair<Mode, std::int32_t>{Mode::Line, 1000}));

    // A click on a finished game only repeats the game-over steps.
    const Grid board = t.s().Board;
    const auto writes = t.records.writes.size();
    t.Click(1, 3);
    EXPECT_EQ(t.s().Board, board);
    EXPECT_EQ(t.s().PlayState, kPlayOver);
    EXPECT_EQ(t.records.writes.size(), writes + 1);
}

} // namespace
} // namespace zv::kit

namespace zv::kit {
namespace {

// The report of a turn, checked against what the board shows afterwards.
TEST(TurnReport, TellsThePathTheRemovalTheDropAndTheBlocks) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> rows;
        CellPos from, to;
        int pathLength;     // cells from where the ball stood to where it went, both counted
        int removed;        // balls taken off
        int points;
        bool afterDrop;     // the removal came from the dropped balls
    };
    const Case cases[] = {
        {"a line of five completed by the move",
         {"11.11.....", "..........", "..........", "..........", "..........", "..........", "..........",
          "..........", "..........", "1........."},
         {10, 1}, {1, 3}, 12, 5, 5, false},
        {"a move round a wall that removes nothing",
         {"1.........", "2323232.32", "..........", "343434343.", "..........", "..........", "..........",
          "..........", "..........", "5........."},
         {10, 1}, {1, 2}, 27, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig t;
        t.game.SetAdvancedMode(true);
        t.Running(Mode::Line, c.rows);
        t.Block(55, true);
        t.Click(c.from.row, c.from.col);
        const Grid before = t.s().Board;
        const TurnReport& r = t.Click(c.to.row, c.to.col);
        ASSERT_TRUE(r.Moved());
        EXPECT_EQ(r.movedColour, before.at(c.from.row, c.from.col));
        // A walk over empty cells, one step at a time, from the ball to its target.
        ASSERT_EQ(r.path.Size(), c.pathLength);
        EXPECT_EQ(CellOf(r.path[0]), c.from);
        EXPECT_EQ(CellOf(r.path[r.path.Size() - 1]), c.to);
        for (int i = 1; i < r.path.Size(); ++i) {
            const CellPos a = CellOf(r.path[i - 1]), b = CellOf(r.path[i]);
            EXPECT_EQ(std::abs(a.row - b.row) + std::abs(a.col - b.col), 1) << "step " << i;
            EXPECT_EQ(before.at(b.row, b.col), 0) << "step " << i;
        }
        EXPECT_EQ(r.removed, c.removed > 0);
        EXPECT_EQ(r.removal.cells.Size(), c.removed);
        EXPECT_EQ(r.removal.points, c.points);
        EXPECT_EQ(r.removedAfterDrop, c.afterDrop);
        for (int cell : r.removal.cells) EXPECT_EQ(t.s().Board.cells[static_cast<std::size_t>(cell - 1)], 0);
        // The preview falls only when the move removed nothing, each ball where the board now shows it.
        EXPECT_EQ(r.droppedCount, c.removed ? 0 : 4);
        for (int k = 0; k < r.droppedCount; ++k) {
            const DroppedBall& d = r.dropped[static_cast<std::size_t>(k)];
            EXPECT_EQ(d.colour, (std::array<ColourCode, 4>{1, 2, 3, 4})[static_cast<std::size_t>(k)]);
            if (!r.removal.cells.Contains(d.cell)) {
                EXPECT_EQ(t.s().Board.cells[static_cast<std::size_t>(d.cell - 1)], d.colour);
            }
        }
        // The move clears the blocked cell; the scatters after a drop may show new ones.
        EXPECT_TRUE(r.blockedHidden.Contains(55));
        for (int cell : r.blockedShown) EXPECT_TRUE(t.s().Blocked[static_cast<std::size_t>(cell - 1)]);
        EXPECT_FALSE(r.ended);
    }
}

TEST(TurnReport, TellsAGamesEndWithItsFiguresOnceAndAnUndo) {
    Rig t;
    t.game.GstartClick();
    t.s().Score = 20;
    const TurnReport& replaced = t.game.GstartClick();
    ASSERT_TRUE(replaced.ended);
    EXPECT_TRUE(replaced.started);
    EXPECT_EQ(replaced.ending.how, GameEnd::Replaced);
    EXPECT_EQ(replaced.ending.score, 20);
    EXPECT_TRUE(t.game.finishClick().ended); // a game with no points ends too
    EXPECT_FALSE(t.game.finishClick().ended);
    EXPECT_FALSE(t.game.TurnBackClick().undone);
}

} // namespace
} // namespace zv::kit
