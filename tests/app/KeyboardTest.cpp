// Keyboard play on the main window: the frame, keys on the board as clicks, and shortcuts that do no more than their controls.
#include "kit/AppFixture.h"

#include "app/Layout.h"

namespace zv::test {
namespace {

class KeyboardTest : public AppTest {
protected:
    void Key(SDL_Keycode k, Uint16 mod = KMOD_NONE) { form1->Window().OnKeyDown(k, mod); }
    // Moves the frame to cell n (showing it first if need be).
    void FocusOn(int n) {
        Key(SDLK_LEFT); // shows the frame where it is, or moves it
        while (form1->Board().FocusCell() != n) {
            const CellPos at = CellOf(form1->Board().FocusCell()), want = CellOf(n);
            Key(at.row != want.row ? SDLK_DOWN : SDLK_RIGHT);
        }
    }
    int Ball() const {
        for (int n = 1; n <= kCells; ++n)
            if (form1->Engine().State().Board.cells[static_cast<std::size_t>(n - 1)] != 0) return n;
        return 0;
    }
};

TEST_F(KeyboardTest, TheFrameShowsOnTheFirstKeyMovesWithWrappingAndGoesOnAClick) {
    Start();
    EXPECT_FALSE(form1->focus->Visible());
    Key(SDLK_DOWN);
    EXPECT_TRUE(form1->focus->Visible());
    EXPECT_EQ(form1->Board().FocusCell(), 1); // the first key only shows it
    Key(SDLK_LEFT);
    EXPECT_EQ(form1->Board().FocusCell(), 10);
    Key(SDLK_RIGHT);
    EXPECT_EQ(form1->Board().FocusCell(), 1);
    Key(SDLK_UP);
    EXPECT_EQ(form1->Board().FocusCell(), 91);
    Key(SDLK_DOWN);
    Key(SDLK_DOWN);
    EXPECT_EQ(form1->Board().FocusCell(), 11);
    const SDL_Rect frame = form1->focus->ScreenBounds(), cell = form1->im[10]->ScreenBounds();
    EXPECT_LT(frame.x, cell.x);
    EXPECT_GT(frame.x + frame.w, cell.x + cell.w);
    // The frame never takes a click: the cell under it does.
    EXPECT_EQ(form1->Window().ControlAt(cell.x + 16, cell.y + 16), form1->im[10]);
    ClickCentre(form1->Window(), *form1->Gstart);
    EXPECT_FALSE(form1->focus->Visible());
}

TEST_F(KeyboardTest, SpaceAndReturnAreClicksOnTheFramedCell) {
    Start();
    Key(SDLK_n, KMOD_LCTRL);
    ASSERT_EQ(S().PlayState, kPlayIdle);
    const int ball = Ball();
    ASSERT_NE(ball, 0);
    FocusOn(ball);
    sound.played.clear();
    Key(SDLK_SPACE);
    EXPECT_EQ(S().PlayState, kPlaySelected);
    EXPECT_TRUE(form1->Fill[static_cast<std::size_t>(ball - 1)]->Visible());
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], "blip.wav");
    // On the selected ball the highlight takes the press, as it takes a click: nothing changes.
    Key(SDLK_RETURN);
    EXPECT_EQ(S().PlayState, kPlaySelected);
    EXPECT_EQ(sound.played.size(), 1u);

    // Escape ends the selection quietly.
    Key(SDLK_ESCAPE);
    EXPECT_EQ(S().PlayState, kPlayIdle);
    EXPECT_FALSE(form1->Fill[static_cast<std::size_t>(ball - 1)]->Visible());
    EXPECT_EQ(sound.played.size(), 1u);

    // A blocked cell's overlay takes the key as it takes the click.
    S().Board.clear();
    S().Board.at(5, 5) = 1;
    S().Blocked[static_cast<std::size_t>(CellIndex(5, 5) - 1)] = true;
    form1->blok[static_cast<std::size_t>(CellIndex(5, 5) - 1)]->Show();
    FocusOn(CellIndex(5, 5));
    Key(SDLK_KP_ENTER);
    EXPECT_EQ(S().PlayState, kPlayIdle);
}

TEST_F(KeyboardTest, AMovePlayedWithKeysIsTheSameAsWithClicks) {
    Start();
    Key(SDLK_n, KMOD_RCTRL);
    // A ball with an empty neighbour to its right.
    int from = 0;
    for (int n = 1; n <= kCells && !from; ++n) {
        const CellPos c = CellOf(n);
        if (c.col < kCols && S().Board.at(c.row, c.col) != 0 && S().Board.at(c.row, c.col + 1) == 0) from = n;
    }
    ASSERT_NE(from, 0);
    const ColourCode colour = S().Board.cells[static_cast<std::size_t>(from - 1)];
    FocusOn(from);
    Key(SDLK_SPACE);
    Key(SDLK_RIGHT);
    Key(SDLK_SPACE);
    EXPECT_EQ(form1->Engine().Totals().turns, 1);
    EXPECT_EQ(S().Board.cells[static_cast<std::size_t>(from)], colour);
}

TEST_F(KeyboardTest, ShortcutsGoThroughTheirControlsAndDoNothingWhereTheControlsCannot) {
    Start();
    // Modes 1-5 while no game runs.
    Key(SDLK_3);
    EXPECT_EQ(form1->Engine().CheckedMode(), Mode::Cross);
    Key(SDLK_1);
    EXPECT_EQ(form1->Engine().CheckedMode(), Mode::Line);
    Key(SDLK_n, KMOD_LCTRL);
    EXPECT_EQ(S().GameMode, "line");
    // The selectors are disabled while a game runs, and so are their keys.
    Key(SDLK_5);
    EXPECT_EQ(form1->Engine().CheckedMode(), Mode::Line);
    // Ctrl+E finishes; without Ctrl the letter does nothing.
    Key(SDLK_e);
    EXPECT_TRUE(form1->Engine().ModeSelectorsEnabled() == false);
    Key(SDLK_e, KMOD_LCTRL);
    EXPECT_TRUE(form1->Engine().ModeSelectorsEnabled());
    // A hidden button's key does nothing.
    form1->Gstart->Hide();
    Key(SDLK_n, KMOD_LCTRL);
    EXPECT_NE(S().PlayState, kPlaySelected);
    EXPECT_TRUE(form1->Engine().ModeSelectorsEnabled());
    form1->Gstart->Show();

    // F2 opens the options, Escape there closes them; F11 is the full-screen switch.
    Key(SDLK_F2);
    EXPECT_TRUE(optionsShown);
    form2->Window().OnKeyDown(SDLK_ESCAPE, KMOD_NONE);
    EXPECT_FALSE(optionsShown);
    Key(SDLK_F11);
    EXPECT_TRUE(fullScreen.Active());
    EXPECT_TRUE(form2->f2->Visible());
    Key(SDLK_F11);
    EXPECT_FALSE(fullScreen.Active());
    EXPECT_FALSE(optionsShown) << "leaving full screen by key brought the hidden options window up";

    // F1 is the rules area of the title strip: nothing while that area is hidden.
    form1->LMDLImage11->Hide();
    Key(SDLK_F1);
    EXPECT_FALSE(rulesShown);
    form1->LMDLImage11->Show();
    Key(SDLK_F1);
    EXPECT_TRUE(rulesShown);
}

TEST_F(KeyboardTest, TabFramesTheOptionsControlsInTurnAndSpaceOrReturnActsOnTheFramedOne) {
    Start();
    ui::Form& f = form2->Window();
    auto press = [&](SDL_Keycode k, Uint16 mod = KMOD_NONE) { f.OnKeyDown(k, mod); };
    auto framed = [&](const ui::Control* c) {
        const SDL_Rect r = form2->focus->Bounds(), b = c->Bounds();
        return form2->focus->Visible() && r.x < b.x && r.y < b.y && r.x + r.w > b.x + b.w && r.y + r.h > b.y + b.h;
    };
    optionsShown = true;
    const int advanced = S().AdvancedMode;
    press(SDLK_TAB); // shows the frame on the first switch, and does nothing else
    EXPECT_TRUE(framed(form2->LMD3DEffectButton1));
    EXPECT_EQ(S().AdvancedMode, advanced);
    // Tab forwards and Shift+Tab back, round the end.
    const struct { Uint16 mod; const ui::Control* framed; } steps[] = {
        {KMOD_NONE, form2->LMD3DEffectButton2}, {KMOD_NONE, form2->LMD3DEffectButton3}, {KMOD_NONE, form2->motionSwitch},
        {KMOD_NONE, form2->digital}, {KMOD_NONE, form2->Ooptions}, {KMOD_NONE, form2->LMD3DEffectButton1},
        {KMOD_LSHIFT, form2->Ooptions}, {KMOD_LSHIFT, form2->digital}};
    for (const auto& st : steps) {
        press(SDLK_TAB, st.mod);
        EXPECT_TRUE(framed(st.framed)) << st.framed->Name();
    }
    press(SDLK_SPACE);
    EXPECT_TRUE(rulesShown);
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_RETURN);
    EXPECT_FALSE(form2->f4->Visible()); // the motion switch
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_RETURN);
    EXPECT_EQ(Codes().sound, "sn");
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_SPACE);
    EXPECT_TRUE(fullScreen.Active());
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_KP_ENTER);
    EXPECT_NE(S().AdvancedMode, advanced);
    // A click hides the frame; the close button by key hides the window.
    f.ClickAt(300, 20);
    EXPECT_FALSE(form2->focus->Visible());
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_TAB, KMOD_LSHIFT);
    press(SDLK_RETURN);
    EXPECT_FALSE(optionsShown);
}

TEST_F(KeyboardTest, F5ToF10ChooseTheSkinsInTheirOrder) {
    Start();
    const struct { SDL_Keycode key; int skin; } keys[] = {{SDLK_F7, 3}, {SDLK_F6, 2}, {SDLK_F8, 4}, {SDLK_F9, 5}, {SDLK_F10, 6}, {SDLK_F5, 1}};
    for (const auto& k : keys) {
        Key(k.key);
        EXPECT_EQ(S().SkinIndex, k.skin) << SDL_GetKeyName(k.key);
        EXPECT_EQ(form1->Skin().checks[static_cast<std::size_t>(k.skin - 1)]->ListIndex(), 9) << SDL_GetKeyName(k.key);
    }
    ASSERT_EQ(dialog.requests.size(), 1u) << "F10 opens the theme file chooser";
    EXPECT_EQ(dialog.requests[0].title, "Открыть файл темы");
    EXPECT_EQ(dialog.requests[0].pattern, "*.zvt");
}

TEST_F(KeyboardTest, UndoByKeyCostsWhatTheButtonCosts) {
    Start();
    Key(SDLK_n, KMOD_LCTRL);
    // A position with one ball that can move and no figure to make.
    S().Board.clear();
    S().Board.at(1, 1) = 2;
    S().Score = 10;
    form1->Engine().RedrawBoard();
    // The undo button is enabled, and not dimmed, exactly while an undo would be taken.
    EXPECT_FALSE(form1->TurnBack->Enabled());
    FocusOn(1);
    Key(SDLK_SPACE);
    Key(SDLK_RIGHT);
    Key(SDLK_SPACE);
    ASSERT_EQ(S().UndoAllowed, 1);
    EXPECT_TRUE(form1->TurnBack->Enabled());
    Key(SDLK_z, KMOD_LCTRL);
    EXPECT_EQ(S().Score, 7);
    EXPECT_EQ(S().Board.at(1, 1), 2);
    EXPECT_FALSE(form1->TurnBack->Enabled());
    Key(SDLK_z, KMOD_LCTRL);
    EXPECT_EQ(S().Score, 7);
}

TEST_F(KeyboardTest, HAndTheLampMarkAHintForItsPriceAndDoNothingWithoutAGame) {
    Start();
    Key(SDLK_h);
    EXPECT_FALSE(form1->Board().HintShown()) << "no game yet";
    Key(SDLK_n, KMOD_LCTRL);
    S().Score = S().ScoreBeforeMove = 20;
    Key(SDLK_h);
    ASSERT_TRUE(form1->Board().HintShown());
    EXPECT_EQ(form1->Label1->Caption(), std::to_string(20 - kHintPrice));
    const TurnReport hint = form1->Engine().LastReport();
    for (auto [frame, cell] : {std::pair{form1->hintFrom, hint.hintFrom}, std::pair{form1->hintTo, hint.hintTo}}) {
        const SDL_Rect want = app::FocusRect(cell);
        EXPECT_EQ(frame->Bounds().x, want.x);
        EXPECT_EQ(frame->Bounds().y, want.y);
    }
    // The lamp in the title strip is the same hint, paid again; a press on the board then ends the marks.
    ClickCentre(form1->Window(), *form1->hintArea);
    EXPECT_TRUE(form1->Board().HintShown());
    EXPECT_EQ(S().Score, 20 - 2 * kHintPrice);
    ClickCell(hint.hintFrom);
    EXPECT_FALSE(form1->Board().HintShown());
    EXPECT_EQ(S().PlayState, kPlaySelected);
    Key(SDLK_e, KMOD_LCTRL);
    Key(SDLK_h);
    EXPECT_FALSE(form1->Board().HintShown()) << "the game is finished";
}

// The scale keys: Ctrl+Plus and Ctrl+Minus step through 1, 1.25, 1.5, 1.75, 2, 2.5, 3 (and 4) up to the
// largest that fits, Ctrl+0 goes back to the desktop's; the player's choice outlives the game in its own
// file, never in the settings file.
TEST_F(KeyboardTest, TheScaleKeysStepTheScaleAndKeepThePlayersChoice) {
    desktopScale = 2;
    largestScale = 3;
    Start();
    EXPECT_EQ(scale, 2); // the desktop's, with nothing chosen
    const std::string file = DataFile("scale.cfg");
    EXPECT_FALSE(std::filesystem::exists(file));
    Key(SDLK_EQUALS, KMOD_LCTRL); // Ctrl+= is Ctrl+Plus on most layouts
    EXPECT_EQ(scale, ui::Scale::FromQuarters(10));
    EXPECT_EQ(ReadFile(file), "2.5\r\n");
    Key(SDLK_EQUALS, KMOD_LCTRL);
    EXPECT_EQ(scale, 3);
    EXPECT_EQ(ReadFile(file), "3\r\n");
    Key(SDLK_KP_PLUS, KMOD_RCTRL); // no further than the screen takes
    EXPECT_EQ(scale, 3);
    for (int quarters : {10, 8, 7, 6, 5, 4, 4}) { // no further than 1
        Key(quarters % 2 ? SDLK_KP_MINUS : SDLK_MINUS, KMOD_LCTRL);
        EXPECT_EQ(scale, ui::Scale::FromQuarters(quarters));
        if (quarters == 7) {
            EXPECT_EQ(ReadFile(file), "1.75\r\n");
        }
    }
    EXPECT_EQ(ReadFile(file), "1\r\n");
    Key(SDLK_MINUS); // without Ctrl: nothing
    Key(SDLK_PLUS, KMOD_LCTRL | KMOD_LALT);
    EXPECT_EQ(scale, 1);
    const std::string settingsBefore = ReadFile(services.settingsPath);

    // The next start takes the player's scale over the desktop's.
    scale = 4; // asked for by nobody
    Start();
    EXPECT_EQ(scale, 1);
    // Ctrl+0: the desktop's again, and the choice is forgotten.
    Key(SDLK_0, KMOD_LCTRL);
    EXPECT_EQ(scale, 2);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(ReadFile(services.settingsPath), settingsBefore);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeyboardTest, AScaleFileThatCannotBeUsedIsReportedOnceAndTheDesktopsScaleTaken) {
    desktopScale = 2;
    std::filesystem::create_directories(services.dataDir);
    WriteFile(DataFile("scale.cfg"), "9\r\n");
    Start();
    EXPECT_EQ(scale, 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("scale.cfg"), std::string::npos) << boxes.shown[0].text;
    // A scale larger than the screen takes is kept within it.
    WriteFile(DataFile("scale.cfg"), "4\r\n");
    largestScale = 2;
    Start();
    EXPECT_EQ(scale, 2);
}

} // namespace
} // namespace zv::test
