#!/usr/bin/env bash
# A game in each mode played with the keyboard alone: the mode, a new game, moves, an undo, the options
# window and finish, each step checked on a screenshot of the board.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

start_main_window
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

key() { xdotool key --clearmodifiers "$@"; }
balls_now() { screenshot "$1"; ball_cells "$1" | tr '\n' ' '; }

# F11 goes to full screen and back, and does nothing else: the options window, never opened, stays hidden.
key F11
wait_window_of_size "$pid" "$SCREEN_W" "$SCREEN_H" >/dev/null || fail "F11 did not switch to full screen"
key F11
wait_window_of_size "$pid" 632 492 >/dev/null || fail "the second F11 did not bring the window back to its size"
sleep 1
[[ -z "$(windows_of_size "$pid" 640 480)" ]] || fail "F11 twice showed the options window"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

# The frame starts on cell 1 and shows with the first arrow; the script keeps where it is.
focus=1
key Right
focus_to() {
    local tr=$((($1 - 1) / 10)) tc=$((($1 - 1) % 10)) fr=$(((focus - 1) / 10)) fc=$(((focus - 1) % 10)) i
    for ((i = 0; i < (tr - fr + 10) % 10; i++)); do key Down; done
    for ((i = 0; i < (tc - fc + 10) % 10; i++)); do key Right; done
    focus=$1
}

for mode in 1 2 3 4 5; do
    screenshot "$E2E_TMP/before-mode.png"
    key "$mode"
    if ((mode != 1)); then
        wait_screen_change "$E2E_TMP/before-mode.png" "$E2E_TMP/mode.png" || fail "key $mode did not choose its mode"
    fi
    key ctrl+n
    balls_started() { [[ "$(balls_now "$E2E_TMP/board.png" | wc -w)" == 6 ]]; }
    poll "$E2E_WAIT" balls_started || fail "mode $mode: Ctrl+N did not start a game with six balls"

    for move in 1 2; do
        read -ra balls <<<"$(balls_now "$E2E_TMP/board.png")"
        from="" to=""
        for b in "${balls[@]}"; do
            for t in $(neighbours "$b"); do
                printf '%s\n' "${balls[@]}" | grep -qx "$t" || { from=$b to=$t; break 2; }
            done
        done
        [[ -n "$from" ]] || fail "mode $mode move $move: no ball with an empty neighbour among ${balls[*]}"
        focus_to "$from"
        screenshot "$E2E_TMP/framed.png"
        key space
        wait_screen_change "$E2E_TMP/framed.png" "$E2E_TMP/selected.png" || fail "mode $mode move $move: Space did not select cell $from"
        focus_to "$to"
        key Return
        # The balls are elsewhere now (new balls may drop anywhere, the vacated cell too, and a figure may go).
        moved() { [[ "$(balls_now "$E2E_TMP/moved.png")" != "${balls[*]} " ]]; }
        poll "$E2E_WAIT" moved || fail "mode $mode move $move: the ball did not go from $from to $to (board: $(balls_now "$E2E_TMP/moved.png"))"
        if ((move == 1)); then
            # Undo by key: the board before the move comes back (a scoring move can't be taken back).
            key ctrl+z
            undone() { [[ "$(balls_now "$E2E_TMP/undone.png")" == "${balls[*]} " ]]; }
            poll 5 undone || echo "mode $mode: no undo after move 1 (it scored)"
        fi
    done

    # F2 opens the options window over the game, Escape closes it.
    key F2
    opt="$(wait_window_of_size "$pid" 640 480)" || fail "mode $mode: F2 did not open the options window"
    xdotool windowactivate --sync "$opt" 2>/dev/null || xdotool windowfocus --sync "$opt"
    key Escape
    options_closed() { ! is_viewable "$opt"; }
    poll "$E2E_WAIT" options_closed || fail "mode $mode: Escape did not close the options window"
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

    key ctrl+e
    cleared() { [[ -z "$(balls_now "$E2E_TMP/finished.png")" ]]; }
    poll "$E2E_WAIT" cleared || fail "mode $mode: Ctrl+E did not finish the game"
done
kill "$pid"
echo "1 passed, 0 failed"
