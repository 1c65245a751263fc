#!/usr/bin/env bash
# Started where no display can be opened, the game says so on standard error and ends at once with a
# non-zero status, every time: it never runs unseen holding the single-instance guard.
set -euo pipefail
bin="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset SDL_VIDEODRIVER WAYLAND_DISPLAY
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# DISPLAY                    what stderr says
while IFS='|' read -r display says; do
    for start in 1 2; do # the second start is not refused as a second copy
        status=0
        if [[ "$display" == "(unset)" ]]; then
            env -u DISPLAY timeout 10 "$bin" 2>"$tmp/err" || status=$?
        else
            DISPLAY="$display" timeout 10 "$bin" 2>"$tmp/err" || status=$?
        fi
        [[ "$status" != 0 && "$status" != 124 ]] || fail "DISPLAY $display, start $start: status $status"
        grep -qF "$says" "$tmp/err" || fail "DISPLAY $display, start $start: stderr holds: $(cat "$tmp/err")"
    done
done <<'CASES'
(unset)|no display could be opened: DISPLAY is not set
:97|no display could be opened: the X display ":97" does not answer
CASES
echo "2 passed, 0 failed"
