// The main window as designed: its controls, its skins, its handlers, and the controls' end of the board
// view. The rules draw through its board presenter, which owns the motion, the hint and the keyboard's frame.
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
#include "app/BoardPresenter.h"
#include "app/GameFiles.h"
#include "app/Layout.h"
#include "app/Services.h"
#include "app/Windows.h"
#include "ui/ShadeOverlay.h"
#include "view/BoardAnimation.h"
#include "view/CaptionText.h"
#include "view/Palette.h"
#include "view/Skins.h"

namespace zv::app {

// The main window writes the rules' view calls to its controls once its board presenter lets them through.
// The game is made with that presenter, so the window is given the game it will show before the game
// exists (it is not used until the program starts).
class TForm1 : public BoardView {
public:
    TForm1(Services& services, Windows& windows, Game& game, GameFiles& files);
    ~TForm1() override;

    ui::Form& Window() { return form_; }
    Game& Engine() { return game_; }
    const Game& Engine() const { return game_; }

    void LayOutControls();
    // Decodes the biggest pictures of the first frame ahead of it, at the scale it will be drawn at.
    void DecodeFirstFrame(ui::Scale scale);
    // The undo button is enabled, and looks it, exactly while an undo would be taken.
    void RefreshUndo();

    // Handlers.
    void LMDLImage9Click();
    void LMDLImage10Click();
    void GoptionsClick();
    void LMDLImage11Click();
    // Shows the rules window: the "?" area of the title strip.
    void HelpClick();
    // The hint area of the title strip and H: the rules' hint, its ball and target marked for a moment.
    void HintClick();
    void CheckGlassClick();
    void CheckWindowsClick();
    void CheckBlockClick();
    void CheckSingleClick();
    void CheckpeopleClick();
    void CheckAddedClick();
    // label2, the record plate around it and F3: the best games of the mode played (or chosen).
    void ShowBestGamesClick();
    // What the new-game button does, with a chosen game number instead of the clock's.
    void StartNumberedGame(std::uint32_t number);

    // Escape on the board lets go of a selected ball.
    void EscapeKey();

    // The board's motion, the hint's marks and the keyboard's frame.
    BoardPresenter& Board() { return *board_; }

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
    ui::PictureControl* hintArea = nullptr;
    ui::FocusFrame* hintFrom = nullptr;
    ui::FocusFrame* hintTo = nullptr;
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
    // The mode selectors (line, cube, cross, ring, corner) and their hidden radio buttons, in the order of Mode.
    std::array<ui::PictureControl*, kModeCount> modeSelector{};
    std::array<ui::Label*, kModeCount> RadioButton{};
    ui::PictureControl* Selector(Mode m) const { return modeSelector[static_cast<std::size_t>(m)]; }
    ui::PictureControl* DXDraw1 = nullptr;
    ui::FocusFrame* focus = nullptr;
    // The panel's words, in the order of view::PanelCaptions().
    std::vector<view::PanelCaption> captions;
    // The lettering of the background shown, or none when it is not a built-in one.
    const view::SkinLettering* PanelLettering() const;

    // Image lists of the skins, the loaded theme, and the frame pieces.
    ui::ImageList list1{"list1"}, list2{"list2"}, List3{"List3"}, List4{"List4"}, list5{"list5"}, list6{"list6"};
    ui::ImageList LMDBitmapList1{"LMDBitmapList1"};

    view::SkinTargets& Skin() { return skin_; }
    // The image list the board's balls come from now.
    const ui::ImageList* BallList() const { return im[0]->GetImageList(); }

private:
    void BuildDesign();
    void SetUpControls();
    void WireHandlers();
    void LoadArtwork();
    void AddPanelCaptions();
    // Decodes built-in list 0..4 (list1 .. list5) on first use.
    void EnsureList(int index);
    // What follows a player's operation: the undo button, the board, then the program hears of it.
    void Played(const TurnReport& report);

    Services& services_;
    Windows& windows_;
    Game& game_;
    GameFiles& files_;
    ui::Form form_{"Form1", kMainDesignWidth, kMainDesignHeight};
    SDL_Color colour_ = view::kWindowFace;
    BuiltControls controls_;
    std::unique_ptr<BoardPresenter> board_;
    view::SkinTargets skin_;
    std::array<bool, 5> listLoaded_{};
};

} // namespace zv::app
