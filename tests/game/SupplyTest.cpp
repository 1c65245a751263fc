// The ball supply: the order of the random draws in the drop, the deal and the blocked-cell scatter.
#include <gtest/gtest.h>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

TEST(Supply, DropPutsThePreviewDownInPreviewOrder) {
    Rig t;
    t.Running(Mode::Line, {"1111111111", "2222222222", "3333333333"});
    t.s().NextBalls = {5, 3, 6, 2};
    t.game.Rng().Seed(99);
    Random replay = t.game.Rng();
    Grid expect = t.s().Board;
    int placed = 0, draws = 0;
    while (placed < 4) {
        const int r = replay(10) + 1, c = replay(10) + 1;
        ++draws;
        if (expect.at(r, c) == 0) expect.at(r, c) = t.s().NextBalls[static_cast<std::size_t>(placed++)];
    }
    t.game.DropNextBalls();
    EXPECT_EQ(t.s().Board, expect);
    EXPECT_EQ(t.s().DropCount, 4);
    EXPECT_EQ(t.game.Rng()(1 << 30), replay(1 << 30)) << "the drop made " << draws << " cell draws";
}

TEST(Supply, DropOnAFullBoardEnds) {
    Rig t;
    t.Running(Mode::Line, {});
    for (auto& v : t.s().Board.cells) v = 1;
    t.s().Board.at(4, 4) = 0;
    t.game.DropNextBalls();
    EXPECT_EQ(t.s().Board.at(4, 4), 1);
    EXPECT_EQ(t.s().DropCount, 1);
}

TEST(Supply, DealDrawsTheColourOnlyAfterAnEmptyCell) {
    Rig t;
    t.Running(Mode::Line, {});
    t.s().Board.at(1, 1) = 0;
    t.game.Rng().Seed(5);
    Random replay = t.game.Rng();
    Grid expect{};
    for (int placed = 0; placed < 6;) {
        const int r = replay(10) + 1, c = replay(10) + 1;
        if (expect.at(r, c) != 0) continue;
        expect.at(r, c) = replay(6) + 1;
        ++placed;
    }
    t.game.DealStartingBalls();
    EXPECT_EQ(t.s().Board, expect);
    EXPECT_EQ(t.s().DropCount, 6);
    EXPECT_EQ(t.Balls(), 6);
}

TEST(Supply, NewNextBallsDrawsFourColoursInOrder) {
    Rig t;
    t.game.Rng().Seed(123);
    Random replay = t.game.Rng();
    t.game.NewNextBalls();
    for (int i = 0; i < 4; ++i) {
        const ColourCode v = t.s().NextBalls[static_cast<std::size_t>(i)];
        EXPECT_EQ(v, replay(6) + 1);
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 6);
    }
}

TEST(Supply, ScatterMakesOneDrawPerCellAndNeverHides) {
    Rig t;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        t.view.blocked.fill(false);
        t.Block(50, true);
        t.game.Rng().Seed(seed);
        Random replay(seed);
        std::array<bool, kCells + 1> expect{};
        expect[50] = true;
        for (int n = 1; n <= kCells; ++n)
            if (replay(100) == n - 1) expect[static_cast<std::size_t>(n)] = true;
        t.game.ScatterBlockedCells();
        ASSERT_EQ(t.view.blocked, expect) << "seed " << seed;
        ASSERT_EQ(t.game.Rng()(1 << 30), replay(1 << 30)) << "seed " << seed;
    }
    t.game.ClearBlockedCells();
    EXPECT_EQ(t.view.BlockedCount(), 0);
}

} // namespace
} // namespace zv::kit
