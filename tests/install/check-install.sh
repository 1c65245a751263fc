#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a player gets: the files, the desktop entry and
# AppStream data, the installed game started through its launcher, and the Debian package.
# Usage: check-install.sh BUILD_DIR VERSION [CMAKE] [CPACK]
set -euo pipefail

build="$1"
version="$2"
cmake="${3:-cmake}"
cpack="${4:-cpack}"

# Outside the build tree on purpose: a program running from there may also look into the sources for its sounds.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/zv-install.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# Runs a command quietly, showing its output only when it fails.
quiet() {
    local log="$scratch/quiet.log"
    local status=0
    "$@" >"$log" 2>&1 || status=$?
    [[ "$status" == 0 ]] || { cat "$log" >&2; fail "$* (exit $status)"; }
}

# Prints WIDTH HEIGHT of a PNG file from its header.
png_size() {
    [[ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" == 89504e470d0a1a0a ]] || { echo "not-png"; return; }
    local w h
    w="$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')"
    h="$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')"
    echo "$w $h"
}

# The files of an installed tree under PREFIX.
check_tree() {
    local prefix="$1" f size
    for f in bin/zorvex2000 bin/zorvex2000-launch; do
        [[ -f "$prefix/$f" && -x "$prefix/$f" ]] || fail "$prefix/$f missing or not executable"
    done
    for f in blip blip2 boom no; do
        [[ -s "$prefix/share/zorvex2000/$f.wav" ]] || fail "sound $f.wav missing"
    done
    for size in 256 128 64 48; do
        f="$prefix/share/icons/hicolor/${size}x${size}/apps/zorvex2000.png"
        [[ -f "$f" ]] || fail "icon ${size}x${size} missing"
        [[ "$(png_size "$f")" == "$size $size" ]] || fail "icon ${size}x${size} is $(png_size "$f")"
    done
    for f in share/applications/zorvex2000.desktop share/metainfo/com.example.zorvex2000.metainfo.xml \
             share/doc/zorvex2000/copyright; do
        [[ -s "$prefix/$f" ]] || fail "$f missing"
    done
}

# Starts the installed game the way the menu does and checks where its settings went.
# Usage: start_game PREFIX NAME [VAR=VALUE...]; the game runs with HOME and the data directory in the scratch.
start_game() {
    local prefix="$1" name="$2" exec_line
    shift 2
    local home="$scratch/$name/home" run="$scratch/$name/run" cwd="$scratch/$name/cwd"
    mkdir -p "$home" "$run" "$cwd"
    chmod 700 "$run"
    exec_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/zorvex2000.desktop")"
    [[ "$exec_line" == zorvex2000-launch ]] || fail "Exec is '$exec_line'"
    local status=0
    (cd "$cwd" && env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 \
        SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 XDG_RUNTIME_DIR="$run" ZV_BENCH_FIRST_FRAME=1 "$@" \
        timeout 30 "$exec_line" >"$scratch/$name/out.log" 2>&1) || status=$?
    [[ "$status" == 0 ]] || { cat "$scratch/$name/out.log" >&2; fail "$name: the installed game exited with $status"; }
    [[ ! -e "$cwd/config.cfg" ]] || fail "$name: config.cfg written to the directory the launcher was started in"
    [[ ! -e "$home/config.cfg" ]] || fail "$name: config.cfg written to the home folder"
}

step "install into a scratch prefix"
prefix="$scratch/prefix"
quiet "$cmake" --install "$build" --prefix "$prefix"
check_tree "$prefix"

desktop="$prefix/share/applications/zorvex2000.desktop"
metainfo="$prefix/share/metainfo/com.example.zorvex2000.metainfo.xml"
for line in "Name=Zorvex 2000" "Icon=zorvex2000" "Categories=Game;BoardGame;" "Type=Application"; do
    grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
done
grep -q '^Name\[ru\]=.' "$desktop" || fail "desktop entry lacks a Russian name"
grep -qF '<id>com.example.zorvex2000</id>' "$metainfo" || fail "metainfo id does not match its file name"
grep -qF '<launchable type="desktop-id">zorvex2000.desktop</launchable>' "$metainfo" || fail "metainfo launchable"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release entry for version $version"

step "validate the desktop entry and the AppStream data"
if command -v desktop-file-validate >/dev/null; then
    quiet desktop-file-validate "$desktop"
else
    echo "desktop-file-validate not installed (desktop-file-utils): skipped"
fi
command -v appstreamcli >/dev/null || fail "appstreamcli not installed (package appstream)"
quiet appstreamcli validate --no-net "$metainfo"
# The whole tree: the launchable desktop file and the icon must be found next to the metainfo.
quiet appstreamcli validate-tree --no-net "$prefix"

step "start the installed game through its launcher"
start_game "$prefix" xdg XDG_DATA_HOME="$scratch/xdg/data"
[[ -s "$scratch/xdg/data/zorvex2000/config.cfg" ]] || fail "config.cfg not in \$XDG_DATA_HOME/zorvex2000"
# Without XDG_DATA_HOME, and with a relative one, which does not count: ~/.local/share.
start_game "$prefix" home
[[ -s "$scratch/home/home/.local/share/zorvex2000/config.cfg" ]] || fail "config.cfg not in ~/.local/share/zorvex2000"
start_game "$prefix" relative XDG_DATA_HOME=relative/data
[[ -s "$scratch/relative/home/.local/share/zorvex2000/config.cfg" ]] || fail "a relative XDG_DATA_HOME was used"

step "build the Debian package"
quiet "$cpack" -G DEB -B "$scratch/pkg" --config "$build/CPackConfig.cmake"
debs=("$scratch"/pkg/*.deb)
[[ ${#debs[@]} == 1 && -f "${debs[0]}" ]] || fail "expected one .deb, got: ${debs[*]}"
deb="${debs[0]}"
[[ "$(dpkg-deb -f "$deb" Package)" == zorvex2000 ]] || fail "package name $(dpkg-deb -f "$deb" Package)"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || fail "package version $(dpkg-deb -f "$deb" Version)"

contents="$(dpkg-deb -c "$deb")"
grep -qE '^-rwxr-xr-x root/root .* \./usr/bin/zorvex2000$' <<<"$contents" || fail "the game is not in /usr/bin"
grep -qE '^-rwxr-xr-x root/root .* \./usr/bin/zorvex2000-launch$' <<<"$contents" || fail "the launcher is not in /usr/bin"
for f in usr/share/applications/zorvex2000.desktop usr/share/metainfo/com.example.zorvex2000.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/zorvex2000.png usr/share/zorvex2000/boom.wav \
         usr/share/doc/zorvex2000/copyright; do
    grep -qE " \./$f\$" <<<"$contents" || fail "the package lacks /$f"
done
grep -qE ' \./usr/local/' <<<"$contents" && fail "the package installs into /usr/local"

# Package names of a relation field, one a line, without versions and alternatives.
names() { dpkg-deb -f "$deb" "$1" | tr ',|' '\n' | sed -E 's/\(.*\)//; s/^ +//; s/ +$//' | sed '/^$/d'; }
depends="$(names Depends)"
for p in libsdl2-2.0-0 libfontconfig1 fonts-dejavu-core fonts-liberation2 \
         fonts-roboto-unhinted xfonts-base; do
    grep -qxF "$p" <<<"$depends" || fail "Depends lacks $p: $(dpkg-deb -f "$deb" Depends)"
done
recommends="$(names Recommends)"
for p in libgtk-3-0 xdg-utils; do
    grep -qxF "$p" <<<"$recommends" || fail "Recommends lacks $p: $(dpkg-deb -f "$deb" Recommends)"
done

step "start the game from the unpacked package"
root="$scratch/root"
quiet dpkg-deb -x "$deb" "$root"
check_tree "$root/usr"
quiet appstreamcli validate-tree --no-net "$root"
start_game "$root/usr" deb XDG_DATA_HOME="$scratch/deb/data"
[[ -s "$scratch/deb/data/zorvex2000/config.cfg" ]] || fail "the packaged game wrote no config.cfg"

echo "install and package checks passed"
