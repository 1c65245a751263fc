// A greedy player and a book-keeper that checks the rules' invariants while it plays.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "autoplay/Audit.h"
#include "game/Game.h"
#include "game/NullPorts.h"

namespace zv::autoplay {

struct GameResult {
    std::int32_t score = 0;
    std::int64_t turns = 0;
    bool capped = false;
};

class Player {
public:
    Player(Mode mode, bool advanced, bool check, std::uint64_t seed);
    // Plays one whole game; false (with a message in Error()) when --check found a violation.
    bool PlayGame(std::uint64_t gameSeed, GameResult& out);
    const std::string& Error() const { return error_; }

private:
    bool PickMove(int& from, int& to);
    bool Check(const char* after);
    bool CheckTurn(int ballsBefore, const Tally& before);

    NullPorts quiet_;
    SetClock clock_{{12, 0, 0, 0}};
    Game game_{quiet_, quiet_, quiet_, clock_};
    Mode mode_;
    bool check_;
    std::mt19937_64 pick_;
    std::string error_;
};

} // namespace zv::autoplay
