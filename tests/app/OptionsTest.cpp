// The options window: its switches and indicators on each settings line, and what they change.
#include "kit/AppFixture.h"

namespace zv::test {
namespace {

TEST_F(AppTest, AdvancedSwitchWithAd) {
    WriteFile(services.settingsPath, "adnssy\r\n");
    Start();
    EXPECT_EQ(S().AdvancedMode, 1);
    EXPECT_TRUE(form2->f1->Visible());
    ClickCentre(form2->Window(), *form2->LMD3DEffectButton1);
    EXPECT_EQ(S().AdvancedMode, 0);
    EXPECT_FALSE(form2->f1->Visible());
    ClickCentre(form2->Window(), *form2->LMD3DEffectButton1);
    EXPECT_EQ(S().AdvancedMode, 1);
    EXPECT_TRUE(form2->f1->Visible());
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "adnssy\r\n");
}

TEST_F(AppTest, AdvancedSwitchShowsItsIndicatorAndKeepsTheChoice) {
    WriteFile(services.settingsPath, "xxnssy\r\n");
    Start();
    EXPECT_EQ(S().AdvancedMode, 0);
    EXPECT_FALSE(form2->f1->Visible());
    form2->LMD3DEffectButton1Click();
    EXPECT_EQ(S().AdvancedMode, 1);
    // The indicator shows exactly while advanced mode is on, whatever the file held.
    EXPECT_TRUE(form2->f1->Visible());
    // Advanced mode now lays blocked cells at game start.
    int blocked = 0;
    for (int tries = 0; tries < 20 && !blocked; ++tries) {
        clock.Set({10, 20, 30, tries}); // another millisecond, another game
        form1->Engine().GstartClick();
        for (int n = 1; n <= 100; ++n) blocked += form1->IsBlocked(n);
    }
    EXPECT_GT(blocked, 0);
    form2->LMD3DEffectButton1Click();
    EXPECT_EQ(S().AdvancedMode, 0);
    EXPECT_FALSE(form2->f1->Visible());
    // The choice is written at exit: on as "ad", off as "na".
    form2->LMD3DEffectButton1Click();
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "adnssy\r\n");
    form2->LMD3DEffectButton1Click();
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "nanssy\r\n");
}

TEST_F(AppTest, FullScreenSwitchRoundTrip) {
    Start();
    form2->LMD3DEffectButton2Click();
    EXPECT_EQ(Codes().fullScreen, "fs");
    EXPECT_TRUE(form2->f2->Visible());
    EXPECT_TRUE(fullScreen.Active());
    form2->LMD3DEffectButton2Click();
    EXPECT_EQ(Codes().fullScreen, "ns");
    EXPECT_FALSE(form2->f2->Visible());
    EXPECT_EQ(fullScreen.finaliseCalls, 1);
    // A failure names the mode, keeps "ns" and the indicator hidden.
    fullScreen.failInitialise = true;
    form2->LMD3DEffectButton2Click();
    EXPECT_EQ(Codes().fullScreen, "ns");
    EXPECT_FALSE(form2->f2->Visible());
    ASSERT_EQ(boxes.shown.size(), 1u);
}

TEST_F(AppTest, UnknownCodesMakeTheirSwitchesDoNothing) {
    WriteFile(services.settingsPath, "xxqqzz\r\n");
    Start();
    form2->LMD3DEffectButton2Click();
    form2->LMD3DEffectButton3Click();
    EXPECT_EQ(Codes().fullScreen, "qq");
    EXPECT_EQ(Codes().sound, "zz");
    EXPECT_FALSE(form2->f2->Visible());
    EXPECT_FALSE(form2->f3->Visible());
    EXPECT_EQ(fullScreen.initialiseCalls, 0);
}

TEST_F(AppTest, SoundSwitchSilencesAndRestoresTheTurn) {
    WriteFile(services.settingsPath, "nanssn\r\n");
    Start();
    EXPECT_FALSE(form2->f3->Visible());
    form1->Engine().GstartClick();
    int ball = 0;
    for (int n = 1; n <= 100 && !ball; ++n)
        if (S().Board.cells[static_cast<std::size_t>(n - 1)]) ball = n;
    form1->Engine().ImClick(ball);
    EXPECT_TRUE(sound.played.empty());
    form2->LMD3DEffectButton3Click();
    EXPECT_EQ(Codes().sound, "sy");
    EXPECT_TRUE(form2->f3->Visible());
    int other = 0;
    for (int n = 1; n <= 100 && !other; ++n)
        if (n != ball && S().Board.cells[static_cast<std::size_t>(n - 1)]) other = n;
    form1->Engine().ImClick(other);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], "blip.wav");
}

TEST_F(AppTest, OpeningAndClosingOptionsChangesNoSetting) {
    WriteFile(services.settingsPath, "adnssy\r\n");
    Start();
    ClickCentre(form1->Window(), *form1->Goptions);
    EXPECT_TRUE(optionsShown);
    ClickCentre(form2->Window(), *form2->Ooptions);
    EXPECT_FALSE(optionsShown);
    program->Exit();
    EXPECT_EQ(ReadFile(services.settingsPath), "adnssy\r\n");
    // The link leads to the rules that come with the game, not out to an address.
    EXPECT_EQ(form2->digital->Caption(), "Правила и клавиши");
    ClickCentre(form2->Window(), *form2->digital);
    EXPECT_TRUE(rulesShown);
    EXPECT_TRUE(opened.empty());
}

} // namespace
} // namespace zv::test
