// The whole program in one object: the rules, the files, the table of windows and the one way they reach
// each other, the start-up and exit sequences and the main window's keys. main, the tests and the tools
// all build this.
#pragma once

#include <array>
#include <memory>
#include <vector>

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

// When a window is built, and when it is given its window on the desktop.
enum class WindowBuilt { AtStart, WhenAsked };
enum class WindowOpened { AtStart, AfterFirstFrame, WhenShown };

// One window of the program: when it is built (the options and best games, when first asked for, so that
// the first frame comes sooner), when the desktop gets it, whose it is (the main window owns the others,
// so they stay above it also in full screen and come back with it) and whether it opens over the main window.
struct WindowRow {
    WindowId id;
    WindowBuilt built;
    WindowOpened opened;
    WindowRole role;
    bool overMain;
};
const std::vector<WindowRow>& WindowTable();

class Program final : public Windows {
public:
    // Builds the windows of the table built at start, none of them shown.
    explicit Program(Services& services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up: the main window's creation sequence (layout, settings, full screen, skin, scale, records,
    // best games), its window shown (not for a second copy, which only says so and ends), then the options
    // window, and after the first frame the windows nobody sees at start.
    void Start(bool secondCopy = false);
    // The exit work: the settings, the record step, the best games, full screen left.
    void Exit();
    // One frame of the event loop: the board's motion and the hint's time; false once nothing moves.
    bool Frame();

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
    void ShowNumberWindow() { Show(WindowId::Number); }
    void ShowRules() { Show(WindowId::Rules); }

    // The scale the windows are drawn at outside full screen.
    ui::Scale Scale() const { return scale_; }

    // Windows
    void Show(WindowId window) override;
    void Hide(WindowId window) override;
    void RaiseOptionsIfShown() override;
    void ShowBestGames(Mode mode) override;
    bool MotionOn() const override;
    void SetMotion(bool on) override;
    void MainKeyDown(SDL_Keycode key, Uint16 mod) override;
    void Played(const TurnReport& report) override;
    void DealNumberedGame(std::uint32_t number) override;
    void SkinChanged() override;
    void BestGamesChanged() override;
    void ReportError(const std::string& message) override;

private:
    // A key of the main window and what it does; ctrl: the key is pressed with Ctrl (and never Alt or the
    // logo key, which no key of the game takes).
    struct MainKey {
        SDL_Keycode key;
        bool ctrl;
        void (*act)(Program& program);
    };
    static const std::vector<MainKey>& MainKeys();

    static const WindowRow& RowOf(WindowId window);
    // The window's form, built first when it is built when asked for.
    ui::Form& Form(WindowId window);
    // Whether the window exists with its content.
    bool Built(WindowId window) const;
    // Gives the window its window on the desktop, once.
    void Open(WindowId window);
    void FullScreenAtStart();
    // The windows the table opens after the first frame: nobody sees them at start.
    void OpenAfterFirstFrame();
    // Draws the windows at a scale (kept within 1 and the largest that fits the screen).
    void ApplyScale(ui::Scale scale);
    // Ctrl+Plus (+1: the next of kScaleSteps), Ctrl+Minus (-1: the one before), Ctrl+0 (0: the desktop's
    // scale again).
    void StepScale(int step);

    Services& services_;
    GameFiles files_;
    BestGamesBook book_;
    // The main window's board presenter is the view the game is made with: it comes first.
    TForm1 main_;
    Game game_;
    std::unique_ptr<TForm2> options_;
    std::unique_ptr<TBestGames> bestGames_;
    TFormRules rules_;
    TForm3 spare_;
    TFormNumber number_;
    // Which windows the desktop has; the first frame is on the screen.
    std::array<bool, 6> opened_{};
    bool firstFrameShown_ = false;
    bool optionsShown_ = false;
    bool motionChosen_ = true; // the player's choice; ZORVEX_ANIMATION=0 keeps the board still whatever it is
    ui::Scale scale_ = 1;
    bool secondCopy_ = false;
    bool resumed_ = false; // the running game came from the kept-game file, which goes when the game ends
};

} // namespace zv::app
