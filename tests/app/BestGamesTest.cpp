// The best-games window headless: how it opens, its tabs and marked row, Escape, and the file behind it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/BestGamesWindow.h"
#include "kit/AppFixture.h"
#include "store/BestGamesFile.h"
#include "store/StatisticsFile.h"

namespace zv::test {
namespace {

class BestGamesTest : public AppTest {
protected:
    void StartAll() {
        Start();
        best = &program->BestGames();
    }
    void Restart() {
        program->Exit();
        later.clear(); // work the old window left for after its frame goes with it
        StartAll();
    }
    // A game of the checked mode with a score, ended by filling the board.
    void PlayToGameOver(std::int32_t score) {
        ClickCentre(form1->Window(), *form1->Gstart);
        S().Score = score;
        S().MoveCount = 12;
        for (auto& c : S().Board.cells) c = 2;
        ClickCell(1); // the click's redraw finds the board full

        ASSERT_EQ(S().PlayState, kPlayOver);
    }
    void PlayToFinish(std::int32_t score) {
        ClickCentre(form1->Window(), *form1->Gstart);
        S().Score = score;
        ClickCentre(form1->Window(), *form1->finish);
    }
    std::string BestFile() { return store::BestGamesPath(services.dataDir); }
    std::string Caption(std::size_t row, std::size_t col) { return best->cell[row][col]->Caption(); }

    app::TBestGames* best = nullptr;
};

TEST_F(BestGamesTest, OpensByTheRecordNumberTheRecordPlateAndF3) {
    StartAll();
    ui::Form& f = form1->Window();
    // The record number is a label, which never blocks dragging; with a click of its own it takes the press.
    const SDL_Rect number = form1->label2->ScreenBounds();
    EXPECT_FALSE(f.IsDragPoint(number.x + number.w / 2, number.y + number.h / 2));
    for (ui::Label* t : best->tab) {
        const SDL_Rect r = t->ScreenBounds();
        EXPECT_FALSE(best->Window().IsDragPoint(r.x + r.w / 2, r.y + r.h / 2)) << t->Caption();
    }
    EXPECT_TRUE(best->Window().IsDragPoint(30, 20)); // its heading drags the window
    ClickCentre(f, *form1->label2);
    EXPECT_TRUE(bestGamesShown);
    EXPECT_EQ(best->ShownMode(), Mode::Line);
    bestGamesShown = false;

    // The plate around the number, away from it: its heading and its lower edge.
    const SDL_Rect plate = form1->recordArea->ScreenBounds();
    for (const SDL_Point p : {SDL_Point{plate.x + 49, plate.y + 10}, SDL_Point{plate.x + 5, plate.y + plate.h - 4}}) {
        ASSERT_EQ(f.ControlAt(p.x, p.y), form1->recordArea);
        f.ClickAt(p.x, p.y);
        EXPECT_TRUE(bestGamesShown);
        bestGamesShown = false;
    }
    // Just outside the plate nothing opens.
    f.ClickAt(plate.x + plate.w + 2, plate.y + 10);
    EXPECT_FALSE(bestGamesShown);

    // The mode shown is the one of the game played, else the one chosen.
    ClickCentre(f, *form1->Selector(Mode::Ring));
    ASSERT_TRUE(f.OnKeyDown);
    f.OnKeyDown(SDLK_F3, KMOD_NONE);
    EXPECT_EQ(best->ShownMode(), Mode::Ring);
    ClickCentre(f, *form1->Gstart);
    ClickCentre(f, *form1->finish);
    ClickCentre(f, *form1->Selector(Mode::Square));
    bestGamesShown = false;
    f.OnKeyDown(SDLK_F4, KMOD_NONE);
    f.OnKeyDown(SDLK_F3, KMOD_LCTRL);
    EXPECT_FALSE(bestGamesShown);
    f.OnKeyDown(SDLK_F3, KMOD_NONE);
    EXPECT_TRUE(bestGamesShown);
    EXPECT_EQ(best->ShownMode(), Mode::Ring);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BestGamesTest, AGameOverThatEntersOpensTheTableWithItsRowMarkedAndWritesAfterTheFrame) {
    StartAll();
    PlayToFinish(80);
    PlayToFinish(20);
    RunLater();
    bestGamesShown = false;
    clock.date = {2026, 6, 1, 21, 5, 9};
    PlayToGameOver(50);
    EXPECT_TRUE(bestGamesShown);
    EXPECT_EQ(best->ShownMode(), Mode::Line);
    EXPECT_TRUE(form1->Label5->Visible()); // the banner stays; the window lies over it
    // The file waits for the frame; the table already shows the game.
    EXPECT_EQ(ReadFile(BestFile()).find("\t50\t"), std::string::npos);
    EXPECT_EQ(Caption(1, 1), "50");
    EXPECT_EQ(Caption(1, 2), "01.06.2026 21:05");
    EXPECT_EQ(Caption(1, 3), "12");
    EXPECT_EQ(Caption(1, 4), "нет");
    EXPECT_EQ(Caption(1, 5), "Игрок Тестовый");
    EXPECT_EQ(Caption(3, 1), "");
    EXPECT_EQ(Caption(3, 0), "4");
    ASSERT_TRUE(best->mark->Visible());
    EXPECT_EQ(best->mark->Top() + 2, best->cell[1][0]->Top());
    ASSERT_EQ(later.size(), 1u);
    RunLater();
    EXPECT_NE(ReadFile(BestFile()).find("line\t50\t2026-06-01 21:05:09\t12\tna\tИгрок Тестовый\r\n"), std::string::npos);

    // The tabs: another mode's table is empty and marks nothing; back again the mark returns.
    ClickCentre(best->Window(), *best->tab[3]);
    EXPECT_EQ(best->ShownMode(), Mode::Ring);
    EXPECT_FALSE(best->mark->Visible());
    EXPECT_EQ(Caption(0, 1), "");
    best->Window().OnKeyDown(SDLK_LEFT, KMOD_NONE);
    EXPECT_EQ(best->ShownMode(), Mode::Cross);
    ClickCentre(best->Window(), *best->tab[0]);
    EXPECT_TRUE(best->mark->Visible());

    // Escape and the close button close it; other keys do nothing.
    best->Window().OnKeyDown(SDLK_a, KMOD_NONE);
    EXPECT_TRUE(bestGamesShown);
    best->Window().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
    EXPECT_FALSE(bestGamesShown);
    bestGamesShown = true;
    ClickCentre(best->Window(), *best->BestClose);
    EXPECT_FALSE(bestGamesShown);

    // Clicks on the finished game repeat the game over but not the entry.
    ClickCell(50);
    ClickCell(50);
    EXPECT_EQ(program->Book().Table(Mode::Line).size(), 3u);
    EXPECT_FALSE(bestGamesShown);
}

// The table is built when it is first asked for: the games that entered it before are in it, the new one marked.
TEST_F(BestGamesTest, ATableFirstAskedForAfterGamesEnteredItShowsThem) {
    Start();
    PlayToFinish(80);
    PlayToGameOver(50);
    ASSERT_TRUE(bestGamesShown);
    best = &program->BestGames();
    EXPECT_EQ(Caption(0, 1), "80");
    EXPECT_EQ(Caption(1, 1), "50");
    ASSERT_TRUE(best->mark->Visible());
    EXPECT_EQ(best->mark->Top() + 2, best->cell[1][0]->Top());
}

TEST_F(BestGamesTest, OnlyAGameOverOpensTheWindowAndAGameThatDoesNotBeatTheTenthChangesNothing) {
    StartAll();
    for (int i = 0; i < 10; ++i) PlayToFinish(100 + i);
    EXPECT_FALSE(bestGamesShown);
    EXPECT_EQ(later.size(), 1u) << "one write after the frame, however many games entered";
    RunLater();
    const std::string written = ReadFile(BestFile());
    EXPECT_EQ(program->Book().MarkedRow(Mode::Line), 0);
    PlayToGameOver(100); // ties the tenth, later: does not enter
    EXPECT_FALSE(bestGamesShown);
    EXPECT_EQ(program->Book().MarkedRow(Mode::Line), -1);
    EXPECT_FALSE(best->mark->Visible());
    // The game still counts in the statistics, whose write follows the frame; the table's file stays as it was.
    EXPECT_EQ(later.size(), 1u);
    RunLater();
    EXPECT_EQ(ReadFile(BestFile()), written);
    // A new game replacing one with points counts; the replaced game is the marked one.
    ClickCentre(form1->Window(), *form1->Gstart);
    S().Score = 105;
    ClickCentre(form1->Window(), *form1->Gstart);
    EXPECT_EQ(program->Book().MarkedRow(Mode::Line), 5);
    EXPECT_FALSE(bestGamesShown);
    // At exit the pending write is made without waiting for another frame.
    program->Exit();
    EXPECT_NE(ReadFile(BestFile()), written);
    EXPECT_NE(ReadFile(BestFile()).find("\t105\t"), std::string::npos);
}

TEST_F(BestGamesTest, AGameWithoutAPointNeverEntersHoweverItEnds) {
    StartAll();
    const struct { const char* how; std::function<void()> play; } ends[] = {
        {"finish at once", [this] { PlayToFinish(0); }},
        {"finish after an undo", [this] { PlayToFinish(-3); }},
        {"game over", [this] { PlayToGameOver(0); }},
        {"a new game over an empty one", [this] {
             ClickCentre(form1->Window(), *form1->Gstart);
             ClickCentre(form1->Window(), *form1->Gstart);
         }},
    };
    for (const auto& e : ends) {
        e.play();
        EXPECT_EQ(program->Book().Table(Mode::Line).size(), 0u) << e.how;
        EXPECT_FALSE(bestGamesShown) << e.how;
        EXPECT_TRUE(later.empty()) << e.how;
    }
    PlayToFinish(1);
    EXPECT_EQ(program->Book().Table(Mode::Line).size(), 1u);
}

TEST_F(BestGamesTest, TheTableComesBackAfterARestartAndKeepsItsOwnBestAgainstTheRecordFile) {
    StartAll();
    PlayToFinish(250);
    PlayToFinish(40);
    Restart();
    ASSERT_EQ(program->Book().Table(Mode::Line).size(), 2u);
    EXPECT_EQ(program->Book().Table(Mode::Line)[0].score, 250);
    EXPECT_EQ(program->Book().MarkedRow(Mode::Line), -1);
    // An edited record file: the record panel shows it, the table keeps its own best.
    WriteFile(DataFile("zorvex2000.rec"), "7\r\n");
    Restart();
    ClickCentre(form1->Window(), *form1->Gstart);
    EXPECT_EQ(form1->label2->Caption(), "7");
    EXPECT_EQ(program->Book().Table(Mode::Line)[0].score, 250);
    EXPECT_EQ(Caption(0, 1), "250");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BestGamesTest, ABrokenFileIsReportedOnceKeptAsideAndANewTableStarted) {
    std::filesystem::create_directories(services.dataDir);
    const std::string broken = std::string(store::kBestGamesHeader) + "\r\nline\t5\t2026-13-01 00:00:00\t1\tna\tx\r\n";
    WriteFile(BestFile(), broken);
    StartAll();
    ASSERT_EQ(boxes.shown.size(), 1u);
    const std::string& text = boxes.shown[0].text;
    EXPECT_NE(text.find(BestFile() + ": line 2: the date is not a date"), std::string::npos) << text;
    const std::string aside = BestFile() + ".broken-20260517-143000";
    EXPECT_NE(text.find(aside), std::string::npos) << text;
    EXPECT_EQ(ReadFile(aside), broken);
    EXPECT_FALSE(std::filesystem::exists(BestFile()));
    EXPECT_EQ(program->Book().Table(Mode::Line).size(), 0u);
    PlayToFinish(30);
    RunLater();
    Restart();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(program->Book().Table(Mode::Line).size(), 1u);
    EXPECT_EQ(ReadFile(aside), broken);
}

TEST_F(BestGamesTest, AFailingWriteIsReportedOnceAndTriedAgain) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    StartAll();
    std::filesystem::permissions(services.dataDir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    PlayToFinish(30);
    RunLater();
    PlayToFinish(31);
    RunLater();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(BestFile() + ": "), std::string::npos) << boxes.shown[0].text;
    std::filesystem::permissions(services.dataDir, std::filesystem::perms::owner_all);
    program->Exit();
    EXPECT_NE(ReadFile(BestFile()).find("\t31\t"), std::string::npos);
}

} // namespace
} // namespace zv::test

namespace zv::test {
namespace {

// A scripted series of games over days: the statistics add up as they are played, show in their own view of the
// window (Tab switches), are written after the frame and come back after a restart; a broken file is put aside.
TEST_F(BestGamesTest, TheStatisticsOfASeriesOfGamesAddUpShowAndComeBack) {
    StartAll();
    clock.date = {2026, 12, 1, 10, 0, 0};
    ClickCentre(form1->Window(), *form1->Gstart);
    form1->HintClick();
    S().Score = 80;
    ClickCentre(form1->Window(), *form1->finish); // 80, with a hint
    PlayToFinish(0);                              // no points: not counted
    clock.date = {2026, 12, 2, 10, 0, 0};
    PlayToGameOver(50); // 12 moves
    clock.date = {2026, 12, 4, 10, 0, 0};
    PlayToFinish(30);
    const ModeStats& s = program->Book().Stats(Mode::Line);
    EXPECT_EQ(s.games, 3);
    EXPECT_EQ(s.scoreTotal, 160);
    EXPECT_EQ(s.best, 80);
    EXPECT_EQ(s.moves, 12);
    EXPECT_EQ(s.hintGames, 1);
    EXPECT_EQ(s.longestRun, 2);

    best->ShowMode(Mode::Line);
    best->Window().OnKeyDown(SDLK_TAB, KMOD_NONE);
    ASSERT_TRUE(best->StatisticsShown());
    EXPECT_TRUE(best->stats->Visible());
    EXPECT_FALSE(best->sheet->Visible());
    const char* shown[app::kStatisticsLines] = {"3", "53,3", "80", "12", "4,0", "1", "2"};
    for (int i = 0; i < app::kStatisticsLines; ++i) EXPECT_EQ(best->statValue[static_cast<std::size_t>(i)]->Caption(), shown[i]) << i;
    best->Window().OnKeyDown(SDLK_RIGHT, KMOD_NONE);
    EXPECT_EQ(best->statValue[0]->Caption(), "0");
    EXPECT_EQ(best->statValue[1]->Caption(), "—");
    ClickCentre(best->Window(), *best->statsSwitch);
    EXPECT_FALSE(best->StatisticsShown());
    EXPECT_TRUE(best->sheet->Visible());

    RunLater();
    const Statistics before = {program->Book().Stats(Mode::Line)};
    Restart();
    EXPECT_EQ(program->Book().Stats(Mode::Line), before[0]);
    EXPECT_TRUE(boxes.shown.empty());

    const std::string path = store::StatisticsPath(services.dataDir);
    WriteFile(path, "Zorvex 2000 statistics 1\nline\t2\t5\t5\t1\t9\t2026-12-07\t1\t1\n");
    Restart();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(path + ": line 2: the games with hints"), std::string::npos) << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find("kept as " + path + ".broken"), std::string::npos) << boxes.shown[0].text;
    EXPECT_EQ(program->Book().Stats(Mode::Line).games, 0);
}

} // namespace
} // namespace zv::test

namespace zv::test {
namespace {

// A game's number and its hints go into its row through the companion file; the best-games file stays as older
// copies of the game read it, and a row it holds without a companion line shows no number.
TEST_F(BestGamesTest, ARowShowsItsGameNumberAndHintMarkWhileTheTableFileStaysAsItWas) {
    std::filesystem::create_directories(services.dataDir);
    const std::string older = std::string(store::kBestGamesHeader) + "\r\nline\t70\t2026-05-01 10:00:00\t9\tna\tx\r\n";
    WriteFile(BestFile(), older);
    StartAll();
    form1->StartNumberedGame(20261207);
    form1->HintClick();
    S().Score = 90;
    ClickCentre(form1->Window(), *form1->finish);
    form1->StartNumberedGame(31);
    S().Score = 50;
    ClickCentre(form1->Window(), *form1->finish);
    best->ShowMode(Mode::Line);
    EXPECT_EQ(Caption(0, 6), "20261207 *");
    EXPECT_EQ(Caption(1, 6), "") << "a row from before numbers";
    EXPECT_EQ(Caption(2, 6), "31");
    EXPECT_TRUE(best->hintLegend->Visible());
    RunLater();
    // The same six fields as ever: an older copy reads every row.
    const std::string table = ReadFile(BestFile());
    EXPECT_EQ(table.substr(0, table.find("\r\n") + 2), std::string(store::kBestGamesHeader) + "\r\n");
    EXPECT_NE(table.find("line\t90\t2026-05-17 14:30:00\t0\tna\tИгрок Тестовый\r\nline\t70\t"), std::string::npos) << table;
    BestTables read;
    store::BestGamesProblem problem;
    EXPECT_TRUE(store::ParseBestGames(table, read, problem)) << problem.what;

    Restart();
    best->ShowMode(Mode::Line);
    EXPECT_EQ(Caption(0, 6), "20261207 *");
    EXPECT_EQ(Caption(2, 6), "31");
    best->ShowMode(Mode::Ring);
    EXPECT_FALSE(best->hintLegend->Visible());
}

} // namespace
} // namespace zv::test
