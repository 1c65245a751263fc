// The main window: its controls, its handlers, and the board view the rules draw through.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "ui/Control.h"
#include "ui/FocusFrame.h"
#include "game/Game.h"
#include "ui/ImageButton.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/PictureControl.h"
#include "app/BestGamesBook.h"
#include "app/GameFiles.h"
#include "app/Layout.h"
#include "app/Services.h"
#include "ui/ShadeOverlay.h"
#include "view/BoardAnimation.h"
#include "view/Skins.h"

namespace zv::app {

class TForm1 : public BoardView {
public:
    explicit TForm1(Services& services);
    ~TForm1() override;

    ui::Form& Window() { return form_; }
    Game& Engine() { return *game_; }
    BestGamesBook& Book() { return book_; }
    const Game& Engine() const { return *game_; }

    // The creation sequence and the exit work of the main window.
    void FormCreate();
    void FormDestroy();
    void LayOutControls();

    // Handlers.
    void LMDLImage9Click();
    void LMDLImage10Click();
    void GoptionsClick();
    void LMDLImage11Click();
    // Shows the rules window: the "?" area of the title strip.
    void HelpClick();
    void CheckGlassClick();
    void CheckWindowsClick();
    void CheckBlockClick();
    void CheckSingleClick();
    void CheckpeopleClick();
    void CheckAddedClick();
    // label2, the record plate around it and F3: the best games of the mode played (or chosen).
    void ShowBestGamesClick();

    // The keyboard: shortcuts act through the controls they stand for; arrows, Space and Return play on the board.
    void FormKeyDown(SDL_Keycode key, Uint16 mod);
    // The cell the keyboard's frame is on, 1..100.
    int FocusCell() const { return focusCell_; }
    // The scale the windows are drawn at outside full screen.
    int Scale() const { return scale_; }

    // The next frame of the board's motion; false once nothing moves (the host then sleeps until an event).
    bool AnimationFrame();
    // Ends a turn's motion at once: the board as the rules left it. Any input does this before it acts.
    void FinishAnimation();
    view::BoardMotion& Motion() { return *motion_; }

    // Shows an error the way the application's default error report does.
    void ReportError(const std::string& message);

    // BoardView
    void SetCellPicture(int cell, int position) override;
    void SetNextPicture(int k, int position) override;
    void SetHighlight(int cell, bool shown) override;
    void SetBlocked(int cell, bool shown) override;
    // Whether cell N's blocked overlay shows.
    bool IsBlocked(int cell) const;
    void SetScoreText(const std::string& text) override;
    void SetRecordText(const std::string& text) override;
    void SetBannerVisible(bool shown) override;
    void SetModeSelectorsEnabled(bool enabled) override;
    void SetModeMarks(Mode chosen) override;

    SDL_Color WindowColour() const { return colour_; }
    void SetWindowColour(SDL_Color c);

    // Controls, by their names in the window.
    ui::PictureControl* Image1 = nullptr;
    std::array<ui::PictureControl*, 10> LMDLImage{}; // LMDLImage1 .. LMDLImage10
    ui::PictureControl* LMDLImage11 = nullptr;       // the rules area
    ui::Container* Panel1 = nullptr;
    ui::PictureControl* BackGround = nullptr;
    ui::PictureControl* recordArea = nullptr;
    std::array<ui::ImageButton*, 100> im{};
    std::array<ui::ShadeOverlay*, 100> Fill{};
    std::array<ui::ShadeOverlay*, 100> blok{};
    std::array<ui::ImageButton*, 4> next{};
    ui::Label* label2 = nullptr;
    ui::Label* Label1 = nullptr;
    ui::Label* Label5 = nullptr;
    ui::Label* Label6 = nullptr;
    ui::ImageButton* finish = nullptr;
    ui::ImageButton* Gstart = nullptr;
    ui::ImageButton* TurnBack = nullptr;
    ui::ImageButton* Goptions = nullptr;
    ui::PictureControl* CheckGlass = nullptr;
    ui::PictureControl* CheckWindows = nullptr;
    ui::PictureControl* CheckBlock = nullptr;
    ui::PictureControl* CheckSingle = nullptr;
    ui::PictureControl* Checkpeople = nullptr;
    ui::PictureControl* CheckAdded = nullptr;
    ui::PictureControl* line = nullptr;
    ui::PictureControl* cube = nullptr;
    ui::PictureControl* cross = nullptr;
    ui::PictureControl* ring = nullptr;
    ui::PictureControl* corner = nullptr;
    std::array<ui::Label*, 5> RadioButton{}; // RadioButton1, Radiobutton2 .. RadioButton5
    ui::PictureControl* DXDraw1 = nullptr;
    ui::FocusFrame* focus = nullptr;

    // Image lists of the skins, the loaded theme, and the frame pieces.
    ui::ImageList list1{"list1"}, list2{"list2"}, List3{"List3"}, List4{"List4"}, list5{"list5"}, list6{"list6"};
    ui::ImageList LMDBitmapList1{"LMDBitmapList1"};

    view::SkinTargets& Skin() { return skin_; }
    // The image list the board's balls come from now.
    const ui::ImageList* BallList() const { return im[0]->GetImageList(); }
    // Called once a skin has been put on the board.
    std::function<void()> OnSkinChanged;
    // Told what each of the player's operations did, after the window has taken it in.
    std::function<void(const TurnReport&)> OnPlayed;

private:
    void BuildDesign();
    void SetUpControls();
    void WireHandlers();
    void LoadArtwork();
    // Decodes built-in list 0..4 (list1 .. list5) on first use.
    void EnsureList(int index);
    void FullScreenAtStart();
    // Decodes the biggest pictures of the first frame ahead of it.
    void DecodeFirstFrame();
    // Draws the windows at a scale (kept within 1 and the largest that fits the screen).
    void ApplyScale(int scale);
    // Ctrl+Plus (+1), Ctrl+Minus (-1), Ctrl+0 (0: the desktop's scale again).
    void StepScale(int step);
    void MoveFocus(int dRow, int dCol);
    void PressFocusedCell();
    // What follows a player's operation: the undo button, a game's end for the best games.
    void Played(const TurnReport& report);
    std::uint32_t Ticks() const { return services_.ticks ? services_.ticks() : 0; }
    // The undo button is enabled, and looks it, exactly while an undo would be taken.
    void RefreshUndo();

    Services& services_;
    ui::Form form_{"Form1", kMainDesignWidth, kMainDesignHeight};
    SDL_Color colour_{151, 179, 185, 255};
    GameFiles files_;
    BestGamesBook book_;
    int scale_ = 1;
    std::unique_ptr<Game> game_;
    std::unique_ptr<view::BoardMotion> motion_;
    BuiltControls controls_;
    view::SkinTargets skin_;
    std::array<bool, 5> listLoaded_{};
    int focusCell_ = 1;
};

} // namespace zv::app
