#!/bin/sh
# Regenerates everything under assets/ (skins and window pictures at every scale, icons, sounds) from the programs in tools/.
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

zvtool="$build/tools/zvtool/zvtool"
# One picture alone in a theme file, quietly: zvtool's warning that it is too few for a skin does not apply.
pack_picture() {
    if ! said=$("$zvtool" pack "$1" "$2" 2>&1); then
        echo "$said" >&2
        exit 1
    fi
}
# The image lists of the skins drawn at one scale ($1: its pictures) as theme files in $2.
pack_skins() {
    # Pictures are packed in the order of their numbers: 00.bmp is picture 0 of the list.
    for list in list1 list2 List3 List4 list5; do
        "$zvtool" pack "$2/$list.zvt" "$1/skins/$list"/*.bmp
    done
}

assets="$root/assets"
mkdir -p "$assets/skins" "$assets/ui" "$assets/icons" "$assets/sounds"
rm -f "$assets"/skins/*.zvt "$assets"/ui/*.bmp "$assets"/icons/*.png "$assets"/icons/*.svg "$assets"/sounds/*.wav

pack_skins "$work/art" "$assets/skins"
cp "$work"/art/ui/*.bmp "$assets/ui/"

# The pictures drawn at 2x and 3x, all compressed in theme files: s<scale>/skins as at 1x, and each window
# picture ui/NAME.bmp alone in s<scale>/ui/NAME.zvt.
for scale in 2 3; do
    art="$work/art/s$scale"
    themes="$assets/s$scale"
    mkdir -p "$themes/skins" "$themes/ui"
    rm -f "$themes"/skins/*.zvt "$themes"/ui/*.zvt
    pack_skins "$art" "$themes/skins"
    for picture in "$art"/ui/*.bmp; do
        name=${picture#"$art/"}
        pack_picture "$themes/${name%.bmp}.zvt" "$picture"
    done
done
cp "$work"/art/icons/*.png "$work"/art/icons/*.svg "$assets/icons/"
"$build/tools/sounds/zv-sounds" "$assets/sounds"

echo "assets rewritten in $assets"
