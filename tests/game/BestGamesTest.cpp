// The ranking of the best games, and the rules telling of each finished game exactly once.
#include <gtest/gtest.h>

#include "game/BestGames.h"
#include "kit/Rig.h"

namespace zv::kit {
namespace {

BestGame At(std::int32_t score, int day, int hour = 12) {
    BestGame g;
    g.score = score;
    g.when = {2026, 3, day, hour, 0, 0};
    g.player = "p" + std::to_string(score) + "/" + std::to_string(day);
    return g;
}

TEST(Ranking, HigherScoreFirstThenTheEarlierGame) {
    BestTable t;
    EXPECT_EQ(EnterGame(t, At(50, 5)), 0);
    EXPECT_EQ(EnterGame(t, At(80, 6)), 0);
    EXPECT_EQ(EnterGame(t, At(50, 4)), 1); // earlier than the other 50
    EXPECT_EQ(EnterGame(t, At(50, 9)), 3);
    EXPECT_EQ(EnterGame(t, At(-3, 9)), 4); // a table with room takes any game
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].score, 80);
    EXPECT_EQ(t[1].when.day, 4);
    EXPECT_EQ(t[2].when.day, 5);
    EXPECT_EQ(t[3].when.day, 9);
    EXPECT_TRUE(InRankingOrder(t));
    std::swap(t[1], t[2]);
    EXPECT_FALSE(InRankingOrder(t));
}

TEST(Ranking, AFullTableTakesOnlyAGameThatBeatsTheTenth) {
    BestTable t;
    for (int i = 0; i < 10; ++i) EnterGame(t, At(100 - 10 * i, 1)); // 100 .. 10
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(EnterGame(t, At(10, 2)), -1); // ties the tenth but is later
    EXPECT_EQ(EnterGame(t, At(5, 2)), -1);
    EXPECT_EQ(t.back().score, 10);
    EXPECT_EQ(EnterGame(t, At(10, 1, 11)), 9); // ties the tenth and is earlier: beats it
    EXPECT_EQ(t.back().when.hour, 11);
    EXPECT_EQ(EnterGame(t, At(1000, 3)), 0);
    EXPECT_EQ(t.size(), 10u);
    EXPECT_EQ(t.back().score, 20);
    // The same game twice (same score, same second) keeps the one there first above.
    BestGame twin = t[3];
    twin.player = "twin";
    EXPECT_EQ(EnterGame(t, twin), 4);
    EXPECT_EQ(t[4].player, "twin");
}

// A game whose reports pass through a log, in line mode.
struct LogRig : Rig {
    EndingLog log;
    // Plays moves into empty neighbours until some moves have been made or the game ends.
    void PlayMoves(int moves) {
        for (int made = 0; made < moves && s().PlayState != kPlayOver;) {
            bool moved = false;
            for (int n = 1; n <= kCells && !moved; ++n) {
                const CellPos c = CellOf(n);
                if (s().Board.at(c.row, c.col) == 0 || s().Blocked[static_cast<std::size_t>(n - 1)]) continue;
                const CellPos to[4] = {{c.row, c.col + 1}, {c.row + 1, c.col}, {c.row, c.col - 1}, {c.row - 1, c.col}};
                for (const CellPos& d : to) {
                    const int dn = CellIndex(d.row, d.col);
                    if (!OnBoard(d) || s().Board.at(d.row, d.col) != 0 || s().Blocked[static_cast<std::size_t>(dn - 1)]) continue;
                    log(game.ImClick(n));
                    if (log(game.ImClick(dn)).result == CellClickResult::Moved) {
                        moved = true;
                        ++made;
                    }
                    break;
                }
            }
            if (!moved) return;
        }
    }
    // Fills the board but for four cells, so the next redraw declares game over.
    void FillAllButFour() {
        for (int n = 5; n <= kCells; ++n) s().Board.cells[static_cast<std::size_t>(n - 1)] = 1 + n % 6;
        for (int n = 1; n <= 4; ++n) s().Board.cells[static_cast<std::size_t>(n - 1)] = 0;
    }
};

TEST(GameLog, GameOverIsReportedOnceThoughEveryRedrawRepeatsIt) {
    LogRig t;
    t.game.cubeClick();
    t.log(t.game.GstartClick());
    t.PlayMoves(3);
    ASSERT_EQ(t.s().MoveCount, 3);
    t.s().Score = 42;
    t.FillAllButFour();
    t.game.RedrawBoard();
    t.log(t.game.LastReport());
    ASSERT_EQ(t.s().PlayState, kPlayOver);
    t.log(t.Click(10, 10)); // a click on a finished game only redraws, and repeats the game over
    t.log(t.game.finishClick()); // finishing a game that is already over reports nothing more
    t.log(t.game.GstartClick());
    ASSERT_EQ(t.log.games.size(), 1u);
    const GameEnding& g = t.log.games[0];
    EXPECT_EQ(g.mode, Mode::Square);
    EXPECT_EQ(g.score, 42);
    EXPECT_EQ(g.moves, 3);
    EXPECT_FALSE(g.advanced);
    EXPECT_EQ(g.how, GameEnd::Over);
}

TEST(GameLog, TheFinishButtonReportsTheGameWithItsScoreOnce) {
    LogRig t;
    t.log(t.game.GstartClick());
    t.PlayMoves(2);
    t.s().Score = 7;
    t.log(t.game.finishClick());
    t.log(t.game.finishClick());
    ASSERT_EQ(t.log.games.size(), 1u);
    EXPECT_EQ(t.log.games[0].score, 7);
    EXPECT_EQ(t.log.games[0].moves, 2);
    EXPECT_EQ(t.log.games[0].how, GameEnd::Finished);
    // Finishing before any game, or a game without points, still tells of a started game only.
    LogRig fresh;
    fresh.log(fresh.game.finishClick());
    EXPECT_TRUE(fresh.log.games.empty());
    fresh.log(fresh.game.GstartClick());
    fresh.log(fresh.game.finishClick());
    ASSERT_EQ(fresh.log.games.size(), 1u);
    EXPECT_EQ(fresh.log.games[0].score, 0);
}

TEST(GameLog, ANewGameReportsTheOneItReplacesOnlyWhenItScored) {
    LogRig t;
    t.log(t.game.GstartClick());
    t.PlayMoves(1);
    t.log(t.game.GstartClick()); // no points: dropped
    EXPECT_TRUE(t.log.games.empty());
    t.s().Score = 15;
    t.log(t.game.GstartClick());
    ASSERT_EQ(t.log.games.size(), 1u);
    EXPECT_EQ(t.log.games[0].score, 15);
    EXPECT_EQ(t.log.games[0].moves, 0); // the count starts again with every game
    EXPECT_EQ(t.log.games[0].how, GameEnd::Replaced);
    t.s().Score = -3;
    t.log(t.game.GstartClick());
    EXPECT_EQ(t.log.games.size(), 1u);
}

TEST(GameLog, AnUndoTakesItsMoveBackAndAdvancedMustLastTheWholeGame) {
    LogRig t;
    t.game.SetAdvancedMode(true);
    t.log(t.game.GstartClick());
    t.PlayMoves(2);
    ASSERT_EQ(t.s().MoveCount, 2);
    const std::int32_t scoreBefore = t.s().Score;
    t.log(t.game.TurnBackClick());
    ASSERT_EQ(t.s().Score, scoreBefore - 3);
    EXPECT_EQ(t.s().MoveCount, 1);
    t.s().Score = 9;
    t.log(t.game.finishClick());
    ASSERT_EQ(t.log.games.size(), 1u);
    EXPECT_TRUE(t.log.games[0].advanced);

    t.log(t.game.GstartClick());
    t.game.SetAdvancedMode(false);
    t.game.SetAdvancedMode(true);
    t.s().Score = 9;
    t.log(t.game.finishClick());
    ASSERT_EQ(t.log.games.size(), 2u);
    EXPECT_FALSE(t.log.games[1].advanced);
}

} // namespace
} // namespace zv::kit
