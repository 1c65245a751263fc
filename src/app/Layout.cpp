// The windows' tables, and building controls from them.
#include "app/Layout.h"

#include <algorithm>
#include <stdexcept>

#include "ui/CellGrid.h"
#include "ui/FocusFrame.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"
#include "ui/PictureControl.h"
#include "game/BestGames.h"
#include "game/Modes.h"
#include "ui/ShadeOverlay.h"

namespace zv::app {

namespace {

constexpr SDL_Point kBoardPanel{4, 24};
constexpr int kCellSize = 33, kCellPitch = 40;
constexpr int kBoardLeft = 112, kBoardTop = 56;
constexpr int kPreviewLeft = 232, kPreviewTop = 8;

SDL_Rect Rect(int x, int y, int w, int h) { return {x, y, w, h}; }

LayoutTable BuildMainTable() {
    LayoutTable t;
    t.reserve(430);
    auto add = [&t](std::string name, ControlKind kind, std::string parent, SDL_Rect design,
                    std::optional<SDL_Rect> laidOut = std::nullopt) {
        t.push_back({std::move(name), kind, std::move(parent), design, laidOut});
    };
    using K = ControlKind;

    add("Image1", K::Picture, "", Rect(3, 0, 629, 489));
    // The frame: four stretched edges, then the four corners.
    const SDL_Rect frame[8] = {Rect(0, 489, 630, 3), Rect(3, 0, 628, 3),   Rect(629, 3, 3, 488),  Rect(0, 3, 3, 488),
                               Rect(0, 0, 3, 3),     Rect(629, 0, 3, 3), Rect(629, 489, 3, 3), Rect(0, 489, 3, 3)};
    for (int i = 0; i < 8; ++i) add("LMDLImage" + std::to_string(i + 1), K::Picture, "", frame[i]);
    add("LMDLImage9", K::Picture, "", Rect(595, 3, 17, 17));   // minimise
    add("LMDLImage10", K::Picture, "", Rect(613, 3, 17, 17));  // close
    add("LMDLImage11", K::Picture, "", Rect(577, 3, 17, 17));  // rules
    add("hintArea", K::Picture, "", Rect(559, 3, 17, 17));     // hint: the strip has room left of the rules
    add("Panel1", K::Panel, "", Rect(kBoardPanel.x, kBoardPanel.y, 625, 465));

    const std::string p = "Panel1";
    add("BackGround", K::Picture, p, Rect(0, 0, 625, 465));
    // The framed "Рекорд" plate of the background around label2: a click shows the best games.
    add("recordArea", K::Picture, p, Rect(4, 49, 98, 84));
    for (int n = 1; n <= kCells; ++n) add("im" + std::to_string(n), K::Button, p, CellRect(n), CellRect(n));
    add("Label5", K::Label, p, Rect(273, 209, 73, 47));
    add("Label6", K::Label, p, Rect(231, 256, 157, 47));
    for (int k = 1; k <= 4; ++k) add("next" + std::to_string(k), K::Button, p, PreviewRect(k), PreviewRect(k));

    // The skin check marks on the left and the mode selectors on the right share their rows.
    constexpr int kRowTops[6] = {203, 227, 251, 275, 299, 322};
    auto check = [&](const char* name, int row) {
        const SDL_Rect r = Rect(10, kRowTops[row], 87, 17);
        add(name, K::Picture, p, r, r);
    };
    auto mode = [&](const char* name, int row) {
        add(name, K::Picture, p, Rect(520, kRowTops[row], 89, 17), Rect(520, kRowTops[row], 87, 17));
    };
    check("CheckGlass", 0);
    check("CheckWindows", 1);
    check("CheckBlock", 2);
    check("CheckSingle", 3);
    check("Checkpeople", 4);
    for (const ModeRow& m : Modes()) mode(m.selector, static_cast<int>(m.mode));
    for (int n = 1; n <= kCells; ++n) add("Fill" + std::to_string(n), K::Highlight, p, CellRect(n), CellRect(n));
    for (int n = 1; n <= kCells; ++n) add("blok" + std::to_string(n), K::BlockedOverlay, p, CellRect(n), CellRect(n));
    check("CheckAdded", 5);

    add("finish", K::Button, p, Rect(10, 16, 91, 27), Rect(10, 10, 91, 25));
    add("TurnBack", K::Button, p, Rect(10, 430, 91, 27), Rect(10, 425, 91, 25));
    add("Goptions", K::Button, p, Rect(522, 430, 91, 27), Rect(522, 425, 91, 25));
    add("Gstart", K::Button, p, Rect(522, 16, 91, 27), Rect(522, 10, 91, 25));
    add("label2", K::Label, p, Rect(16, 80, 27, 42));   // the record; sizes itself to its text
    add("Label1", K::Label, p, Rect(528, 80, 27, 42));  // the score; sizes itself to its text
    // The radio buttons are never shown; they only hold the mode chosen.
    for (const ModeRow& m : Modes()) add(m.radio, K::Label, p, Rect(528, 368, 65, 17));
    add("DXDraw1", K::Picture, p, Rect(152, 8, 41, 41));
    // The hint's marks on the ball and its target, shown for a moment after a hint.
    add("hintFrom", K::Focus, p, FocusRect(1));
    add("hintTo", K::Focus, p, FocusRect(1));
    // Above everything: the keyboard's cursor, shown only once a key has moved it.
    add("focus", K::Focus, p, FocusRect(1));
    return t;
}

LayoutTable BuildOptionsTable() {
    using K = ControlKind;
    return {
        {"advancedCaption", K::Label, "", Rect(71, 90, 255, 26), {}},
        {"LMDLabel4", K::Label, "", Rect(72, 192, 235, 26), {}},
        {"LMDLabel5", K::Label, "", Rect(72, 296, 299, 26), {}},
        {"f1", K::Picture, "", Rect(8, 80, 41, 41), {}},
        {"f2", K::Picture, "", Rect(8, 184, 41, 41), {}},
        {"f3", K::Picture, "", Rect(8, 288, 41, 41), {}},
        {"LMD3DEffectButton1", K::Button, "", Rect(376, 88, 36, 25), {}},
        {"LMD3DEffectButton2", K::Button, "", Rect(376, 192, 36, 25), {}},
        {"LMD3DEffectButton3", K::Button, "", Rect(376, 296, 36, 25), {}},
        {"Panel1", K::Panel, "", Rect(416, 88, 217, 57), {}},
        {"LMDLabel1", K::Label, "Panel1", Rect(8, 8, 205, 41), {}},
        {"Panel2", K::Panel, "", Rect(416, 192, 217, 57), {}},
        {"LMDLabel2", K::Label, "Panel2", Rect(8, 8, 156, 28), {}},
        {"Panel3", K::Panel, "", Rect(416, 296, 217, 57), {}},
        {"LMDLabel3", K::Label, "Panel3", Rect(8, 8, 200, 28), {}},
        // Our own fourth switch: the board's motion.
        {"motionCaption", K::Label, "", Rect(72, 392, 299, 26), {}},
        {"f4", K::Picture, "", Rect(8, 384, 41, 41), {}},
        {"motionSwitch", K::Button, "", Rect(376, 392, 36, 25), {}},
        {"motionPanel", K::Panel, "", Rect(416, 384, 217, 49), {}},
        {"motionNote", K::Label, "motionPanel", Rect(8, 8, 205, 28), {}},
        {"digital", K::Label, "", Rect(16, 448, 299, 26), {}},
        {"Ooptions", K::Button, "", Rect(544, 452, 89, 25), {}},
        // Above everything: the keyboard's frame, shown once Tab has moved it.
        {"focus", K::Focus, "", Rect(0, 0, 0, 0), {}},
    };
}

LayoutTable BuildBestGamesTable() {
    using K = ControlKind;
    LayoutTable t;
    auto add = [&t](std::string name, ControlKind kind, std::string parent, SDL_Rect r) {
        t.push_back({std::move(name), kind, std::move(parent), r, {}});
    };
    // A dark rim: the window lies over the main window, which has the same colour.
    add("edgeTop", K::Panel, "", Rect(0, 0, kBestGamesWidth, 2));
    add("edgeBottom", K::Panel, "", Rect(0, kBestGamesHeight - 2, kBestGamesWidth, 2));
    add("edgeLeft", K::Panel, "", Rect(0, 0, 2, kBestGamesHeight));
    add("edgeRight", K::Panel, "", Rect(kBestGamesWidth - 2, 0, 2, kBestGamesHeight));
    add("heading", K::Label, "", Rect(16, 12, 400, 28));
    // The tabs lie on a strip of their own that paints nothing: a press on a tab is a click there, while
    // the heading and the rim drag the window.
    add("tabStrip", K::Panel, "", Rect(16, 52, 528, 26));
    for (int i = 0; i < kModeCount; ++i) add("tab" + std::to_string(i + 1), K::Label, "tabStrip", Rect(106 * i, 0, 102, 26));
    add("sheet", K::Panel, "", Rect(16, 78, 528, 272));
    add("mark", K::Panel, "sheet", Rect(4, kBestGamesRowTop - 2, 520, kBestGamesRowPitch));
    const int left[kBestGamesColumns] = {8, 34, 174, 316, 366, 426, 94};
    const int width[kBestGamesColumns] = {22, 50, 138, 46, 56, 90, 76};
    for (int c = 0; c < kBestGamesColumns; ++c)
        add("head" + std::to_string(c + 1), K::Label, "sheet", Rect(left[c], 6, width[c], 20));
    for (int r = 1; r <= static_cast<int>(kBestGamesPerMode); ++r)
        for (int c = 0; c < kBestGamesColumns; ++c)
            add(BestGamesCellName(r, c + 1), K::Label, "sheet",
                Rect(left[c], kBestGamesRowTop + kBestGamesRowPitch * (r - 1), width[c], 20));
    // The statistics of the chosen mode lie where the sheet lies, shown instead of it by the switch below them.
    add("stats", K::Panel, "", Rect(16, 78, 528, 272));
    for (int i = 1; i <= kStatisticsLines; ++i) {
        add("statName" + std::to_string(i), K::Label, "stats", Rect(24, 14 + 30 * (i - 1), 300, 22));
        add("statValue" + std::to_string(i), K::Label, "stats", Rect(330, 14 + 30 * (i - 1), 170, 22));
    }
    add("statNote", K::Label, "stats", Rect(24, 14 + 30 * kStatisticsLines + 4, 480, 20));
    add("statsSwitch", K::Label, "", Rect(16, 362, 180, 25));
    add("hintLegend", K::Label, "", Rect(208, 366, 236, 20));
    add("BestClose", K::Button, "", Rect(455, 362, 89, 25));
    return t;
}

// Figure pictures have cells of 11 pixels, 1 apart.
constexpr int kFigureCell = 11, kFigureGap = 1;
constexpr int FigureSide(int cells) { return cells * kFigureCell + (cells - 1) * kFigureGap; }

LayoutTable BuildRulesTable() {
    using K = ControlKind;
    LayoutTable t;
    auto add = [&t](std::string name, ControlKind kind, SDL_Rect r) { t.push_back({std::move(name), kind, "", r, {}}); };
    auto grid = [&](std::string name, int x, int y, int cols, int rows) {
        add(std::move(name), K::CellGrid, Rect(x, y, FigureSide(cols), FigureSide(rows)));
    };
    add("RulesStrip", K::Label, Rect(0, 0, kRulesWidth, 24));
    add("RulesCaption", K::Label, Rect(12, 3, 400, 20));

    // Left: a turn, undo and advanced mode.
    constexpr int L = 14, LW = 296;
    add("HowHeading", K::Label, Rect(L, 30, LW, 18));
    add("HowText", K::Label, Rect(L, 48, LW, 165));
    add("UndoHeading", K::Label, Rect(L, 217, LW, 18));
    add("UndoText", K::Label, Rect(L, 235, LW, 45));
    add("AdvancedHeading", K::Label, Rect(L, 284, LW, 18));
    add("AdvancedText", K::Label, Rect(L, 302, LW, 75));

    // Right: the five modes, each with its figures beside what they score.
    constexpr int R = 322, RT = 418, RW = 210;
    add("FiguresHeading", K::Label, Rect(R, 30, 306, 18));
    const int tops[5] = {50, 132, 199, 251, 318};
    const int heights[5] = {76, 61, 46, 61, 76};
    for (int i = 0; i < 5; ++i) {
        const std::string n = std::to_string(i + 1);
        add("ModeName" + n, K::Label, Rect(RT, tops[i], RW, 16));
        add("ModeText" + n, K::Label, Rect(RT, tops[i] + 16, RW, heights[i] - 16));
    }
    grid("LineFigure", R, tops[0] + 2, 5, 5);
    grid("TallFigure", R, tops[1] + 2, 2, 3);
    grid("WideFigure", R + 28, tops[1] + 2, 3, 2);
    grid("SmallSquareFigure", R + 68, tops[1] + 2, 2, 2);
    grid("PlusFigure", R, tops[2] + 2, 3, 3);
    grid("DiagonalFigure", R + 42, tops[2] + 2, 3, 3);
    grid("SmallRingFigure", R, tops[3] + 2, 3, 3);
    grid("LargeRingFigure", R + 42, tops[3] + 2, 4, 4);
    grid("BlockFigure", R, tops[4] + 2, 4, 3);

    // Below, across: the keys, in three pairs of columns; the third stops above the close button.
    add("KeysHeading", K::Label, Rect(L, 384, LW, 18));
    add("KeyNames1", K::Label, Rect(L, 402, 52, 75));
    add("KeyWhat1", K::Label, Rect(L + 54, 402, 104, 75));
    add("KeyNames2", K::Label, Rect(L + 162, 402, 46, 75));
    add("KeyWhat2", K::Label, Rect(L + 210, 402, 96, 75));
    add("KeyNames3", K::Label, Rect(L + 312, 402, 92, 45));
    add("KeyWhat3", K::Label, Rect(L + 406, 402, 168, 45));
    // Under them, left of the close button: the number of the game on the board, to share, and its keys.
    add("GameNumberLine", K::Label, Rect(L + 312, 448, 206, 30));

    add("RulesClose", K::Button, Rect(kRulesWidth - 96, 448, 89, 25));
    return t;
}

} // namespace

int FigureCellSize() { return kFigureCell; }
int FigureCellGap() { return kFigureGap; }

std::string BestGamesCellName(int row, int column) {
    // Built piece by piece: GCC 12 sees a false overlap in a chain of + on strings here (-Wrestrict).
    std::string name = "r";
    name += std::to_string(row);
    name += 'c';
    name += std::to_string(column);
    return name;
}

SDL_Rect CellRect(int n) {
    const CellPos c = CellOf(n);
    return {kBoardLeft + kCellPitch * (c.col - 1), kBoardTop + kCellPitch * (c.row - 1), kCellSize, kCellSize};
}

SDL_Rect FocusRect(int n) {
    const SDL_Rect c = CellRect(n);
    constexpr int t = ui::FocusFrame::kThickness;
    return {c.x - t, c.y - t, c.w + 2 * t, c.h + 2 * t};
}

SDL_Rect PreviewRect(int k) { return {kPreviewLeft + kCellPitch * (k - 1), kPreviewTop, kCellSize, kCellSize}; }

SDL_Point CellCentreInWindow(int n) {
    const SDL_Rect r = CellRect(n);
    return {kBoardPanel.x + r.x + r.w / 2, kBoardPanel.y + r.y + r.h / 2};
}

const LayoutTable& MainWindowLayout() {
    static const LayoutTable table = BuildMainTable();
    return table;
}

const LayoutTable& OptionsWindowLayout() {
    static const LayoutTable table = BuildOptionsTable();
    return table;
}

const LayoutTable& SpareWindowLayout() {
    static const LayoutTable table = {{"LMDSpeedButton1", ControlKind::Button, "", Rect(288, 144, 23, 22), {}}};
    return table;
}

const LayoutTable& BestGamesWindowLayout() {
    static const LayoutTable table = BuildBestGamesTable();
    return table;
}

const LayoutTable& RulesWindowLayout() {
    static const LayoutTable table = BuildRulesTable();
    return table;
}

const LayoutTable& NumberWindowLayout() {
    using K = ControlKind;
    static const LayoutTable table = {
        {"NumberStrip", K::Label, "", Rect(0, 0, kNumberWidth, 24), {}},
        {"NumberCaption", K::Label, "", Rect(12, 3, 276, 20), {}},
        {"NumberPrompt", K::Label, "", Rect(14, 32, 272, 18), {}},
        {"NumberField", K::Label, "", Rect(14, 52, 272, 26), {}},
        {"NumberRunning", K::Label, "", Rect(14, 84, 272, 18), {}},
        {"NumberPlay", K::Label, "", Rect(100, 112, 90, 26), {}},
        {"NumberCancel", K::Label, "", Rect(196, 112, 90, 26), {}},
    };
    return table;
}

ui::Control& BuiltControls::Lookup(const std::string& name) const {
    const auto it = std::lower_bound(byName_.begin(), byName_.end(), name,
                                     [](const auto& entry, const std::string& n) { return entry.first < n; });
    if (it == byName_.end() || it->first != name) throw std::out_of_range("no control named " + name);
    return *it->second;
}

void BuiltControls::Remember(const std::string& name, ui::Control& c) { byName_.emplace_back(name, &c); }

void BuiltControls::Seal() {
    std::sort(byName_.begin(), byName_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

BuiltControls BuildControls(ui::Form& form, const LayoutTable& table) {
    BuiltControls built;
    built.byName_.reserve(table.size());
    std::vector<std::pair<std::string, ui::Container*>> panels;
    for (const ControlPlace& place : table) {
        ui::Container* parent = &form;
        if (!place.parent.empty()) {
            const auto it = std::find_if(panels.begin(), panels.end(), [&](const auto& e) { return e.first == place.parent; });
            if (it == panels.end()) throw std::logic_error(place.name + ": its panel " + place.parent + " comes later");
            parent = it->second;
        }
        ui::Control* c = nullptr;
        switch (place.kind) {
        case ControlKind::Picture: c = &parent->Add<ui::PictureControl>(place.name); break;
        case ControlKind::Button: c = &parent->Add<ui::ImageButton>(place.name); break;
        case ControlKind::Label: c = &parent->Add<ui::Label>(place.name); break;
        case ControlKind::Panel: {
            auto& panel = parent->Add<ui::Container>(place.name);
            panels.emplace_back(place.name, &panel);
            c = &panel;
            break;
        }
        case ControlKind::Highlight:
            c = &parent->Add<ui::ShadeOverlay>(place.name, ui::ShadeOverlay::Style::Bevelled);
            break;
        case ControlKind::BlockedOverlay:
            c = &parent->Add<ui::ShadeOverlay>(place.name, ui::ShadeOverlay::Style::Whole);
            break;
        case ControlKind::Focus: c = &parent->Add<ui::FocusFrame>(place.name); break;
        case ControlKind::CellGrid: c = &parent->Add<ui::CellGrid>(place.name); break;
        }
        c->SetBounds(place.design.x, place.design.y, place.design.w, place.design.h);
        built.Remember(place.name, *c);
    }
    built.Seal();
    return built;
}

void ApplyLaidOut(const BuiltControls& controls, const LayoutTable& table) {
    for (const ControlPlace& place : table)
        if (place.laidOut) {
            const SDL_Rect& r = *place.laidOut;
            controls.Lookup(place.name).SetBounds(r.x, r.y, r.w, r.h);
        }
}

} // namespace zv::app
