#!/usr/bin/env bash
# Renders the README's pictures headless with zv-snapshot, so they always show the game as it is built.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zv-snapshot
snap="$build/tools/snapshot/zv-snapshot"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$root/docs"
"$snap" "$tmp/main.bmp" --play 4242 12
convert "$tmp/main.bmp" "$root/docs/screenshot.png"
# The same game drawn for a desktop at scale 2, as a player on such a screen sees it.
"$snap" "$tmp/main-2x.bmp" --play 4242 12 --scale 2
convert "$tmp/main-2x.bmp" "$root/docs/screenshot-2x.png"
if command -v optipng >/dev/null; then optipng -quiet -o5 "$root/docs/screenshot-2x.png"; fi
"$snap" "$tmp/options.bmp" --options
convert "$tmp/options.bmp" "$root/docs/options.png"
"$snap" "$tmp/bestgames.bmp" --best
convert "$tmp/bestgames.bmp" "$root/docs/bestgames.png"
"$snap" "$tmp/statistics.bmp" --best --stats
convert "$tmp/statistics.bmp" "$root/docs/statistics.png"
for skin in 2 3 4 5; do
    "$snap" "$tmp/skin$skin.bmp" --skin "$skin" --play 77 6
    convert "$tmp/skin$skin.bmp" -resize 50% "$root/docs/skin$skin.png"
done
echo "pictures written to docs/"
