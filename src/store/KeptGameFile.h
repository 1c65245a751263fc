// The kept-game file: the game running at exit, so the next start goes on with it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "game/KeptGame.h"

namespace zv::store {

inline constexpr const char* kKeptGameFileName = "game.kept";
// What the writer gives is under 600 bytes; anything much larger is not ours and is not looked at.
constexpr std::size_t kMaxKeptGameFileSize = 4096;

std::string KeptGamePath(const std::string& dir);

// The content the game writes: the header line, seven "<key> <value>" lines (number, mode, score, moves,
// advanced, undo, random; a game played with hints has "hints <count>" after undo), "next" with four colours, then three 10 x 10 grids, each after its own
// title line: "board" and "undo" rows of digits 0..6, "blocked" rows of '.' (free) and '#' (blocked).
// Lines end in LF.
std::string FormatKeptGame(const KeptGame& game);

// Strict: exactly the lines FormatKeptGame writes (with or without the hint line), in its order, LF or CRLF line ends, the last line end
// optional. Anything else is false with a one-line reason naming the line ("line 4: the score is not a
// number"), game then untouched. Content above kMaxKeptGameFileSize bytes is refused unread.
bool ParseKeptGame(std::string_view content, KeptGame& game, std::string& problem);

struct KeptGameLoad {
    std::optional<KeptGame> game;
    // "<path>: <problem>" for a broken or unreadable file; "" when fine or missing.
    std::string error;
};
// Missing file: no game, no error. A broken file is renamed aside (to "<path>.broken", or with a number
// after it when that is taken) and the error says where it went. Never throws.
KeptGameLoad LoadKeptGame(const std::string& dir);

// Puts a file that could not be used aside as LoadKeptGame does, and says where and what the game does
// ("; it is kept as <name> and the game starts empty").
std::string PutKeptGameAside(const std::string& dir);

// Replaces the file atomically; throws InOutError, the old file then stays as it was.
void SaveKeptGame(const std::string& dir, const KeptGame& game);
// Removes the file (a missing one is fine); throws InOutError.
void ForgetKeptGame(const std::string& dir);

} // namespace zv::store
