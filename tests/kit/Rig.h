// A game wired to the stand-ins of its ports, with a door to set up positions, and a log of games ended.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/Game.h"
#include "kit/GameFakes.h"
#include "kit/StateAccess.h"

namespace zv::kit {

// Collects the endings of games that the reports passed through it told of.
struct EndingLog {
    std::vector<GameEnding> games;
    const TurnReport& operator()(const TurnReport& r) {
        if (r.ended) games.push_back(r.ending);
        return r;
    }
};

// A game wired to fakes, sound on, every record at 100.
struct Rig {
    FakeView view;
    FakeSound sound;
    FakeRecords records;
    FakeClock clock;
    Game game{view, sound, records, clock};

    Rig() {
        game.SetSound(true);
        for (auto& t : s().RecordText) t = "100";
    }
    GameState& s() { return StateAccess::Of(game); }

    // Rows top to bottom; '.' is empty, '1'..'6' a ball. Missing rows stay empty.
    void SetBoard(std::initializer_list<const char*> rows) {
        s().Board.clear();
        int r = 1;
        for (const char* row : rows) {
            for (int c = 1; c <= kCols && row[c - 1] != '\0'; ++c) {
                const char ch = row[c - 1];
                s().Board.at(r, c) = (ch >= '0' && ch <= '9') ? ch - '0' : 0;
            }
            ++r;
        }
    }
    // A running game in the given mode with the given board, nothing selected.
    void Running(Mode m, std::initializer_list<const char*> rows) {
        s().GameMode = ModeWord(m);
        s().BestScore = 1000;
        s().PlayState = kPlayIdle;
        s().NextBalls = {1, 2, 3, 4};
        SetBoard(rows);
        game.RedrawBoard();
    }
    const TurnReport& Click(int row, int col) { return game.ImClick(CellIndex(row, col)); }
    // Shows or hides cell N's blocked overlay, as a scatter would.
    void Block(int n, bool shown) {
        s().Blocked[static_cast<std::size_t>(n - 1)] = shown;
        view.blocked[static_cast<std::size_t>(n)] = shown;
    }
    int Balls() const {
        int n = 0;
        for (ColourCode v : game.State().Board.cells) n += (v != 0);
        return n;
    }
};

} // namespace zv::kit
