// Game start and finish, mode choice, undo with its refusals, the redraw and the record text.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

using Write = std::pair<Mode, std::int32_t>;

TEST(ModeChoice, SelectorsWorkOnlyWhileEnabled) {
    Rig t;
    t.game.ringClick();
    EXPECT_EQ(t.game.CheckedMode(), Mode::Ring);
    EXPECT_EQ(t.view.marked, Mode::Ring);
    t.game.GstartClick();
    EXPECT_EQ(t.s().GameMode, "ring");
    EXPECT_FALSE(t.view.selectorsEnabled);
    t.game.cornerClick();
    EXPECT_EQ(t.game.CheckedMode(), Mode::Ring);
    EXPECT_EQ(t.view.modeMarkCalls, 1);
    t.game.finishClick();
    t.game.cubeClick();
    EXPECT_EQ(t.game.CheckedMode(), Mode::Square);
    EXPECT_EQ(t.s().GameMode, "ring"); // only the next start takes the new mode
    t.game.crossClick();
    t.game.GstartClick();
    EXPECT_EQ(t.s().GameMode, "blok");
    t.game.finishClick();
    t.game.cornerClick();
    t.game.GstartClick();
    EXPECT_EQ(t.s().GameMode, "block");
    t.game.finishClick();
    t.game.lineClick();
    t.game.GstartClick();
    EXPECT_EQ(t.s().GameMode, "line");
}

// The state is the rules' own: what the game hands out is a view to read.
static_assert(std::is_const_v<std::remove_reference_t<decltype(std::declval<Game&>().State())>>);

TEST(StartGame, DealsSixBallsAndAPreviewFromTheClockSeed) {
    Rig t;
    t.clock.now = {1, 2, 3, 4};
    t.s().RecordText[0] = "250";
    t.game.GstartClick();
    EXPECT_EQ(t.Balls(), 6);
    for (ColourCode v : t.s().NextBalls) EXPECT_TRUE(v >= 1 && v <= 6);
    EXPECT_EQ(t.s().BestScore, 250);
    EXPECT_EQ(t.view.recordText, "250");
    EXPECT_EQ(t.view.scoreText, "0");
    EXPECT_FALSE(t.view.bannerVisible);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_TRUE(t.records.writes.empty());

    // The same time of day deals the same game.
    Random replay(((1 * 60 + 2) * 60 + 3) * 1000 + 4);
    Grid expect{};
    for (int placed = 0; placed < 6;) {
        const int r = replay(10) + 1, c = replay(10) + 1;
        if (expect.at(r, c) == 0) expect.at(r, c) = replay(6) + 1, ++placed;
    }
    EXPECT_EQ(t.s().Board, expect);
    for (auto v : t.s().NextBalls) EXPECT_EQ(v, replay(6) + 1);
}

TEST(StartGame, ABadRecordTextCountsAsTheDefault) {
    Rig t;
    t.s().RecordText[0] = "12a";
    t.game.GstartClick();
    EXPECT_EQ(t.s().BestScore, kDefaultRecord);
    EXPECT_EQ(t.view.recordText, "100");
}

TEST(StartGame, TheOldScoreIsWrittenToTheNewModeWhenItReachesItsRecord) {
    Rig t;
    t.game.GstartClick();
    t.s().Score = 130;
    t.s().RecordText[static_cast<int>(Mode::Square)] = "130";
    t.game.finishClick();
    t.s().Score = 130; // as if the game had ended by game over
    t.game.cubeClick();
    t.game.GstartClick();
    EXPECT_EQ(t.records.writes, (std::vector<Write>{{Mode::Square, 130}}));
    EXPECT_EQ(t.s().Score, 0);

    // After finish the score is 0: only a record of 0 or less is written.
    t.game.finishClick();
    t.s().RecordText[static_cast<int>(Mode::Square)] = "0";
    t.game.GstartClick();
    EXPECT_EQ(t.records.writes.back(), (Write{Mode::Square, 0}));
}

TEST(StartGame, AdvancedStartLaysBlocksBeforeTheDeal) {
    Rig t;
    t.s().AdvancedMode = 1;
    t.Block(3, true);
    bool any = false;
    for (int i = 0; i < 20 && !any; ++i) {
        t.clock.now.millisecond = i;
        t.game.GstartClick();
        any = t.view.BlockedCount() > 0;
        EXPECT_EQ(t.Balls(), 6);
    }
    EXPECT_TRUE(any);
    t.game.finishClick();
    EXPECT_EQ(t.view.BlockedCount(), 0);
}

TEST(Finish, ClearsEndsSelectionAndWithdrawsUndo) {
    Rig t;
    t.game.GstartClick();
    t.Running(Mode::Line, {"1"});
    t.Click(1, 1);
    t.Click(3, 3);   // a move: undo now available
    t.Click(3, 3);   // select the moved ball
    ASSERT_EQ(t.s().PlayState, kPlaySelected);
    t.Block(9, true);
    t.records.writes.clear();
    t.game.finishClick();
    EXPECT_EQ(t.Balls(), 0);
    EXPECT_EQ(t.s().Score, 0);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_EQ(t.s().UndoAllowed, 0);
    EXPECT_EQ(t.view.HighlightCount(), 0);
    EXPECT_EQ(t.view.BlockedCount(), 0);
    EXPECT_TRUE(t.view.selectorsEnabled);
    EXPECT_FALSE(t.view.bannerVisible);
    EXPECT_TRUE(t.records.writes.empty());
    for (int n = 1; n <= kCells; ++n) EXPECT_EQ(t.view.cellPicture[static_cast<std::size_t>(n)], 0);

    // A click on the empty board now moves no phantom ball.
    t.Click(5, 5);
    EXPECT_EQ(t.Balls(), 0);
    t.game.TurnBackClick();
    EXPECT_EQ(t.Balls(), 0);
    EXPECT_EQ(t.s().Score, 0);
}

TEST(Undo, RestoresTheBoardOnceForThreePoints) {
    Rig t;
    t.Running(Mode::Line, {"1", "2"});
    t.s().NextBalls = {3, 3, 3, 3};
    const Grid before = t.s().Board;
    t.Click(1, 1);
    t.Click(5, 5);
    ASSERT_EQ(t.Balls(), 6);
    const auto next = t.s().NextBalls;
    t.sound.played.clear();
    t.game.TurnBackClick();
    EXPECT_EQ(t.s().Board, before);
    EXPECT_EQ(t.s().Score, -3);
    EXPECT_EQ(t.view.scoreText, "-3");
    EXPECT_EQ(t.s().NextBalls, next);
    EXPECT_TRUE(t.sound.played.empty());
    t.game.TurnBackClick();
    EXPECT_EQ(t.s().Score, -3);
}

TEST(Undo, EndsTheSelection) {
    Rig t;
    t.Running(Mode::Line, {"1", "2"});
    t.Click(1, 1);
    t.Click(5, 5);
    t.Click(2, 1); // select before taking back
    ASSERT_EQ(t.s().PlayState, kPlaySelected);
    t.game.TurnBackClick();
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    EXPECT_EQ(t.view.HighlightCount(), 0);
}

TEST(Undo, RefusedAfterAScoringMoveAGameOverOrAGameStart) {
    Rig t;
    t.Running(Mode::Line, {"1111", "....1"});
    t.Click(2, 5);
    t.Click(1, 5);
    ASSERT_EQ(t.s().Score, 5);
    const Grid after = t.s().Board;
    t.game.TurnBackClick();
    EXPECT_EQ(t.s().Board, after);
    EXPECT_EQ(t.s().Score, 5);

    Rig u;
    u.game.GstartClick();
    u.Running(Mode::Line, {"1"});
    u.Click(1, 1);
    u.Click(2, 2);
    u.game.GstartClick(); // a fresh game withdraws the undo of the old one
    const Grid fresh = u.s().Board;
    u.game.TurnBackClick();
    EXPECT_EQ(u.s().Board, fresh);
    EXPECT_EQ(u.s().Score, 0);

    Rig w;
    w.Running(Mode::Line, {"1"});
    w.Click(1, 1);
    w.Click(2, 2);
    w.s().UndoAllowed = 1;
    for (int i = 1; i <= kCells - 4; ++i) w.s().Board.cells[static_cast<std::size_t>(i - 1)] = (i % 6) + 1;
    w.game.RedrawBoard();
    ASSERT_EQ(w.s().PlayState, kPlayOver);
    const Grid over = w.s().Board;
    w.game.TurnBackClick();
    EXPECT_EQ(w.s().Board, over);
}

TEST(Undo, ARefusedMoveKeepsTheUndo) {
    Rig t;
    t.Running(Mode::Line, {"1", "", "", "", "", "", "", "", ".2.", "2.2"});
    t.game.Rng().Seed(3);
    t.Click(1, 1);
    t.Click(1, 2);
    ASSERT_EQ(t.s().Board.at(10, 2), 0) << "the drop filled the walled-in cell";
    const Grid undo = t.s().UndoBoard;
    t.Click(1, 2);
    t.Click(10, 2); // walled in
    EXPECT_EQ(t.s().UndoAllowed, 1);
    EXPECT_EQ(t.s().UndoBoard, undo);
}

TEST(Redraw, PicturesFollowTheColourMap) {
    Rig t;
    t.Running(Mode::Line, {"0123456"});
    t.s().NextBalls = {3, 4, 5, 6};
    t.game.RedrawBoard();
    const int map[7] = {0, 1, 2, 5, 3, 6, 4};
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(t.view.cellPicture[static_cast<std::size_t>(c)], map[c - 1]);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(t.view.nextPicture[static_cast<std::size_t>(k)], map[k + 2]);
    EXPECT_EQ(ColourPicture(7), -1);
    EXPECT_EQ(ColourPicture(-1), -1);

    // A value outside 0..6 leaves the button as it was.
    t.s().Board.at(1, 1) = 15;
    t.game.RedrawBoard();
    EXPECT_EQ(t.view.cellPicture[1], 0);
}

TEST(Redraw, FourEmptyCellsEndTheGameFiveDoNot) {
    Rig t;
    t.Running(Mode::Block, {});
    for (int i = 0; i < kCells - 5; ++i) t.s().Board.cells[static_cast<std::size_t>(i)] = (i % 6) + 1;
    t.s().Score = 50;
    t.s().BestScore = 60;
    t.game.RedrawBoard();
    EXPECT_EQ(t.s().EmptyCellCount, 5);
    EXPECT_EQ(t.s().PlayState, kPlayIdle);
    t.s().Board.cells[95] = 1;
    t.game.RedrawBoard();
    EXPECT_EQ(t.s().EmptyCellCount, 4);
    EXPECT_EQ(t.s().PlayState, kPlayOver);
    EXPECT_TRUE(t.records.writes.empty()); // below the record
    t.s().Score = 60;
    t.game.RedrawBoard();
    t.game.RedrawBoard();
    EXPECT_EQ(t.records.writes, (std::vector<Write>{{Mode::Block, 60}, {Mode::Block, 60}}));
}

TEST(Redraw, NothingIsWrittenBeforeTheFirstGame) {
    Rig t;
    for (auto& v : t.s().Board.cells) v = 1;
    t.game.RedrawBoard();
    EXPECT_EQ(t.s().PlayState, kPlayOver);
    EXPECT_TRUE(t.records.writes.empty());
}

TEST(RecordText, Parsing) {
    std::int32_t v = 7;
    EXPECT_TRUE(ParseRecordNumber("100", v));
    EXPECT_EQ(v, 100);
    EXPECT_TRUE(ParseRecordNumber("  -42 \r\n", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(ParseRecordNumber("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(ParseRecordNumber("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    v = 7;
    for (const char* bad : {"", "  ", "-", "+5", "1 2", "12a", "2147483648", "0x10", "99999999999999999999"}) {
        EXPECT_FALSE(ParseRecordNumber(bad, v)) << bad;
        EXPECT_EQ(v, 7);
    }
}

} // namespace
} // namespace zv::kit
