#!/usr/bin/env bash
# The desktop scale over the real environment, and Xft.dpi read from a real X server's resources (set with xrdb).
# Without Xvfb or xrdb only the part without a display runs, and the test counts as skipped.
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
expect() { # expect <what> <wanted output> <output>
    [[ "$3" == "$2" ]] || fail "$1: wanted \"$2\", got \"$3\""
}
unset ZORVEX_SCALE GDK_SCALE

# No display: nothing to ask, and the environment decides in its order.
unset DISPLAY
expect "no DISPLAY" $'Xft.dpi none\nscale 1 (ZORVEX_SCALE unset; GDK_SCALE unset; no Xft.dpi)' "$("$probe")"
expect "empty DISPLAY" "Xft.dpi none" "$(DISPLAY= "$probe" | head -1)"
expect "ZORVEX_SCALE first" "scale 3 from ZORVEX_SCALE 3" "$(ZORVEX_SCALE=3 GDK_SCALE=2 "$probe" | tail -1)"
expect "GDK_SCALE second" "scale 2 from GDK_SCALE 2 (ZORVEX_SCALE \"x\" is not a number)" \
    "$(ZORVEX_SCALE=x GDK_SCALE=2 "$probe" | tail -1)"

command -v Xvfb >/dev/null && command -v xrdb >/dev/null || { echo "Xvfb or xrdb missing: skipped"; exit 77; }
# -noreset: the resources would go with the reset that follows the last client leaving.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
[[ -s "$tmp/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(tr -d '\n' <"$tmp/display")"

expect "no resources" "Xft.dpi none" "$("$probe" | head -1)"
xrdb -merge <<<$'Xft.dpi:\t192\nXft.antialias:\t1'
expect "Xft.dpi 192" $'Xft.dpi 192\nscale 2 from Xft.dpi 192' "$("$probe")"
xrdb -merge <<<'Xft.dpi: 288'
expect "Xft.dpi 288" "scale 3 from Xft.dpi 288" "$("$probe" | tail -1)"
expect "ZORVEX_SCALE before Xft.dpi" "scale 1 from ZORVEX_SCALE 1" "$(ZORVEX_SCALE=1 "$probe" | tail -1)"
expect "GDK_SCALE junk" "scale 3 from Xft.dpi 288 (GDK_SCALE \"x\" is not a number)" "$(GDK_SCALE=x "$probe" | tail -1)"
# A display that is not there is no Xft.dpi, not a failure.
expect "dead display" "Xft.dpi none" "$(DISPLAY=:9999 "$probe" | head -1)"
echo "ok"
