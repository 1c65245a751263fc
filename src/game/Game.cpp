// The engine's small pieces: cell clicks, the settings and records it is handed, mode selectors, the highlight and the redraw.
#include "game/Game.h"

#include <cstring>

namespace zv {

int ColourPicture(ColourCode v) {
    static constexpr int kMap[7] = {0, 1, 2, 5, 3, 6, 4};
    return (v >= 0 && v <= 6) ? kMap[v] : -1;
}

std::int32_t BlockPoints(std::int32_t n) {
    // 17n/10 rounded to nearest, an exact half to the even neighbour.
    const std::int64_t num = 17 * static_cast<std::int64_t>(n);
    std::int64_t q = num / 10;
    const std::int64_t rem = num % 10;
    if (rem > 5 || (rem == 5 && (q % 2) != 0)) ++q;
    return static_cast<std::int32_t>(q - 4);
}

Game::Game(BoardView& view, SoundPlayer& sound, RecordWriter& records, const Clock& clock)
    : view_(view), sound_(sound), records_(records), clock_(clock) {}

const TurnReport& Game::Begin() {
    report_ = TurnReport{};
    return report_;
}

const TurnReport& Game::ImClick(int n) {
    if (n < 1 || n > kCells) return Begin();
    // A blocked cell's overlay takes the click, so it never reaches the cell.
    if (s_.Blocked[static_cast<std::size_t>(n - 1)]) {
        Begin();
        report_.result = CellClickResult::Blocked;
        return report_;
    }
    return CellClick(CellOf(n));
}

const TurnReport& Game::EndSelection() {
    Begin();
    if (s_.PlayState != kPlaySelected) return report_;
    HideSelection();
    s_.PlayState = kPlayIdle;
    report_.result = CellClickResult::Deselected;
    return report_;
}

void Game::WriteRecord(Mode m, std::int32_t score) {
    records_.WriteRecordFile(m, score);
    report_.recordWritten = true;
    report_.recordScore = score;
}

void Game::LoadSettings(const Settings& settings) { s_.Switches = settings; }

void Game::LoadRecord(Mode mode, const std::string& text, std::int32_t value) {
    s_.RecordText[static_cast<std::size_t>(mode)] = text;
    // The label shows the chosen mode's record rather than the last one read; BestScore is still the
    // last one read, as the record rules expect, until a game loads its own mode's.
    if (mode == checked_) view_.SetRecordText(text);
    s_.BestScore = value;
}

void Game::RecordAtExit() {
    Mode m;
    if (!ModeFromWord(s_.GameMode, m) || !ReachesRecord()) return;
    s_.BestScore = s_.Score;
    WriteRecord(m, s_.Score);
    view_.SetRecordText(std::to_string(s_.Score));
}

void Game::SetAdvancedMode(bool on) {
    s_.AdvancedMode = on ? 1 : 0;
    // The settings keep the choice for the next start.
    s_.Switches.advanced = on;
    if (!on) s_.AdvancedThroughout = false;
}
void Game::SetFullScreen(bool on) { s_.Switches.fullScreen = on ? Switch::On : Switch::Off; }
void Game::SetSound(bool on) { s_.Switches.sound = on ? Switch::On : Switch::Off; }
void Game::SetSkinIndex(std::int32_t number) { s_.SkinIndex = number; }

void Game::SetBlocked(int cell, bool shown) {
    if (s_.Blocked[static_cast<std::size_t>(cell - 1)] != shown) (shown ? report_.blockedShown : report_.blockedHidden).Add(cell);
    s_.Blocked[static_cast<std::size_t>(cell - 1)] = shown;
    view_.SetBlocked(cell, shown);
}

void Game::ChooseMode(Mode m) {
    if (!selectorsEnabled_) return;
    checked_ = m;
    view_.SetModeMarks(m);
    // Shown as a game of this mode would show it; only the label changes.
    const std::string& text = s_.RecordText[static_cast<std::size_t>(m)];
    std::int32_t best = kDefaultRecord;
    view_.SetRecordText(ParseRecordNumber(text, best) ? text : std::to_string(kDefaultRecord));
}

void Game::lineClick() { ChooseMode(Mode::Line); }
void Game::cubeClick() { ChooseMode(Mode::Square); }
void Game::crossClick() { ChooseMode(Mode::Cross); }
void Game::ringClick() { ChooseMode(Mode::Ring); }
void Game::cornerClick() { ChooseMode(Mode::Block); }

void Game::ShowSelection() {
    if (OnBoard(s_.ClickedCell)) view_.SetHighlight(CellIndex(s_.ClickedCell.row, s_.ClickedCell.col), true);
}

void Game::HideSelection() {
    if (OnBoard(s_.SelectedCell)) view_.SetHighlight(CellIndex(s_.SelectedCell.row, s_.SelectedCell.col), false);
}

void Game::Sound(const char* fileName) {
    if (s_.Switches.sound == Switch::On) sound_.Play(fileName);
}

void Game::RedrawBoard() {
    int empty = 0;
    for (int i = 0; i < kCells; ++i) {
        const ColourCode v = s_.Board.cells[static_cast<std::size_t>(i)];
        const int pic = ColourPicture(v);
        if (pic >= 0) view_.SetCellPicture(i + 1, pic);
        if (v == 0) ++empty;
    }
    for (int k = 0; k < 4; ++k) {
        const int pic = ColourPicture(s_.NextBalls[static_cast<std::size_t>(k)]);
        if (pic >= 0) view_.SetNextPicture(k + 1, pic);
    }
    s_.EmptyCellCount = empty;
    if (empty >= 5) return;

    // Game over; repeated in full on every redraw while it lasts.
    s_.UndoAllowed = 0;
    view_.SetBannerVisible(true);
    view_.SetModeSelectorsEnabled(true);
    selectorsEnabled_ = true;
    s_.PlayState = kPlayOver;
    Mode m;
    if (ReachesRecord() && ModeFromWord(s_.GameMode, m)) WriteRecord(m, s_.Score);
    // Reported on the first of these redraws only.
    ReportFinished(GameEnd::Over);
}

} // namespace zv
