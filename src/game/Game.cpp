// The engine's small pieces: mode words, record text, cell clicks, mode selectors, the highlight and the redraw.
#include "game/Game.h"

#include <cstring>

namespace zv {

namespace {

constexpr const char* kModeWords[kModeCount] = {"line", "square", "blok", "ring", "block"};

bool OnBoard(const CellPos& p) { return p.row >= 1 && p.row <= kRows && p.col >= 1 && p.col <= kCols; }

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

} // namespace

const char* ModeWord(Mode m) {
    const int i = static_cast<int>(m);
    return (i >= 0 && i < kModeCount) ? kModeWords[i] : "";
}

bool ModeFromWord(const std::string& word, Mode& out) {
    // Tested in the order of the mode table; the comparison is exact and with case.
    for (int i = 0; i < kModeCount; ++i) {
        if (word == kModeWords[i]) {
            out = static_cast<Mode>(i);
            return true;
        }
    }
    return false;
}

int ColourPicture(ColourCode v) {
    static constexpr int kMap[7] = {0, 1, 2, 5, 3, 6, 4};
    return (v >= 0 && v <= 6) ? kMap[v] : -1;
}

bool ParseRecordText(const std::string& text, std::int32_t& value) {
    std::size_t i = 0, end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;
    bool negative = false;
    if (i < end && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == end) return false;
    std::int64_t v = 0;
    for (; i < end; ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
        if (v > static_cast<std::int64_t>(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<std::int32_t>(v);
    return true;
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

void Game::ImClick(int n) {
    if (n < 1 || n > kCells) return;
    // A blocked cell's overlay takes the click, so it never reaches the cell.
    if (view_.IsBlocked(n)) return;
    s_.ClickedCell = CellOf(n);
    CellClick();
}

void Game::ChooseMode(Mode m) {
    if (!selectorsEnabled_) return;
    checked_ = m;
    view_.SetModeMarks(m);
}

void Game::lineClick() { ChooseMode(Mode::Line); }
void Game::cubeClick() { ChooseMode(Mode::Square); }
void Game::crossClick() { ChooseMode(Mode::Cross); }
void Game::ringClick() { ChooseMode(Mode::Ring); }
void Game::cornerClick() { ChooseMode(Mode::Block); }

void Game::ReseedFromClock() {
    const TimeOfDay t = clock_.Now();
    const std::uint32_t seed =
        static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
    rng_.Seed(seed);
}

void Game::ShowSelection() {
    if (OnBoard(s_.ClickedCell)) view_.SetHighlight(CellIndex(s_.ClickedCell.row, s_.ClickedCell.col), true);
}

void Game::HideSelection() {
    if (OnBoard(s_.SelectedCell)) view_.SetHighlight(CellIndex(s_.SelectedCell.row, s_.SelectedCell.col), false);
}

void Game::Sound(const char* fileName) {
    if (s_.Codes.sound == "sy") sound_.Play(fileName);
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
    if (s_.Score >= s_.BestScore && ModeFromWord(s_.GameMode, m)) records_.WriteRecordFile(m, s_.Score);
}

} // namespace zv
