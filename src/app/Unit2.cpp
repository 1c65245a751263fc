// The options window.
#include "app/Unit2.h"

#include <stdexcept>

#include "platform/Display.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "app/Resources.h"

namespace zv::app {

namespace {
constexpr SDL_Color kWindowColour{151, 179, 185, 255};
constexpr SDL_Color kPanelColour{207, 220, 222, 255};
constexpr SDL_Color kCaptionColour{24, 28, 74, 255};
constexpr SDL_Color kCaptionLight{92, 83, 215, 255};
constexpr SDL_Color kCaptionShadow{193, 193, 240, 255};
constexpr SDL_Color kLinkColour{5, 123, 163, 255};

} // namespace

TForm2::TForm2(Services& services, GameState& state) : services_(services), s_(state) {
    form_.SetCaption("Form2");
    form_.SetColour(kWindowColour);
    {
        ui::Picture p;
        p.surface = ResourcePicture("ui/indicator.bmp");
        LMDBitmapList1.Append(std::move(p));
    }

    auto caption = [&](const std::string& name, int left, int top, int width, const std::string& text) {
        auto& l = form_.AddAt<ui::Label>(name, left, top, width, 26);
        l.SetCaption(text);
        l.SetFont({"Arial", true, 19, false});
        l.SetColour(kCaptionColour);
        l.SetRaisedShadow(3, kCaptionLight, 2, kCaptionShadow);
        return &l;
    };
    advancedCaption = caption("advancedCaption", 71, 90, 255, "Усложнённый режим игры");
    LMDLabel4 = caption("LMDLabel4", 72, 192, 235, "Во весь экран (640х480)");
    LMDLabel5 = caption("LMDLabel5", 72, 296, 299, "Включены звуковые эффекты");

    auto indicator = [&](const std::string& name, int top) {
        auto& f = form_.AddAt<ui::PictureControl>(name, 8, top, 41, 41);
        f.SetImageList(&LMDBitmapList1);
        f.Hide();
        return &f;
    };
    f1 = indicator("f1", 80);
    f2 = indicator("f2", 184);
    f3 = indicator("f3", 288);

    auto sw = [&](const std::string& name, int top) {
        auto& b = form_.AddAt<ui::ImageButton>(name, 376, top, 36, 25);
        b.SetStateStrip(ResourcePicture("ui/switch.bmp"), 36);
        return &b;
    };
    LMD3DEffectButton1 = sw("LMD3DEffectButton1", 88);
    LMD3DEffectButton2 = sw("LMD3DEffectButton2", 192);
    LMD3DEffectButton3 = sw("LMD3DEffectButton3", 296);

    auto panel = [&](const std::string& name, int top, const std::string& labelName, int lw, int lh, const std::string& text,
                     ui::Label*& label) {
        auto& p = form_.AddAt<ui::Container>(name, 416, top, 217, 57);
        p.SetColour(kPanelColour);
        auto& l = p.AddAt<ui::Label>(labelName, 8, 8, lw, lh);
        l.SetCaption(text);
        l.SetFont({"MS Sans Serif", false, 11, false});
        label = &l;
        return &p;
    };
    Panel1 = panel("Panel1", 88, "LMDLabel1", 205, 41,
                   "Во время игры блокирутся несколько\nклеток игрового поля для действий над\nними. ", LMDLabel1);
    Panel2 = panel("Panel2", 192, "LMDLabel2", 156, 28, "Во время игры игровое поле\nпоказывается во весь экран .", LMDLabel2);
    Panel3 = panel("Panel3", 296, "LMDLabel3", 200, 28, "Соответствует влючёны или нет в игре\nзвуковые эффекты. ", LMDLabel3);

    digital = &form_.AddAt<ui::Label>("digital", 16, 448, 299, 26);
    digital->SetCaption(platform::kHomePage);
    digital->SetFont({"Arial", false, 21, true});
    digital->SetColour(kLinkColour);
    digital->SetAutoSize(true);

    Ooptions = &form_.AddAt<ui::ImageButton>("Ooptions", 544, 452, 89, 25);
    Ooptions->SetStateStrip(ResourcePicture("ui/btn_ooptions.bmp"), 89);

    LMD3DEffectButton1->OnClick = [this] { LMD3DEffectButton1Click(); };
    LMD3DEffectButton2->OnClick = [this] { LMD3DEffectButton2Click(); };
    LMD3DEffectButton3->OnClick = [this] { LMD3DEffectButton3Click(); };
    Ooptions->OnClick = [this] { OoptionsClick(); };
    digital->OnClick = [this] { digitalClick(); };
}

void TForm2::Report(const std::string& message) {
    if (services_.messages) services_.messages->ShowError(platform::kAppTitle, message);
}

void TForm2::FormCreate() {
    if (s_.Codes.advanced == "ad") f1->Show();
    if (s_.Codes.advanced == "ad") s_.AdvancedMode = 1;
    if (s_.Codes.fullScreen == "fs") f2->Show();
    if (s_.Codes.sound == "sy") f3->Show();
}

void TForm2::OoptionsClick() {
    if (services_.hideOptions) services_.hideOptions();
}

void TForm2::LMD3DEffectButton1Click() {
    if (s_.AdvancedMode == 0) {
        if (s_.Codes.advanced == "ad") f1->Show();
        s_.AdvancedMode = 1;
    } else {
        if (s_.Codes.advanced == "ad") f1->Hide();
        s_.AdvancedMode = 0;
    }
}

void TForm2::LMD3DEffectButton2Click() {
    platform::FullScreenDisplay* fs = services_.fullScreen ? services_.fullScreen() : nullptr;
    if (s_.Codes.fullScreen == "ns") {
        if (fs) {
            try {
                fs->Initialise();
            } catch (const std::exception& e) {
                Report(e.what());
                return;
            }
        }
        s_.Codes.fullScreen = "fs";
        f2->Show();
    } else if (s_.Codes.fullScreen == "fs") {
        if (fs) fs->Finalise();
        s_.Codes.fullScreen = "ns";
        f2->Hide();
        // Leaving full screen restacks the main window; the options window stays on top.
        if (services_.showOptions) services_.showOptions();
    }
}

void TForm2::LMD3DEffectButton3Click() {
    if (s_.Codes.sound == "sy") {
        s_.Codes.sound = "sn";
        f3->Hide();
    } else if (s_.Codes.sound == "sn") {
        s_.Codes.sound = "sy";
        f3->Show();
    }
}

void TForm2::digitalClick() {
    if (services_.openUrl) services_.openUrl(platform::kHomePage);
}

} // namespace zv::app
