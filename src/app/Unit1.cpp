// The main window: its stored design, the layout routine, start-up and exit work, and the wiring of its handlers.
#include "app/Unit1.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "store/Records.h"
#include "app/Resources.h"
#include "store/Settings.h"
#include "store/SkinFile.h"
#include "store/TextFile.h"
#include "view/ThemeError.h"
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

void LoadList(ui::ImageList& list, const std::string& resource) {
    auto bytes = Resource(resource);
    if (bytes.empty()) return;
    view::LoadThemeBytes(bytes.data(), bytes.size(), resource, list);
}

} // namespace

TForm1::TForm1(Services& services) : services_(services) {
    records_ = std::make_unique<store::FileRecordWriter>(services_.dataDir, [this](const std::string& m) { ReportError(m); });
    game_ = std::make_unique<Game>(*this, *services_.sound, *records_, *services_.clock);
    BuildDesign();
    LoadArtwork();
}

TForm1::~TForm1() = default;

void TForm1::ReportError(const std::string& message) {
    if (services_.messages) services_.messages->ShowError(platform::kAppTitle, message);
}

// The controls as the window stores them, in stacking order from bottom to top.
void TForm1::BuildDesign() {
    form_.SetCaption("Zorvex 2000");
    form_.SetColour(colour_);

    Image1 = &form_.AddAt<ui::PictureControl>("Image1", 3, 0, 629, 489);
    Image1->SetEnabled(false);
    struct Piece { int left, top, width, height, piece; bool stretch; };
    const Piece pieces[8] = {
        {0, 489, 630, 3, 7, true}, {3, 0, 628, 3, 5, true},  {629, 3, 3, 488, 4, true}, {0, 3, 3, 488, 1, true},
        {0, 0, 3, 3, 6, false},    {629, 0, 3, 3, 0, false}, {629, 489, 3, 3, 3, false}, {0, 489, 3, 3, 2, false},
    };
    for (int i = 0; i < 8; ++i) {
        const Piece& p = pieces[i];
        auto& c = form_.AddAt<ui::PictureControl>("LMDLImage" + std::to_string(i + 1), p.left, p.top, p.width, p.height);
        c.SetImageList(&LMDBitmapList1);
        c.SetListIndex(p.piece);
        c.SetStretch(p.stretch);
        LMDLImage[static_cast<std::size_t>(i)] = &c;
    }
    LMDLImage[8] = &form_.AddAt<ui::PictureControl>("LMDLImage9", 595, 3, 17, 17);
    LMDLImage[8]->OnClick = [this] { LMDLImage9Click(); };
    LMDLImage[9] = &form_.AddAt<ui::PictureControl>("LMDLImage10", 613, 3, 17, 17);
    LMDLImage[9]->OnClick = [this] { LMDLImage10Click(); };

    Panel1 = &form_.AddAt<ui::Container>("Panel1", 4, 24, 625, 465);
    Panel1->SetColour(colour_);
    ui::Container& p = *Panel1;

    BackGround = &p.AddAt<ui::PictureControl>("BackGround", 0, 0, 625, 465);
    BackGround->SetImageList(&list1);
    BackGround->SetListIndex(view::kBackgroundPicture);

    for (int n = 1; n <= 100; ++n) {
        const CellPos c = CellOf(n);
        auto& b = p.AddAt<ui::ImageButton>("im" + std::to_string(n), 112 + 40 * (c.col - 1), 56 + 40 * (c.row - 1), 33, 33);
        b.SetImageList(&list1);
        b.OnClick = [this, n] { game_->ImClick(n); };
        im[static_cast<std::size_t>(n - 1)] = &b;
    }

    Label5 = &p.AddAt<ui::Label>("Label5", 273, 209, 73, 47);
    Label5->SetCaption("Игра");
    Label5->SetFont({"Impact", false, 37, false});
    Label5->SetGradient(165, kFuchsia, kBlack);
    Label6 = &p.AddAt<ui::Label>("Label6", 231, 256, 157, 47);
    Label6->SetCaption("Окончена");
    Label6->SetFont({"Impact", false, 37, false});
    Label6->SetGradient(165, kBlack, kFuchsia);
    for (ui::Label* l : {Label5, Label6}) {
        // A pale rim keeps the dark end of the gradient readable on any skin.
        l->SetHalo({255, 240, 255, 255});
        l->SetAlign(ui::Label::Align::Centre);
    }

    for (int k = 1; k <= 4; ++k) {
        auto& b = p.AddAt<ui::ImageButton>("next" + std::to_string(k), 232 + 40 * (k - 1), 8, 33, 33);
        b.SetImageList(&list1);
        next[static_cast<std::size_t>(k - 1)] = &b;
    }

    auto mark = [&](const std::string& name, int left, int top, int width) -> ui::PictureControl& {
        auto& c = p.AddAt<ui::PictureControl>(name, left, top, width, 17);
        c.SetImageList(&list1);
        c.SetListIndex(kModePlain);
        c.SetPictureOffset(0, 1);
        return c;
    };
    CheckGlass = &mark("CheckGlass", 10, 203, 87);
    CheckWindows = &mark("CheckWindows", 10, 227, 87);
    CheckBlock = &mark("CheckBlock", 10, 251, 87);
    CheckSingle = &mark("CheckSingle", 10, 275, 87);
    line = &mark("line", 520, 203, 89);
    cube = &mark("cube", 520, 227, 89);
    cross = &mark("cross", 520, 251, 89);
    ring = &mark("ring", 520, 275, 89);
    Checkpeople = &mark("Checkpeople", 10, 299, 87);
    corner = &mark("corner", 520, 299, 89);
    line->SetListIndex(kModeChosen);

    for (int n = 1; n <= 100; ++n) {
        const CellPos c = CellOf(n);
        auto& f = p.Add<ui::ShadeOverlay>("Fill" + std::to_string(n), ui::ShadeOverlay::Style::Bevelled);
        f.SetBounds(112 + 40 * (c.col - 1), 56 + 40 * (c.row - 1), 33, 33);
        f.Hide();
        Fill[static_cast<std::size_t>(n - 1)] = &f;
    }
    for (int n = 1; n <= 100; ++n) {
        const CellPos c = CellOf(n);
        auto& b = p.Add<ui::ShadeOverlay>("blok" + std::to_string(n), ui::ShadeOverlay::Style::Whole);
        b.SetBounds(112 + 40 * (c.col - 1), 56 + 40 * (c.row - 1), 33, 33);
        b.Hide();
        blok[static_cast<std::size_t>(n - 1)] = &b;
    }
    CheckAdded = &mark("CheckAdded", 10, 322, 87);

    finish = &p.AddAt<ui::ImageButton>("finish", 10, 16, 91, 27);
    TurnBack = &p.AddAt<ui::ImageButton>("TurnBack", 10, 430, 91, 27);
    Goptions = &p.AddAt<ui::ImageButton>("Goptions", 522, 430, 91, 27);
    Gstart = &p.AddAt<ui::ImageButton>("Gstart", 522, 16, 91, 27);

    label2 = &p.AddAt<ui::Label>("label2", 16, 80, 27, 42);
    Label1 = &p.AddAt<ui::Label>("Label1", 528, 80, 27, 42);
    for (ui::Label* l : {label2, Label1}) {
        l->SetCaption("0");
        l->SetFont({"Verdana", true, 32, false});
        l->SetColour(kScoreColour);
        l->SetDropShadow(2, kScoreShadow);
        l->SetAutoSize(true);
    }

    const char* radioNames[5] = {"RadioButton1", "Radiobutton2", "Radiobutton3", "Radiobutton4", "RadioButton5"};
    const char* radioCaptions[5] = {"Линия", "Квадрат", "Крест", "Кольцо", "Блок"};
    const int radioWidths[5] = {65, 81, 65, 73, 65};
    for (int i = 0; i < 5; ++i) {
        auto& r = p.AddAt<ui::Label>(radioNames[i], 528, 368, radioWidths[i], 17);
        r.SetCaption(radioCaptions[i]);
        r.SetFont({"Impact", false, 16, false});
        r.SetColour(kPurple);
        r.Hide();
        RadioButton[static_cast<std::size_t>(i)] = &r;
    }
    DXDraw1 = &p.AddAt<ui::PictureControl>("DXDraw1", 152, 8, 41, 41);
    DXDraw1->Hide();

    finish->OnClick = [this] { game_->finishClick(); };
    Gstart->OnClick = [this] { game_->GstartClick(); };
    TurnBack->OnClick = [this] { game_->TurnBackClick(); };
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

    skin_.setWindowColour = [this](SDL_Color c) { SetWindowColour(c); };
    skin_.background = BackGround;
    skin_.cells = im;
    skin_.next = next;
    skin_.checks = {CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded};
    skin_.modes = {line, cube, cross, ring, corner};
    skin_.lists = {&list1, &list2, &List3, &List4, &list5, &list6};
    skin_.skinIndex = &game_->State().SkinIndex;
    skin_.writeSkinFile = [this](std::int32_t n) { WriteSkinFile(n); };
    // A skin chosen during play decodes its list; its embedded pages then go back to the system, as
    // all of them do once at the end of start-up.
    skin_.prepareList = [this](int index) {
        EnsureList(index);
        ReleaseResourcePages();
    };
}

// The pictures stored with the window. A missing one leaves its control showing its bare face.
void TForm1::LoadArtwork() {
    // The window as built shows list1; the other skins are decoded when first chosen.
    EnsureList(0);
    for (int i = 0; i < 8; ++i) {
        ui::Picture piece;
        piece.surface = ResourcePicture("ui/frame" + std::to_string(i) + ".bmp");
        LMDBitmapList1.Append(std::move(piece));
    }
    Image1->SetPicture(ResourcePicture("ui/title.bmp"));
    finish->SetStateStrip(ResourcePicture("ui/btn_finish.bmp"), 91);
    Gstart->SetStateStrip(ResourcePicture("ui/btn_gstart.bmp"), 91);
    TurnBack->SetStateStrip(ResourcePicture("ui/btn_turnback.bmp"), 91);
    Goptions->SetStateStrip(ResourcePicture("ui/btn_goptions.bmp"), 91);
    form_.InvalidateAll();
}

void TForm1::EnsureList(int index) {
    if (index < 0 || index >= 5 || listLoaded_[static_cast<std::size_t>(index)]) return;
    listLoaded_[static_cast<std::size_t>(index)] = true;
    static const char* const names[5] = {"skins/list1.zvt", "skins/list2.zvt", "skins/List3.zvt", "skins/List4.zvt",
                                         "skins/list5.zvt"};
    ui::ImageList* lists[5] = {&list1, &list2, &List3, &List4, &list5};
    try {
        LoadList(*lists[index], names[index]);
    } catch (const std::exception& e) {
        ReportError(e.what());
    }
}

void TForm1::LayOutControls() {
    // The window asks for a larger client area first; sizing to its content wins.
    form_.SetClientSize(635, 499);
    for (ui::ImageButton* b : {finish, Gstart, TurnBack, Goptions}) {
        const bool top = b == finish || b == Gstart;
        const bool left = b == finish || b == TurnBack;
        b->SetTop(top ? 10 : 425);
        b->SetLeft(left ? 10 : 522);
        b->SetHeight(25);
        b->SetWidth(91);
    }
    Label1->SetTop(80);
    Label1->SetLeft(528);
    label2->SetTop(80);
    label2->SetLeft(16);
    const int tops[6] = {203, 227, 251, 275, 299, 322};
    ui::PictureControl* checks[6] = {CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded};
    for (int i = 0; i < 6; ++i) checks[i]->SetBounds(10, tops[i], 87, 17);
    ui::PictureControl* modes[5] = {line, cube, cross, ring, corner};
    for (int i = 0; i < 5; ++i) modes[i]->SetBounds(520, tops[i], 87, 17);
    for (int k = 0; k < 4; ++k) next[static_cast<std::size_t>(k)]->SetBounds(232 + 40 * k, 8, 33, 33);
    for (int n = 1; n <= 100; ++n) {
        const CellPos c = CellOf(n);
        const int x = 112 + 40 * (c.col - 1), y = 56 + 40 * (c.row - 1);
        im[static_cast<std::size_t>(n - 1)]->SetBounds(x, y, 33, 33);
        blok[static_cast<std::size_t>(n - 1)]->SetBounds(x, y, 33, 33);
        Fill[static_cast<std::size_t>(n - 1)]->SetBounds(x, y, 33, 33);
    }
    // Size to content: the frame pieces reach furthest.
    int w = 0, h = 0;
    for (const auto& c : form_.Children()) {
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    form_.SetClientSize(w, h);
}

void TForm1::FormCreate() {
    GameState& s = game_->State();
    LayOutControls();
    // A missing settings file is no error: the game starts with everything off but sound.
    s.Codes = store::DefaultSettings();
    try {
        store::ReadSettingsFile(services_.settingsPath, s.Codes);
    } catch (const std::exception& e) {
        ReportError(services_.settingsPath + ": " + e.what());
        s.Codes = store::DefaultSettings();
    }
    if (s.Codes.fullScreen == "fs") FullScreenAtStart();
    s.SkinIndex = 1;
    Label5->Hide();
    Label6->Hide();
    try {
        store::EnsureDirectory(services_.dataDir);
    } catch (const std::exception& e) {
        ReportError(services_.dataDir + ": " + e.what());
    }
    skinFile_ = services_.dataDir + "/win.sys";
    try {
        std::int32_t number = s.SkinIndex;
        if (store::ReadSkinFile(skinFile_, number)) {
            s.SkinIndex = number;
            view::ApplyBuiltInSkin(skin_, number);
        }
    } catch (const std::exception& e) {
        ReportError(skinFile_ + ": " + e.what());
    }
    for (Mode m : store::kRecordReadOrder) {
        store::RecordLoad r = store::LoadRecordFile(services_.dataDir, m);
        if (!r.error.empty()) ReportError(r.error);
        s.RecordText[static_cast<std::size_t>(m)] = r.text;
        label2->SetCaption(r.text);
        s.BestScore = r.value;
    }
}

void TForm1::FullScreenAtStart() {
    platform::FullScreenDisplay* fs = services_.fullScreen ? services_.fullScreen() : nullptr;
    if (!fs) return;
    try {
        fs->Initialise();
    } catch (const std::exception& e) {
        game_->State().Codes.fullScreen = "ns";
        ReportError(e.what());
    }
}

void TForm1::FormDestroy() {
    GameState& s = game_->State();
    try {
        store::WriteSettingsFile(services_.settingsPath, s.Codes);
    } catch (const std::exception& e) {
        ReportError(services_.settingsPath + ": " + e.what());
    }
    Mode m;
    if (ModeFromWord(s.GameMode, m) && s.Score >= s.BestScore) {
        s.BestScore = s.Score;
        records_->WriteRecordFile(m, s.Score);
        label2->SetCaption(std::to_string(s.Score));
    }
    if (services_.fullScreen)
        if (platform::FullScreenDisplay* fs = services_.fullScreen(); fs && fs->Active()) fs->Finalise();
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

void TForm1::CheckGlassClick() { view::ApplyGlassSkin(skin_); }
void TForm1::CheckWindowsClick() { view::ApplyWindowsSkin(skin_); }
void TForm1::CheckBlockClick() { view::ApplyBlockSkin(skin_); }
void TForm1::CheckSingleClick() { view::ApplySingleSkin(skin_); }
void TForm1::CheckpeopleClick() { view::ApplyPeopleSkin(skin_); }

void TForm1::CheckAddedClick() {
    if (services_.fileDialog) {
        auto path = services_.fileDialog->OpenFile("Zorvex 2000", platform::kThemeFilterName, platform::kThemePattern);
        if (path) {
            // A bad file must not cost the player the theme already loaded: read it aside first.
            ui::ImageList loaded("list6");
            try {
                view::LoadThemeFile(*path, loaded);
            } catch (const std::exception& e) {
                ReportError(e.what());
                return;
            }
            list6.ReplaceWith(std::move(loaded));
        }
    }
    view::ApplyCustomSkin(skin_);
    // The list's pictures changed under the controls that show it.
    form_.InvalidateAll();
}

void TForm1::WriteSkinFile(std::int32_t number) {
    try {
        store::WriteSkinFile(skinFile_, number);
    } catch (const std::exception& e) {
        ReportError(skinFile_ + ": " + e.what());
    }
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
    for (ui::PictureControl* c : {line, cube, ring, cross, corner}) c->SetEnabled(enabled);
    for (ui::Label* r : RadioButton) r->SetEnabled(enabled);
}

void TForm1::SetModeMarks(Mode chosen) {
    ui::PictureControl* modes[5] = {line, cube, cross, ring, corner};
    for (int i = 0; i < 5; ++i) modes[i]->SetListIndex(i == static_cast<int>(chosen) ? kModeChosen : kModePlain);
}

} // namespace zv::app
