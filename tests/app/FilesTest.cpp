// Start-up reading and exit writing of the settings, record and skin files, through the main window.
#include "kit/AppFixture.h"

#include <sys/stat.h>

namespace zv::test {
namespace {

TEST_F(AppTest, FirstStartCreatesRecordsAndShowsTheLastOneRead) {
    Start();
    for (const char* name : {"zorvexck2000.rec", "zorvexr2000.rec", "zorvex2000.rec", "zorvexs2000.rec", "zorvexb2000.rec"})
        EXPECT_EQ(ReadFile(DataFile(name)), "100") << name;
    EXPECT_EQ(form1->label2->Caption(), "100");
    EXPECT_EQ(S().BestScore, 100);
    EXPECT_TRUE(boxes.shown.empty());
    // A missing settings file is no error: advanced off, window, sound on.
    EXPECT_EQ(Codes().advanced, "na");
    EXPECT_EQ(Codes().fullScreen, "ns");
    EXPECT_EQ(Codes().sound, "sy");
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "nanssy\r\n");
}

TEST_F(AppTest, TheLabelShowsTheChosenModesRecordWhileBestScoreIsTheLastRead) {
    std::filesystem::create_directories(services.dataDir);
    WriteFile(DataFile("zorvexb2000.rec"), "7\r\n250\r\n");
    WriteFile(DataFile("zorvex2000.rec"), "106\r\n");
    WriteFile(DataFile("zorvexr2000.rec"), "lots\r\n");
    Start();
    // Line is chosen at start-up: its record shows, though the crosses' was read last and is BestScore.
    EXPECT_EQ(form1->label2->Caption(), "106");
    EXPECT_EQ(S().BestScore, 250);
    const struct { ui::Control* selector; const char* shown; } choices[] = {{form1->Selector(Mode::Cross), "250"}, {form1->Selector(Mode::Square), "100"}, {form1->Selector(Mode::Ring), "100"}, {form1->Selector(Mode::Line), "106"}};
    for (const auto& c : choices) {
        ClickCentre(form1->Window(), *c.selector);
        EXPECT_EQ(form1->label2->Caption(), c.shown) << c.selector->Name();
        EXPECT_EQ(S().BestScore, 250) << "choosing a mode changed the record rules";
    }
    // Starting a line game loads the line record.
    ClickCentre(form1->Window(), *form1->Gstart);
    EXPECT_EQ(form1->label2->Caption(), "106");
    EXPECT_EQ(S().BestScore, 106);
}

TEST_F(AppTest, BadRecordIsReportedOnceAndTheRestOfStartUpGoesOn) {
    std::filesystem::create_directories(services.dataDir);
    WriteFile(DataFile("zorvexr2000.rec"), "lots\r\n");
    WriteFile(DataFile("win.sys"), "3");
    WriteFile(services.settingsPath, "adnssn\r\n");
    Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("zorvexr2000.rec"), std::string::npos);
    EXPECT_NE(boxes.shown[0].text.find("Invalid variant type conversion"), std::string::npos);
    // Later steps still ran: skin 3 is applied and the other records read.
    EXPECT_EQ(S().SkinIndex, 3);
    EXPECT_EQ(S().RecordText[static_cast<int>(Mode::Line)], "100");
    EXPECT_EQ(S().AdvancedMode, 1);
    // The bad file is left as it was.
    EXPECT_EQ(ReadFile(DataFile("zorvexr2000.rec")), "lots\r\n");
}

TEST_F(AppTest, ExitWritesSettingsAndAReachedRecord) {
    WriteFile(services.settingsPath, "adfssn\r\n");
    Start();
    EXPECT_EQ(fullScreen.initialiseCalls, 1);
    ClickCentre(form1->Window(), *form1->Gstart);
    S().Score = 100; // equal to the line record counts as reaching it
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "adfssn\r\n");
    EXPECT_EQ(ReadFile(DataFile("zorvex2000.rec")), "100\r\n");
    EXPECT_EQ(form1->label2->Caption(), "100");
}

TEST_F(AppTest, FullScreenFailureAtStartIsReportedAndLeavesTheWindow) {
    WriteFile(services.settingsPath, "nafssy\r\n");
    fullScreen.failInitialise = true;
    Start();
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(Codes().fullScreen, "ns");
    EXPECT_FALSE(form2->f2->Visible());
    // Start-up went on past the failure.
    EXPECT_EQ(form1->label2->Caption(), "100");
}

TEST_F(AppTest, UnwritableRecordIsReportedOnceAndPlayGoesOn) {
    Start();
    // A directory where the record file should be: every write fails.
    std::filesystem::remove(DataFile("zorvex2000.rec"));
    std::filesystem::create_directories(DataFile("zorvex2000.rec") + "/x");
    ClickCentre(form1->Window(), *form1->Gstart);
    S().Score = 500;
    form1->Engine().FigureScan();
    form1->Engine().FigureScan();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(form1->label2->Caption(), "500");
}

TEST_F(AppTest, UnusableDataDirectoryIsReportedOnceAndPlayGoesOnWithTheDefaults) {
    WriteFile(services.dataDir, "a file where the data directory should be");
    Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(services.dataDir), std::string::npos);
    EXPECT_NE(boxes.shown[0].text.find("not a directory"), std::string::npos);
    EXPECT_EQ(form1->label2->Caption(), "100");
    // Choosing a skin and reaching a record in play say nothing more about the files that cannot be kept.
    form1->CheckBlockClick();
    S().Score = 500;
    program->Exit();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(ReadFile(services.dataDir), "a file where the data directory should be");
}

TEST_F(AppTest, SettingsFileThatCannotBeReadIsNotOverwritten) {
    // A directory where the settings file should be cannot be read; nor can a file without read permission.
    std::filesystem::create_directories(services.settingsPath + "/inside");
    Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find(services.settingsPath), std::string::npos);
    form2->LMD3DEffectButton3Click(); // the player changes a switch: the file is still left as it was
    program->Exit();
    EXPECT_TRUE(std::filesystem::is_directory(services.settingsPath + "/inside"));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

} // namespace
} // namespace zv::test
