#!/usr/bin/env bash
# Under a given window manager (second argument): a window moved by its title strip ends exactly where the
# pointer says, however the pointer moved: in pauses, a pixel at a time, or at once after the press.
source "$(dirname "$0")/lib.sh"
bin="$1"
E2E_WM="${2:-openbox}"
# Room for every case on the screen: metacity keeps a window that a program moves whole on it.
start_display 1600x1200
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
start_main_window
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"

corner() { read -r cx cy _ _ <<<"$(geometry "$win")"; echo "$cx $cy"; }
at() { [[ "$(corner)" == "$1 $2" ]]; }

# Each case: its name, the pointer's offset at the release, which the window must have moved by, and the
# xdotool steps after the press on the title strip.
cases=(
    "three moves with pauses|120 80|mousemove_relative -- 40 27 sleep 0.1 mousemove_relative -- 40 26 sleep 0.1 mousemove_relative -- 40 27 sleep 0.1"
    "a press and a move at once|150 100|mousemove_relative -- 150 100"
    "thirty one-pixel steps|30 30|$(for _ in $(seq 30); do printf 'mousemove_relative -- 1 1 sleep 0.02 '; done)"
    "back across the start|-35 -20|mousemove_relative -- 60 40 sleep 0.1 mousemove_relative -- -95 -60 sleep 0.1"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name offset steps <<<"$c"
    read -r dx dy <<<"$offset"
    read -r x0 y0 <<<"$(corner)"
    # shellcheck disable=SC2086
    xdotool mousemove $((x0 + 300)) $((y0 + 12)) sleep 0.2 mousedown 1 $steps mouseup 1
    poll "$E2E_WAIT" at $((x0 + dx)) $((y0 + dy)) || fail "$E2E_WM, $name: the window went from $x0,$y0 to $(corner), not by $dx,$dy"
done

read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally (status $?)"
echo "1 passed, 0 failed"
