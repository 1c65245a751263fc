// The figure scan: the mode's scan from the mode table, the fixed-shape figures of four modes, and the record step.
#include "game/FigureScans.h"
#include "game/Game.h"

namespace zv {

namespace {

// Flat offsets from the anchor, first offset always 0 (the cell that must hold a ball).
constexpr int D(int dr, int dc) { return dr * kCols + dc; }

constexpr int kTall[6] = {D(0, 0), D(0, 1), D(1, 0), D(1, 1), D(2, 0), D(2, 1)};
constexpr int kWide[6] = {D(0, 0), D(0, 1), D(1, 0), D(1, 1), D(0, 2), D(1, 2)};
constexpr int kSmallSquare[4] = {D(0, 0), D(0, 1), D(1, 0), D(1, 1)};
constexpr int kPlus[5] = {D(0, 0), D(1, 0), D(-1, 0), D(0, 1), D(0, -1)};
constexpr int kDiagonal[5] = {D(0, 0), D(1, 1), D(-1, -1), D(-1, 1), D(1, -1)};
constexpr int kSmallRing[4] = {D(0, 0), D(1, 1), D(-1, 1), D(0, 2)};
constexpr int kLargeRing[8] = {D(0, 0), D(1, 0), D(2, 1), D(2, 2), D(-1, 1), D(-1, 2), D(0, 3), D(1, 3)};

constexpr int kLinePoints[11] = {0, 0, 0, 0, 0, 5, 7, 9, 12, 15, 20};

constexpr int A(int row, int col) { return (row - 1) * kCols + (col - 1); }

// Takes the figure of `count` cells at anchor + offset(k) when every one holds the anchor's colour.
template <class Offset>
bool TakeFigure(GameState& s, Tally& tally, int anchor, int count, int points, Offset offset) {
    auto& b = s.Board.cells;
    const ColourCode first = b[static_cast<std::size_t>(anchor)];
    if (first == 0) return false;
    for (int k = 1; k < count; ++k)
        if (b[static_cast<std::size_t>(anchor + offset(k))] != first) return false;
    for (int k = 0; k < count; ++k) b[static_cast<std::size_t>(anchor + offset(k))] = 0;
    ++s.FiguresRemoved;
    s.Score += points;
    tally.ballsRemoved += count;
    tally.figurePoints += points;
    return true;
}

// Takes the figure at anchor + offsets[0..count) when all its cells hold the anchor's colour.
bool TryFigure(ScanTarget& t, int anchor, const int* offsets, int count, int points) {
    return TakeFigure(t.s, t.tally, anchor, count, points, [offsets](int k) { return offsets[k]; });
}

// The straight figure of `length` cells from anchor, step apart.
bool TryLine(ScanTarget& t, int anchor, int step, int length, int points) {
    return TakeFigure(t.s, t.tally, anchor, length, points, [step](int k) { return k * step; });
}

} // namespace

void Game::FigureScan() {
    Mode m;
    const bool known = ModeFromWord(s_.GameMode, m);
    if (!known) return; // no figures, no display, no record
    const Grid before = s_.Board;
    const std::int32_t scoreBefore = s_.Score;

    ScanTarget target{s_, tally_};
    ModeOf(m).scan(target);
    NoteRemoval(before, scoreBefore);
    RecordIfReached();
}

void Game::NoteRemoval(const Grid& before, std::int32_t scoreBefore) {
    RemovalScan& r = report_.removal;
    bool any = false;
    for (int i = 0; i < kCells; ++i) {
        const ColourCode was = before.cells[static_cast<std::size_t>(i)];
        if (was == 0 || s_.Board.cells[static_cast<std::size_t>(i)] != 0) continue;
        any = true;
        r.cells.Add(i + 1);
        r.colour[static_cast<std::size_t>(i + 1)] = was;
    }
    if (!any) return;
    r.points += s_.Score - scoreBefore;
    report_.removed = true;
    report_.removedAfterDrop = report_.droppedCount > 0;
}

void Game::RecordIfReached() {
    Mode m;
    if (!ModeFromWord(s_.GameMode, m)) return;
    view_.SetScoreText(std::to_string(s_.Score));
    if (ReachesRecord()) {
        s_.BestScore = s_.Score;
        std::string& text = s_.RecordText[static_cast<std::size_t>(m)];
        text = std::to_string(s_.BestScore);
        // The writer reports its own failures; the turn goes on either way.
        WriteRecord(m, s_.Score);
        view_.SetRecordText(text);
    }
}

// 602 tests: each direction in turn, lengths 10 down to 5, every anchor of a
// length before the next length, so a run is always taken at its full length.
void LineFigures(ScanTarget& t) {
    for (int len = 10; len >= 5; --len)
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 11 - len; ++c) TryLine(t, A(r, c), 1, len, kLinePoints[len]);
    for (int len = 10; len >= 5; --len)
        for (int c = 1; c <= 10; ++c)
            for (int r = 1; r <= 11 - len; ++r) TryLine(t, A(r, c), kCols, len, kLinePoints[len]);
    for (int len = 10; len >= 5; --len)
        for (int r = 1; r <= 11 - len; ++r)
            for (int c = 1; c <= 11 - len; ++c) TryLine(t, A(r, c), kCols + 1, len, kLinePoints[len]);
    for (int len = 10; len >= 5; --len)
        for (int r = 1; r <= 11 - len; ++r)
            for (int c = len; c <= 10; ++c) TryLine(t, A(r, c), kCols - 1, len, kLinePoints[len]);
}

void SquareFigures(ScanTarget& t) {
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 9; ++c) TryFigure(t, A(r, c), kTall, 6, 8);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 8; ++c) TryFigure(t, A(r, c), kWide, 6, 8);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) TryFigure(t, A(r, c), kSmallSquare, 4, 4);
}

void CrossFigures(ScanTarget& t) {
    for (int r = 2; r <= 9; ++r)
        for (int c = 2; c <= 9; ++c) {
            // After a plus the centre is empty, so the cross here fails at once.
            TryFigure(t, A(r, c), kPlus, 5, 5);
            TryFigure(t, A(r, c), kDiagonal, 5, 5);
        }
}

void RingFigures(ScanTarget& t) {
    for (int r = 2; r <= 9; ++r)
        for (int c = 1; c <= 8; ++c) {
            TryFigure(t, A(r, c), kSmallRing, 4, 4);
            if (r <= 8 && c <= 7) TryFigure(t, A(r, c), kLargeRing, 8, 15);
        }
}

} // namespace zv
