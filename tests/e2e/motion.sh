#!/usr/bin/env bash
# The board's motion on a real display: a move is shown in several frames, a second move clicked while the
# first one is still moving is played, and at rest the program uses no processor time at all.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display

ball_in() { screenshot "$E2E_TMP/after.png" && ball_cells "$E2E_TMP/after.png" | grep -qx "$1"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# One game: a new game, one move (and a second one clicked 30 ms after it when $2 is "quick"), a rest, the
# close area. Sets FRAMES to the frames the program presented. Not run in a subshell: a failure there would
# leave the game running and holding the substitution's pipe until the test's time ran out.
play() {
    export ZORVEX_ANIMATION="$1"
    : >"$E2E_TMP/log"
    "$bin" --verbose 2>>"$E2E_TMP/log" &
    pid=$!; E2E_PIDS+=($pid)
    win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "main window did not appear"; }
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    park_pointer
    wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"
    click_button Gstart
    park_pointer
    wait_screen_change "$E2E_TMP/start.png" "$E2E_TMP/board.png" || fail "Новая игра changed nothing"
    pick_move "$E2E_TMP/board.png" || fail "no ball with an empty neighbour"
    local first_to=$to
    if [[ "$2" == quick ]]; then
        # A second ball and its empty neighbour, away from the first move's cells.
        local first_from=$from second_from="" second_to=""
        mapfile -t balls < <(ball_cells "$E2E_TMP/board.png")
        for b in "${balls[@]}"; do
            [[ $b == "$first_from" ]] && continue
            for t in $(neighbours "$b"); do
                [[ $t == "$first_to" || $t == "$first_from" ]] && continue
                printf '%s\n' "${balls[@]}" | grep -qx "$t" || { second_from=$b second_to=$t; break 2; }
            done
        done
        [[ -n "$second_from" ]] || fail "no second move on the board"
        click_cell "$first_from"; click_cell "$first_to"; sleep 0.03
        click_cell "$second_from"; click_cell "$second_to"
        park_pointer
        wait_for "a ball in cell $second_to" ball_in "$second_to" ||
            fail "the move clicked during the motion was lost (cell $second_to is empty)"
    else
        click_cell "$from"; click_cell "$to"
        park_pointer
        wait_for "a ball in cell $to" ball_in "$to" || fail "the ball did not reach cell $to"
    fi
    wait_screen_still "$E2E_TMP/rest.png" || fail "the board never came to rest"
    # At rest: nothing moves, nothing is drawn, no processor time. The end of the turn (the drop, the scan, a
    # file written) may still run after the last frame, so the program has until E2E_WAIT to come to a second
    # without processor time; a loop that keeps drawing or polling never does.
    quiet_second() {
        local before after
        before="$(cpu_ticks "$pid")"; sleep 1; after="$(cpu_ticks "$pid")"
        LAST_TICKS=$((after - before))
        ((LAST_TICKS <= 1))
    }
    poll "$E2E_WAIT" quiet_second || fail "the program used $LAST_TICKS ticks of processor time a second at rest"
    click_close_area
    wait_exit "$pid" || fail "the game did not end normally (status $?)"
    FRAMES="$(sed -nE 's/^zorvex2000: ([0-9]+) frames of the main window presented$/\1/p' "$E2E_TMP/log")"
}

play 0 plain; still="$FRAMES"
play 1 plain; moving="$FRAMES"
[[ -n "$still" && -n "$moving" ]] || fail "no frame count in the log"
((moving >= still + 4)) || fail "a move with motion took $moving frames against $still without: it did not move"
play 1 quick
echo "frames: $still without motion, $moving with"
