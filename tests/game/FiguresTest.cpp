// The figure scans of the five modes: test order, points, shared balls, and the record step.
#include <gtest/gtest.h>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

struct Scan : Rig {
    void Run(Mode m, std::initializer_list<const char*> rows) {
        Running(m, rows);
        s().FiguresRemoved = 0;
        game.FigureScan();
    }
    std::string Row(int r) const {
        std::string out;
        for (int c = 1; c <= kCols; ++c) {
            const ColourCode v = game.State().Board.at(r, c);
            out += v == 0 ? '.' : static_cast<char>('0' + v);
        }
        return out;
    }
};

TEST(LineFigures, FullLinesInEveryDirectionScoreTwenty) {
    for (int dir = 0; dir < 4; ++dir) {
        Scan t;
        t.Running(Mode::Line, {});
        for (int k = 1; k <= 10; ++k) {
            const int r = dir == 0 ? 3 : k;
            const int c = dir == 0 ? k : dir == 1 ? 7 : dir == 2 ? k : 11 - k;
            t.s().Board.at(r, c) = 2;
        }
        t.s().Board.at(5, 5) = t.s().Board.at(5, 5) ? t.s().Board.at(5, 5) : 3; // a bystander
        t.s().FiguresRemoved = 0;
        t.game.FigureScan();
        EXPECT_EQ(t.s().Score, 20) << "direction " << dir;
        EXPECT_EQ(t.s().FiguresRemoved, 1);
        EXPECT_EQ(t.Balls(), t.s().Board.at(5, 5) ? 1 : 0);
    }
}

TEST(LineFigures, RunsAreTakenAtFullLength) {
    Scan t;
    t.Run(Mode::Line, {"1111111...", "222222....", "1111......", "3333344444"});
    EXPECT_EQ(t.s().Score, 9 + 7 + 10);
    EXPECT_EQ(t.s().FiguresRemoved, 4);
    EXPECT_EQ(t.Row(3), "1111......");
    EXPECT_EQ(t.Balls(), 4);
}

TEST(LineFigures, HorizontalBeatsVerticalOnASharedBall) {
    Scan t;
    t.Run(Mode::Line, {"..5", "..5", "55555", "..5", "..5"});
    EXPECT_EQ(t.s().Score, 5);
    EXPECT_EQ(t.s().FiguresRemoved, 1);
    EXPECT_EQ(t.Balls(), 4);

    // A vertical six sharing its end ball: the other five still form a line.
    Scan u;
    u.Run(Mode::Line, {"55555", "5", "5", "5", "5", "5"});
    EXPECT_EQ(u.s().Score, 10);
    EXPECT_EQ(u.s().FiguresRemoved, 2);
    EXPECT_EQ(u.Balls(), 0);
}

TEST(LineFigures, VerticalBeatsDiagonalAndDownRightBeatsDownLeft) {
    Scan t;
    t.Run(Mode::Line, {"4", "44", "4.4", "4..4", "4...4"});
    EXPECT_EQ(t.s().Score, 5);
    EXPECT_EQ(t.Row(5), "....4.....");

    Scan u;
    u.Run(Mode::Line, {"6...6", ".6.6", "..6", ".6.6", "6...6"});
    EXPECT_EQ(u.s().Score, 5);
    EXPECT_EQ(u.Row(1), "....6.....");
    EXPECT_EQ(u.Row(2), "...6......");
    EXPECT_EQ(u.Row(3), "..........");
}

TEST(LineFigures, FourIsNoLineAndTwoLinesBothGo) {
    Scan t;
    t.Run(Mode::Line, {"1111", "", "", "......2", "......2", "......2", "......2", "......2"});
    EXPECT_EQ(t.s().Score, 5);
    EXPECT_EQ(t.Row(1), "1111......");

    Scan u;
    u.Run(Mode::Line, {"33333", "", "", "", "", "", "", "", "", ".....66666"});
    EXPECT_EQ(u.s().Score, 10);
    EXPECT_EQ(u.s().FiguresRemoved, 2);
}

TEST(SquareFigures, TallThenWideThenSmall) {
    Scan t;
    t.Run(Mode::Square, {"111", "111", "111"});
    EXPECT_EQ(t.s().Score, 8);
    EXPECT_EQ(t.Row(1), "..1.......");
    EXPECT_EQ(t.Balls(), 3);

    Scan u;
    u.Run(Mode::Square, {"2222", "2222", "2222", "2222"});
    EXPECT_EQ(u.s().Score, 16);
    EXPECT_EQ(u.s().FiguresRemoved, 2);
    EXPECT_EQ(u.Row(4), "2222......");

    Scan w;
    w.Run(Mode::Square, {"333", "333", "", "", "", "", "", "", "........44", "........44"});
    EXPECT_EQ(w.s().Score, 8 + 4);
    EXPECT_EQ(w.s().FiguresRemoved, 2);
    EXPECT_EQ(w.Balls(), 0);
}

TEST(CrossFigures, PlusFirstAndRowMajorCentres) {
    Scan t;
    t.Run(Mode::Cross, {"", "..555", "..555", "..555"});
    EXPECT_EQ(t.s().Score, 5);
    EXPECT_EQ(t.Row(2), "..5.5.....");
    EXPECT_EQ(t.Row(3), "..........");

    // A diagonal cross at (3,3) and a plus at (3,4) sharing (3,3), (2,4), (4,4).
    Scan u;
    u.Run(Mode::Cross, {"", ".1.1", "..111", ".1.1"});
    EXPECT_EQ(u.s().Score, 5);
    EXPECT_EQ(u.s().FiguresRemoved, 1);
    EXPECT_EQ(u.Row(3), "...11.....");

    Scan w;
    w.Run(Mode::Cross, {".6", "666", ".6", "", "", "", "", ".......2.2", "........2", ".......2.2"});
    EXPECT_EQ(w.s().Score, 10);
    EXPECT_EQ(w.Balls(), 0);
}

TEST(RingFigures, SmallAndLargeRingsLeaveTheCentre) {
    Scan t;
    t.Run(Mode::Ring, {"", ".3", "333", ".3"});
    EXPECT_EQ(t.s().Score, 4);
    EXPECT_EQ(t.Row(3), ".3........");
    EXPECT_EQ(t.Balls(), 1);

    Scan u;
    u.Run(Mode::Ring, {"444", "444", "444"});
    EXPECT_EQ(u.s().Score, 4);
    EXPECT_EQ(u.Row(1), "4.4.......");
    EXPECT_EQ(u.Row(2), ".4........");
    EXPECT_EQ(u.Row(3), "4.4.......");

    Scan w;
    w.Run(Mode::Ring, {"", "..55", ".5125", ".5315", "..55"});
    EXPECT_EQ(w.s().Score, 15);
    EXPECT_EQ(w.Row(3), "..12......");
    EXPECT_EQ(w.Row(4), "..31......");
    EXPECT_EQ(w.Balls(), 4);
}

struct BlockScan : Scan {
    // The move's snapshot: every ball but the listed new ones was there before.
    void Run(std::initializer_list<const char*> rows, std::initializer_list<std::pair<int, int>> fresh) {
        Running(Mode::Block, rows);
        s().MoveSnapshot = s().Board;
        for (auto [r, c] : fresh) s().MoveSnapshot.at(r, c) = 0;
        s().FiguresRemoved = 0;
        game.FigureScan();
    }
};

TEST(BlockFigures, PointsRoundHalvesToEven) {
    const std::pair<int, int> table[] = {{7, 8},   {8, 10},  {9, 11},  {10, 13}, {11, 15}, {12, 16},
                                         {13, 18}, {14, 20}, {15, 22}, {16, 23}, {17, 25}, {18, 27},
                                         {19, 28}, {20, 30}, {25, 38}, {30, 47}, {35, 56}};
    for (auto [n, p] : table) EXPECT_EQ(BlockPoints(n), p) << "n = " << n;
}

TEST(BlockFigures, SixStaysSevenGoes) {
    BlockScan t;
    t.Run({"111", "111"}, {{2, 3}});
    EXPECT_EQ(t.s().Score, 0);
    EXPECT_EQ(t.Balls(), 6);
    EXPECT_EQ(t.s().MoveSnapshot.at(2, 3), 1);
    for (ColourCode v : t.s().Board.cells) EXPECT_TRUE(v == 0 || v == 1);

    BlockScan u;
    u.Run({"111", "111", "1.2"}, {{3, 1}});
    EXPECT_EQ(u.s().Score, 8);
    EXPECT_EQ(u.s().FiguresRemoved, 1);
    EXPECT_EQ(u.s().BlockRemoved, 0);
    EXPECT_EQ(u.Balls(), 1);
}

TEST(BlockFigures, FifteenAndTwentyFive) {
    BlockScan t;
    t.Run({"33333", "33333", "33333"}, {{1, 1}});
    EXPECT_EQ(t.s().Score, 22);
    BlockScan u;
    u.Run({"44444", "44444", "44444", "44444", "44444"}, {{5, 5}});
    EXPECT_EQ(u.s().Score, 38);
    EXPECT_EQ(u.Balls(), 0);
}

TEST(BlockFigures, CornersDoNotJoinAndOldGroupsWaitForANewBall) {
    BlockScan t;
    t.Run({"2.2.2", ".2.2", "2.2.2"}, {{1, 1}});
    EXPECT_EQ(t.s().Score, 0);
    EXPECT_EQ(t.Balls(), 8);

    BlockScan u;
    u.Run({"5555555", "", "6"}, {{3, 1}});
    EXPECT_EQ(u.s().Score, 0);
    EXPECT_EQ(u.Balls(), 8);
}

TEST(BlockFigures, TwoGroupsInOneScanCountOneFigure) {
    BlockScan t;
    t.Run({"1111111", "", "2222222"}, {{1, 7}, {3, 1}});
    EXPECT_EQ(t.s().Score, 16);
    EXPECT_EQ(t.s().FiguresRemoved, 1);
    EXPECT_EQ(t.Balls(), 0);
}

TEST(BlockFigures, AWindingGroupIsCutOffAfterTwentyFivePasses) {
    // A snake of 54 balls grown from (10,10): every step up or left costs a
    // pass, so the marking reaches (3,10) at 25 such steps and stops there.
    BlockScan t;
    t.Run({
        "2323232323",
        "1111111111",
        "2323232321",
        "1111111111",
        "1232323232",
        "1111111111",
        "2323232321",
        "1111111111",
        "1232323232",
        "1111111111",
    }, {{10, 10}});
    EXPECT_EQ(t.s().Score, BlockPoints(44));
    EXPECT_EQ(t.s().Score, 71);
    EXPECT_EQ(t.s().FiguresRemoved, 1);
    EXPECT_EQ(t.Row(2), "1111111111");
    EXPECT_EQ(t.Row(3), "232323232.");
    EXPECT_EQ(t.Balls(), 56);
}

TEST(FigureScanFrame, UnknownModeDoesNothingAndEqualityRewritesTheRecord) {
    Scan t;
    t.Running(Mode::Line, {"11111"});
    t.s().GameMode = "Line";
    t.view.scoreText = "x";
    t.s().FiguresRemoved = 0;
    t.game.FigureScan();
    EXPECT_EQ(t.Balls(), 5);
    EXPECT_EQ(t.view.scoreText, "x");
    EXPECT_TRUE(t.records.writes.empty());

    Scan u;
    u.Running(Mode::Ring, {});
    u.s().Score = 120;
    u.s().BestScore = 120;
    u.game.FigureScan();
    ASSERT_EQ(u.records.writes.size(), 1u);
    EXPECT_EQ(u.records.writes[0], (std::pair<Mode, std::int32_t>{Mode::Ring, 120}));
    EXPECT_EQ(u.s().RecordText[static_cast<int>(Mode::Ring)], "120");
    EXPECT_EQ(u.view.recordText, "120");
    EXPECT_EQ(u.view.scoreText, "120");

    Scan w;
    w.Running(Mode::Square, {"11", "11"});
    w.s().Score = 100;
    w.s().BestScore = 101;
    w.game.FigureScan();
    EXPECT_EQ(w.s().BestScore, 104);
    EXPECT_EQ(w.records.writes.back(), (std::pair<Mode, std::int32_t>{Mode::Square, 104}));
}

} // namespace
} // namespace zv::kit
