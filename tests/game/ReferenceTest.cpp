// The path search and the block search against plain sweep-by-sweep versions on random boards.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "game/FigureScans.h"
#include "kit/Rig.h"

namespace zv::kit {
namespace {

// Every sweep over all 100 cells, exactly as the rule is worded.
std::int32_t ReferencePathSteps(Grid b, CellPos src, CellPos dst, bool& found) {
    b.at(src.row, src.col) = 10;
    std::int32_t steps = 0;
    for (;;) {
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                ++steps;
                if (b.at(r, c) != 10) continue;
                b.at(r, c) = 15;
                if (r < 10 && b.at(r + 1, c) == 0) b.at(r + 1, c) = 10;
                if (r > 1 && b.at(r - 1, c) == 0) b.at(r - 1, c) = 10;
                if (c < 10 && b.at(r, c + 1) == 0) b.at(r, c + 1) = 10;
                if (c > 1 && b.at(r, c - 1) == 0) b.at(r, c - 1) = 10;
            }
        if (b.at(dst.row, dst.col) == 15 || steps >= 5000) break;
    }
    found = steps != 5000;
    return steps;
}

// All 25 passes, whole board each time.
std::int32_t ReferenceBlockScan(Grid& b, Grid& snap) {
    std::int32_t score = 0;
    for (int r0 = 1; r0 <= 10; ++r0)
        for (int c0 = 1; c0 <= 10; ++c0) {
            if (!(snap.at(r0, c0) == 0 && b.at(r0, c0) > 0)) continue;
            const ColourCode colour = b.at(r0, c0);
            snap.at(r0, c0) = colour;
            b.at(r0, c0) = 15;
            int n = 1;
            for (int pass = 0; pass < 25; ++pass)
                for (int r = 1; r <= 10; ++r)
                    for (int c = 1; c <= 10; ++c) {
                        if (b.at(r, c) != 15) continue;
                        b.at(r, c) = 20;
                        if (r < 10 && b.at(r + 1, c) == colour) b.at(r + 1, c) = 15, ++n;
                        if (r > 1 && b.at(r - 1, c) == colour) b.at(r - 1, c) = 15, ++n;
                        if (c < 10 && b.at(r, c + 1) == colour) b.at(r, c + 1) = 15, ++n;
                        if (c > 1 && b.at(r, c - 1) == colour) b.at(r, c - 1) = 15, ++n;
                    }
            for (auto& v : b.cells)
                if (v == 15 || v == 20) v = n >= 7 ? 0 : colour;
            if (n >= 7) score += BlockPoints(n);
        }
    return score;
}

TEST(Reference, PathSearchMatchesTheWordedRule) {
    const std::uint32_t seed = std::random_device{}();
    std::cout << "[ seed     ] " << seed << "\n";
    std::mt19937 pick(seed);
    Rig t;
    t.s().GameMode = "none"; // no scan, no drop noise in the comparison
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        const int density = static_cast<int>(pick() % 70);
        Grid g;
        for (auto& v : g.cells) v = static_cast<int>(pick() % 100) < density ? static_cast<int>(pick() % 6) + 1 : 0;
        const CellPos src = CellOf(static_cast<int>(pick() % 100) + 1);
        const CellPos dst = CellOf(static_cast<int>(pick() % 100) + 1);
        g.at(src.row, src.col) = 0;
        g.at(dst.row, dst.col) = 0;
        if (src == dst) continue;
        bool refFound = false;
        const std::int32_t refSteps = ReferencePathSteps(g, src, dst, refFound);

        t.s().Board = g;
        t.s().Board.at(src.row, src.col) = 3;
        t.s().PlayState = kPlaySelected;
        t.s().SelectedCell = src;
        t.s().SelectedColour = 3;
        t.s().EmptyCellCount = 0; // keeps the drop out
        t.game.CellClick(dst);
        ASSERT_EQ(t.s().PathSteps, refSteps) << "seed " << seed << " round " << round;
        ASSERT_EQ(t.s().Board.at(dst.row, dst.col) == 3, refFound) << "seed " << seed << " round " << round;
        found += refFound;
    }
    EXPECT_GT(found, 100);
}

TEST(Reference, BlockScanMatchesTheWordedRule) {
    const std::uint32_t seed = std::random_device{}();
    std::cout << "[ seed     ] " << seed << "\n";
    std::mt19937 pick(seed);
    Rig t;
    t.s().GameMode = "block";
    t.s().BestScore = 1 << 30;
    Tally tally;
    for (int round = 0; round < 2000; ++round) {
        const int colours = 1 + static_cast<int>(pick() % 3);
        Grid g, snap;
        for (int i = 0; i < kCells; ++i) {
            g.cells[static_cast<std::size_t>(i)] = pick() % 5 ? static_cast<int>(pick() % colours) + 1 : 0;
            snap.cells[static_cast<std::size_t>(i)] = pick() % 12 ? g.cells[static_cast<std::size_t>(i)] : 0;
        }
        Grid refBoard = g, refSnap = snap;
        const std::int32_t refScore = ReferenceBlockScan(refBoard, refSnap);
        t.s().Board = g;
        t.s().MoveSnapshot = snap;
        t.s().Score = 0;
        ScanTarget target{t.s(), tally};
        BlockFigureScan(target);
        ASSERT_EQ(t.s().Score, refScore) << "seed " << seed << " round " << round;
        ASSERT_EQ(t.s().Board, refBoard) << "seed " << seed << " round " << round;
        ASSERT_EQ(t.s().MoveSnapshot, refSnap) << "seed " << seed << " round " << round;
    }
}

} // namespace
} // namespace zv::kit
