#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh" play
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_TESTS=OFF -DZV_BENCH=OFF >/dev/null
cmake --build "$root/build" --target zorvex2000
# The settings file lives in the current directory: keep it with the player's other game data.
data="${XDG_DATA_HOME:-$HOME/.local/share}/zorvex2000"
mkdir -p "$data"
cd "$data"
exec "$root/build/src/app/zorvex2000"
