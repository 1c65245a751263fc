#!/usr/bin/env bash
# The hint in the real program: H and the lamp of the title strip mark a ball and the empty cell to move it to,
# each hint takes its price off the score once (told by the kept game), nothing happens before a game, and with
# the board's motion on the marks go by themselves.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
kept="$XDG_DATA_HOME/zorvex2000/game.kept"
price=5

key() { xdotool key --clearmodifiers "$@"; }
focus_main() { xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"; }
start_again() {
    start_main_window
    wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"
    focus_main
}
# The cells whose hint frame shows: the frame's middle ring, left of the cell, in the hint's yellow.
marked_cells() {
    local n r c pts=()
    for n in $(seq 100); do
        r=$(((n - 1) / 10)) c=$(((n - 1) % 10))
        read -r x y <<<"$(at_panel $((112 + 40 * c - 2)) $((56 + 40 * r + 16)))"
        pts+=("$x,$y")
    done
    pixels "$1" "${pts[@]}" | awk '$0 == "255,204,0" {print NR}'
}
two_marked() { screenshot "$E2E_TMP/hint.png"; [[ "$(marked_cells "$E2E_TMP/hint.png" | wc -l)" == 2 ]]; }
none_marked() { screenshot "$E2E_TMP/none.png"; [[ -z "$(marked_cells "$E2E_TMP/none.png")" ]]; }
kept_score() { sed -n 's/^score //p' "$kept"; }

start_again
key h
sleep 0.5
none_marked || fail "H before any game marked cells"

key ctrl+n
sleep 0.5
key h
poll "$E2E_WAIT" two_marked || fail "H did not mark two cells"
mapfile -t marked < <(marked_cells "$E2E_TMP/hint.png")
balls="$(ball_cells "$E2E_TMP/hint.png" | tr '\n' ' ')"
ends=0
for n in "${marked[@]}"; do [[ " $balls " == *" $n "* ]] && ends=$((ends + 1)); done
[[ "$ends" == 1 ]] || fail "the marks are not one ball and one empty cell (marked ${marked[*]}, balls $balls)"

# The lamp left of the rules area is the same hint.
click $(at_window 567 11)
sleep 0.5
park_pointer
poll "$E2E_WAIT" two_marked || fail "the lamp did not mark two cells"
click_close_area
wait_exit "$pid" || fail "the game did not end after the close area"
[[ "$(kept_score)" == "$((-2 * price))" ]] || fail "two hints left the score at $(kept_score), not $((-2 * price))"
grep -qx "hints 2" "$kept" || fail "the kept game does not say two hints were taken"

# With the board's motion on, the marks go by themselves after a moment.
export ZORVEX_ANIMATION=1
start_again
key h
poll "$E2E_WAIT" two_marked || fail "H did not mark two cells with the motion on"
poll "$E2E_WAIT" none_marked || fail "the marks stayed with the motion on"
click_close_area
wait_exit "$pid" || fail "the game did not end after the close area"
[[ "$(kept_score)" == "$((-3 * price))" ]] || fail "the third hint left the score at $(kept_score)"
echo "hint: ok"
