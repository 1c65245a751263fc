// The options window: the advanced, full-screen and sound switches with their indicators, and the link to the rules.
#pragma once

#include <array>

#include "ui/Control.h"
#include "ui/FocusFrame.h"
#include "app/Layout.h"
#include "game/Game.h"
#include "ui/ImageButton.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/PictureControl.h"
#include "app/Services.h"
#include "app/Windows.h"

namespace zv::app {

class TForm2 {
public:
    TForm2(Services& services, Windows& windows, Game& game);

    ui::Form& Window() { return form_; }

    void FormCreate();
    void OoptionsClick();
    void LMD3DEffectButton1Click(); // advanced switch
    void LMD3DEffectButton2Click(); // full-screen switch
    void LMD3DEffectButton3Click(); // sound switch
    void digitalClick();
    // Our own fourth switch: the board's motion on or off, kept for the next start.
    void motionSwitchClick();

    ui::Label* advancedCaption = nullptr;
    ui::Label* LMDLabel4 = nullptr;
    ui::Label* LMDLabel5 = nullptr;
    ui::PictureControl* f1 = nullptr;
    ui::PictureControl* f2 = nullptr;
    ui::PictureControl* f3 = nullptr;
    ui::ImageButton* LMD3DEffectButton1 = nullptr;
    ui::ImageButton* LMD3DEffectButton2 = nullptr;
    ui::ImageButton* LMD3DEffectButton3 = nullptr;
    ui::Label* motionCaption = nullptr;
    ui::PictureControl* f4 = nullptr;
    ui::ImageButton* motionSwitch = nullptr;
    ui::Container* motionPanel = nullptr;
    ui::Label* motionNote = nullptr;
    ui::Container* Panel1 = nullptr;
    ui::Container* Panel2 = nullptr;
    ui::Container* Panel3 = nullptr;
    ui::Label* LMDLabel1 = nullptr;
    ui::Label* LMDLabel2 = nullptr;
    ui::Label* LMDLabel3 = nullptr;
    ui::Label* digital = nullptr;
    ui::ImageButton* Ooptions = nullptr;
    // The keyboard's frame: Tab and Shift+Tab move it through the switches, the link and the close
    // button; Space or Return act on the framed one.
    ui::FocusFrame* focus = nullptr;
    ui::ImageList LMDBitmapList1{"LMDBitmapList1"};

private:
    void Report(const std::string& message);
    void FormKeyDown(SDL_Keycode key, Uint16 mod);
    void MoveFocus(int step);
    std::array<ui::Control*, 6> TabOrder() const;
    int focused_ = 0;
    Services& services_;
    Windows& windows_;
    Game& game_;
    ui::Form form_{"Form2", kOptionsWidth, kOptionsHeight};
};

} // namespace zv::app
