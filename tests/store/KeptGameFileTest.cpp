// The kept-game file: an exact round trip, the refusals with the line they name, saving and forgetting.
#include <gtest/gtest.h>

#include "store/KeptGameFile.h"
#include "kit/TempDir.h"

namespace zv::store {
namespace {

KeptGame Sample() {
    KeptGame g;
    g.number = 4294967295u;
    g.mode = Mode::Cross;
    g.score = -3;
    g.moves = 17;
    g.advanced = true;
    g.undo = true;
    g.random = 0xFEDCBA9876543210ULL;
    g.next = {6, 1, 2, 5};
    for (int i = 0; i < kCells; ++i) {
        g.board.cells[static_cast<std::size_t>(i)] = i % 7;
        g.undoBoard.cells[static_cast<std::size_t>(i)] = (i * 3) % 7;
    }
    g.blocked[0] = g.blocked[99] = g.blocked[42] = true;
    return g;
}

TEST(KeptGameFile, RoundTripsEveryFieldAlsoWithCrLf) {
    KeptGame hinted = Sample();
    hinted.hints = 12;
    for (const KeptGame& g : {Sample(), hinted}) {
    const std::string text = FormatKeptGame(g);
    // A game without hints is written as it was before there were hints, so older copies read it.
    EXPECT_EQ(text.find("hints"), g.hints ? text.find("undo yes\nhints 12\n") + 9 : std::string::npos);
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& content : {text, crlf, text.substr(0, text.size() - 1)}) {
        KeptGame back;
        std::string problem;
        ASSERT_TRUE(ParseKeptGame(content, back, problem)) << problem;
        EXPECT_EQ(back, g);
    }
    }
}

TEST(KeptGameFile, RefusesWhatTheWriterNeverWrites) {
    const std::string good = FormatKeptGame(Sample());
    auto with = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    const struct {
        std::string content;
        const char* reason;
    } cases[] = {
        {"", "the file is empty"},
        {std::string(kMaxKeptGameFileSize + 1, 'x'), "larger than"},
        {with("zorvex kept game", "zorvex kept gam"), "line 1:"},
        {with("number 4294967295", "number 4294967296"), "line 2: the game number"},
        {with("number 4294967295", "number 01"), "line 2:"},
        {with("mode blok", "mode Blok"), "line 3: the mode"},
        {with("undo yes\n", "undo yes\nhints 0\n"), "line 8: the hint count"},
        {with("undo yes\n", "undo yes\nhints x\n"), "line 8: the hint count"},
        {with("undo yes\n", "undo yes\nhints\n"), "line 8: \"hints ...\" expected"},
        {with("score -3", "score -0"), "line 4:"},
        {with("moves 17", "moves -1"), "line 5:"},
        {with("undo yes", "undo 1"), "line 7: the undo flag"},
        {with("random fedcba9876543210", "random FEDCBA9876543210"), "line 8:"},
        {with("next 6 1 2 5", "next 6 1 2 7"), "line 9: the preview"},
        {with("board\n0123456012", "board\n0123456712"), "line 11:"},
        {with("blocked\n#", "blocked\n0"), "line 33:"},
        {good.substr(0, good.size() - 12), "ends inside \"blocked\""},
        {good + "\n", "more lines"},
    };
    for (const auto& c : cases) {
        KeptGame out;
        std::string problem;
        EXPECT_FALSE(ParseKeptGame(c.content, out, problem)) << c.reason;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
        EXPECT_EQ(out, KeptGame{});
    }
}

// A broken file is put aside as every format's is (FileDisciplineTest); here the round trip through the directory.
TEST(KeptGameFile, ASavedGameLoadsBackAndAForgottenOneIsGone) {
    kit::TempDir dir;
    EXPECT_FALSE(LoadKeptGame(dir.path()).game);
    EXPECT_TRUE(LoadKeptGame(dir.path()).error.empty()); // no file is no error
    SaveKeptGame(dir.path(), Sample());
    EXPECT_EQ(LoadKeptGame(dir.path()).game, Sample());
    ForgetKeptGame(dir.path());
    EXPECT_TRUE(dir.Names().empty());
    ForgetKeptGame(dir.path()); // gone already: fine
}

} // namespace
} // namespace zv::store
