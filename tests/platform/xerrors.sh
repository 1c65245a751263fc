#!/usr/bin/env bash
# Errors of the X server: a wake-up sent to a window already destroyed passes, any other error still ends the program.
set -euo pipefail
probe="$1"
tmp="$(mktemp -d)"
xvfb=""
cleanup() {
    if [[ -n "$xvfb" ]]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb missing: skipped"; exit 77; }
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
[[ -s "$tmp/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(tr -d '\n' <"$tmp/display")" SDL_VIDEODRIVER=x11

# request      exit status  output
while read -r request status output; do
    got=0
    out="$("$probe" "$request" 2>"$tmp/err")" || got=$?
    [[ "$got" == "$status" && "$out" == "${output//-/}" ]] || fail "$request: status $got, output \"$out\": $(cat "$tmp/err")"
    if [[ "$status" != 0 ]]; then grep -q "BadWindow" "$tmp/err" || fail "$request: the error was not reported"; fi
done <<'CASES'
send-event 0 survived
map-window 1 -
CASES
echo "2 passed, 0 failed"
