// Builds the program: the table of windows and how they reach each other, the start-up and exit sequences,
// and the main window's keys.
#include "app/Program.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>

#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "view/Skins.h"

namespace zv::app {

const std::vector<WindowRow>& WindowTable() {
    using B = WindowBuilt;
    using O = WindowOpened;
    using R = WindowRole;
    static const std::vector<WindowRow> table = {
        {WindowId::Main, B::AtStart, O::AtStart, R::Main, false},
        // Built once the game's first frame is on the screen: its switches are read before any key or click.
        {WindowId::Options, B::WhenAsked, O::AfterFirstFrame, R::Owned, false},
        {WindowId::Spare, B::AtStart, O::AfterFirstFrame, R::Spare, false},
        {WindowId::Number, B::AtStart, O::AfterFirstFrame, R::Owned, true},
        // Most starts never show the best games.
        {WindowId::BestGames, B::WhenAsked, O::AfterFirstFrame, R::Owned, false},
        // Cheap to build: its controls are made, and its window given, when it is first shown. Laid over the
        // game from its top edge, so that nothing of the game's title strip peeks out.
        {WindowId::Rules, B::AtStart, O::WhenShown, R::Owned, true},
    };
    return table;
}

Program::Program(Services& services)
    : services_(services),
      files_(services, [this](const std::string& m) { ReportError(m); }),
      book_(services, *this),
      main_(services, *this, game_, files_),
      game_(main_.Board(), *services.sound, files_.Records(), *services.clock),
      rules_(*this, game_),
      spare_(*this),
      number_(*this) {
    services_.desktop->DriveLoop([this] { return Frame(); }, [this](const std::string& m) { ReportError(m); });
}

// The loop may outlive the program by a few events: it no longer calls into it.
Program::~Program() { services_.desktop->DriveLoop({}, {}); }

void Program::ReportError(const std::string& message) { main_.ReportError(message); }

const WindowRow& Program::RowOf(WindowId window) {
    for (const WindowRow& row : WindowTable())
        if (row.id == window) return row;
    throw std::logic_error("a window without its row");
}

ui::Form& Program::Form(WindowId window) {
    switch (window) {
    case WindowId::Main: return main_.Window();
    case WindowId::Options: return Options().Window();
    case WindowId::Spare: return spare_.Window();
    case WindowId::Number: return number_.Window();
    case WindowId::BestGames: return BestGames().Window();
    case WindowId::Rules: return rules_.Window();
    }
    throw std::logic_error("a window without its form");
}

bool Program::Built(WindowId window) const {
    switch (window) {
    case WindowId::Options: return options_ != nullptr;
    case WindowId::BestGames: return bestGames_ != nullptr;
    case WindowId::Rules: return rules_.Built();
    default: return true;
    }
}

void Program::Open(WindowId window) {
    bool& opened = opened_[static_cast<std::size_t>(window)];
    if (opened) return;
    opened = true;
    services_.desktop->Open(Form(window), RowOf(window).role);
}

void Program::Start(bool secondCopy) {
    Desktop& desktop = *services_.desktop;
    for (const WindowRow& row : WindowTable())
        if (row.opened == WindowOpened::AtStart) Open(row.id);
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
    main_.Board().Motion().SetEnabled(services_.animation && motionChosen_);
    main_.RefreshUndo();
    main_.DecodeFirstFrame(scale_);
    // A second copy ends on the first pass of its loop; its window need not flash up.
    if (!secondCopy) desktop.Show(main_.Window());

    // The options window is built once the game's first frame is on the screen: nobody sees it at start. Its
    // switches may change the game (advanced mode): they are read now, before any key or click.
    Options().FormCreate();
    // Each window opened costs the display server's round trips: those nobody sees at start wait for the
    // game's first frame.
    desktop.Later([this] { OpenAfterFirstFrame(); });
}

void Program::OpenAfterFirstFrame() {
    firstFrameShown_ = true;
    for (const WindowRow& row : WindowTable())
        if (row.opened == WindowOpened::AfterFirstFrame && Built(row.id)) Open(row.id);
}

TForm2& Program::Options() {
    if (!options_) options_ = std::make_unique<TForm2>(services_, *this, game_);
    return *options_;
}

TBestGames& Program::BestGames() {
    if (!bestGames_) {
        bestGames_ = std::make_unique<TBestGames>(*this, book_);
        if (firstFrameShown_) Open(WindowId::BestGames);
    }
    return *bestGames_;
}

bool Program::Frame() { return main_.Board().Frame(services_.clock->Ticks()); }

void Program::FullScreenAtStart() {
    try {
        services_.desktop->FullScreen().Initialise();
    } catch (const std::exception& e) {
        game_.SetFullScreen(false);
        ReportError(e.what());
    }
}

void Program::Exit() {
    main_.Board().Finish();
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

void Program::Show(WindowId window) {
    const WindowRow& row = RowOf(window);
    switch (window) {
    case WindowId::Options: optionsShown_ = true; break;
    case WindowId::Rules: rules_.Open(main_.BallList()); break;
    // Before the first game the board holds none, so there is no number to tell.
    case WindowId::Number:
        number_.Open(game_.State().GameMode.empty() ? std::nullopt : std::optional<std::uint32_t>(game_.GameNumber()));
        break;
    default: break;
    }
    ui::Form& form = Form(window);
    if (row.opened == WindowOpened::WhenShown) Open(window);
    if (row.overMain) services_.desktop->PlaceOver(form, main_.Window());
    services_.desktop->Show(form);
}

void Program::Hide(WindowId window) {
    if (window == WindowId::Options) optionsShown_ = false;
    if (Built(window)) services_.desktop->Hide(Form(window));
}

void Program::RaiseOptionsIfShown() {
    if (optionsShown_) services_.desktop->Show(Options().Window());
}

void Program::ShowBestGames(Mode mode) {
    BestGames().ShowMode(mode);
    Show(WindowId::BestGames);
}

void Program::DealNumberedGame(std::uint32_t number) { main_.StartNumberedGame(number); }

void Program::SkinChanged() {
    // A new skin while the rules are open shows in their figures at once.
    if (rules_.Built()) rules_.ShowBalls(main_.BallList());
}

void Program::BestGamesChanged() {
    if (bestGames_) bestGames_->Refresh();
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

bool Program::MotionOn() const { return motionChosen_; }

void Program::SetMotion(bool on) {
    motionChosen_ = on;
    main_.Board().Motion().SetEnabled(services_.animation && on);
    files_.WriteMotion(on);
}

// The keyboard: shortcuts act through the controls they stand for, so a key can do no more than a click.
const std::vector<Program::MainKey>& Program::MainKeys() {
    static const std::vector<MainKey> keys = {
        {SDLK_n, true, [](Program& p) { p.main_.Gstart->Activate(); }},
        {SDLK_z, true, [](Program& p) { p.main_.TurnBack->Activate(); }},
        {SDLK_e, true, [](Program& p) { p.main_.finish->Activate(); }},
        {SDLK_g, true, [](Program& p) { p.ShowNumberWindow(); }},
        // Today's game: numbered by the local date, the same for every player that day.
        {SDLK_d, true,
         [](Program& p) {
             const DateTime today = p.services_.clock->Local();
             p.main_.StartNumberedGame(DateGameNumber(today.year, today.month, today.day));
         }},
        // "+" shares its key with "=" on most layouts: Ctrl+= is what most players press for Ctrl+Plus.
        {SDLK_PLUS, true, [](Program& p) { p.StepScale(+1); }},
        {SDLK_EQUALS, true, [](Program& p) { p.StepScale(+1); }},
        {SDLK_KP_PLUS, true, [](Program& p) { p.StepScale(+1); }},
        {SDLK_MINUS, true, [](Program& p) { p.StepScale(-1); }},
        {SDLK_KP_MINUS, true, [](Program& p) { p.StepScale(-1); }},
        {SDLK_0, true, [](Program& p) { p.StepScale(0); }},
        {SDLK_KP_0, true, [](Program& p) { p.StepScale(0); }},

        {SDLK_LEFT, false, [](Program& p) { p.main_.Board().MoveFocus(0, -1); }},
        {SDLK_RIGHT, false, [](Program& p) { p.main_.Board().MoveFocus(0, 1); }},
        {SDLK_UP, false, [](Program& p) { p.main_.Board().MoveFocus(-1, 0); }},
        {SDLK_DOWN, false, [](Program& p) { p.main_.Board().MoveFocus(1, 0); }},
        {SDLK_SPACE, false, [](Program& p) { p.main_.Board().PressFocusedCell(); }},
        {SDLK_RETURN, false, [](Program& p) { p.main_.Board().PressFocusedCell(); }},
        {SDLK_KP_ENTER, false, [](Program& p) { p.main_.Board().PressFocusedCell(); }},
        {SDLK_ESCAPE, false, [](Program& p) { p.main_.EscapeKey(); }},
        {SDLK_F1, false, [](Program& p) { p.main_.LMDLImage11->Activate(); }},
        {SDLK_F2, false, [](Program& p) { p.main_.Goptions->Activate(); }},
        {SDLK_F3, false, [](Program& p) { p.main_.ShowBestGamesClick(); }},
        {SDLK_h, false, [](Program& p) { p.main_.hintArea->Activate(); }},
        // Full screen, as the options window's switch does it, whether that window is up or not.
        {SDLK_F11, false, [](Program& p) { p.Options().LMD3DEffectButton2Click(); }},
        // The skins in their order on the left, the own skin's file chooser last.
        {SDLK_F5, false, [](Program& p) { p.main_.CheckGlass->Activate(); }},
        {SDLK_F6, false, [](Program& p) { p.main_.CheckWindows->Activate(); }},
        {SDLK_F7, false, [](Program& p) { p.main_.CheckBlock->Activate(); }},
        {SDLK_F8, false, [](Program& p) { p.main_.CheckSingle->Activate(); }},
        {SDLK_F9, false, [](Program& p) { p.main_.Checkpeople->Activate(); }},
        {SDLK_F10, false, [](Program& p) { p.main_.CheckAdded->Activate(); }},
    };
    return keys;
}

void Program::MainKeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & (KMOD_ALT | KMOD_GUI)) return;
    const bool ctrl = (mod & KMOD_CTRL) != 0;
    // The modes' keys come with the modes' table.
    if (!ctrl)
        for (const ModeRow& m : Modes())
            if (key == static_cast<SDL_Keycode>(m.key)) {
                main_.Selector(m.mode)->Activate();
                return;
            }
    for (const MainKey& k : MainKeys())
        if (k.key == key && k.ctrl == ctrl) {
            k.act(*this);
            return;
        }
}

} // namespace zv::app
