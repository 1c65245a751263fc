// The main window: its controls from the layout table, what each shows, its handlers and the board view.
#include "app/Unit1.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "app/Resources.h"
#include "view/ThemeError.h"
#include "view/SkinTheme.h"
#include "view/ThemeFile.h"

namespace zv::app {

namespace {

constexpr SDL_Color kScoreColour{0, 122, 204, 255};
constexpr SDL_Color kScoreShadow{12, 31, 137, 255};
constexpr SDL_Color kFuchsia{255, 0, 255, 255};
constexpr SDL_Color kBlack{0, 0, 0, 255};
constexpr SDL_Color kPurple{128, 0, 128, 255};

// Picture positions of the mode selectors.
constexpr int kModePlain = 8;
constexpr int kModeChosen = 9;

// The background of a built-in list with its captions in English, where the list has one ("skins/X.en.zvt").
void UseEnglishBackground(ui::ImageList& list, const std::string& resource) {
    const std::string english = resource.substr(0, resource.size() - 4) + ".en.zvt";
    if (list.Count() <= view::kBackgroundPicture || Resource(english).empty()) return;
    ui::ImageList pictures;
    LoadResourceList(pictures, english);
    if (pictures.Count() > 0 && pictures.Get(0)) list.SetSurface(view::kBackgroundPicture, std::move(pictures.At(0).surface));
}

} // namespace

TForm1::TForm1(Services& services)
    : services_(services),
      files_(services, [this](const std::string& m) { ReportError(m); }),
      book_(services, [this](const std::string& m) { ReportError(m); }) {
    game_ = std::make_unique<Game>(*this, *services_.sound, files_.Records(), *services_.clock);
    game_->SetGameLog(&book_);
    BuildDesign();
    LoadArtwork();
}

TForm1::~TForm1() = default;

void TForm1::ReportError(const std::string& message) {
    if (services_.messages) services_.messages->ShowError(platform::kAppTitle, message);
}

// The controls as the window stores them: their places from the layout table, then what each shows.
void TForm1::BuildDesign() {
    form_.SetCaption("Zorvex 2000");
    form_.SetColour(colour_);
    controls_ = BuildControls(form_, MainWindowLayout());
    const BuiltControls& c = controls_;

    Image1 = c.Get<ui::PictureControl>("Image1");
    for (int i = 0; i < 10; ++i) LMDLImage[static_cast<std::size_t>(i)] = c.Get<ui::PictureControl>("LMDLImage" + std::to_string(i + 1));
    LMDLImage11 = c.Get<ui::PictureControl>("LMDLImage11");
    Panel1 = c.Get<ui::Container>("Panel1");
    BackGround = c.Get<ui::PictureControl>("BackGround");
    recordArea = c.Get<ui::PictureControl>("recordArea");
    for (int n = 1; n <= kCells; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        im[i] = c.Get<ui::ImageButton>("im" + std::to_string(n));
        Fill[i] = c.Get<ui::ShadeOverlay>("Fill" + std::to_string(n));
        blok[i] = c.Get<ui::ShadeOverlay>("blok" + std::to_string(n));
    }
    for (int k = 1; k <= 4; ++k) next[static_cast<std::size_t>(k - 1)] = c.Get<ui::ImageButton>("next" + std::to_string(k));
    Label5 = c.Get<ui::Label>("Label5");
    Label6 = c.Get<ui::Label>("Label6");
    label2 = c.Get<ui::Label>("label2");
    Label1 = c.Get<ui::Label>("Label1");
    finish = c.Get<ui::ImageButton>("finish");
    Gstart = c.Get<ui::ImageButton>("Gstart");
    TurnBack = c.Get<ui::ImageButton>("TurnBack");
    Goptions = c.Get<ui::ImageButton>("Goptions");
    CheckGlass = c.Get<ui::PictureControl>("CheckGlass");
    CheckWindows = c.Get<ui::PictureControl>("CheckWindows");
    CheckBlock = c.Get<ui::PictureControl>("CheckBlock");
    CheckSingle = c.Get<ui::PictureControl>("CheckSingle");
    Checkpeople = c.Get<ui::PictureControl>("Checkpeople");
    CheckAdded = c.Get<ui::PictureControl>("CheckAdded");
    line = c.Get<ui::PictureControl>("line");
    cube = c.Get<ui::PictureControl>("cube");
    cross = c.Get<ui::PictureControl>("cross");
    ring = c.Get<ui::PictureControl>("ring");
    corner = c.Get<ui::PictureControl>("corner");
    const char* radioNames[5] = {"RadioButton1", "Radiobutton2", "Radiobutton3", "Radiobutton4", "RadioButton5"};
    for (int i = 0; i < 5; ++i) RadioButton[static_cast<std::size_t>(i)] = c.Get<ui::Label>(radioNames[i]);
    DXDraw1 = c.Get<ui::PictureControl>("DXDraw1");
    focus = c.Get<ui::FocusFrame>("focus");

    SetUpControls();
    WireHandlers();
}

void TForm1::SetUpControls() {
    Image1->SetEnabled(false);
    // The frame pieces: the four edges stretch, the corners do not.
    constexpr int kFramePiece[8] = {7, 5, 4, 1, 6, 0, 3, 2};
    for (int i = 0; i < 8; ++i) {
        ui::PictureControl& piece = *LMDLImage[static_cast<std::size_t>(i)];
        piece.SetImageList(&LMDBitmapList1);
        piece.SetListIndex(kFramePiece[i]);
        piece.SetStretch(i < 4);
    }
    Panel1->SetColour(colour_);
    BackGround->SetImageList(&list1);
    BackGround->SetListIndex(view::kBackgroundPicture);
    for (ui::ImageButton* b : im) b->SetImageList(&list1);
    for (ui::ImageButton* b : next) b->SetImageList(&list1);
    for (ui::ShadeOverlay* o : Fill) o->Hide();
    for (ui::ShadeOverlay* o : blok) o->Hide();

    Label5->SetCaption(platform::Tr("Игра"));
    Label5->SetGradient(165, kFuchsia, kBlack);
    Label6->SetCaption(platform::Tr("Окончена"));
    Label6->SetGradient(165, kBlack, kFuchsia);
    for (ui::Label* l : {Label5, Label6}) {
        l->SetFont({"Impact", false, 37, false});
        // A pale rim keeps the dark end of the gradient readable on any skin.
        l->SetHalo({255, 240, 255, 255});
        l->SetAlign(ui::Label::Align::Centre);
    }

    for (ui::PictureControl* m : {CheckGlass, CheckWindows, CheckBlock, CheckSingle, line, cube, cross, ring, Checkpeople,
                                  corner, CheckAdded}) {
        m->SetImageList(&list1);
        m->SetListIndex(kModePlain);
        m->SetPictureOffset(0, 1);
    }
    line->SetListIndex(kModeChosen);
    // The window is built in the first skin's look; its mark shows it until a skin file or a click says otherwise.
    CheckGlass->SetListIndex(view::kMarkChecked);
    for (ui::PictureControl* c : {line, cube, cross, ring, corner}) c->SetDimmedWhenDisabled(true);
    TurnBack->SetDimmedWhenDisabled(true);

    for (ui::Label* l : {label2, Label1}) {
        l->SetCaption("0");
        l->SetFont({"Verdana", true, 32, false});
        l->SetColour(kScoreColour);
        l->SetDropShadow(2, kScoreShadow);
        l->SetAutoSize(true);
    }
    const char* radioCaptions[5] = {N_("Линия"), N_("Квадрат"), N_("Крест"), N_("Кольцо"), N_("Блок")};
    for (int i = 0; i < 5; ++i) {
        ui::Label& r = *RadioButton[static_cast<std::size_t>(i)];
        r.SetCaption(platform::Tr(radioCaptions[i]));
        r.SetFont({"Impact", false, 16, false});
        r.SetColour(kPurple);
        r.Hide();
    }
    DXDraw1->Hide();
    focus->Hide();
}

void TForm1::WireHandlers() {
    LMDLImage[8]->OnClick = [this] { LMDLImage9Click(); };
    LMDLImage[9]->OnClick = [this] { LMDLImage10Click(); };
    LMDLImage11->OnClick = [this] { LMDLImage11Click(); };
    // The handlers that can give or take the undo show it on the undo button afterwards.
    for (int n = 1; n <= kCells; ++n)
        im[static_cast<std::size_t>(n - 1)]->OnClick = [this, n] {
            game_->ImClick(n);
            RefreshUndo();
        };
    finish->OnClick = [this] {
        game_->finishClick();
        RefreshUndo();
    };
    Gstart->OnClick = [this] {
        game_->GstartClick();
        RefreshUndo();
    };
    TurnBack->OnClick = [this] {
        game_->TurnBackClick();
        RefreshUndo();
    };
    Goptions->OnClick = [this] { GoptionsClick(); };
    line->OnClick = [this] { game_->lineClick(); };
    cube->OnClick = [this] { game_->cubeClick(); };
    cross->OnClick = [this] { game_->crossClick(); };
    ring->OnClick = [this] { game_->ringClick(); };
    corner->OnClick = [this] { game_->cornerClick(); };
    CheckGlass->OnClick = [this] { CheckGlassClick(); };
    CheckWindows->OnClick = [this] { CheckWindowsClick(); };
    CheckBlock->OnClick = [this] { CheckBlockClick(); };
    CheckSingle->OnClick = [this] { CheckSingleClick(); };
    Checkpeople->OnClick = [this] { CheckpeopleClick(); };
    CheckAdded->OnClick = [this] { CheckAddedClick(); };
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) { FormKeyDown(key, mod); };
    // The mouse takes over: the keyboard's frame goes until the next key.
    form_.OnMouseDown = [this] { focus->Hide(); };
    label2->OnClick = [this] { ShowBestGamesClick(); };
    recordArea->OnClick = [this] { ShowBestGamesClick(); };

    skin_.setWindowColour = [this](SDL_Color c) { SetWindowColour(c); };
    skin_.background = BackGround;
    skin_.cells = im;
    skin_.next = next;
    skin_.checks = {CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded};
    skin_.modes = {line, cube, cross, ring, corner};
    skin_.lists = {&list1, &list2, &List3, &List4, &list5, &list6};
    skin_.setSkinIndex = [this](std::int32_t n) {
        game_->SetSkinIndex(n);
        // Every skin tells the rules its number once the board has its list.
        if (OnSkinChanged) OnSkinChanged();
    };
    skin_.writeSkinFile = [this](std::int32_t n) { files_.WriteSkinFile(n); };
    // A skin chosen during play has its list decoded when first drawn (each embedded file's pages go
    // back to the system once it is decoded).
    skin_.prepareList = [this](int index) { EnsureList(index); };
}

// The pictures stored with the window. A missing one leaves its control showing its bare face.
void TForm1::LoadArtwork() {
    // The window as built shows list1; the other skins are decoded when first chosen.
    EnsureList(0);
    LMDBitmapList1.SetLoader([](ui::ImageList& list) {
        for (int i = 0; i < 8; ++i) {
            ui::Picture piece;
            piece.surface = ResourcePicture("ui/frame" + std::to_string(i) + ".bmp");
            list.Append(std::move(piece));
        }
    });
    LMDBitmapList1.SetScaledSource([](int scale) {
        std::vector<ui::SurfacePtr> pieces;
        for (int i = 0; i < 8; ++i) pieces.push_back(DrawnResourcePicture("ui/frame" + std::to_string(i) + ".bmp", scale));
        return pieces;
    });
    Image1->SetPicture(ScaledResourcePicture("ui/title.bmp"));
    finish->SetStateStrip(CaptionedPicture("btn_finish.bmp"), 91);
    Gstart->SetStateStrip(CaptionedPicture("btn_gstart.bmp"), 91);
    TurnBack->SetStateStrip(CaptionedPicture("btn_turnback.bmp"), 91);
    Goptions->SetStateStrip(CaptionedPicture("btn_goptions.bmp"), 91);
    form_.InvalidateAll();
}

void TForm1::EnsureList(int index) {
    if (index < 0 || index >= 5 || listLoaded_[static_cast<std::size_t>(index)]) return;
    listLoaded_[static_cast<std::size_t>(index)] = true;
    ui::ImageList* lists[5] = {&list1, &list2, &List3, &List4, &list5};
    const std::string resource = kSkinListResources[index];
    // The pictures of each scale are decoded when the window is first drawn with them: at 2x the 1x
    // ones never are.
    lists[index]->SetLoader([this, resource](ui::ImageList& list) {
        try {
            LoadResourceList(list, resource);
            if (platform::EnglishInUse()) UseEnglishBackground(list, resource);
            CompactLargePictures(list);
        } catch (const std::exception& e) {
            // Asked for while the window paints: the box comes after the frame.
            const std::string message = e.what();
            if (services_.later) services_.later([this, message] { ReportError(message); });
            else ReportError(message);
        }
    });
    lists[index]->SetScaledSource([resource](int scale) { return ScaledListPictures(resource, scale); });
}

void TForm1::LayOutControls() {
    // The window asks for a larger client area first; sizing to its content wins.
    form_.SetClientSize(kMainRequestedWidth, kMainRequestedHeight);
    ApplyLaidOut(controls_, MainWindowLayout());
    // Size to content: the frame pieces reach furthest.
    int w = 0, h = 0;
    for (const auto& c : form_.Children()) {
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    form_.SetClientSize(w, h);
}

void TForm1::FormCreate() {
    LayOutControls();
    files_.ReadSettings(*game_);
    if (game_->State().Switches.fullScreen == Switch::On) FullScreenAtStart();
    game_->SetSkinIndex(view::kGlass);
    Label5->Hide();
    Label6->Hide();
    // Without a usable data directory there is no skin file: the window keeps the look it was built with.
    const bool dataDirUsable = files_.PrepareDataDirectory();
    // The player's own scale, else the desktop's; the window is not shown yet.
    ApplyScale(files_.ReadScale().value_or(services_.desktopScale ? services_.desktopScale() : 1));
    if (dataDirUsable)
        if (const auto number = files_.ReadSkinNumber(game_->State().SkinIndex)) {
            game_->SetSkinIndex(*number);
            view::ApplyBuiltInSkin(skin_, *number);
        }
    files_.ReadRecords(*game_);
    book_.Load(dataDirUsable);
    RefreshUndo();
    DecodeFirstFrame();
}

void TForm1::DecodeFirstFrame() {
    // Decoded now, before the window has a surface to fill: the peak of memory at start-up is then the
    // larger of the two, not their sum. The picture is asked for at the scale the window will be drawn at.
    const int s = scale_;
    if (const ui::ImageList* balls = BallList()) balls->Get(view::kBackgroundPicture, s);
    LMDBitmapList1.Get(0, s);
    Image1->Shown(s);
}

void TForm1::RefreshUndo() { TurnBack->SetEnabled(game_->UndoAvailable()); }

void TForm1::ApplyScale(int scale) {
    const int largest = services_.largestScale ? services_.largestScale() : 1;
    scale_ = std::clamp(scale, 1, std::max(1, largest));
    if (services_.setScale) services_.setScale(scale_);
}

void TForm1::StepScale(int step) {
    if (step == 0) {
        ApplyScale(services_.desktopScale ? services_.desktopScale() : 1);
        files_.ForgetScale();
        return;
    }
    const int before = scale_;
    ApplyScale(scale_ + step);
    if (scale_ != before) files_.WriteScale(scale_);
}

void TForm1::FullScreenAtStart() {
    platform::FullScreenDisplay* fs = services_.fullScreen ? services_.fullScreen() : nullptr;
    if (!fs) return;
    try {
        fs->Initialise();
    } catch (const std::exception& e) {
        game_->SetFullScreen(false);
        ReportError(e.what());
    }
}

void TForm1::FormDestroy() {
    files_.WriteSettings(*game_);
    game_->RecordAtExit();
    book_.Flush();
    if (services_.fullScreen)
        if (platform::FullScreenDisplay* fs = services_.fullScreen(); fs && fs->Active()) fs->Finalise();
}

void TForm1::FormKeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & KMOD_CTRL) {
        if (mod & (KMOD_ALT | KMOD_GUI)) return;
        switch (key) {
        case SDLK_n: Gstart->Activate(); break;
        case SDLK_z: TurnBack->Activate(); break;
        case SDLK_e: finish->Activate(); break;
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
    ui::PictureControl* modes[5] = {line, cube, cross, ring, corner};
    switch (key) {
    case SDLK_LEFT: MoveFocus(0, -1); break;
    case SDLK_RIGHT: MoveFocus(0, 1); break;
    case SDLK_UP: MoveFocus(-1, 0); break;
    case SDLK_DOWN: MoveFocus(1, 0); break;
    case SDLK_SPACE:
    case SDLK_RETURN:
    case SDLK_KP_ENTER: PressFocusedCell(); break;
    case SDLK_ESCAPE: game_->EndSelection(); break;
    case SDLK_1:
    case SDLK_2:
    case SDLK_3:
    case SDLK_4:
    case SDLK_5: modes[key - SDLK_1]->Activate(); break;
    case SDLK_F2: Goptions->Activate(); break;
    case SDLK_F1: LMDLImage11->Activate(); break;
    case SDLK_F3: ShowBestGamesClick(); break;
    case SDLK_F11:
        if (services_.pressFullScreenSwitch) services_.pressFullScreenSwitch();
        break;
    // The skins in their order on the left, the own skin's file chooser last.
    case SDLK_F5: CheckGlass->Activate(); break;
    case SDLK_F6: CheckWindows->Activate(); break;
    case SDLK_F7: CheckBlock->Activate(); break;
    case SDLK_F8: CheckSingle->Activate(); break;
    case SDLK_F9: Checkpeople->Activate(); break;
    case SDLK_F10: CheckAdded->Activate(); break;
    default: break;
    }
}

void TForm1::MoveFocus(int dRow, int dCol) {
    // The first key only shows where the frame is.
    if (focus->Visible()) {
        const CellPos c = CellOf(focusCell_);
        const int row = (c.row - 1 + dRow + kRows) % kRows + 1;
        const int col = (c.col - 1 + dCol + kCols) % kCols + 1;
        focusCell_ = CellIndex(row, col);
    }
    const SDL_Rect r = FocusRect(focusCell_);
    focus->SetBounds(r.x, r.y, r.w, r.h);
    focus->Show();
}

void TForm1::PressFocusedCell() {
    if (!focus->Visible()) {
        MoveFocus(0, 0);
        return;
    }
    // Exactly what a click on the cell's centre would reach: the cell, or an overlay that takes the press.
    const SDL_Point p = CellCentreInWindow(focusCell_);
    if (ui::Control* target = form_.ControlAt(p.x, p.y)) target->Activate();
}

void TForm1::LMDLImage9Click() {
    if (services_.minimise) services_.minimise();
}

void TForm1::LMDLImage10Click() {
    // Return the display to the mode it had before us, then end the program.
    if (services_.fullScreen)
        if (platform::FullScreenDisplay* fs = services_.fullScreen()) fs->RestoreSavedDisplayMode();
    if (services_.requestQuit) services_.requestQuit();
}

void TForm1::GoptionsClick() {
    if (services_.showOptions) services_.showOptions();
}

void TForm1::ShowBestGamesClick() {
    Mode m = game_->CheckedMode();
    ModeFromWord(game_->State().GameMode, m);
    if (services_.showBestGames) services_.showBestGames(m);
}

void TForm1::LMDLImage11Click() { HelpClick(); }

void TForm1::HelpClick() {
    if (services_.showRules) services_.showRules();
}

void TForm1::CheckGlassClick() { view::ApplyGlassSkin(skin_); }
void TForm1::CheckWindowsClick() { view::ApplyWindowsSkin(skin_); }
void TForm1::CheckBlockClick() { view::ApplyBlockSkin(skin_); }
void TForm1::CheckSingleClick() { view::ApplySingleSkin(skin_); }
void TForm1::CheckpeopleClick() { view::ApplyPeopleSkin(skin_); }

void TForm1::CheckAddedClick() {
    if (services_.fileDialog) {
        auto path = services_.fileDialog->OpenFile(platform::Tr(platform::kThemeChooserTitle), platform::Tr(platform::kThemeFilterName),
                                                   platform::kThemePattern);
        if (path) {
            // A bad file, or one with too few pictures for a skin, leaves the loaded theme and the skin on.
            try {
                view::LoadSkinThemeFile(*path, list6);
            } catch (const std::exception& e) {
                ReportError(e.what());
                return;
            }
        }
    }
    view::ApplyCustomSkin(skin_);
    // The list's pictures changed under the controls that show it.
    form_.InvalidateAll();
}

void TForm1::SetWindowColour(SDL_Color c) {
    colour_ = c;
    form_.SetColour(c);
    Panel1->SetColour(c);
}

void TForm1::SetCellPicture(int cell, int position) {
    if (cell >= 1 && cell <= 100) im[static_cast<std::size_t>(cell - 1)]->SetListIndex(position);
}

void TForm1::SetNextPicture(int k, int position) {
    if (k >= 1 && k <= 4) next[static_cast<std::size_t>(k - 1)]->SetListIndex(position);
}

void TForm1::SetHighlight(int cell, bool shown) {
    if (cell >= 1 && cell <= 100) Fill[static_cast<std::size_t>(cell - 1)]->SetVisible(shown);
}

void TForm1::SetBlocked(int cell, bool shown) {
    if (cell >= 1 && cell <= 100) blok[static_cast<std::size_t>(cell - 1)]->SetVisible(shown);
}

bool TForm1::IsBlocked(int cell) const {
    return cell >= 1 && cell <= 100 && blok[static_cast<std::size_t>(cell - 1)]->Visible();
}

void TForm1::SetScoreText(const std::string& text) { Label1->SetCaption(text); }
void TForm1::SetRecordText(const std::string& text) { label2->SetCaption(text); }

void TForm1::SetBannerVisible(bool shown) {
    Label5->SetVisible(shown);
    Label6->SetVisible(shown);
}

void TForm1::SetModeSelectorsEnabled(bool enabled) {
    // During a game the chosen mode keeps its colours and the others are dimmed, so the mode played shows.
    for (ui::PictureControl* c : {line, cube, ring, cross, corner}) {
        c->SetDimmedWhenDisabled(c->ListIndex() != kModeChosen);
        c->SetEnabled(enabled);
    }
    for (ui::Label* r : RadioButton) r->SetEnabled(enabled);
}

void TForm1::SetModeMarks(Mode chosen) {
    ui::PictureControl* modes[5] = {line, cube, cross, ring, corner};
    for (int i = 0; i < 5; ++i) modes[i]->SetListIndex(i == static_cast<int>(chosen) ? kModeChosen : kModePlain);
}

} // namespace zv::app
