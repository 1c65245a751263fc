// The layout tables: every control of each window with its name, kind and place, in stacking order.
// The windows are built from them, the layout routine moves by them, and tests and benchmarks find controls by them.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "game/Types.h"
#include "ui/Control.h"

namespace zv::app {

enum class ControlKind {
    Picture,        // ui::PictureControl
    Button,         // ui::ImageButton
    Label,          // ui::Label
    Panel,          // ui::Container
    Highlight,      // ui::ShadeOverlay, bevelled: the selection highlight FillN
    BlockedOverlay, // ui::ShadeOverlay, whole cell: the blocked cell blokN
    Focus,          // ui::FocusFrame: the keyboard's cursor
    CellGrid,       // ui::CellGrid: a small block of cells showing a figure
};

struct ControlPlace {
    std::string name;
    ControlKind kind;
    std::string parent;            // "" for the window itself, else the name of a panel above in the table
    SDL_Rect design;               // where the window's stored design puts it
    std::optional<SDL_Rect> laidOut; // where the layout routine moves it, when it does
};

using LayoutTable = std::vector<ControlPlace>;

// The main window: the title strip, the frame, and the board panel with everything on it.
const LayoutTable& MainWindowLayout();
// The options window.
const LayoutTable& OptionsWindowLayout();
// The spare window.
const LayoutTable& SpareWindowLayout();
// The best-games window: the five mode tabs over a sheet of ten rows.
const LayoutTable& BestGamesWindowLayout();
// The rules window.
const LayoutTable& RulesWindowLayout();
// The game-number window.
const LayoutTable& NumberWindowLayout();

// The main window's size as stored, before the layout routine sizes it to its content.
constexpr int kMainDesignWidth = 632, kMainDesignHeight = 492;
// The client area the layout routine asks for first.
constexpr int kMainRequestedWidth = 635, kMainRequestedHeight = 499;
constexpr int kOptionsWidth = 640, kOptionsHeight = 480;
constexpr int kBestGamesWidth = 560, kBestGamesHeight = 400;
// The best-games sheet: its columns (place, score, date, moves, advanced, player, game number) and rows. The
// game number, added last, is shown between the score and the date.
constexpr int kBestGamesColumns = 7;
constexpr int kBestGamesRowTop = 30, kBestGamesRowPitch = 23;
// The statistics view over the same place as the sheet: its lines.
constexpr int kStatisticsLines = 7;

// The rules window: as wide as the main window, which it is laid over from its top edge, and no taller
// than a 640 x 480 full screen.
constexpr int kRulesWidth = 632, kRulesHeight = 480;
constexpr int kNumberWidth = 300, kNumberHeight = 148;

// The cells of the figure pictures in the rules window, and the gap between them.
int FigureCellSize();
int FigureCellGap();

// Cell N's button (and its two overlays) on the board panel.
SDL_Rect CellRect(int n);
// The name of the best-games table's label in row 1..10, column 1..kBestGamesColumns: "r3c2".
std::string BestGamesCellName(int row, int column);
// Preview button nextK, k = 1..4, on the board panel.
SDL_Rect PreviewRect(int k);
// The centre of cell N in main-window pixels.
SDL_Point CellCentreInWindow(int n);
// The keyboard's frame around cell N, on the board panel.
SDL_Rect FocusRect(int n);

// The controls a table made, by name.
class BuiltControls {
public:
    template <class T>
    T* Get(const std::string& name) const {
        return &dynamic_cast<T&>(Lookup(name));
    }
    ui::Control& Lookup(const std::string& name) const;
    void Remember(const std::string& name, ui::Control& c);

private:
    std::vector<std::pair<std::string, ui::Control*>> byName_; // in table order; sorted once built
    friend BuiltControls BuildControls(ui::Form& form, const LayoutTable& table);
    void Seal();
};

// Makes the controls of a table in the form, in its order, each at its stored place.
BuiltControls BuildControls(ui::Form& form, const LayoutTable& table);
// Moves every control the layout routine moves to its laid-out place.
void ApplyLaidOut(const BuiltControls& controls, const LayoutTable& table);

} // namespace zv::app
