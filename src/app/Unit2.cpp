// The options window.
#include "app/Unit2.h"

#include <stdexcept>

#include "platform/Display.h"
#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "app/Resources.h"
#include "view/Palette.h"

namespace zv::app {

namespace {
constexpr SDL_Color kPanelColour = view::kPaleSheet;
constexpr SDL_Color kCaptionColour = view::kDeepBlue;
constexpr SDL_Color kLinkColour{5, 123, 163, 255};

} // namespace

TForm2::TForm2(Services& services, Windows& windows, Game& game) : services_(services), windows_(windows), game_(game) {
    form_.SetCaption("Form2");
    form_.SetColour(view::kWindowFace);
    {
        LMDBitmapList1.SetLoader([](ui::ImageList& list) {
            ui::Picture p;
            p.surface = ResourcePicture("ui/indicator.bmp");
            list.Append(std::move(p));
        });
        LMDBitmapList1.SetScaledSource([](int scale) {
            return std::vector<ui::SurfacePtr>{DrawnResourcePicture("ui/indicator.bmp", scale)};
        });
    }
    const BuiltControls c = BuildControls(form_, OptionsWindowLayout());

    auto caption = [&](const std::string& name, const char* text) {
        auto* l = c.Get<ui::Label>(name);
        l->SetCaption(platform::Tr(text));
        l->SetFont({"Arial", true, 19, false});
        l->SetShrinkToFit(true);
        l->SetColour(kCaptionColour);
        l->SetRaisedShadow(3, view::kCaptionLight, 2, view::kCaptionShadow);
        return l;
    };
    advancedCaption = caption("advancedCaption", N_("Усложнённый режим игры"));
    LMDLabel4 = caption("LMDLabel4", N_("Во весь экран (640х480)"));
    LMDLabel5 = caption("LMDLabel5", N_("Включены звуковые эффекты"));
    motionCaption = caption("motionCaption", N_("Шарики движутся"));

    auto indicator = [&](const std::string& name) {
        auto* f = c.Get<ui::PictureControl>(name);
        f->SetImageList(&LMDBitmapList1);
        f->Hide();
        return f;
    };
    f1 = indicator("f1");
    f2 = indicator("f2");
    f3 = indicator("f3");
    f4 = indicator("f4");

    auto sw = [&](const std::string& name) {
        auto* b = c.Get<ui::ImageButton>(name);
        b->SetStateStrip(ScaledResourcePicture("ui/switch.bmp"), 36);
        return b;
    };
    LMD3DEffectButton1 = sw("LMD3DEffectButton1");
    LMD3DEffectButton2 = sw("LMD3DEffectButton2");
    LMD3DEffectButton3 = sw("LMD3DEffectButton3");
    motionSwitch = sw("motionSwitch");

    auto panel = [&](const std::string& name, const std::string& labelName, const char* text, ui::Label*& label) {
        auto* p = c.Get<ui::Container>(name);
        p->SetColour(kPanelColour);
        label = c.Get<ui::Label>(labelName);
        label->SetCaption(platform::Tr(text));
        label->SetFont({"MS Sans Serif", false, 11, false});
        return p;
    };
    Panel1 = panel("Panel1", "LMDLabel1", N_("Во время игры блокирутся несколько\nклеток игрового поля для действий над\nними. "),
                   LMDLabel1);
    Panel2 = panel("Panel2", "LMDLabel2", N_("Во время игры игровое поле\nпоказывается во весь экран ."), LMDLabel2);
    Panel3 = panel("Panel3", "LMDLabel3", N_("Соответствует влючёны или нет в игре\nзвуковые эффекты. "), LMDLabel3);
    motionPanel = panel("motionPanel", "motionNote", N_("Шарик идёт по своему пути, фигуры\nисчезают, новые шарики вырастают."),
                        motionNote);

    digital = c.Get<ui::Label>("digital");
    // The link leads to what comes with the game: the rules and the keys.
    digital->SetCaption(platform::Tr("Правила и клавиши"));
    digital->SetFont({"Arial", false, 21, true});
    digital->SetColour(kLinkColour);
    digital->SetAutoSize(true);

    Ooptions = c.Get<ui::ImageButton>("Ooptions");
    UseCommandButtonArtwork(*Ooptions, "btn_ooptions.bmp");

    LMD3DEffectButton1->OnClick = [this] { LMD3DEffectButton1Click(); };
    LMD3DEffectButton2->OnClick = [this] { LMD3DEffectButton2Click(); };
    LMD3DEffectButton3->OnClick = [this] { LMD3DEffectButton3Click(); };
    motionSwitch->OnClick = [this] { motionSwitchClick(); };
    Ooptions->OnClick = [this] { OoptionsClick(); };
    digital->OnClick = [this] { digitalClick(); };
    focus = c.Get<ui::FocusFrame>("focus");
    focus->Hide();
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) { FormKeyDown(key, mod); };
    form_.OnMouseDown = [this] { focus->Hide(); };
}

std::array<ui::Control*, 6> TForm2::TabOrder() const {
    return {LMD3DEffectButton1, LMD3DEffectButton2, LMD3DEffectButton3, motionSwitch, digital, Ooptions};
}

void TForm2::FormKeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return;
    switch (key) {
    case SDLK_ESCAPE: Ooptions->Activate(); break;
    case SDLK_TAB: MoveFocus(mod & KMOD_SHIFT ? -1 : 1); break;
    case SDLK_SPACE:
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (focus->Visible()) TabOrder()[static_cast<std::size_t>(focused_)]->Activate();
        else MoveFocus(0);
        break;
    default: break;
    }
}

void TForm2::MoveFocus(int step) {
    const int n = static_cast<int>(TabOrder().size());
    // The first key only shows where the frame is.
    if (focus->Visible()) focused_ = (focused_ + step + n) % n;
    const SDL_Rect r = TabOrder()[static_cast<std::size_t>(focused_)]->Bounds();
    constexpr int t = ui::FocusFrame::kThickness;
    focus->SetBounds(r.x - t, r.y - t, r.w + 2 * t, r.h + 2 * t);
    focus->Show();
}

void TForm2::Report(const std::string& message) { services_.messages->ShowError(platform::kAppTitle, message); }

void TForm2::FormCreate() {
    const Settings& settings = game_.State().Switches;
    if (settings.advanced) f1->Show();
    if (settings.advanced) game_.SetAdvancedMode(true);
    if (settings.fullScreen == Switch::On) f2->Show();
    if (settings.sound == Switch::On) f3->Show();
    f4->SetVisible(windows_.MotionOn());
}

void TForm2::OoptionsClick() {
    focus->Hide();
    windows_.Hide(WindowId::Options);
}

// The indicator shows exactly while advanced mode is on, and the choice is kept for the next start.
void TForm2::LMD3DEffectButton1Click() {
    if (game_.State().AdvancedMode == 0) {
        f1->Show();
        game_.SetAdvancedMode(true);
    } else {
        f1->Hide();
        game_.SetAdvancedMode(false);
    }
}

void TForm2::LMD3DEffectButton2Click() {
    platform::FullScreenDisplay& fs = services_.desktop->FullScreen();
    const Switch now = game_.State().Switches.fullScreen;
    if (now == Switch::Off) {
        try {
            fs.Initialise();
        } catch (const std::exception& e) {
            Report(e.what());
            return;
        }
        game_.SetFullScreen(true);
        f2->Show();
    } else if (now == Switch::On) {
        fs.Finalise();
        game_.SetFullScreen(false);
        f2->Hide();
        // Leaving full screen restacks the main window; the options window, if it shows, stays on top.
        // Switched by key with the window hidden, it stays hidden.
        windows_.RaiseOptionsIfShown();
    }
}

void TForm2::LMD3DEffectButton3Click() {
    const Switch now = game_.State().Switches.sound;
    if (now == Switch::On) {
        game_.SetSound(false);
        f3->Hide();
    } else if (now == Switch::Off) {
        game_.SetSound(true);
        f3->Show();
    }
}

void TForm2::motionSwitchClick() {
    const bool on = !windows_.MotionOn();
    windows_.SetMotion(on);
    f4->SetVisible(on);
}

void TForm2::digitalClick() { windows_.Show(WindowId::Rules); }

} // namespace zv::app
