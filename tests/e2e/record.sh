#!/usr/bin/env bash
# A game played by clicks, then the record files after the exit and after the next start: unchanged or
# raised, never lost.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
data="$XDG_DATA_HOME/zorvex2000"
mkdir -p "$data"

# Records of every mode from an earlier session, each in its own file; the ring record as the game
# first creates it, without a line end.
declare -A seeded=([zorvexck2000.rec]=300 [zorvexr2000.rec]=100 [zorvex2000.rec]=2 [zorvexs2000.rec]=400 [zorvexb2000.rec]=500)
for f in "${!seeded[@]}"; do printf '%s\r\n' "${seeded[$f]}" >"$data/$f"; done
printf '100' >"$data/zorvexr2000.rec"
for f in "${!seeded[@]}"; do cp "$data/$f" "$E2E_TMP/$f.before"; done

close_game() {
    click_close_area
    wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
    park_pointer
}
# The record label, as a picture of its own.
record_label() { read -r x y <<<"$(at_panel 10 70)"; convert "$1" -crop "90x60+$x+$y" +repage "$2"; }
same_as() { screenshot "$2"; ! differ "$1" "$2"; }

start_main_window
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"
record_label "$E2E_TMP/start.png" "$E2E_TMP/record-start.png"

click_button Gstart
park_pointer
wait_screen_change "$E2E_TMP/start.png" "$E2E_TMP/board.png" || fail "Новая игра changed nothing"

# A few moves: a ball to an empty neighbour, which it can always reach.
for move in 1 2 3; do
    mapfile -t balls < <(ball_cells "$E2E_TMP/board.png")
    from="" to=""
    for b in "${balls[@]}"; do
        for t in $(neighbours "$b"); do
            printf '%s\n' "${balls[@]}" | grep -qx "$t" || { from=$b to=$t; break 2; }
        done
    done
    [[ -n "$from" ]] || fail "move $move: no ball with an empty neighbour among ${balls[*]}"
    click_cell "$from"
    park_pointer
    wait_screen_change "$E2E_TMP/board.png" "$E2E_TMP/selected.png" || fail "move $move: selecting the ball in cell $from showed nothing"
    click_cell "$to"
    park_pointer
    wait_screen_change "$E2E_TMP/selected.png" "$E2E_TMP/board.png" || fail "move $move: moving to cell $to changed nothing"
    mapfile -t after < <(ball_cells "$E2E_TMP/board.png")
    # A move that forms no figure brings the four preview balls; one that does removes balls.
    if ((${#after[@]} != ${#balls[@]} + 4)); then
        ((${#after[@]} < ${#balls[@]} + 4)) || fail "move $move: ${#balls[@]} balls became ${#after[@]}"
    else
        printf '%s\n' "${after[@]}" | grep -qx "$to" || fail "move $move: cell $to holds no ball after the move"
    fi
done

# The records after the exit: the modes not played untouched to the byte, the one played not lower.
check_records() {
    local f v
    for f in "${!seeded[@]}"; do
        [[ -f "$data/$f" ]] || fail "$1: $f is gone"
        if [[ "$f" == zorvex2000.rec ]]; then
            v="$(tr -d '\r' <"$data/$f" | tail -1)"
            [[ "$v" =~ ^[0-9]+$ ]] && ((v >= seeded[$f])) || fail "$1: the line record went from ${seeded[$f]} to '$v'"
        else
            cmp -s "$data/$f" "$E2E_TMP/$f.before" || fail "$1: $f changed to $(od -c "$data/$f" | head -1)"
        fi
    done
}
close_game
check_records "after the exit"
cp "$data/zorvex2000.rec" "$E2E_TMP/line-after-exit"

# The next start reads them where they were: the record label shows the last mode read, as before. The game
# left running was kept and would come back with its own board and record: this start is about the files.
[[ -s "$data/game.kept" ]] || fail "the game left running was not kept"
rm "$data/game.kept"
start_main_window
poll "$E2E_WAIT" same_as "$E2E_TMP/start.png" "$E2E_TMP/restart.png" ||
    fail "the window after the restart differs from the first start ($(picture_difference "$E2E_TMP/start.png" "$E2E_TMP/restart.png"))"
record_label "$E2E_TMP/restart.png" "$E2E_TMP/record-restart.png"
differ "$E2E_TMP/record-start.png" "$E2E_TMP/record-restart.png" && fail "after the restart the record label shows something else"
close_game
check_records "after the second exit"
cmp -s "$data/zorvex2000.rec" "$E2E_TMP/line-after-exit" || fail "a start and exit without play changed the line record"
echo "1 passed, 0 failed"
