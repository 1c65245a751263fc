#!/usr/bin/env bash
# What --verbose says about the language and the scale, also where they are not what the player may expect:
# a program moved away from its catalogue stays Russian under an English locale, and a scale too large
# for the screen is drawn smaller.
set -euo pipefail
bin="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run" ZV_BENCH_FIRST_FRAME=1
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset GDK_SCALE LANGUAGE LC_ALL LC_MESSAGES
# Away from the build tree and from any share/locale beside it.
mkdir -p "$tmp/moved/bin" && cp "$bin" "$tmp/moved/bin/zorvex2000"

# program | LANG | ZORVEX_SCALE | what stderr says
while IFS='|' read -r program lang scale says; do
    [[ "$program" == moved ]] && program="$tmp/moved/bin/zorvex2000" || program="$bin"
    LANG="$lang" ZORVEX_SCALE="$scale" timeout 20 "$program" --verbose 2>"$tmp/err" >/dev/null || fail "$lang $scale: status $?"
    grep -qF "$says" "$tmp/err" || fail "$lang, scale $scale: no \"$says\" in: $(cat "$tmp/err")"
done <<'CASES'
moved|en_US.UTF-8|1|texts in Russian (locale en_US.UTF-8): no English catalogue en/LC_MESSAGES/zorvex2000.mo in
moved|xx_YY.UTF-8|1|texts in Russian: the locale the environment asks for is not installed here
moved|C.UTF-8|2|windows drawn at scale 1 (the largest at which the main window fits the screen is 1)
moved|C.UTF-8|1|windows drawn at scale 1
CASES
echo "4 passed, 0 failed"
