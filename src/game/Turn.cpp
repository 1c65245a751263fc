// The cell click: select, reselect, and the move with its bounded path search and the steps after it.
#include "game/Game.h"
#include "game/Sweep.h"

#include <array>

namespace zv {

namespace {

// Empty cells the ball can reach from the selected one.
constexpr SweepMarks kRoute{.waiting = 10, .expanded = 15};
constexpr std::int32_t kPathStepLimit = 5000; // 50 sweeps of 100 cells

} // namespace

const TurnReport& Game::CellClick(CellPos clicked) {
    Begin();
    s_.ClickedCell = clicked;
    if (!OnBoard(clicked)) {
        RedrawBoard();
        return report_;
    }
    const ColourCode v = s_.Board.at(clicked.row, clicked.col);

    CellClickResult result = CellClickResult::Ignored;
    if (s_.PlayState >= kPlayOver) {
        // Game over: the click only repaints.
    } else if (s_.PlayState == kPlaySelected && v == 0) {
        if (FindPath()) {
            MakeMove();
            result = CellClickResult::Moved;
        } else {
            RefuseMove();
            result = CellClickResult::Refused;
        }
    } else if (s_.PlayState == kPlayIdle && v != 0) {
        s_.PlayState = kPlaySelected;
        s_.SelectedColour = v;
        s_.SelectedCell = clicked;
        ShowSelection();
        Sound("blip.wav");
        result = CellClickResult::Selected;
    } else if (s_.PlayState == kPlaySelected && v != 0 && !(clicked == s_.SelectedCell)) {
        HideSelection(); // still the old cell
        s_.SelectedCell = clicked;
        s_.SelectedColour = v;
        ShowSelection();
        Sound("blip.wav");
        result = CellClickResult::Selected;
    } else if (clicked == s_.SelectedCell) {
        // The selected ball clicked again. In the window its highlight takes
        // this click, so it only arrives from other callers.
        s_.PlayState = kPlayIdle;
        result = CellClickResult::Deselected;
    }
    report_.result = result;
    RedrawBoard();
    return report_;
}

// Sweeps the board in row-major order, marking in place. A neighbour below or to
// the right is expanded later in the same sweep, one above or to the left in the
// next, so the sweep count and hence the 5000-step bound depend on the route.
bool Game::FindPath() {
    const CellPos src = s_.SelectedCell;
    const CellPos dst = s_.ClickedCell;
    if (src.row < 1 || src.row > kRows || src.col < 1 || src.col > kCols) return false;

    auto& b = s_.Board.cells;
    const std::size_t target = static_cast<std::size_t>(CellIndex(dst.row, dst.col) - 1);
    b[static_cast<std::size_t>(CellIndex(src.row, src.col) - 1)] = kRoute.waiting;
    s_.PathSteps = 0;

    // Each sweep starts at the first mark left waiting by the one before: the
    // cells ahead of it hold no mark, so skipping them changes nothing but time.
    int from = CellIndex(src.row, src.col) - 1;
    int reached = 0;
    for (;;) {
        const int waiting = SweepOnce(b, from, 0, kRoute, reached);
        s_.PathSteps += kCells; // every sweep visits all 100 cells
        if (b[target] == kRoute.expanded || s_.PathSteps >= kPathStepLimit) break;
        if (waiting == kCells) {
            // Nothing left to expand: the sweeps up to the bound would find nothing.
            s_.PathSteps = kPathStepLimit;
            break;
        }
        from = waiting;
    }

    for (auto& cell : b)
        if (cell == kRoute.waiting || cell == kRoute.expanded) cell = 0;
    // The 50th sweep counts as failure even when it reached the target.
    return s_.PathSteps != kPathStepLimit;
}

void Game::TracePath(CellPos from, CellPos to) {
    // Breadth first from the target, so following the nearer neighbour from the source walks to it.
    std::array<std::uint8_t, kCells> dist;
    dist.fill(0xFF);
    std::array<std::uint8_t, kCells> queue;
    int head = 0, tail = 0;
    const int src = CellIndex(from.row, from.col) - 1, dst = CellIndex(to.row, to.col) - 1;
    dist[static_cast<std::size_t>(dst)] = 0;
    queue[static_cast<std::size_t>(tail++)] = static_cast<std::uint8_t>(dst);
    auto open = [&](int i) { return i == src || s_.Board.cells[static_cast<std::size_t>(i)] == 0; };
    auto neighbours = [](int i, int out[4]) {
        int n = 0;
        if (i >= kCols) out[n++] = i - kCols;
        if (i + kCols < kCells) out[n++] = i + kCols;
        if (i % kCols > 0) out[n++] = i - 1;
        if (i % kCols + 1 < kCols) out[n++] = i + 1;
        return n;
    };
    while (head < tail && dist[static_cast<std::size_t>(src)] == 0xFF) {
        const int i = queue[static_cast<std::size_t>(head++)];
        int nb[4];
        for (int k = 0, n = neighbours(i, nb); k < n; ++k) {
            const int j = nb[k];
            if (dist[static_cast<std::size_t>(j)] != 0xFF || !open(j)) continue;
            dist[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(dist[static_cast<std::size_t>(i)] + 1);
            queue[static_cast<std::size_t>(tail++)] = static_cast<std::uint8_t>(j);
        }
    }
    report_.path.Clear();
    if (dist[static_cast<std::size_t>(src)] == 0xFF) {
        // Not reachable by the shortest route (cannot happen after a found path): show a jump.
        report_.path.Add(src + 1);
        report_.path.Add(dst + 1);
        return;
    }
    for (int i = src;;) {
        report_.path.Add(i + 1);
        if (i == dst) break;
        int nb[4];
        for (int k = 0, n = neighbours(i, nb); k < n; ++k)
            if (dist[static_cast<std::size_t>(nb[k])] + 1 == dist[static_cast<std::size_t>(i)]) {
                i = nb[k];
                break;
            }
    }
}

void Game::MakeMove() {
    const int src = CellIndex(s_.SelectedCell.row, s_.SelectedCell.col) - 1;
    const int dst = CellIndex(s_.ClickedCell.row, s_.ClickedCell.col) - 1;
    auto at = [](Grid& g, int i) -> ColourCode& { return g.cells[static_cast<std::size_t>(i)]; };

    // The source cell is empty here: the search cleared its mark.
    s_.UndoBoard = s_.Board;
    s_.MoveSnapshot = s_.Board;
    at(s_.UndoBoard, src) = s_.SelectedColour;
    s_.UndoAllowed = 1;
    s_.ScoreBeforeMove = s_.Score;
    at(s_.Board, src) = 0;
    at(s_.Board, dst) = s_.SelectedColour;
    s_.PlayState = kPlayIdle;
    report_.movedColour = s_.SelectedColour;
    TracePath(s_.SelectedCell, s_.ClickedCell);
    HideSelection();
    ClearBlockedCells();
    ++tally_.turns;
    ++s_.MoveCount;

    s_.FiguresRemoved = 0;
    FigureScan();
    Sound(s_.FiguresRemoved >= 1 ? "boom.wav" : "blip2.wav");

    // A move does not change the number of empty cells, so the last redraw's count holds.
    if (s_.FiguresRemoved == 0 && s_.EmptyCellCount >= 4) {
        DropNextBalls();
        s_.FiguresRemoved = 0;
        FigureScan();
        if (s_.FiguresRemoved >= 1) Sound("boom.wav");
        NewNextBalls();
        if (s_.AdvancedMode == 1) {
            ScatterBlockedCells();
            ScatterBlockedCells();
        }
    }
}

void Game::RefuseMove() {
    s_.PlayState = kPlayIdle;
    Sound("no.wav");
    if (s_.SelectedCell.row >= 1 && s_.SelectedCell.row <= kRows && s_.SelectedCell.col >= 1 &&
        s_.SelectedCell.col <= kCols)
        s_.Board.at(s_.SelectedCell.row, s_.SelectedCell.col) = s_.SelectedColour;
    HideSelection();
    ++tally_.refused;
}

} // namespace zv
