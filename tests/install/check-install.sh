#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a player gets: the files, the desktop entry and
# AppStream data, the manual pages, the installed game started through its launcher, and the Debian package
# (with lintian). As root, the package is also installed with dpkg, started, and removed again without a trace.
# Usage: check-install.sh BUILD_DIR VERSION [CMAKE] [CPACK]
set -euo pipefail

build="$1"
version="$2"
cmake="${3:-cmake}"
cpack="${4:-cpack}"

# Outside the build tree on purpose: a program running from there may also look into the sources for its sounds.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/zv-install.XXXXXX")"
# A package this test installed with dpkg is removed however the test ends.
installed_package=
cleanup() {
    if [[ -n "$installed_package" ]]; then dpkg --purge zorvex2000 >/dev/null 2>&1 || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
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
    local prefix="$1" f size page
    for f in games/zorvex2000 games/zorvex2000-launch games/zvtool; do
        [[ -f "$prefix/$f" && -x "$prefix/$f" ]] || fail "$prefix/$f missing or not executable"
    done
    [[ ! -e "$prefix/bin" ]] || fail "something installed in $prefix/bin: $(ls "$prefix/bin")"
    for f in blip blip2 boom no; do
        [[ -s "$prefix/share/zorvex2000/$f.wav" ]] || fail "sound $f.wav missing"
    done
    f="$prefix/share/locale/en/LC_MESSAGES/zorvex2000.mo"
    [[ -s "$f" ]] || fail "the English catalogue is missing"
    msgunfmt "$f" >"$scratch/en.po" || fail "$f is not a catalogue"
    grep -qF '"Language: en\n"' "$scratch/en.po" || fail "$f is not an English catalogue"
    # Every catalogue the build made goes with the game, each under its own language.
    local mo lang
    for mo in "$build"/locale/*/LC_MESSAGES/zorvex2000.mo; do
        lang="${mo#"$build/locale/"}"
        lang="${lang%%/*}"
        f="$prefix/share/locale/$lang/LC_MESSAGES/zorvex2000.mo"
        [[ -s "$f" ]] || fail "the $lang catalogue is missing"
        msgunfmt "$f" >"$scratch/$lang.po" || fail "$f is not a catalogue"
        grep -qF "\"Language: $lang\\n\"" "$scratch/$lang.po" || fail "$f is not a catalogue in $lang"
    done
    for size in 16 22 24 32 48 64 128 256; do
        f="$prefix/share/icons/hicolor/${size}x${size}/apps/zorvex2000.png"
        [[ -f "$f" ]] || fail "icon ${size}x${size} missing"
        [[ "$(png_size "$f")" == "$size $size" ]] || fail "icon ${size}x${size} is $(png_size "$f")"
    done
    f="$prefix/share/icons/hicolor/scalable/apps/zorvex2000.svg"
    [[ -s "$f" ]] || fail "scalable icon missing"
    command -v rsvg-convert >/dev/null || fail "rsvg-convert not installed (package librsvg2-bin)"
    # The scalable icon must draw: rendered at 256 pixels it is a square picture.
    quiet rsvg-convert -w 256 -h 256 -o "$scratch/icon.png" "$f"
    [[ "$(png_size "$scratch/icon.png")" == "256 256" ]] || fail "the SVG icon renders as $(png_size "$scratch/icon.png")"
    for f in share/applications/zorvex2000.desktop share/metainfo/com.example.zorvex2000.metainfo.xml \
             share/doc/zorvex2000/copyright share/doc/zorvex2000/changelog.Debian.gz; do
        [[ -s "$prefix/$f" ]] || fail "$f missing"
    done
    head -1 "$prefix/share/doc/zorvex2000/copyright" |
        grep -qxF "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
        fail "copyright is not in the machine-readable format"
    gzip -dc "$prefix/share/doc/zorvex2000/changelog.Debian.gz" | head -1 | grep -qE "^zorvex2000 \($version-[0-9]+\) " ||
        fail "changelog.Debian.gz does not start with an entry for $version"
    # The manual pages, compressed, each naming its command and formatted by man without a complaint.
    for page in zorvex2000 zorvex2000-launch zvtool; do
        f="$prefix/share/man/man6/$page.6.gz"
        [[ -s "$f" ]] || fail "manual page $page(6) missing (is scdoc installed? bash scripts/deps.sh test)"
        gzip -t "$f" || fail "$f is not gzip"
        local out="$scratch/man.out" err="$scratch/man.err"
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$f" >"$out" 2>"$err" || { cat "$err" >&2; fail "man $page"; }
        [[ ! -s "$err" ]] || { cat "$err" >&2; fail "man warns about $page(6)"; }
        grep -qE "^ +$page - " "$out" || fail "$page(6) has no NAME line for $page"
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
    (cd "$cwd" && env -i PATH="$prefix/games:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 \
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

# Runs a validator that prints "E: ..." and "W: ..." lines and fails on any of them.
no_errors_or_warnings() {
    local log="$scratch/validate.log" status=0
    "$@" >"$log" 2>&1 || status=$?
    if grep -qE '^[EW]: ' "$log" || [[ "$status" != 0 ]]; then
        cat "$log" >&2
        fail "$* (exit $status)"
    fi
    grep -E '^[IP]: ' "$log" || true
}

step "validate the desktop entry and the AppStream data"
if command -v desktop-file-validate >/dev/null; then
    quiet desktop-file-validate "$desktop"
else
    echo "desktop-file-validate not installed (desktop-file-utils): skipped"
fi
command -v appstreamcli >/dev/null || fail "appstreamcli not installed (package appstream)"
no_errors_or_warnings appstreamcli validate --no-net "$metainfo"
grep -qF 'example.com' "$metainfo" && fail "the metainfo still holds a placeholder address"
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

step "the installed game finds its English catalogue beside itself"
# The C library translates only under a locale that exists (scripts/deps.sh test generates it).
locale -a | grep -qix 'en_US.utf-\?8' || fail "the en_US.UTF-8 locale is missing (bash scripts/deps.sh test)"
command -v strace >/dev/null || fail "strace not installed (package strace)"
mkdir -p "$scratch/english/home" "$scratch/english/run"
chmod 700 "$scratch/english/run"
status=0
(cd "$scratch/english" && env -i PATH="$prefix/games:/usr/bin:/bin" HOME="$scratch/english/home" LANG=en_US.UTF-8 \
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 XDG_RUNTIME_DIR="$scratch/english/run" ZV_BENCH_FIRST_FRAME=1 \
    timeout 30 strace -f -qq -e trace=openat -o "$scratch/english/open.log" zorvex2000-launch \
    >"$scratch/english/out.log" 2>&1) || status=$?
[[ "$status" == 0 ]] || { cat "$scratch/english/out.log" >&2; fail "the installed game in English exited with $status"; }
grep -qE "\"$prefix/games/\.\./share/locale/en/LC_MESSAGES/zorvex2000\.mo\", O_RDONLY[^)]*\) = [0-9]" "$scratch/english/open.log" ||
    { grep -F zorvex2000.mo "$scratch/english/open.log" >&2 || true; fail "the installed game did not read its English catalogue"; }

step "the installed zvtool"
status=0
"$prefix/games/zvtool" >"$scratch/zvtool.out" 2>&1 || status=$?
[[ "$status" == 2 ]] && grep -qF "zvtool pack OUT.zvt" "$scratch/zvtool.out" || fail "zvtool without arguments: exit $status"

step "build the Debian package"
quiet "$cpack" -G DEB -B "$scratch/pkg" --config "$build/CPackConfig.cmake"
debs=("$scratch"/pkg/*.deb)
[[ ${#debs[@]} == 1 && -f "${debs[0]}" ]] || fail "expected one .deb, got: ${debs[*]}"
deb="${debs[0]}"
[[ "$(dpkg-deb -f "$deb" Package)" == zorvex2000 ]] || fail "package name $(dpkg-deb -f "$deb" Package)"
# The version is the game's with a Debian revision, as the newest changelog entry says.
deb_version="$(dpkg-deb -f "$deb" Version)"
[[ "$deb_version" =~ ^$version-[0-9]+$ ]] || fail "package version $deb_version"
[[ -z "$(dpkg-deb -f "$deb" Homepage)" ]] || fail "the package names a home page: $(dpkg-deb -f "$deb" Homepage)"

contents="$(dpkg-deb -c "$deb")"
for f in zorvex2000 zorvex2000-launch zvtool; do
    grep -qE "^-rwxr-xr-x root/root .* \./usr/games/$f\$" <<<"$contents" || fail "$f is not in /usr/games"
done
grep -qE ' \./usr/bin/' <<<"$contents" && fail "the package installs into /usr/bin"
for f in usr/share/applications/zorvex2000.desktop usr/share/metainfo/com.example.zorvex2000.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/zorvex2000.png usr/share/icons/hicolor/scalable/apps/zorvex2000.svg \
         usr/share/zorvex2000/boom.wav usr/share/locale/en/LC_MESSAGES/zorvex2000.mo usr/share/doc/zorvex2000/copyright \
         usr/share/doc/zorvex2000/changelog.Debian.gz usr/share/man/man6/zvtool.6.gz; do
    grep -qE " \./$f\$" <<<"$contents" || fail "the package lacks /$f"
done
grep -qE ' \./usr/local/' <<<"$contents" && fail "the package installs into /usr/local"

# Package names of a relation field, one a line, without versions and alternatives.
names() { dpkg-deb -f "$deb" "$1" | tr ',|' '\n' | sed -E 's/\(.*\)//; s/^ +//; s/ +$//' | sed '/^$/d'; }
depends="$(names Depends)"
for p in libsdl2-2.0-0 libfontconfig1 fonts-dejavu-core fonts-liberation2 fonts-roboto-unhinted; do
    grep -qxF "$p" <<<"$depends" || fail "Depends lacks $p: $(dpkg-deb -f "$deb" Depends)"
done
# Debian does not let a package depend on an X font package; the game does not need one.
grep -qxF xfonts-base <<<"$depends" && fail "Depends names xfonts-base: $(dpkg-deb -f "$deb" Depends)"
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

step "lintian --pedantic"
command -v lintian >/dev/null || fail "lintian not installed (package lintian)"
# Info tags are shown, errors and warnings fail; overrides live in the package, each with its reason.
no_errors_or_warnings lintian --pedantic --info "$deb"

step "install the package with dpkg, start it, remove it"
# Only as root (CI is), and never over a copy of the game this machine already has installed.
if [[ "$(id -u)" != 0 ]]; then
    echo "not root: installing the package skipped"
elif dpkg-query -W -f='${Status}' zorvex2000 2>/dev/null | grep -q "installed"; then
    echo "zorvex2000 is already installed here: installing the package skipped"
else
    # What lies in the directories the package installs into, by name; caches the system keeps are left out.
    system_files() {
        local d
        for d in /usr/games /usr/share/applications /usr/share/doc /usr/share/icons/hicolor \
                 /usr/share/lintian/overrides /usr/share/man/man6 /usr/share/metainfo /usr/share/zorvex2000; do
            [[ ! -e "$d" ]] || find "$d"
        done | grep -vE '/(icon-theme\.cache|mimeinfo\.cache)$' | sort
    }
    # dpkg waits for no one: another package manager at work is waited for, a while.
    dpkg_retry() {
        local log="$scratch/dpkg.log" i
        for i in $(seq 30); do
            if "$@" >"$log" 2>&1; then return 0; fi
            grep -qi "lock" "$log" || break
            sleep 2
        done
        cat "$log" >&2
        return 1
    }
    system_files >"$scratch/before.txt"
    installed_package=1
    dpkg_retry dpkg --install "$deb" ||
        fail "dpkg --install failed (are the package's dependencies installed? bash scripts/deps.sh)"
    listed="$(dpkg -L zorvex2000)"
    while read -r f; do
        [[ -e "$f" ]] || fail "dpkg -L lists $f, which is not there"
    done <<<"$listed"
    grep -qxF /usr/games/zorvex2000 <<<"$listed" || fail "dpkg -L does not list /usr/games/zorvex2000"
    # Found through PATH, as the menu entry finds it.
    start_game /usr installed XDG_DATA_HOME="$scratch/installed/data"
    [[ -s "$scratch/installed/data/zorvex2000/config.cfg" ]] || fail "the game installed by dpkg wrote no config.cfg"
    dpkg_retry dpkg --purge zorvex2000 || fail "dpkg --purge failed"
    installed_package=
    while read -r f; do
        [[ ! -e "$f" || -d "$f" ]] || fail "$f is left after removing the package"
    done <<<"$listed"
    system_files >"$scratch/after.txt"
    diff -u "$scratch/before.txt" "$scratch/after.txt" >&2 || fail "installing and removing the package changed the files above"
fi

echo "install and package checks passed"
