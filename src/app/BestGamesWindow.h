// The best-games window: the ten best games of the chosen mode, one tab per mode, the game just played marked.
#pragma once

#include <array>

#include "app/BestGamesBook.h"
#include "app/Layout.h"
#include "app/Services.h"
#include "app/Windows.h"
#include "ui/Control.h"
#include "ui/ImageButton.h"
#include "ui/Label.h"

namespace zv::app {

class TBestGames {
public:
    TBestGames(Windows& windows, const BestGamesBook& book);

    ui::Form& Window() { return form_; }

    // Chooses the tab of a mode and fills the sheet from the book.
    void ShowMode(Mode mode);
    Mode ShownMode() const { return shown_; }
    // Fills the sheet again: the book changed.
    void Refresh();
    // The statistics of the shown mode instead of its table, or the table again.
    void ShowStatistics(bool on);
    bool StatisticsShown() const { return statsShown_; }

    // Handlers.
    void TabClick(Mode mode);
    void BestCloseClick();
    // Escape closes; the left and right arrows go from tab to tab; Tab and the up and down arrows switch
    // between the table and the statistics.
    void KeyDown(SDL_Keycode key, Uint16 mod);

    ui::Label* heading = nullptr;
    std::array<ui::Label*, kModeCount> tab{};
    ui::Container* sheet = nullptr;
    ui::Container* mark = nullptr; // the strip behind the marked row
    std::array<ui::Label*, kBestGamesColumns> head{};
    std::array<std::array<ui::Label*, kBestGamesColumns>, kBestGamesPerMode> cell{};
    ui::ImageButton* BestClose = nullptr;
    ui::Container* stats = nullptr;
    std::array<ui::Label*, kStatisticsLines> statName{}, statValue{};
    ui::Label* statNote = nullptr;
    ui::Label* statsSwitch = nullptr;
    ui::Label* hintLegend = nullptr; // says what the mark of a game played with hints means

private:
    Windows& windows_;
    const BestGamesBook& book_;
    Mode shown_ = Mode::Line;
    bool statsShown_ = false;
    ui::Form form_{"BestGames", kBestGamesWidth, kBestGamesHeight};
};

} // namespace zv::app
