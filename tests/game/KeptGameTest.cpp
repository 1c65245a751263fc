// Numbered games deal and draw the same game again; a kept game goes on exactly where it stopped.
#include <gtest/gtest.h>

#include "kit/Rig.h"

namespace zv::kit {
namespace {

// The same moves whatever the board: the first ball to the last empty cell, n times.
void Play(Rig& t, int n) {
    for (int k = 0; k < n && t.s().PlayState != kPlayOver; ++k) {
        int ball = 0, empty = 0;
        for (int i = 1; i <= kCells; ++i) {
            const ColourCode v = t.s().Board.cells[static_cast<std::size_t>(i - 1)];
            if (v != 0 && !ball && !t.s().Blocked[static_cast<std::size_t>(i - 1)]) ball = i;
            if (v == 0 && !t.s().Blocked[static_cast<std::size_t>(i - 1)]) empty = i;
        }
        t.game.ImClick(ball);
        t.game.ImClick(empty);
    }
}

struct Played {
    Grid board;
    std::array<ColourCode, 4> next;
    std::array<bool, kCells> blocked;
    std::int32_t score;
    friend bool operator==(const Played&, const Played&) = default;
};

Played PlayNumber(std::uint32_t number, Mode mode, bool advanced, int moves, TimeOfDay clock) {
    Rig t;
    t.clock.now = clock; // the clock must not matter to a numbered game
    t.game.SetAdvancedMode(advanced);
    t.game.Rng().Seed(clock.millisecond); // nor what was drawn before it
    void (Game::*choose[])() = {&Game::lineClick, &Game::cubeClick, &Game::crossClick, &Game::ringClick, &Game::cornerClick};
    (t.game.*choose[static_cast<int>(mode)])();
    t.game.StartNumberedGame(number);
    Play(t, moves);
    return {t.s().Board, t.s().NextBalls, t.s().Blocked, t.s().Score};
}

TEST(NumberedGame, ANumberDealsAndDrawsTheSameGameAndOtherNumbersDiffer) {
    const struct {
        std::uint32_t number, other;
        Mode mode;
        bool advanced;
    } cases[] = {
        {0, 1, Mode::Line, false},
        {20261207, 20261208, Mode::Block, true},
        {4294967295u, 4294967294u, Mode::Ring, true},
    };
    for (const auto& c : cases) {
        const Played once = PlayNumber(c.number, c.mode, c.advanced, 30, {1, 2, 3, 4});
        EXPECT_EQ(PlayNumber(c.number, c.mode, c.advanced, 30, {9, 8, 7, 6}), once) << c.number;
        EXPECT_NE(PlayNumber(c.other, c.mode, c.advanced, 30, {1, 2, 3, 4}), once) << c.number;
        EXPECT_FALSE(PlayNumber(c.number, c.mode, c.advanced, 0, {1, 2, 3, 4}) ==
                     PlayNumber(c.other, c.mode, c.advanced, 0, {1, 2, 3, 4}))
            << "the deals of " << c.number << " and " << c.other << " are alike";
    }
}

TEST(NumberedGame, TheClocksGameIsNumberedByItsSeedAndDealsAgainFromIt) {
    Rig t;
    t.clock.now = {13, 45, 10, 250};
    t.game.SetAdvancedMode(true);
    t.game.GstartClick();
    EXPECT_EQ(t.game.GameNumber(), ClockGameNumber(t.clock.now));
    EXPECT_EQ(t.game.GameNumber(), 49510250u);
    const Grid board = t.s().Board;
    const auto blocked = t.s().Blocked;
    t.clock.now = {0, 0, 0, 1};
    t.game.StartNumberedGame(49510250u);
    EXPECT_EQ(t.s().Board, board);
    EXPECT_EQ(t.s().Blocked, blocked);
    EXPECT_EQ(DateGameNumber(2026, 12, 7), 20261207u);
}

TEST(KeptGame, GoesOnExactlyWhereItStoppedDrawsIncluded) {
    Rig a;
    a.game.SetAdvancedMode(true);
    a.game.cornerClick();
    a.game.StartNumberedGame(777);
    Play(a, 12);
    ASSERT_GT(a.s().MoveCount, 5);
    const std::optional<KeptGame> kept = a.game.Keep();
    ASSERT_TRUE(kept);

    Rig b;
    b.game.SetAdvancedMode(true);
    std::string problem;
    ASSERT_TRUE(b.game.Resume(*kept, problem)) << problem;
    EXPECT_EQ(b.game.Keep(), kept);
    EXPECT_EQ(b.s().GameMode, "block");
    EXPECT_FALSE(b.view.selectorsEnabled);
    EXPECT_EQ(b.game.UndoAvailable(), a.game.UndoAvailable());
    EXPECT_EQ(b.game.GameNumber(), 777u);
    Rig c; // the next ten draws match
    c.game.Resume(*kept, problem);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(c.game.Rng()(1000000), a.game.Rng()(1000000)) << "draw " << i;
    a.game.Rng().SetState(kept->random);
    Play(a, 20);
    Play(b, 20);
    EXPECT_EQ(b.s().Board, a.s().Board);
    EXPECT_EQ(b.s().Score, a.s().Score);
    EXPECT_EQ(b.s().MoveCount, a.s().MoveCount);
}

TEST(KeptGame, OnlyARunningGameIsKeptAndAnImpossibleOneIsRefused) {
    Rig t;
    EXPECT_FALSE(t.game.Keep()); // before any game
    t.game.StartNumberedGame(5);
    ASSERT_TRUE(t.game.Keep());
    t.game.finishClick();
    EXPECT_FALSE(t.game.Keep());

    KeptGame good;
    good.next = {1, 2, 3, 4};
    KeptGame full = good, colour = good, preview = good;
    full.board.cells.fill(1);
    for (int i = 0; i < 5; ++i) full.board.cells[static_cast<std::size_t>(i)] = 0; // five empty: still a game
    KeptGame over = full;
    over.board.cells[0] = 2;
    colour.undoBoard.cells[7] = 9;
    preview.next[3] = 0;
    const struct {
        const KeptGame* game;
        const char* reason; // nullptr: taken
    } cases[] = {{&good, nullptr}, {&full, nullptr}, {&over, "that game is over"}, {&colour, "undo board"}, {&preview, "preview"}};
    for (const auto& c : cases) {
        Rig r;
        std::string problem;
        EXPECT_EQ(r.game.Resume(*c.game, problem), c.reason == nullptr) << problem;
        if (c.reason) {
            EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
            EXPECT_TRUE(r.view.selectorsEnabled) << "a refused game changed the window";
        }
    }
}

// A set position and a kept game are taken up alike: the window shows the game as it stands, with nothing of the
// game before left selected, blocked or bannered.
TEST(KeptGame, APositionAndAKeptGameAreShownAlike) {
    Grid board;
    board.cells.fill(0);
    board.cells[0] = 3;
    board.cells[44] = 5;
    const std::array<ColourCode, 4> next{6, 5, 4, 3};
    Position position;
    position.mode = Mode::Ring;
    position.board = board;
    position.next = next;
    position.score = 57;
    KeptGame kept;
    kept.mode = Mode::Ring;
    kept.board = board;
    kept.next = next;
    kept.score = 57;
    const struct {
        const char* how;
        void (*takeUp)(Game&, const Position&, const KeptGame&);
    } ways[] = {{"position", [](Game& g, const Position& p, const KeptGame&) { g.SetPosition(p); }},
                {"kept game", [](Game& g, const Position&, const KeptGame& k) {
                     std::string problem;
                     ASSERT_TRUE(g.Resume(k, problem)) << problem;
                 }}};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        Rig r;
        r.game.SetAdvancedMode(true);
        r.game.StartNumberedGame(31);
        for (int i = 1; i <= kCells && r.s().PlayState == kPlayIdle; ++i)
            if (r.s().Board.cells[static_cast<std::size_t>(i - 1)] != 0) r.game.ImClick(i);
        ASSERT_NE(r.s().PlayState, kPlayIdle) << "a ball is selected before";
        ASSERT_GT(r.view.BlockedCount(), 0);
        r.view.bannerVisible = true;
        w.takeUp(r.game, position, kept);
        EXPECT_EQ(r.s().GameMode, "ring");
        EXPECT_EQ(r.view.marked, Mode::Ring);
        EXPECT_FALSE(r.view.selectorsEnabled);
        EXPECT_FALSE(r.view.bannerVisible);
        EXPECT_EQ(r.view.scoreText, "57");
        EXPECT_EQ(r.view.BlockedCount(), 0);
        EXPECT_EQ(r.view.HighlightCount(), 0);
        EXPECT_EQ(r.s().Board, board);
        EXPECT_EQ(r.s().MoveSnapshot, board);
        EXPECT_EQ(r.s().NextBalls, next);
        EXPECT_EQ(r.s().ScoreBeforeMove, 57);
        EXPECT_EQ(r.s().PlayState, kPlayIdle);
        EXPECT_TRUE(r.s().GameOpen);
    }
}

} // namespace
} // namespace zv::kit
