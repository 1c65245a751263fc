#!/usr/bin/env bash
# Started where no display can be opened, the game says so on standard error and ends at once with a non-zero
# status, every time: it never runs unseen holding the single-instance guard against the next start.
set -uo pipefail
bin="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
unset SDL_VIDEODRIVER WAYLAND_DISPLAY
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp"
for display in "" :97 "" :97; do # twice each: the second start is not taken for a second copy
    DISPLAY="$display" timeout 10 "$bin" 2>"$tmp/err"
    status=$?
    [[ "$status" != 0 && "$status" != 124 ]] && grep -q "no display could be opened: .*${display:-DISPLAY is not set}" "$tmp/err" ||
        { echo "FAIL: DISPLAY \"$display\": status $status, stderr: $(cat "$tmp/err")" >&2; exit 1; }
done
# A Wayland display named that does not answer is no screen either.
WAYLAND_DISPLAY=zv-no-such-wayland-display DISPLAY= timeout 10 "$bin" 2>"$tmp/err"
status=$?
[[ "$status" != 0 && "$status" != 124 ]] && grep -q 'no display could be opened: the Wayland display "zv-no-such-wayland-display" does not answer' "$tmp/err" ||
    { echo "FAIL: an unanswering Wayland display: status $status, stderr: $(cat "$tmp/err")" >&2; exit 1; }
echo "5 passed, 0 failed"
