#!/usr/bin/env bash
# A hundred message boxes in a row, each closed with Return, then a normal exit that still writes the game's files;
# and at the root, a wake-up sent to a window already destroyed passes while any other X error still ends the program.
source "$(dirname "$0")/lib.sh"
bin="$1" probe="$2"
start_display
"$probe" send-event 2>"$E2E_TMP/probe" || fail "a late wake-up ended the program: $(cat "$E2E_TMP/probe")"
! "$probe" map-window 2>"$E2E_TMP/probe" && grep -q BadWindow "$E2E_TMP/probe" || fail "another X error passed unreported"

# A scale file that can neither be read nor removed: the start reports it, and so does every Ctrl+0.
data="$XDG_DATA_HOME/zorvex2000"
mkdir -p "$data/scale.cfg/inside" "$E2E_TMP/cwd" && cd "$E2E_TMP/cwd"
"$bin" 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
for i in $(seq 100); do
    if ((i > 1)); then
        xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
        xdotool key ctrl+0
    fi
    box="$(wait_message_box "$pid")" || fail "box $i did not come up: $(cat "$E2E_TMP/log")"
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    poll "$E2E_WAIT" no_message_box "$pid" && kill -0 "$pid" 2>/dev/null || fail "box $i: $(cat "$E2E_TMP/log")"
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
