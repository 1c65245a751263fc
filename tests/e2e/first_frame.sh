#!/usr/bin/env bash
# The main window comes up in one whole frame at 1x and at 2x, with the pointer over it and no window manager;
# an uncovering after that frame is still painted.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_xvfb 1920x1200
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LANG=C.UTF-8 LC_ALL=C.UTF-8 ZORVEX_ANIMATION=0 ZV_BENCH_FRAMES=1
export XDG_DATA_HOME="$E2E_TMP/data" XDG_RUNTIME_DIR="$E2E_TMP/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
# Where the window comes up, centred: the control under the pointer is hovered in the first frame.
xdotool mousemove 960 600
frames() { grep -c ': frame [0-9]* of window' "$E2E_TMP/log.$1" || true; }

for SCALE in 1 2; do
    : >"$E2E_TMP/log.$SCALE"
    ZORVEX_SCALE=$SCALE "$bin" 2>>"$E2E_TMP/log.$SCALE" &
    pid=$!; E2E_PIDS+=($pid)
    win="$(wait_window_of_size "$pid" $((632 * SCALE)) $((492 * SCALE)))" || fail "no window at ${SCALE}x: $(cat "$E2E_TMP/log.$SCALE")"
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    sleep 1
    [[ "$(frames $SCALE)" == 1 ]] || fail "the window came up in $(frames $SCALE) frames at ${SCALE}x: $(cat "$E2E_TMP/log.$SCALE")"
    screenshot "$E2E_TMP/first.png"

    # Unmapped and mapped again, the window has lost its pixels: the exposure comes after the first frame.
    xdotool windowunmap --sync "$win"
    xdotool windowmap --sync "$win"
    repainted() { (($(frames $SCALE) >= 2)); }
    poll "$E2E_WAIT" repainted || fail "the window was not painted again after it was mapped again at ${SCALE}x"
    sleep 0.3
    screenshot "$E2E_TMP/again.png"
    ! differ "$E2E_TMP/first.png" "$E2E_TMP/again.png" || fail "the window mapped again at ${SCALE}x does not show what it showed"
    kill "$pid"
    wait_exit "$pid" || true
done
echo "one frame at start at 1x and 2x"
