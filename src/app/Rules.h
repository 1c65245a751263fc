// The rules window: a turn, each mode's figures in the current skin's balls with their points, undo, advanced mode, keys.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "app/Layout.h"
#include "app/Services.h"
#include "app/Windows.h"
#include "game/Game.h"
#include "game/Types.h"
#include "ui/CellGrid.h"
#include "ui/Control.h"
#include "ui/ImageButton.h"
#include "ui/ImageList.h"
#include "ui/Label.h"

namespace zv::app {

// A text of the window and the control that shows it. All texts are in one table, for translation.
struct RulesText {
    std::string control;
    const char* text;
};
const std::vector<RulesText>& RulesTexts();

// A figure picture: the figure on a small block of cells, as rows of '#' (a ball) and '.' (an empty cell).
struct RulesFigure {
    const char* control;
    Mode mode;
    int rows, cols;
    const char* cells;
    ColourCode colour;  // the ball colour the picture shows
    int points;         // what the figure scores
    std::string text;   // the control whose text names those points
};
const std::vector<RulesFigure>& RulesFigures();

class TFormRules {
public:
    // Cheap: the controls are made when the window is first opened.
    TFormRules(Windows& windows, const Game& game);
    ~TFormRules();
    TFormRules(const TFormRules&) = delete;
    TFormRules& operator=(const TFormRules&) = delete;

    ui::Form& Window() { return form_; }
    bool Built() const { return built_; }

    // Makes the content on first use, and shows the figures in the balls the board has now.
    void Open(const ui::ImageList* balls);
    void RulesCloseClick();
    // The number of the game on the board, again after a new game was dealt (only once the window is built).
    void ShowGameNumber();
    // Escape and F1 close the window, as its close button does.
    void FormKeyDown(SDL_Keycode key, Uint16 mod);
    // The figures in the balls the board has now (after Open).
    void ShowBalls(const ui::ImageList* balls);

    // After Open.
    const BuiltControls& Controls() const { return controls_; }
    ui::ImageButton* RulesClose = nullptr;
    // The number of the game on the board and the keys that deal a game by number.
    ui::Label* GameNumberLine = nullptr;
    std::vector<ui::CellGrid*> figures; // in the order of RulesFigures()

private:
    void Build();

    Windows& windows_;
    const Game& game_;
    ui::Form form_{"FormRules", kRulesWidth, kRulesHeight};
    BuiltControls controls_;
    bool built_ = false;
};

} // namespace zv::app
