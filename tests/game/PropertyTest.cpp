// Seeded random play in every mode, normal and advanced, checking the books after every operation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "autoplay/Audit.h"
#include "kit/Rig.h"

namespace zv::kit {
namespace {

std::uint32_t SuiteSeed() {
    static const std::uint32_t seed = [] {
        if (const char* env = std::getenv("ZV_GAME_SEED")) return static_cast<std::uint32_t>(std::strtoul(env, nullptr, 10));
        return std::random_device{}();
    }();
    return seed;
}

class RandomPlay : public ::testing::TestWithParam<std::tuple<Mode, bool>> {};

TEST_P(RandomPlay, TheBooksBalance) {
    const auto [mode, advanced] = GetParam();
    const std::uint32_t seed = SuiteSeed() ^ (static_cast<std::uint32_t>(mode) * 7919u + (advanced ? 104729u : 0u));
    std::cout << "[ seed     ] ZV_GAME_SEED=" << SuiteSeed() << " (this case " << seed << ")\n";
    RecordProperty("seed", std::to_string(SuiteSeed()));
    std::mt19937 pick(seed);
    auto roll = [&](int n) { return static_cast<int>(pick() % static_cast<std::uint32_t>(n)); };

    Rig t;
    t.s().AdvancedMode = advanced ? 1 : 0;
    t.game.SetSound(roll(2) != 0);
    switch (mode) {
    case Mode::Line: t.game.lineClick(); break;
    case Mode::Square: t.game.cubeClick(); break;
    case Mode::Cross: t.game.crossClick(); break;
    case Mode::Ring: t.game.ringClick(); break;
    case Mode::Block: t.game.cornerClick(); break;
    }

    auto start = [&] {
        t.clock.now = {roll(24), roll(60), roll(60), roll(1000)};
        t.game.GstartClick();
        t.game.ResetTotals();
    };
    auto checkState = [&](const char* after) {
        int empty = 0;
        for (ColourCode v : t.s().Board.cells) {
            ASSERT_TRUE(v >= 0 && v <= 6) << "cell value " << v << " after " << after;
            empty += v == 0;
        }
        ASSERT_EQ(empty, t.s().EmptyCellCount) << after;
        ASSERT_TRUE(t.s().PlayState == 0 || t.s().PlayState == 1 || t.s().PlayState == 3) << after;
        const Tally& k = t.game.Totals();
        ASSERT_EQ(t.s().Score, k.figurePoints - 3 * k.undos) << after;
        ASSERT_GE(t.s().BestScore, t.s().Score) << after;
    };

    start();
    int games = 1, turns = 0;
    for (int op = 0; op < 4000; ++op) {
        if (t.s().PlayState == kPlayOver || roll(400) == 0) {
            if (roll(2)) t.game.finishClick();
            start();
            ++games;
            ASSERT_NO_FATAL_FAILURE(checkState("start"));
            continue;
        }
        if (roll(20) == 0) {
            t.game.TurnBackClick();
            ASSERT_NO_FATAL_FAILURE(checkState("undo"));
            continue;
        }
        // A turn: a random selectable ball, then a random empty cell.
        int ball = 0, target = 0;
        for (int tries = 0; tries < 200 && (!ball || !target); ++tries) {
            const int n = roll(kCells) + 1;
            if (t.view.IsBlocked(n)) continue;
            const bool full = t.s().Board.cells[static_cast<std::size_t>(n - 1)] != 0;
            if (full && !ball) ball = n;
            if (!full && !target) target = n;
        }
        if (!ball || !target) continue;
        const int before = t.Balls();
        const Tally k0 = t.game.Totals();
        t.game.ImClick(ball);
        ASSERT_NO_FATAL_FAILURE(checkState("select"));
        t.game.ImClick(target);
        ASSERT_NO_FATAL_FAILURE(checkState("move"));
        const Tally& k1 = t.game.Totals();
        ASSERT_EQ(t.Balls(), before - (k1.ballsRemoved - k0.ballsRemoved) + (k1.ballsDropped - k0.ballsDropped));
        ASSERT_LE(k1.ballsDropped - k0.ballsDropped, 4);
        if (k1.turns > k0.turns) {
            ++turns;
            ASSERT_EQ(t.view.HighlightCount(), 0);
            if (mode != Mode::Block) {
                ASSERT_FALSE(autoplay::FigureLeft(mode, t.s().Board)) << "after turn " << turns;
            }
            if (k1.figurePoints == k0.figurePoints) {
                ASSERT_EQ(k1.ballsDropped - k0.ballsDropped, 4);
            }
        }
    }
    std::cout << "[ played   ] " << games << " games, " << turns << " moves\n";
    EXPECT_GT(turns, 100);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Mode, bool>>& info) {
    return std::string(ModeWord(std::get<0>(info.param))) + (std::get<1>(info.param) ? "_advanced" : "_normal");
}

INSTANTIATE_TEST_SUITE_P(AllModes, RandomPlay,
                         ::testing::Combine(::testing::Values(Mode::Line, Mode::Square, Mode::Cross, Mode::Ring,
                                                              Mode::Block),
                                            ::testing::Bool()),
                         CaseName);

} // namespace
} // namespace zv::kit
