#!/usr/bin/env bash
# A hundred message boxes in a row, each closed with Return, then a normal exit that still writes the game's files.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
data="$XDG_DATA_HOME/zorvex2000"
# A scale file that can neither be read nor removed (a directory with something in it): the start
# reports it, and so does every Ctrl+0, which forgets the chosen scale.
mkdir -p "$data/scale.cfg/inside"
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

"$bin" 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
for i in $(seq 100); do
    if ((i > 1)); then
        xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
        xdotool key ctrl+0
    fi
    box="$(wait_message_box "$pid")" || fail "box $i did not come up: $(cat "$E2E_TMP/log")"
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    poll 5 no_message_box "$pid" || fail "box $i did not close: $(cat "$E2E_TMP/log")"
    kill -0 "$pid" 2>/dev/null || fail "the game ended after box $i: $(cat "$E2E_TMP/log")"
    if ((i == 1)); then
        win="$(wait_window_of_size "$pid" 632 492)" || fail "main window did not appear: $(cat "$E2E_TMP/log")"
        read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    fi
done

park_pointer
click_close_area
wait_exit "$pid" || fail "after 100 boxes the game did not end normally (status $?): $(cat "$E2E_TMP/log")"
[[ "$(cat "$data/config.cfg")" == $'nanssy\r' ]] || fail "config.cfg was not written at exit"
echo "1 passed, 0 failed"
