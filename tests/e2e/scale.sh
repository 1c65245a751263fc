#!/usr/bin/env bash
# The desktop's scale: with Xft.dpi 192 the game opens at 2x, shows the board as at 1x and takes clicks there;
# Ctrl+Minus, Ctrl+Plus and Ctrl+0 resize it while playing, and the choice outlives the game.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display 1920x1200
xrdb -merge <<<'Xft.dpi: 192'
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

"$bin" --verbose 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
win="$(wait_window_of_size "$pid" 1264 984)" || { cat "$E2E_TMP/log" >&2; geometry "$(wait_window "$pid")" >&2; fail "no 1264 x 984 window at Xft.dpi 192"; }
grep -q "scale 2 from Xft.dpi 192" "$E2E_TMP/log" || fail "--verbose did not tell where the scale came from: $(cat "$E2E_TMP/log")"
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
SCALE=2
park_pointer
wait_drawn "$E2E_TMP/start.png" || fail "the window at 2x was not drawn"

# A click on "Новая игра" at 2x deals the first balls.
click_button Gstart
dealt() { screenshot "$E2E_TMP/two.png"; [[ -n "$(ball_cells "$E2E_TMP/two.png")" ]]; }
poll "$E2E_WAIT" dealt || fail "a click on the new-game button at 2x dealt nothing"
# A ball moved into cell (5, 5) with two clicks at 2x, unless one lies there already.
if ! grep -qx 45 <<<"$(ball_cells "$E2E_TMP/two.png")"; then
    from="$(ball_cells "$E2E_TMP/two.png" | head -1)"
    click_cell "$from"
    wait_screen_change "$E2E_TMP/two.png" "$E2E_TMP/selected.png" || fail "a click at 2x did not select cell $from"
    click_cell 45
    moved() { screenshot "$E2E_TMP/two.png"; grep -qx 45 <<<"$(ball_cells "$E2E_TMP/two.png")"; }
    poll "$E2E_WAIT" moved || fail "no ball reached cell (5, 5) by clicks at 2x"
fi
park_pointer
wait_screen_still "$E2E_TMP/two.png" || fail "the window at 2x never came to rest"
balls2="$(ball_cells "$E2E_TMP/two.png")"

# Cell (5, 5) at 2x, its 66 x 66 pixels brought down to 33 x 33 for comparing with the same cell at 1x.
cell_crop() { # file scale out
    local x y s="$2"; read -r x y <<<"$(cell_centre 45)"
    convert "$1" -crop "$((33 * s))x$((33 * s))+$((x - 16 * s))+$((y - 16 * s))" +repage -filter box -resize 33x33! "$3"
}
cell_crop "$E2E_TMP/two.png" 2 "$E2E_TMP/cell2.png"

# Ctrl+Minus down the steps 1.75, 1.5, 1.25 and 1: the same game at 1x.
xdotool key ctrl+minus ctrl+minus ctrl+minus ctrl+minus
win="$(wait_window_of_size "$pid" 632 492)" || fail "Ctrl+Minus did not bring the window to 1x"
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
SCALE=1
park_pointer
wait_drawn "$E2E_TMP/one.png" || fail "the window at 1x was not drawn"
# The board is repainted at the new size after the title strip: wait for it to show the game.
same_balls() { screenshot "$E2E_TMP/one.png"; [[ "$(ball_cells "$E2E_TMP/one.png")" == "$balls2" ]]; }
wait_for "the board at 1x to show the balls of 2x" same_balls || fail "the balls at 1x lie elsewhere than at 2x"
cell_crop "$E2E_TMP/one.png" 1 "$E2E_TMP/cell1.png"
d="$(picture_difference "$E2E_TMP/cell1.png" "$E2E_TMP/cell2.png")"
awk -v d="$d" 'BEGIN { exit !(d < 0.02) }' || fail "cell (5, 5) at 2x does not show what it shows at 1x (difference $d)"
[[ "$(cat "$XDG_DATA_HOME"/*/scale.cfg 2>/dev/null)" == $'1\r' ]] || fail "the chosen scale 1 was not kept"

# Ctrl+Plus back to 2x, Ctrl+0 to the desktop's (also 2x): the choice is forgotten again.
xdotool key ctrl+equal ctrl+equal ctrl+equal ctrl+equal
wait_window_of_size "$pid" 1264 984 >/dev/null || fail "Ctrl+Plus did not bring the window to 2x"
xdotool key ctrl+0
no_chosen_scale() { ! compgen -G "$XDG_DATA_HOME/*/scale.cfg" >/dev/null; }
wait_for "Ctrl+0 to remove scale.cfg" no_chosen_scale || fail "Ctrl+0 left the chosen scale behind"
xdotool key ctrl+minus ctrl+minus ctrl+minus ctrl+minus
wait_window_of_size "$pid" 632 492 >/dev/null || fail "Ctrl+Minus did not bring the window to 1x"

# The next start keeps the player's 1x over the desktop's 2x.
xdotool key ctrl+e
click_close_area
wait_exit "$pid" || fail "the close area did not end the game"
"$bin" 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
wait_window_of_size "$pid" 632 492 >/dev/null || fail "the player's 1x was not kept over the desktop's scale"
echo "ok"
