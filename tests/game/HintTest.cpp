// The hint: always a move the rules accept, paid for once, kept with the game, and nothing when there is no move.
#include <gtest/gtest.h>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

void Choose(Game& g, Mode mode) {
    switch (mode) {
    case Mode::Line: return g.lineClick();
    case Mode::Square: return g.cubeClick();
    case Mode::Cross: return g.crossClick();
    case Mode::Ring: return g.ringClick();
    case Mode::Block: return g.cornerClick();
    }
}

// Whole games played by hints alone over numbers and modes, advanced mode too: every hint costs its price once,
// and the move it names is one the turn makes (never refused, never onto or from a blocked cell).
TEST(Hint, EveryHintIsALegalMoveAndCostsItsPriceOnce) {
    const struct {
        Mode mode;
        bool advanced;
    } cases[] = {{Mode::Line, false}, {Mode::Square, false}, {Mode::Cross, true}, {Mode::Ring, false}, {Mode::Block, true}};
    for (const auto& c : cases)
        for (std::uint32_t number : {1u, 777u, 20261207u, 4000000000u}) {
            SCOPED_TRACE(std::string("seed ") + std::to_string(number) + ", mode " + ModeWord(c.mode) +
                         (c.advanced ? ", advanced" : ""));
            Rig t;
            t.game.SetAdvancedMode(c.advanced);
            Choose(t.game, c.mode);
            t.game.StartNumberedGame(number);
            int hints = 0;
            for (int turn = 0; turn < 400 && t.s().PlayState != kPlayOver; ++turn) {
                const std::int32_t before = t.s().Score;
                const bool undo = t.game.UndoAvailable();
                const TurnReport r = t.game.HintClick();
                ASSERT_TRUE(r.hinted) << "turn " << turn;
                ++hints;
                EXPECT_EQ(t.s().Score, before - kHintPrice);
                EXPECT_EQ(t.game.UndoAvailable(), undo) << "a hint neither gives nor takes the undo";
                EXPECT_EQ(t.s().HintsUsed, hints);
                EXPECT_FALSE(t.s().Blocked[static_cast<std::size_t>(r.hintFrom - 1)]);
                EXPECT_FALSE(t.s().Blocked[static_cast<std::size_t>(r.hintTo - 1)]);
                ASSERT_EQ(t.game.ImClick(r.hintFrom).result, CellClickResult::Selected) << "turn " << turn;
                ASSERT_EQ(t.game.ImClick(r.hintTo).result, CellClickResult::Moved) << "turn " << turn;
            }
            ASSERT_EQ(t.s().PlayState, kPlayOver);
            // The game over tells how many hints the game took; a hint after it does nothing and costs nothing.
            const std::int32_t final = t.s().Score;
            EXPECT_FALSE(t.game.HintClick().hinted);
            EXPECT_EQ(t.s().Score, final);
        }
}

TEST(Hint, NothingHappensWithoutAGameOrAMove) {
    Rig t;
    EXPECT_FALSE(t.game.HintClick().hinted) << "no game yet";
    EXPECT_EQ(t.s().Score, 0);

    // Five empty cells, every one of them blocked: no ball has anywhere to go.
    t.Running(Mode::Line, {"1212121212", "2121212121", "1212121212", "2121212121", "1212121212", "2121212121",
                           "1212121212", "2121212121", "1212121212", "21212....."});
    t.s().GameOpen = true;
    for (int col = 6; col <= 10; ++col) t.Block(CellIndex(10, col), true);
    const std::int32_t score = t.s().Score;
    EXPECT_FALSE(t.game.HintClick().hinted) << "every ball that could move is blocked";
    EXPECT_EQ(t.s().Score, score);
    EXPECT_EQ(t.s().HintsUsed, 0);

    t.game.finishClick();
    EXPECT_FALSE(t.game.HintClick().hinted) << "after the finish button";
}

// The hint count goes with the game: into the kept game, back from it, and into the report of its end.
TEST(Hint, TheCountIsKeptAndToldAtTheEnd) {
    Rig t;
    t.game.StartNumberedGame(42);
    t.game.HintClick();
    t.game.HintClick();
    const std::optional<KeptGame> kept = t.game.Keep();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->hints, 2);

    Rig u;
    std::string problem;
    ASSERT_TRUE(u.game.Resume(*kept, problem)) << problem;
    EXPECT_EQ(u.s().HintsUsed, 2);
    u.game.HintClick();
    const TurnReport& r = u.game.finishClick();
    ASSERT_TRUE(r.ended);
    EXPECT_EQ(r.ending.hints, 3);
    EXPECT_EQ(u.game.GstartClick().ended, false);
    EXPECT_EQ(u.s().HintsUsed, 0) << "a new game starts without hints";
}

} // namespace
} // namespace zv::kit
