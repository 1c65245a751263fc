#!/usr/bin/env bash
# The real program under Xvfb: window size and place, dragging, a game start, the close area, and the settings it leaves.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
# Another program's settings in the directory we are started from are not ours to read or replace.
printf 'other program\n' >config.cfg

"$bin" &
pid=$!; E2E_PIDS+=($pid)
win="$(wait_window "$pid")" || fail "main window did not appear"
placed() { read -r x y w h <<<"$(geometry "$win")"; [[ "$w" == 632 && "$h" == 492 ]] && (( x == (1024 - 632) / 2 && y == (768 - 492) / 2 )); }
poll "$E2E_WAIT" placed || fail "window is ${w}x${h} at $x,$y, not 632x492 centred"

# A drag on the board panel moves nothing.
xdotool mousemove $((x + 300)) $((y + 300)) mousedown 1 mousemove $((x + 350)) $((y + 330)) sleep 0.2 mouseup 1
sleep 0.3
read -r x2 y2 _ _ <<<"$(geometry "$win")"
[[ "$x2" == "$x" && "$y2" == "$y" ]] || fail "a drag on the panel moved the window"

# A drag on the title strip moves the window.
xdotool mousemove $((x + 200)) $((y + 10)) mousedown 1 sleep 0.1 mousemove $((x + 230)) $((y + 30)) sleep 0.1 \
    mousemove $((x + 260)) $((y + 50)) sleep 0.2 mouseup 1
moved() { read -r x3 y3 _ _ <<<"$(geometry "$win")"; [[ "$x3" != "$x" || "$y3" != "$y" ]]; }
poll "$E2E_WAIT" moved || fail "a drag on the title strip did not move the window"
x="$x3"; y="$y3"

# "Новая игра" deals balls: the board looks different afterwards.
screenshot "$E2E_TMP/before.png"
xdotool mousemove $((x + 4 + 522 + 45)) $((y + 24 + 10 + 12)) click 1
dealt() {
    screenshot "$E2E_TMP/after.png"
    diff="$(picture_difference "$E2E_TMP/before.png" "$E2E_TMP/after.png")"
    awk -v d="$diff" 'BEGIN { exit !(d > 0.001) }'
}
poll "$E2E_WAIT" dealt || fail "starting a game changed nothing on screen ($diff)"

# The close area ends the program normally, and the settings are written on the way out.
xdotool mousemove $((x + 613 + 8)) $((y + 3 + 8)) click 1
wait_for "the program to end after the close area" not_running "$pid" || fail "close area did not end the program"
wait "$pid" && status=0 || status=$?
[[ "$status" == 0 ]] || fail "exit status $status"
[[ "$(cat config.cfg)" == 'other program' ]] || fail "the current directory's config.cfg was changed"
[[ "$(cat "$XDG_DATA_HOME/zorvex2000/config.cfg")" == $'nanssy\r' ]] || fail "config.cfg holds $(od -c "$XDG_DATA_HOME/zorvex2000/config.cfg")"
[[ "$(cat "$XDG_DATA_HOME/zorvex2000/zorvex2000.rec")" == "100" ]] || fail "record file missing"
echo "1 passed, 0 failed"
