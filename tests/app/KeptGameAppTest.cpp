// The running game kept at exit and shown again at the next start; a broken kept game; today's game and Ctrl+G.
#include <gtest/gtest.h>

#include <fstream>

#include "kit/AppFixture.h"
#include "app/NumberWindow.h"
#include "store/KeptGameFile.h"

namespace zv::test {
namespace {

TEST_F(AppTest, ARunningGameIsKeptAtExitAndGoesOnAtTheNextStart) {
    Start();
    form1->Gstart->Activate();
    for (int n = 1; n <= 100 && S().MoveCount < 3; ++n)
        if (S().Board.cells[static_cast<std::size_t>(n - 1)] != 0) {
            form1->im[static_cast<std::size_t>(n - 1)]->Activate();
            for (int to = 100; to >= 1; --to)
                if (S().Board.cells[static_cast<std::size_t>(to - 1)] == 0) {
                    form1->im[static_cast<std::size_t>(to - 1)]->Activate();
                    break;
                }
        }
    ASSERT_GT(S().MoveCount, 0);
    const std::optional<KeptGame> before = form1->Engine().Keep();
    const std::size_t rows = program->Book().Table(Mode::Line).size();
    program->Exit();
    EXPECT_EQ(program->Book().Table(Mode::Line).size(), rows) << "a kept game counted as ended";

    Start();
    EXPECT_EQ(form1->Engine().Keep(), before);
    EXPECT_FALSE(form1->Engine().ModeSelectorsEnabled());
    EXPECT_EQ(form1->Label1->Caption(), std::to_string(before->score));
    // Abandoned, it is gone for good: the next start is empty.
    form1->finish->Activate();
    EXPECT_FALSE(std::filesystem::exists(store::KeptGamePath(services.dataDir)));
    program->Exit();
    Start();
    EXPECT_FALSE(form1->Engine().Keep());
}

TEST_F(AppTest, ABrokenOrImpossibleKeptGameIsReportedOncePutAsideAndTheGameStartsEmpty) {
    KeptGame over;
    over.next = {1, 2, 3, 4};
    over.board.cells.fill(3);
    for (const std::string& content : {std::string("zorvex kept game\nnumber 1\n"), store::FormatKeptGame(over)}) {
        std::filesystem::create_directories(services.dataDir);
        std::ofstream(store::KeptGamePath(services.dataDir)) << content;
        boxes.shown.clear();
        Start();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find(store::KeptGamePath(services.dataDir) + ": "), std::string::npos) << boxes.shown[0].text;
        EXPECT_NE(boxes.shown[0].text.find(".broken"), std::string::npos) << boxes.shown[0].text;
        EXPECT_TRUE(form1->Engine().ModeSelectorsEnabled());
        EXPECT_FALSE(form1->Engine().Keep());
        std::filesystem::remove_all(services.dataDir);
    }
}

TEST_F(AppTest, CtrlDDealsTodaysGameTheSameForEveryPlayerThatDay) {
    Start();
    form1->Window().OnKeyDown(SDLK_d, KMOD_LCTRL);
    EXPECT_EQ(form1->Engine().GameNumber(), DateGameNumber(clock.Local().year, clock.Local().month, clock.Local().day));
    const Grid first = S().Board;
    clock.Set({23, 59, 59, 999});
    form1->Window().OnKeyDown(SDLK_d, KMOD_LCTRL);
    EXPECT_EQ(S().Board, first);
}

TEST(GameNumberOf, TakesTheWholeThirtyTwoBitRangeAndNothingElse) {
    const struct {
        const char* typed;
        std::optional<std::uint32_t> number;
    } cases[] = {{"0", 0u}, {"007", 7u}, {"4294967295", 4294967295u}, {"4294967296", std::nullopt},
                 {"", std::nullopt}, {"12a", std::nullopt}, {"99999999999", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(app::GameNumberOf(c.typed), c.number) << c.typed;
}

TEST_F(AppTest, CtrlGDealsTheTypedNumberByKeysOrMouseAndTheSameNumberTheSameGame) {
    Start();
    app::TFormNumber& w = program->NumberWindow();
    form1->Window().OnKeyDown(SDLK_g, KMOD_LCTRL);
    EXPECT_EQ(w.Running->Caption(), "") << "a number told before any game";
    w.Window().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
    form1->Gstart->Activate();
    auto type = [&](const char* keys) {
        form1->Window().OnKeyDown(SDLK_g, KMOD_LCTRL);
        EXPECT_NE(w.Running->Caption().find(std::to_string(form1->Engine().GameNumber())), std::string::npos);
        for (const char* k = keys; *k; ++k) w.Window().OnKeyDown(*k == '<' ? SDLK_BACKSPACE : SDLK_0 + (*k - '0'), KMOD_NONE);
    };
    type("12345");
    w.Window().OnKeyDown(SDLK_RETURN, KMOD_NONE);
    EXPECT_EQ(form1->Engine().GameNumber(), 12345u);
    EXPECT_FALSE(form1->Engine().ModeSelectorsEnabled());
    const Grid first = S().Board;
    program->ShowRules(); // where a player reads the number to share it
    EXPECT_NE(program->RulesWindow().GameNumberLine->Caption().find("12345"), std::string::npos);

    form1->Gstart->Activate();
    EXPECT_EQ(program->RulesWindow().GameNumberLine->Caption().find("12345"), std::string::npos) << "the old number stayed";
    type("123459<");
    ClickCentre(w.Window(), *w.Play);
    EXPECT_EQ(S().Board, first);

    type("99999999999"); // one digit too many is not taken; the ten left are too large
    EXPECT_EQ(w.Typed(), "9999999999");
    w.Window().OnKeyDown(SDLK_RETURN, KMOD_NONE);
    EXPECT_EQ(S().Board, first) << "a number too large dealt a game";
    w.Window().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
    EXPECT_EQ(S().Board, first);
}

} // namespace
} // namespace zv::test
