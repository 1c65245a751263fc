#!/bin/sh
# Regenerates everything under assets/ (skins, window pictures, icons, sounds) from the programs in tools/.
# Usage: tools/make-assets.sh [BUILD-DIR]   (without one, a temporary build is made and removed)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
work=$(mktemp -d)
own_build=
if [ -z "$build" ]; then
    build=$(mktemp -d)
    own_build=1
fi
cleanup() {
    rm -rf "$work"
    if [ -n "$own_build" ]; then rm -rf "$build"; fi
}
trap cleanup EXIT INT TERM

# Configure only a fresh build folder, so an existing one keeps its own options.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DZV_TESTS=OFF -DZV_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target zv-artwork zv-sounds zvtool

"$build/tools/artwork/zv-artwork" "$work/art"

assets="$root/assets"
mkdir -p "$assets/skins" "$assets/ui" "$assets/icons" "$assets/sounds"
rm -f "$assets"/skins/*.zvt "$assets"/ui/*.bmp "$assets"/icons/*.png "$assets"/icons/*.svg "$assets"/sounds/*.wav

# Pictures are packed in the order of their numbers: 00.bmp is picture 0 of the list.
for list in list1 list2 List3 List4 list5; do
    "$build/tools/zvtool/zvtool" pack "$assets/skins/$list.zvt" "$work/art/skins/$list"/*.bmp
done
# The English backgrounds of the skins that have one, each alone in its list: it stands in for picture 7.
for list in list1 List3 List4; do
    "$build/tools/zvtool/zvtool" pack "$assets/skins/$list.en.zvt" "$work/art/skins/en/$list.bmp"
done
mkdir -p "$assets/ui/en"
rm -f "$assets"/ui/en/*.bmp
cp "$work"/art/ui/*.bmp "$assets/ui/"
cp "$work"/art/ui/en/*.bmp "$assets/ui/en/"
cp "$work"/art/icons/*.png "$work"/art/icons/*.svg "$assets/icons/"
"$build/tools/sounds/zv-sounds" "$assets/sounds"

echo "assets rewritten in $assets"
