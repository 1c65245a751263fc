// Builds the program: the windows wired to each other, the start-up and exit sequences, and the main window's keys.
#include "app/Program.h"

#include <algorithm>
#include <exception>

#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "view/Skins.h"

namespace zv::app {

Program::Program(Services& services)
    : services_(services),
      files_(services, [this](const std::string& m) { Report(m); }),
      book_(services, [this](const std::string& m) { Report(m); }),
      main_(services, *this, game_, files_),
      game_(main_, *services.sound, files_.Records(), *services.clock),
      rules_(*this, main_) {
    book_.onChange = [this] {
        if (bestGames_) bestGames_->Refresh();
    };
    spare_.hide = [this] { services_.desktop->Hide(spare_.Window()); };
    number_.close = [this] { services_.desktop->Hide(number_.Window()); };
    number_.deal = [this](std::uint32_t n) { main_.StartNumberedGame(n); };
}

Program::~Program() = default;

void Program::Report(const std::string& message) { main_.ReportError(message); }

void Program::Start(bool secondCopy) {
    Desktop& desktop = *services_.desktop;
    desktop.Open(main_.Window(), WindowRole::Main);
    if (secondCopy) {
        // The box is all a second copy shows: drawn at the desktop's scale like the game's windows.
        desktop.SetScale(desktop.DesktopScale());
        services_.messages->ShowInfo(platform::kAppTitle, platform::Tr("Zorvex 2000 уже загружены"));
        desktop.Quit();
    }

    main_.LayOutControls();
    files_.ReadSettings(game_);
    if (game_.State().Switches.fullScreen == Switch::On) FullScreenAtStart();
    game_.SetSkinIndex(view::kGlass);
    main_.Label5->Hide();
    main_.Label6->Hide();
    // Without a usable data directory there is no skin file: the window keeps the look it was built with.
    const bool dataDirUsable = files_.PrepareDataDirectory();
    // The player's own scale, else the desktop's; the window is not shown yet.
    const std::optional<int> chosen = files_.ReadScale();
    ApplyScale(chosen ? ui::Scale::FromQuarters(*chosen) : desktop.DesktopScale());
    if (dataDirUsable)
        if (const auto number = files_.ReadSkinNumber(game_.State().SkinIndex)) {
            game_.SetSkinIndex(*number);
            view::ApplyBuiltInSkin(main_.Skin(), *number);
        }
    files_.ReadRecords(game_);
    book_.Load(dataDirUsable);
    // The game running at the last exit goes on, once the records it is played against are read. A second
    // copy leaves it to the first.
    secondCopy_ = secondCopy;
    if (const std::optional<KeptGame> kept = secondCopy ? std::nullopt : files_.ReadKeptGame()) {
        std::string problem;
        if (game_.Resume(*kept, problem)) resumed_ = true;
        else files_.RefusedKeptGame(problem);
    }
    motionChosen_ = files_.ReadMotion().value_or(true);
    main_.Motion().SetEnabled(services_.animation && motionChosen_);
    main_.RefreshUndo();
    main_.DecodeFirstFrame(scale_);
    // A second copy ends on the first pass of its loop; its window need not flash up.
    if (!secondCopy) desktop.Show(main_.Window());

    // The options window is built once the game's first frame is on the screen: nobody sees it at start. Its
    // switches may change the game (advanced mode): they are read now, before any key or click.
    Options().FormCreate();
    // The windows nobody sees at start get their windows once the game's first frame is on the screen: each
    // costs the display server's round trips.
    desktop.Later([this] { OpenHiddenWindows(); });
}

void Program::OpenHiddenWindows() {
    Desktop& desktop = *services_.desktop;
    // The options and best-games windows lie above the game, owned by the main window rather than kept above
    // every window on the desktop: they then stay above it also in full screen, and come back with it.
    desktop.Open(Options().Window(), WindowRole::Owned);
    desktop.Open(spare_.Window(), WindowRole::Spare);
    desktop.Open(number_.Window(), WindowRole::Owned);
    hiddenOpened_ = true;
    if (bestGames_) desktop.Open(bestGames_->Window(), WindowRole::Owned);
}

TForm2& Program::Options() {
    if (!options_) options_ = std::make_unique<TForm2>(services_, *this, game_);
    return *options_;
}

TBestGames& Program::BestGames() {
    // The table is built, and given its window, when it is first asked for: most starts never show it.
    if (!bestGames_) {
        bestGames_ = std::make_unique<TBestGames>(*this, book_);
        if (hiddenOpened_) services_.desktop->Open(bestGames_->Window(), WindowRole::Owned);
    }
    return *bestGames_;
}

void Program::FullScreenAtStart() {
    try {
        services_.desktop->FullScreen().Initialise();
    } catch (const std::exception& e) {
        game_.SetFullScreen(false);
        Report(e.what());
    }
}

void Program::Exit() {
    main_.FinishAnimation();
    files_.WriteSettings(game_);
    game_.RecordAtExit();
    // Kept, the running game is not yet finished: the best games hear of it when it really ends.
    if (!secondCopy_) files_.KeepGame(game_.Keep());
    book_.Flush();
    platform::FullScreenDisplay& fs = services_.desktop->FullScreen();
    if (fs.Active()) fs.Finalise();
}

void Program::ApplyScale(ui::Scale scale) {
    scale_ = std::min(scale, services_.desktop->LargestScale());
    services_.desktop->SetScale(scale_);
}

void Program::StepScale(int step) {
    if (step == 0) {
        ApplyScale(services_.desktop->DesktopScale());
        files_.ForgetScale();
        return;
    }
    const ui::Scale before = scale_;
    // The next step up or down from where the scale is, also from a desktop's factor between the steps.
    ui::Scale next = before;
    for (int q : ui::kScaleSteps) {
        const ui::Scale s = ui::Scale::FromQuarters(q);
        if (step > 0 && s > before) {
            next = s;
            break;
        }
        if (step < 0 && s < before) next = s;
    }
    ApplyScale(next);
    if (scale_ != before) files_.WriteScale(scale_.Quarters());
}

void Program::ShowOptions() {
    optionsShown_ = true;
    services_.desktop->Show(Options().Window());
}

void Program::HideOptions() {
    optionsShown_ = false;
    if (options_) services_.desktop->Hide(options_->Window());
}

void Program::RaiseOptionsIfShown() {
    if (optionsShown_) services_.desktop->Show(Options().Window());
}

void Program::ShowRules() {
    // The rules window gets its controls and its own window when it is first asked for.
    rules_.Open();
    if (!rulesOpened_) {
        services_.desktop->Open(rules_.Window(), WindowRole::Owned);
        rulesOpened_ = true;
    }
    // Laid over the game from its top edge, so that nothing of the game's title strip peeks out.
    services_.desktop->PlaceOver(rules_.Window(), main_.Window());
    services_.desktop->Show(rules_.Window());
}

void Program::HideRules() {
    if (rulesOpened_) services_.desktop->Hide(rules_.Window());
}

void Program::ShowNumberWindow() {
    // Before the first game the board holds none, so there is no number to tell.
    number_.Open(game_.State().GameMode.empty() ? std::nullopt : std::optional<std::uint32_t>(game_.GameNumber()));
    services_.desktop->PlaceOver(number_.Window(), main_.Window());
    services_.desktop->Show(number_.Window());
}

void Program::ShowBestGames(Mode mode) {
    BestGames().ShowMode(mode);
    services_.desktop->Show(bestGames_->Window());
}

void Program::HideBestGames() {
    if (bestGames_) services_.desktop->Hide(bestGames_->Window());
}

void Program::Played(const TurnReport& report) {
    if (report.started) rules_.ShowGameNumber();
    if (!report.ended) return;
    if (resumed_) {
        resumed_ = false;
        files_.KeepGame(std::nullopt);
    }
    const int row = book_.GameFinished(report.ending);
    // A game over that made the table shows it, its row marked.
    if (row >= 0 && report.ending.how == GameEnd::Over) ShowBestGames(report.ending.mode);
}

// The keyboard: shortcuts act through the controls they stand for, so a key can do no more than a click.
bool Program::MotionOn() const { return motionChosen_; }

void Program::SetMotion(bool on) {
    motionChosen_ = on;
    main_.Motion().SetEnabled(services_.animation && on);
    files_.WriteMotion(on);
}

void Program::MainKeyDown(SDL_Keycode key, Uint16 mod) {
    TForm1& f = main_;
    if (mod & KMOD_CTRL) {
        if (mod & (KMOD_ALT | KMOD_GUI)) return;
        switch (key) {
        case SDLK_n: f.Gstart->Activate(); break;
        case SDLK_z: f.TurnBack->Activate(); break;
        case SDLK_e: f.finish->Activate(); break;
        case SDLK_g: ShowNumberWindow(); break;
        // Today's game: numbered by the local date, the same for every player that day.
        case SDLK_d: {
            const DateTime today = services_.calendar->Now();
            f.StartNumberedGame(DateGameNumber(today.year, today.month, today.day));
            break;
        }
        // "+" shares its key with "=" on most layouts: Ctrl+= is what most players press for Ctrl+Plus.
        case SDLK_PLUS:
        case SDLK_EQUALS:
        case SDLK_KP_PLUS: StepScale(+1); break;
        case SDLK_MINUS:
        case SDLK_KP_MINUS: StepScale(-1); break;
        case SDLK_0:
        case SDLK_KP_0: StepScale(0); break;
        default: break;
        }
        return;
    }
    if (mod & (KMOD_ALT | KMOD_GUI)) return;
    for (const ModeRow& m : Modes())
        if (key == static_cast<SDL_Keycode>(m.key)) {
            f.Selector(m.mode)->Activate();
            return;
        }
    switch (key) {
    case SDLK_LEFT: f.MoveFocus(0, -1); break;
    case SDLK_RIGHT: f.MoveFocus(0, 1); break;
    case SDLK_UP: f.MoveFocus(-1, 0); break;
    case SDLK_DOWN: f.MoveFocus(1, 0); break;
    case SDLK_SPACE:
    case SDLK_RETURN:
    case SDLK_KP_ENTER: f.PressFocusedCell(); break;
    case SDLK_ESCAPE: f.EscapeKey(); break;
    case SDLK_F1: f.LMDLImage11->Activate(); break;
    case SDLK_F2: f.Goptions->Activate(); break;
    case SDLK_F3: f.ShowBestGamesClick(); break;
    case SDLK_h: f.hintArea->Activate(); break;
    // Full screen, as the options window's switch does it, whether that window is up or not.
    case SDLK_F11: Options().LMD3DEffectButton2Click(); break;
    // The skins in their order on the left, the own skin's file chooser last.
    case SDLK_F5: f.CheckGlass->Activate(); break;
    case SDLK_F6: f.CheckWindows->Activate(); break;
    case SDLK_F7: f.CheckBlock->Activate(); break;
    case SDLK_F8: f.CheckSingle->Activate(); break;
    case SDLK_F9: f.Checkpeople->Activate(); break;
    case SDLK_F10: f.CheckAdded->Activate(); break;
    default: break;
    }
}

} // namespace zv::app
