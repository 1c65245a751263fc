#!/usr/bin/env bash
# What --verbose says where the language or the scale is not what the player may expect: a program moved away
# from its catalogues stays Russian under an English or unknown locale, and a scale too large for the screen is drawn smaller.
set -uo pipefail
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp" ZV_BENCH_FIRST_FRAME=1
unset GDK_SCALE LANGUAGE LC_ALL LC_MESSAGES
mkdir -p "$tmp/moved/bin" && cp "$1" "$tmp/moved/bin/zorvex2000"
# LANG | ZORVEX_SCALE | what stderr says
while IFS='|' read -r lang scale says; do
    LANG="$lang" ZORVEX_SCALE="$scale" timeout 20 "$tmp/moved/bin/zorvex2000" --verbose 2>"$tmp/err" >/dev/null &&
        grep -qF "$says" "$tmp/err" || { echo "FAIL: $lang, scale $scale: no \"$says\" in: $(cat "$tmp/err")" >&2; exit 1; }
done <<'CASES'
en_US.UTF-8|1|texts in Russian: en asked for (no catalogue for LANG=en_US, English instead), but no catalogue en/LC_MESSAGES/zorvex2000.mo in
xx_YY.UTF-8|1|texts in Russian: en asked for (no catalogue for LANG=xx_YY, English instead), but no catalogue
C.UTF-8|2|windows drawn at scale 1.5 (the largest at which the main window fits the screen is 1.5)
C.UTF-8|1.3|scale 1.25 from ZORVEX_SCALE 1.3 (rounded down)
CASES
echo "4 passed, 0 failed"
