// The main window: its controls from the layout table, what each shows, its handlers and the board view.
#include "app/Unit1.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "app/Resources.h"
#include "view/HintGlyph.h"
#include "view/Palette.h"
#include "view/ThemeError.h"
#include "view/SkinTheme.h"
#include "view/ThemeFile.h"

namespace zv::app {

namespace {

constexpr SDL_Color kScoreColour{0, 122, 204, 255};
constexpr SDL_Color kScoreShadow{12, 31, 137, 255};
constexpr SDL_Color kFuchsia{255, 0, 255, 255};
constexpr SDL_Color kPurple{128, 0, 128, 255};

constexpr SDL_Color kHintRing{255, 204, 0, 255};

// Picture positions of the mode selectors.
constexpr int kModePlain = 8;
constexpr int kModeChosen = 9;

} // namespace

TForm1::TForm1(Services& services, Windows& windows, Game& game, GameFiles& files)
    : services_(services), windows_(windows), game_(game), files_(files) {
    BuildDesign();
    board_ = std::make_unique<BoardPresenter>(BoardControls{&form_, im, Label1, focus, hintFrom, hintTo}, *this, game_,
                                              services_.animation);
    LoadArtwork();
}

TForm1::~TForm1() = default;

void TForm1::ReportError(const std::string& message) { services_.messages->ShowError(platform::kAppTitle, message); }

// The controls as the window stores them: their places from the layout table, then what each shows.
void TForm1::BuildDesign() {
    form_.SetCaption("Zorvex 2000");
    form_.SetColour(colour_);
    controls_ = BuildControls(form_, MainWindowLayout());
    const BuiltControls& c = controls_;

    Image1 = c.Get<ui::PictureControl>("Image1");
    for (int i = 0; i < 10; ++i) LMDLImage[static_cast<std::size_t>(i)] = c.Get<ui::PictureControl>("LMDLImage" + std::to_string(i + 1));
    LMDLImage11 = c.Get<ui::PictureControl>("LMDLImage11");
    hintArea = c.Get<ui::PictureControl>("hintArea");
    hintFrom = c.Get<ui::FocusFrame>("hintFrom");
    hintTo = c.Get<ui::FocusFrame>("hintTo");
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
    for (const ModeRow& m : Modes()) {
        modeSelector[static_cast<std::size_t>(m.mode)] = c.Get<ui::PictureControl>(m.selector);
        RadioButton[static_cast<std::size_t>(m.mode)] = c.Get<ui::Label>(m.radio);
    }
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
    Label5->SetGradient(165, kFuchsia, view::kBlack);
    Label6->SetCaption(platform::Tr("Окончена"));
    Label6->SetGradient(165, view::kBlack, kFuchsia);
    for (ui::Label* l : {Label5, Label6}) {
        l->SetFont({"Impact", false, 37, false});
        l->SetShrinkToFit(true);
        // A pale rim keeps the dark end of the gradient readable on any skin.
        l->SetHalo({255, 240, 255, 255});
        l->SetAlign(ui::Label::Align::Centre);
    }

    for (ui::PictureControl* m : {CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded}) {
        m->SetImageList(&list1);
        m->SetListIndex(kModePlain);
        m->SetPictureOffset(0, 1);
    }
    for (ui::PictureControl* m : modeSelector) {
        m->SetImageList(&list1);
        m->SetListIndex(kModePlain);
        m->SetPictureOffset(0, 1);
        m->SetDimmedWhenDisabled(true);
    }
    // RadioButton1 is checked at start-up.
    Selector(Modes()[0].mode)->SetListIndex(kModeChosen);
    // The window is built in the first skin's look; its mark shows it until a skin file or a click says otherwise.
    CheckGlass->SetListIndex(view::kMarkChecked);
    TurnBack->SetDimmedWhenDisabled(true);

    for (ui::Label* l : {label2, Label1}) {
        l->SetCaption("0");
        l->SetFont({"Verdana", true, 32, false});
        l->SetColour(kScoreColour);
        l->SetDropShadow(2, kScoreShadow);
        l->SetAutoSize(true);
    }
    for (const ModeRow& m : Modes()) {
        ui::Label& r = *RadioButton[static_cast<std::size_t>(m.mode)];
        r.SetCaption(platform::Tr(m.name));
        r.SetFont({"Impact", false, 16, false});
        r.SetColour(kPurple);
        r.Hide();
    }
    DXDraw1->Hide();
    focus->Hide();
    for (ui::FocusFrame* f : {hintFrom, hintTo}) {
        f->SetRings(view::kBlack, kHintRing, kHintRing);
        f->Hide();
    }
    AddPanelCaptions();
}

void TForm1::AddPanelCaptions() {
    // The words lie on the background, under the marks, which grey them with themselves when disabled.
    for (const view::CaptionPlace& place : view::PanelCaptions()) captions.emplace_back(place, platform::Tr(place.id));
    BackGround->PaintOver = [this](SDL_Surface* target, const SDL_Rect& area, ui::Scale scale) {
        if (const view::SkinLettering* lettering = PanelLettering())
            for (const view::PanelCaption& c : captions) c.Paint(target, area.x, area.y, *lettering, scale.Factor());
    };
}

const view::SkinLettering* TForm1::PanelLettering() const {
    // The background in use is that of the last skin that brings one.
    const ui::ImageList* shown = BackGround->GetImageList();
    if (shown == &list1) return &view::GlassLettering();
    if (shown == &List3) return &view::ChipsLettering();
    if (shown == &List4) return &view::MarblesLettering();
    return nullptr;
}

void TForm1::WireHandlers() {
    LMDLImage[8]->OnClick = [this] { LMDLImage9Click(); };
    LMDLImage[9]->OnClick = [this] { LMDLImage10Click(); };
    LMDLImage11->OnClick = [this] { LMDLImage11Click(); };
    hintArea->OnClick = [this] { HintClick(); };
    for (int n = 1; n <= kCells; ++n) im[static_cast<std::size_t>(n - 1)]->OnClick = [this, n] { board_->Hold(); Played(game_.ImClick(n)); };
    finish->OnClick = [this] { board_->Hold(); Played(game_.finishClick()); };
    Gstart->OnClick = [this] { board_->Hold(); Played(game_.GstartClick()); };
    TurnBack->OnClick = [this] { board_->Hold(); Played(game_.TurnBackClick()); };
    Goptions->OnClick = [this] { GoptionsClick(); };
    for (const ModeRow& m : Modes()) Selector(m.mode)->OnClick = [this, click = m.click] { click(game_); };
    CheckGlass->OnClick = [this] { CheckGlassClick(); };
    CheckWindows->OnClick = [this] { CheckWindowsClick(); };
    CheckBlock->OnClick = [this] { CheckBlockClick(); };
    CheckSingle->OnClick = [this] { CheckSingleClick(); };
    Checkpeople->OnClick = [this] { CheckpeopleClick(); };
    CheckAdded->OnClick = [this] { CheckAddedClick(); };
    // Any key first lands a turn's motion; the program's key map then acts.
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) {
        board_->Finish();
        windows_.MainKeyDown(key, mod);
    };
    // The mouse takes over: the keyboard's frame goes until the next key. A press never waits for the
    // board's motion: the board jumps to where the rules are, then the press acts.
    form_.OnMouseDown = [this] { board_->MouseDown(); };
    label2->OnClick = [this] { ShowBestGamesClick(); };
    recordArea->OnClick = [this] { ShowBestGamesClick(); };

    skin_.setWindowColour = [this](SDL_Color c) { SetWindowColour(c); };
    skin_.background = BackGround;
    skin_.cells = im;
    skin_.next = next;
    skin_.checks = {CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded};
    skin_.modes = modeSelector;
    skin_.lists = {&list1, &list2, &List3, &List4, &list5, &list6};
    skin_.setSkinIndex = [this](std::int32_t n) {
        game_.SetSkinIndex(n);
        // Every skin tells the rules its number once the board has its list.
        windows_.SkinChanged();
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
    hintArea->SetPicture(ui::ScaledPicture([](int scale) {
        // Drawn for 4x from its shapes, not doubled from 2x.
        if (scale <= 2)
            if (ui::SurfacePtr ready = ReadyDrawnPicture("ui/hint", scale)) return ready;
        return view::DrawHintGlyph(scale);
    }));
    UseCommandButtonArtwork(*finish, "btn_finish.bmp");
    UseCommandButtonArtwork(*Gstart, "btn_gstart.bmp");
    UseCommandButtonArtwork(*TurnBack, "btn_turnback.bmp");
    UseCommandButtonArtwork(*Goptions, "btn_goptions.bmp");
    form_.InvalidateAll();
}

void TForm1::EnsureList(int index) {
    if (index < 0 || index >= 5 || listLoaded_[static_cast<std::size_t>(index)]) return;
    listLoaded_[static_cast<std::size_t>(index)] = true;
    ui::ImageList* lists[5] = {&list1, &list2, &List3, &List4, &list5};
    const std::string resource = kSkinListResources[index];
    // A background made ready when the program was built is drawn from that form: the list is decoded without it.
    const std::string ready = ReadyListResource(resource);
    // The pictures of each scale are decoded when the window is first drawn with them: at 2x the 1x
    // ones never are.
    lists[index]->SetLoader([this, list = ready.empty() ? resource : ready](ui::ImageList& into) {
        try {
            LoadResourceList(into, list);
            CompactLargePictures(into);
        } catch (const std::exception& e) {
            // Asked for while the window paints: the box comes after the frame.
            const std::string message = e.what();
            services_.desktop->Later([this, message] { ReportError(message); });
        }
    });
    // The 3x artwork is drawn on its own and the 4x is the whole 2x list doubled.
    lists[index]->SetScaledSource([resource, ready](int scale) { return ScaledListPictures(scale == 2 && !ready.empty() ? ready : resource, scale); });
    if (!ready.empty())
        lists[index]->SetReadySource([resource](int position, int quarters) {
            return position == view::kBackgroundPicture ? ReadyBackground(resource, quarters) : nullptr;
        });
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

void TForm1::DecodeFirstFrame(ui::Scale scale) {
    // Decoded now, before the window has a surface to fill: the peak of memory at start-up is then the
    // larger of the two, not their sum. The background is packed as soon as it is decoded.
    const int s = scale.Whole();
    BackGround->Prepare(scale);
    LMDBitmapList1.Get(0, s);
    Image1->Shown(s);
}

void TForm1::HintClick() { board_->Hold(); Played(game_.HintClick()); }

void TForm1::Played(const TurnReport& report) {
    // The handlers that can give or take the undo show it on the undo button afterwards.
    RefreshUndo();
    board_->Played(report, services_.clock->Ticks());
    windows_.Played(report);
}

void TForm1::StartNumberedGame(std::uint32_t number) { board_->Hold(); Played(game_.StartNumberedGame(number)); }

void TForm1::RefreshUndo() { TurnBack->SetEnabled(game_.UndoAvailable()); }

void TForm1::EscapeKey() { board_->Hold(); Played(game_.EndSelection()); }

void TForm1::LMDLImage9Click() { services_.desktop->MinimiseAll(); }

void TForm1::LMDLImage10Click() {
    // Return the display to the mode it had before us, then end the program.
    services_.desktop->FullScreen().RestoreSavedDisplayMode();
    services_.desktop->Quit();
}

void TForm1::GoptionsClick() { windows_.Show(WindowId::Options); }

void TForm1::ShowBestGamesClick() {
    Mode m = game_.CheckedMode();
    ModeFromWord(game_.State().GameMode, m);
    windows_.ShowBestGames(m);
}

void TForm1::LMDLImage11Click() { HelpClick(); }

void TForm1::HelpClick() { windows_.Show(WindowId::Rules); }

void TForm1::CheckGlassClick() { view::ApplyGlassSkin(skin_); }
void TForm1::CheckWindowsClick() { view::ApplyWindowsSkin(skin_); }
void TForm1::CheckBlockClick() { view::ApplyBlockSkin(skin_); }
void TForm1::CheckSingleClick() { view::ApplySingleSkin(skin_); }
void TForm1::CheckpeopleClick() { view::ApplyPeopleSkin(skin_); }

void TForm1::CheckAddedClick() {
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
    for (ui::PictureControl* c : modeSelector) {
        c->SetDimmedWhenDisabled(c->ListIndex() != kModeChosen);
        c->SetEnabled(enabled);
    }
    for (ui::Label* r : RadioButton) r->SetEnabled(enabled);
}

void TForm1::SetModeMarks(Mode chosen) {
    for (const ModeRow& m : Modes()) Selector(m.mode)->SetListIndex(m.mode == chosen ? kModeChosen : kModePlain);
}

} // namespace zv::app
