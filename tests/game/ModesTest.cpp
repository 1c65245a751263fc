// The mode table: every row complete, nothing a player or a file tells modes apart by repeats, and the
// figures the rules window shows score what it says they do.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/Game.h"
#include "game/Modes.h"

namespace zv {
namespace {

TEST(ModeTable, RowsAreCompleteAndInTheOrderOfTheModes) {
    for (int i = 0; i < kModeCount; ++i) {
        const ModeRow& m = Modes()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<int>(m.mode), i);
        EXPECT_EQ(&ModeOf(m.mode), &m);
        for (const char* text : {m.word, m.recordFile, m.name, m.selector, m.radio}) {
            ASSERT_NE(text, nullptr);
            EXPECT_STRNE(text, "");
        }
        EXPECT_NE(m.key, '\0');
        EXPECT_NE(m.click, nullptr);
        EXPECT_NE(m.scan, nullptr);
        EXPECT_FALSE(m.figures.empty());
    }
}

TEST(ModeTable, WordsFilesKeysControlsAndNamesAreUnique) {
    std::set<std::string> seen;
    std::size_t expected = 0;
    for (const ModeRow& m : Modes()) {
        // One namespace for all of them: a record file named like a control would be as wrong as two equal words.
        for (const std::string& text : {std::string("word:") + m.word, std::string("file:") + m.recordFile,
                                        std::string("name:") + m.name, std::string("key:") + m.key,
                                        std::string("control:") + m.selector, std::string("control:") + m.radio}) {
            EXPECT_TRUE(seen.insert(text).second) << text << " repeats";
            ++expected;
        }
        for (const ShownFigure& f : m.figures) {
            EXPECT_TRUE(seen.insert(std::string("control:") + f.control).second) << f.control << " repeats";
            ++expected;
        }
    }
    EXPECT_EQ(seen.size(), expected);
}

TEST(ModeTable, WordsReadBackExactly) {
    for (const ModeRow& row : Modes()) {
        Mode m = Mode::Line;
        ASSERT_TRUE(ModeFromWord(row.word, m)) << row.word;
        EXPECT_EQ(m, row.mode);
        EXPECT_STREQ(ModeWord(row.mode), row.word);
    }
    Mode m;
    for (const char* notAMode : {"Block", "", "line ", "cross"}) EXPECT_FALSE(ModeFromWord(notAMode, m)) << notAMode;
    EXPECT_STREQ(ModeWord(static_cast<Mode>(kModeCount)), "");
    EXPECT_EQ(ModeWordList(), "line, square, blok, ring, block");
}

// Each figure drawn in the rules window, alone on a board, is taken whole by its mode's scan for the points shown.
TEST(ModeTable, ShownFiguresScoreTheirPoints) {
    for (const ModeRow& row : Modes())
        for (const ShownFigure& f : row.figures) {
            SCOPED_TRACE(f.control);
            ASSERT_EQ(std::string(f.shape).size(), static_cast<std::size_t>(f.rows * f.cols));
            GameState s;
            Tally tally;
            int balls = 0;
            for (int r = 0; r < f.rows; ++r)
                for (int c = 0; c < f.cols; ++c)
                    if (f.shape[r * f.cols + c] == '#') {
                        s.Board.at(3 + r, 3 + c) = f.colour;
                        ++balls;
                    }
            // Every ball counts as newly placed, as the block scan asks.
            s.MoveSnapshot.clear();
            ScanTarget target{s, tally};
            row.scan(target);
            EXPECT_EQ(s.Score, f.points);
            EXPECT_EQ(tally.ballsRemoved, balls);
            EXPECT_EQ(s.Board, Grid{});
            EXPECT_EQ(s.FiguresRemoved, 1);
        }
}

} // namespace
} // namespace zv
