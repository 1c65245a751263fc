#!/usr/bin/env bash
# Games without a point played to their end with the finish button leave the best games as they were; the best
# games in their window: opened by the record number, by F3 and by the record plate, closed by Escape and its
# button, kept across a restart.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
data="$XDG_DATA_HOME/zorvex2000"
file="$data/bestgames.txt"
sheet_colour="207,220,222" mark_colour="255,226,140"
# The name the game takes from the account: the full name before the first comma, else the login name.
IFS=: read -r login _ _ _ gecos _ <<<"$(getent passwd "$(id -u)")"
player="${gecos%%,*}"; player="$(sed 's/^ *//; s/ *$//' <<<"$player")"; [[ -n "$player" ]] || player="$login"

close_game() {
    click_close_area
    wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
}
best_open() { best="$(windows_of_size "$pid" 560 400 | head -1)"; [[ -n "$best" ]]; }
best_closed() { ! best_open; }
wait_best() {
    poll "$E2E_WAIT" best_open || fail "$1 showed no best-games window"
    read -r BX BY _ _ <<<"$(geometry "$best")"
}
# Row r (1..10) of the sheet: the colour left of its number, and whether its score cell holds any text.
row_top() { echo $((BY + 78 + 30 + 23 * ($1 - 1))); }
row_colour() { pixels "$2" "$((BX + 22)),$(($(row_top "$1") + 8))"; }
row_has_score() {
    local colours
    colours="$(convert "$2" -crop "74x18+$((BX + 16 + 36))+$(row_top "$1")" +repage -format %k info:)"
    ((colours > 1))
}
best_shot() {
    park_pointer
    # The window paints once it is mapped; wait until the sheet shows.
    poll "$E2E_WAIT" bash -c "import -window root '$1' && [[ \$(convert '$1' -format '%[pixel:p{$((BX + 20)),$((BY + 78 + 4))}]' -depth 8 info: | sed -E 's/^[a-z]+\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/') == '$sheet_colour' ]]" ||
        fail "the best-games window was never drawn"
}
# Moves balls into empty neighbours, as a hand would, watching the screen between the clicks.
play_moves() {
    local move balls from to b t
    for ((move = 1; move <= $1; move++)); do
        mapfile -t balls < <(ball_cells "$E2E_TMP/board.png")
        from="" to=""
        for b in "${balls[@]}"; do
            for t in $(neighbours "$b"); do
                printf '%s\n' "${balls[@]}" | grep -qx "$t" || { from=$b to=$t; break 2; }
            done
        done
        [[ -n "$from" ]] || fail "no ball with an empty neighbour"
        click_cell "$from"; park_pointer
        wait_screen_change "$E2E_TMP/board.png" "$E2E_TMP/selected.png" || fail "selecting cell $from showed nothing"
        click_cell "$to"; park_pointer
        wait_screen_change "$E2E_TMP/selected.png" "$E2E_TMP/board.png" || fail "moving to cell $to changed nothing"
    done
}
new_game() {
    screenshot "$E2E_TMP/before-start.png"
    click_button Gstart; park_pointer
    wait_screen_change "$E2E_TMP/before-start.png" "$E2E_TMP/board.png" || fail "Новая игра changed nothing"
}
# Keys go to the window with the focus: wait for the window manager to hand it over.
has_focus() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$(($1))" ]]; }
press_key() { poll "$E2E_WAIT" has_focus "$1" || fail "the window never got the keyboard focus for $2"; xdotool key "$2"; }

# Two games kept from before; the dates are the file's own form.
mkdir -p -m 700 "$data"
printf 'Zorvex 2000 best games 1\r\nline\t30\t2026-01-02 03:04:05\t57\tna\t%s\r\nline\t20\t2026-01-03 04:05:06\t12\tad\t%s\r\n' \
    "$player" "$player" >"$file"
cp "$file" "$E2E_TMP/file-at-start"

start_main_window
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"

# Two games of lines ended by the finish button without a point, one of three moves, one of none: neither is kept.
new_game
play_moves 3
click_button finish; park_pointer
new_game
click_button finish; park_pointer
sleep 1 # time for a write that should not come
cmp -s "$file" "$E2E_TMP/file-at-start" || fail "a game without a point changed the file: $(cat "$file")"
best_closed || fail "finishing a game opened the best games"

# A click on the record number shows them: the two rows kept, none marked.
click $(at_panel 24 95)
wait_best "a click on the record number"
best_shot "$E2E_TMP/best.png"
row_has_score 1 "$E2E_TMP/best.png" && row_has_score 2 "$E2E_TMP/best.png" || fail "the first two rows show no score"
row_has_score 3 "$E2E_TMP/best.png" && fail "the third row shows a score"
for r in 1 2; do
    [[ "$(row_colour $r "$E2E_TMP/best.png")" == "$sheet_colour" ]] || fail "row $r is marked, though no game entered"
done

# Another mode's tab: an empty table. Escape closes the window.
click $((BX + 16 + 106 * 3 + 50)) $((BY + 52 + 13))
best_shot "$E2E_TMP/ring.png"
row_has_score 1 "$E2E_TMP/ring.png" && fail "the ring table is not empty"
press_key "$best" Escape
poll "$E2E_WAIT" best_closed || fail "Escape did not close the best games"

# F3 in the main window opens it again, and its own button closes it.
click $(at_panel 300 458)
press_key "$win" F3
wait_best "F3"
click $((BX + 455 + 44)) $((BY + 362 + 12))
poll "$E2E_WAIT" best_closed || fail "the close button did not close the best games"
cp "$file" "$E2E_TMP/file-before-restart"
close_game

# After a restart the table is read back; the plate around the record number opens it, nothing marked.
start_main_window
wait_drawn "$E2E_TMP/restart.png" || fail "the main window was never drawn after the restart"
click $(at_panel 53 55)
wait_best "a click on the record plate"
best_shot "$E2E_TMP/best-restart.png"
row_has_score 1 "$E2E_TMP/best-restart.png" && row_has_score 2 "$E2E_TMP/best-restart.png" ||
    fail "after the restart the table lost its rows"
row_has_score 3 "$E2E_TMP/best-restart.png" && fail "after the restart the third row shows a score"
[[ "$(row_colour 2 "$E2E_TMP/best-restart.png")" == "$sheet_colour" ]] || fail "after the restart a row is still marked"
press_key "$best" Escape
poll "$E2E_WAIT" best_closed || fail "Escape did not close the best games after the restart"
close_game
cmp -s "$file" "$E2E_TMP/file-before-restart" || fail "a start and exit without play changed the file"
no_message_box || fail "a message box was shown"
echo "1 passed, 0 failed"
