#!/usr/bin/env bash
# A fractional desktop scale: with Xft.dpi 144 the game opens at 1.5x (948 x 738), takes a move by clicks there,
# and cell (5, 5) shows its ball as the reference pictures do: the 2x artwork reduced, sharp, no blow-up of 1x.
source "$(dirname "$0")/lib.sh"
bin="$1"
ref="$(dirname "$0")/ref"
start_display 1920x1200
xrdb -merge <<<'Xft.dpi: 144'
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

"$bin" --verbose 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
win="$(wait_window_of_size "$pid" 948 738)" || { cat "$E2E_TMP/log" >&2; geometry "$(wait_window "$pid")" >&2; fail "no 948 x 738 window at Xft.dpi 144"; }
grep -q "scale 1.5 from Xft.dpi 144" "$E2E_TMP/log" || fail "--verbose did not tell the scale of 1.5: $(cat "$E2E_TMP/log")"
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
SCALE_Q=6
park_pointer
wait_drawn "$E2E_TMP/start.png" || fail "the window at 1.5x was not drawn"

click_button Gstart
dealt() { screenshot "$E2E_TMP/game.png"; [[ -n "$(ball_cells "$E2E_TMP/game.png")" ]]; }
poll "$E2E_WAIT" dealt || fail "a click on the new-game button at 1.5x dealt nothing"
# A move by two clicks on the cells' edge pixels: a ball into cell (5, 5), unless one lies there already.
edge_of_cell() { # n: the last pixel of the cell's rounded place, right and down
    local r=$((($1 - 1) / 10)) c=$((($1 - 1) % 10)) x y
    read -r x y <<<"$(at_panel $((112 + 40 * c + 33)) $((56 + 40 * r + 33)))"
    echo "$((x - 1)) $((y - 1))"
}
if ! grep -qx 45 <<<"$(ball_cells "$E2E_TMP/game.png")"; then
    from="$(ball_cells "$E2E_TMP/game.png" | head -1)"
    click $(edge_of_cell "$from")
    wait_screen_change "$E2E_TMP/game.png" "$E2E_TMP/selected.png" || fail "a click at 1.5x did not select cell $from"
    click $(at_panel $((112 + 40 * 4)) $((56 + 40 * 4)))
    moved() { screenshot "$E2E_TMP/game.png"; grep -qx 45 <<<"$(ball_cells "$E2E_TMP/game.png")"; }
    poll "$E2E_WAIT" moved || fail "no ball reached cell (5, 5) by clicks at 1.5x"
fi
park_pointer
wait_screen_still "$E2E_TMP/game.png" || fail "the window at 1.5x never came to rest"

# Cell (5, 5) at 1.5x: the 33 x 33 cell's rounded place, 50 x 50 pixels from (414, 360) of the window.
read -r x y <<<"$(at_panel $((112 + 40 * 4)) $((56 + 40 * 4)))"
convert "$E2E_TMP/game.png" -crop "50x50+$x+$y" +repage "$E2E_TMP/cell.png"
best=1
for r in "$ref"/cell45-1.5-*.png; do
    d="$(picture_difference "$E2E_TMP/cell.png" "$r")"
    awk -v d="$d" -v b="$best" 'BEGIN { exit !(d < b) }' && { best="$d"; match="$r"; }
done
awk -v d="$best" 'BEGIN { exit !(d < 0.01) }' || fail "cell (5, 5) at 1.5x matches no reference picture (nearest $(basename "${match:-none}"), difference $best)"
echo "cell (5, 5) is $(basename "$match") (difference $best)"

# The same cell at 1x (Ctrl+Minus down the steps) shows the same ball.
for _ in 1 2; do xdotool key ctrl+minus; done
win="$(wait_window_of_size "$pid" 632 492)" || fail "Ctrl+Minus twice did not bring the window from 1.5x to 1x"
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
SCALE_Q=""; SCALE=1
park_pointer
wait_drawn "$E2E_TMP/one.png" || fail "the window at 1x was not drawn"
has45() { screenshot "$E2E_TMP/one.png"; grep -qx 45 <<<"$(ball_cells "$E2E_TMP/one.png")"; }
wait_for "the board at 1x to show the ball in cell (5, 5)" has45 || fail "cell (5, 5) at 1x is empty"
read -r x y <<<"$(at_panel $((112 + 40 * 4)) $((56 + 40 * 4)))"
convert "$E2E_TMP/one.png" -crop "33x33+$x+$y" +repage "$E2E_TMP/cell1.png"
convert "$E2E_TMP/cell.png" -filter box -resize 33x33! "$E2E_TMP/cell15down.png"
d="$(picture_difference "$E2E_TMP/cell1.png" "$E2E_TMP/cell15down.png")"
awk -v d="$d" 'BEGIN { exit !(d < 0.04) }' || fail "cell (5, 5) at 1.5x does not show what it shows at 1x (difference $d)"
[[ "$(cat "$XDG_DATA_HOME"/*/scale.cfg 2>/dev/null)" == $'1\r' ]] || fail "the chosen scale 1 was not kept"
xdotool key ctrl+equal
wait_window_of_size "$pid" 790 615 >/dev/null || fail "Ctrl+Plus did not bring the window from 1x to 1.25x"
echo "ok"
