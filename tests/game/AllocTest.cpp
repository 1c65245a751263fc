// Whole turns in every mode must not touch the heap: counts every operator new while they run.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "kit/GameFakes.h"
#include "kit/StateAccess.h"
#include "game/Game.h"

namespace {
std::atomic<long> gAllocations{0};
std::atomic<bool> gCounting{false};
} // namespace

// GCC cannot see that these replacements pair malloc with free on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (gCounting) ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace zv {
namespace {

TEST(HotPath, TurnsAllocateNothing) {
    for (int m = 0; m < kModeCount; ++m) {
        kit::FakeView view;
        kit::FakeSound sound;
        kit::FakeRecords records;
        kit::FakeClock clock({12, 0, 0, 0});
        sound.keepNames = false; // only the counts: a list would grow on the heap
        records.keepWrites = false;
        Game game(view, sound, records, clock);
        game.SetSound(true);
        game.SetAdvancedMode(true);
        for (auto& t : kit::StateAccess::Of(game).RecordText) t = "0"; // every scan raises the record
        switch (static_cast<Mode>(m)) {
        case Mode::Line: game.lineClick(); break;
        case Mode::Square: game.cubeClick(); break;
        case Mode::Cross: game.crossClick(); break;
        case Mode::Ring: game.ringClick(); break;
        case Mode::Block: game.cornerClick(); break;
        }
        game.GstartClick();
        const GameState& s = game.State();
        long turns = 0;
        gAllocations = 0;
        gCounting = true;
        // Move balls around until the game ends: selections, moves, drops, scans, undos, redraws.
        for (int step = 0; step < 3000 && s.PlayState != kPlayOver; ++step) {
            int ball = 0, hole = 0;
            for (int n = 1 + (step * 37) % kCells, k = 0; k < kCells && (!ball || !hole); ++k, n = n % kCells + 1) {
                const bool full = s.Board.cells[static_cast<std::size_t>(n - 1)] != 0;
                if (full && !ball) ball = n;
                if (!full && !hole) hole = n;
            }
            game.ImClick(ball);
            game.ImClick(hole);
            if (step % 17 == 0) game.TurnBackClick();
            ++turns;
        }
        gCounting = false;
        EXPECT_EQ(gAllocations.load(), 0) << ModeWord(static_cast<Mode>(m)) << " after " << turns << " turns";
        EXPECT_GT(game.Totals().turns, 20);
        EXPECT_GT(game.Totals().undos, 0);
        EXPECT_GT(records.writeCount, 0);
        EXPECT_GT(sound.plays, 0);
    }
}

} // namespace
} // namespace zv
