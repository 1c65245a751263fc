// Must not compile: code outside the rules writing the game state through the game. The build of the
// suite checks that the compiler refuses it, and that a read through the same door compiles.
#include "game/Game.h"

#ifdef ZV_ONLY_READ
int Read(const zv::Game& game) { return game.State().Score; }
#else
void Write(zv::Game& game) { game.State().Score = 1; }
#endif
