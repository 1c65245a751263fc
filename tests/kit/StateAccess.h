// The door tests use to set up a position: the game state written directly, which nothing in the program can do.
#pragma once

#include "game/Game.h"

namespace zv::kit {

struct StateAccess {
    static GameState& Of(Game& game) { return game.s_; }
};

} // namespace zv::kit
