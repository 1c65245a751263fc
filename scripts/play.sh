#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh" play
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_TESTS=OFF -DZV_BENCH=OFF >/dev/null
cmake --build "$root/build" --target zorvex2000
# Started in the data directory, as the menu entry's launcher starts it.
data="${XDG_DATA_HOME:-$HOME/.local/share}/zorvex2000"
mkdir -p "$data"
cd "$data"
exec "$root/build/src/app/zorvex2000"
