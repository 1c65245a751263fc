// The whole program in one object: the rules, the files, every window, and how they are wired to each other,
// the start-up and exit sequences and the main window's keys. main, the tests and the tools all build this.
#pragma once

#include <memory>

#include "app/BestGamesBook.h"
#include "app/BestGamesWindow.h"
#include "app/GameFiles.h"
#include "app/NumberWindow.h"
#include "app/Rules.h"
#include "app/Services.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Windows.h"
#include "game/Game.h"

namespace zv::app {

class Program final : public Windows {
public:
    // Builds the windows, none of them shown; the options window is built at start once the first frame is
    // on the screen, the best games' and the rules' when first asked for.
    explicit Program(Services& services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up: the main window's creation sequence (layout, settings, full screen, skin, scale, records,
    // best games), its window shown (not for a second copy, which only says so and ends), then the options,
    // spare and game-number windows.
    void Start(bool secondCopy = false);
    // The exit work: the settings, the record step, the best games, full screen left.
    void Exit();

    Game& Engine() { return game_; }
    GameFiles& Files() { return files_; }
    BestGamesBook& Book() { return book_; }
    TForm1& Main() { return main_; }
    TForm2& Options();
    TBestGames& BestGames();
    TFormRules& RulesWindow() { return rules_; }
    TForm3& Spare() { return spare_; }
    TFormNumber& NumberWindow() { return number_; }
    // Ctrl+G: the game-number window, over the game.
    void ShowNumberWindow();

    // The scale the windows are drawn at outside full screen.
    ui::Scale Scale() const { return scale_; }

    // Windows
    void ShowOptions() override;
    void HideOptions() override;
    void RaiseOptionsIfShown() override;
    void ShowRules() override;
    void HideRules() override;
    void ShowBestGames(Mode mode) override;
    void HideBestGames() override;
    bool MotionOn() const override;
    void SetMotion(bool on) override;
    void MainKeyDown(SDL_Keycode key, Uint16 mod) override;
    void Played(const TurnReport& report) override;

private:
    void FullScreenAtStart();
    // The options, spare and game-number windows, none of them shown at start (and the best games' if it was
    // asked for already).
    void OpenHiddenWindows();
    // Draws the windows at a scale (kept within 1 and the largest that fits the screen).
    void ApplyScale(ui::Scale scale);
    // Ctrl+Plus (+1: the next of kScaleSteps), Ctrl+Minus (-1: the one before), Ctrl+0 (0: the desktop's
    // scale again).
    void StepScale(int step);
    void Report(const std::string& message);

    Services& services_;
    GameFiles files_;
    BestGamesBook book_;
    // The main window is the view the game is made with: it comes first.
    TForm1 main_;
    Game game_;
    std::unique_ptr<TForm2> options_;
    std::unique_ptr<TBestGames> bestGames_;
    TFormRules rules_;
    TForm3 spare_;
    TFormNumber number_;
    bool optionsShown_ = false;
    bool motionChosen_ = true; // the player's choice; ZORVEX_ANIMATION=0 keeps the board still whatever it is
    bool rulesOpened_ = false;
    bool hiddenOpened_ = false; // the windows nobody sees at start have been given theirs
    ui::Scale scale_ = 1;
    bool secondCopy_ = false;
    bool resumed_ = false; // the running game came from the kept-game file, which goes when the game ends
};

} // namespace zv::app
