// The best-games window.
#include "app/BestGamesWindow.h"


#include "app/Resources.h"
#include "game/Modes.h"
#include "platform/Language.h"
#include "view/Palette.h"

namespace zv::app {

namespace {
constexpr SDL_Color kEdgeColour = view::kDeepBlue;
constexpr SDL_Color kSheetColour = view::kPaleSheet;
constexpr SDL_Color kTabColour{172, 194, 199, 255};
constexpr SDL_Color kMarkColour{255, 226, 140, 255};
constexpr SDL_Color kCaptionColour = view::kDeepBlue;
constexpr SDL_Color kTextColour{16, 20, 48, 255};

constexpr const char* kHeadCaptions[kBestGamesColumns] = {N_("№"),     N_("Очки"),    N_("Дата"),
                                                             N_("Ходов"), N_("Усложн."), N_("Игрок"), N_("Игра №")};

constexpr const char* kStatNames[kStatisticsLines] = {N_("Сыграно игр"),   N_("Средний счёт"),      N_("Лучший счёт"),
                                                      N_("Всего ходов"),   N_("Ходов за игру"),     N_("Игр с подсказками"),
                                                      N_("Больше всего дней подряд")};

// A whole number with one decimal, with the locale's decimal point.
std::string OneDecimal(std::int64_t total, std::int64_t count) {
    const std::int64_t tenths = (total * 10 + (total >= 0 ? count / 2 : -(count / 2))) / count;
    const std::int64_t whole = tenths / 10, part = tenths % 10 < 0 ? -(tenths % 10) : tenths % 10;
    const std::string sign = tenths < 0 && whole == 0 ? "-" : "";
    return sign + std::to_string(whole) + platform::LocalDecimalPoint() + std::to_string(part);
}

// The file keeps its own form; the window shows the player's.
std::string ShownDate(const DateTime& d) { return platform::LocalDateTime(d.year, d.month, d.day, d.hour, d.minute); }
} // namespace

TBestGames::TBestGames(Windows& windows, const BestGamesBook& book) : windows_(windows), book_(book) {
    form_.SetCaption("BestGames");
    form_.SetColour(view::kWindowFace);
    const BuiltControls c = BuildControls(form_, BestGamesWindowLayout());
    for (const char* edge : {"edgeTop", "edgeBottom", "edgeLeft", "edgeRight"}) c.Get<ui::Container>(edge)->SetColour(kEdgeColour);

    heading = c.Get<ui::Label>("heading");
    heading->SetCaption(platform::Tr("Лучшие игры"));
    heading->SetFont({"Arial", true, 19, false});
    heading->SetShrinkToFit(true);
    heading->SetColour(kCaptionColour);
    heading->SetRaisedShadow(3, view::kCaptionLight, 2, view::kCaptionShadow);

    for (const ModeRow& row : Modes()) {
        const int i = static_cast<int>(row.mode);
        ui::Label* t = c.Get<ui::Label>("tab" + std::to_string(i + 1));
        t->SetCaption(platform::Tr(row.name));
        t->SetFont({"Arial", true, 15, false});
        t->SetShrinkToFit(true);
        t->SetColour(kCaptionColour);
        t->SetAlign(ui::Label::Align::Centre);
        t->OnClick = [this, m = row.mode] { TabClick(m); };
        tab[static_cast<std::size_t>(i)] = t;
    }

    sheet = c.Get<ui::Container>("sheet");
    sheet->SetColour(kSheetColour);
    mark = c.Get<ui::Container>("mark");
    mark->SetColour(kMarkColour);
    mark->Hide();
    for (int col = 0; col < kBestGamesColumns; ++col) {
        ui::Label* h = c.Get<ui::Label>("head" + std::to_string(col + 1));
        h->SetCaption(platform::Tr(kHeadCaptions[col]));
        h->SetFont({"Arial", true, 13, false});
        h->SetShrinkToFit(true);
        h->SetColour(kCaptionColour);
        head[static_cast<std::size_t>(col)] = h;
    }
    for (std::size_t r = 0; r < kBestGamesPerMode; ++r)
        for (int col = 0; col < kBestGamesColumns; ++col) {
            ui::Label* l = c.Get<ui::Label>(BestGamesCellName(static_cast<int>(r) + 1, col + 1));
            l->SetFont({"Arial", false, 13, false});
            l->SetShrinkToFit(true);
            l->SetColour(kTextColour);
            cell[r][static_cast<std::size_t>(col)] = l;
        }
    // Numbers are right-aligned so their digits line up.
    for (auto& row : cell) {
        for (int col : {0, 1, 3}) row[static_cast<std::size_t>(col)]->SetAlign(ui::Label::Align::Right);
        row[5]->SetEllipsis(true); // a name longer than its column ends in "…"
        row[6]->SetEllipsis(true);
    }
    for (int col : {0, 1, 3}) head[static_cast<std::size_t>(col)]->SetAlign(ui::Label::Align::Right);

    stats = c.Get<ui::Container>("stats");
    stats->SetColour(kSheetColour);
    stats->Hide();
    for (int i = 0; i < kStatisticsLines; ++i) {
        ui::Label* n = c.Get<ui::Label>("statName" + std::to_string(i + 1));
        n->SetCaption(platform::Tr(kStatNames[i]));
        n->SetFont({"Arial", true, 15, false});
        n->SetColour(kCaptionColour);
        ui::Label* v = c.Get<ui::Label>("statValue" + std::to_string(i + 1));
        v->SetFont({"Arial", false, 15, false});
        v->SetColour(kTextColour);
        v->SetAlign(ui::Label::Align::Right);
        statName[static_cast<std::size_t>(i)] = n;
        statValue[static_cast<std::size_t>(i)] = v;
    }
    statNote = c.Get<ui::Label>("statNote");
    statNote->SetFont({"Arial", false, 13, false});
    statNote->SetColour(kCaptionColour);
    hintLegend = c.Get<ui::Label>("hintLegend");
    hintLegend->SetCaption(platform::Tr("* игра с подсказками"));
    hintLegend->SetFont({"Arial", false, 13, false});
    hintLegend->SetColour(kCaptionColour);
    statsSwitch = c.Get<ui::Label>("statsSwitch");
    statsSwitch->SetFont({"Arial", true, 15, false});
    statsSwitch->SetColour(kCaptionColour);
    statsSwitch->SetFill(kTabColour);
    statsSwitch->SetAlign(ui::Label::Align::Centre);
    statsSwitch->OnClick = [this] { ShowStatistics(!statsShown_); };

    BestClose = c.Get<ui::ImageButton>("BestClose");
    UseCommandButtonArtwork(*BestClose, "btn_ooptions.bmp");
    BestClose->OnClick = [this] { BestCloseClick(); };
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) { KeyDown(key, mod); };
    ShowMode(Mode::Line);
}

void TBestGames::ShowMode(Mode mode) {
    shown_ = mode;
    Refresh();
}

void TBestGames::Refresh() {
    for (int i = 0; i < kModeCount; ++i) {
        const bool chosen = static_cast<Mode>(i) == shown_;
        tab[static_cast<std::size_t>(i)]->SetFill(chosen ? kSheetColour : kTabColour);
    }
    const BestTable& table = book_.Table(shown_);
    bool hinted = false;
    for (std::size_t r = 0; r < kBestGamesPerMode; ++r) {
        auto& row = cell[r];
        row[0]->SetCaption(std::to_string(r + 1));
        if (r < table.size()) {
            const BestGame& g = table[r];
            row[1]->SetCaption(platform::LocalNumber(g.score));
            row[2]->SetCaption(ShownDate(g.when));
            row[3]->SetCaption(platform::LocalNumber(g.moves));
            row[4]->SetCaption(g.advanced ? platform::Tr("да") : platform::Tr("нет"));
            row[5]->SetCaption(g.player);
            // The number the game was dealt by, marked when it took hints; nothing for a row from before numbers.
            const RowFacts* facts = book_.Facts(shown_, g);
            row[6]->SetCaption(facts ? std::to_string(facts->number) + (facts->hints > 0 ? " *" : "") : "");
            hinted = hinted || (facts && facts->hints > 0);
        } else {
            for (std::size_t col = 1; col < row.size(); ++col) row[col]->SetCaption("");
        }
    }
    const int marked = book_.MarkedRow(shown_);
    if (marked >= 0) mark->SetTop(kBestGamesRowTop - 2 + kBestGamesRowPitch * marked);
    mark->SetVisible(marked >= 0);

    const ModeStats& s = book_.Stats(shown_);
    const std::string none = "—";
    const std::string values[kStatisticsLines] = {
        std::to_string(s.games),
        s.games ? OneDecimal(s.scoreTotal, s.games) : none,
        s.games ? std::to_string(s.best) : none,
        std::to_string(s.moves),
        s.games ? OneDecimal(s.moves, s.games) : none,
        std::to_string(s.hintGames),
        std::to_string(s.longestRun),
    };
    for (int i = 0; i < kStatisticsLines; ++i) statValue[static_cast<std::size_t>(i)]->SetCaption(values[i]);
    statNote->SetCaption(platform::Tr("Считаются игры, закончившиеся с очками, как в таблице."));
    statsSwitch->SetCaption(statsShown_ ? platform::Tr("Таблица") : platform::Tr("Статистика"));
    sheet->SetVisible(!statsShown_);
    hintLegend->SetVisible(hinted && !statsShown_);
    stats->SetVisible(statsShown_);
    form_.InvalidateAll();
}

void TBestGames::ShowStatistics(bool on) {
    statsShown_ = on;
    Refresh();
}

void TBestGames::TabClick(Mode mode) { ShowMode(mode); }

void TBestGames::BestCloseClick() {
    windows_.Hide(WindowId::BestGames);
}

void TBestGames::KeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return;
    const int i = static_cast<int>(shown_);
    switch (key) {
    case SDLK_ESCAPE: BestCloseClick(); break;
    case SDLK_LEFT: ShowMode(static_cast<Mode>((i + kModeCount - 1) % kModeCount)); break;
    case SDLK_RIGHT: ShowMode(static_cast<Mode>((i + 1) % kModeCount)); break;
    case SDLK_TAB:
    case SDLK_UP:
    case SDLK_DOWN: ShowStatistics(!statsShown_); break;
    default: break;
    }
}

} // namespace zv::app
