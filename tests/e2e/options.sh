#!/usr/bin/env bash
# The options window as a player uses it: shown above the main window, which still takes clicks; the sound
# and advanced switches; full screen on a desktop without mode changes; the settings kept for the next start.
source "$(dirname "$0")/lib.sh"
bin="$1"
# Wide enough for the main window to be dragged clear of the centred options window; and the game
# fills it at twice its size in full screen.
start_display 1920x1024
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
window_colour="151,179,185"

start_game_program() {
    "$bin" 2>>"$E2E_TMP/log" &
    pid=$!; E2E_PIDS+=($pid)
}
windowed() {
    win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "no 632x492 main window"; }
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    SCALE=1
}
# In full screen the game is drawn at the largest whole scale that fits, centred.
full_screen() {
    win="$(wait_window_of_size "$pid" "$SCREEN_W" "$SCREEN_H")" || fail "the game's window does not cover the screen"
    SCALE=$(( SCREEN_W / 632 < SCREEN_H / 492 ? SCREEN_W / 632 : SCREEN_H / 492 ))
    ORIGIN_X=$(( (SCREEN_W - 632 * SCALE) / 2 )) ORIGIN_Y=$(( (SCREEN_H - 492 * SCALE) / 2 ))
}
options_open() { opt="$(windows_of_size "$pid" 640 480 | head -1)"; [[ -n "$opt" ]]; }
options_closed() { ! options_open; }
open_options() {
    click_button Goptions
    poll "$E2E_WAIT" options_open || fail "Настройки showed no options window"
    read -r OX OY _ _ <<<"$(geometry "$opt")"
}
# The look of an indicator's middle: the window's own colour while it is hidden.
indicator_top=(0 80 184 288)
indicator() { pixels "$1" "$((OX + 28)),$((OY + indicator_top[$2] + 20))"; }
indicator_hidden() { [[ "$(indicator "$@")" == "$window_colour" ]]; }
click_switch() { click $((OX + 376 + 18)) $((OY + 88 + 104 * ($1 - 1) + 12)); }
same_as() { screenshot "$2"; ! differ "$1" "$2"; }
shot_changes() { park_pointer; wait_screen_change "$1" "$2"; }

start_game_program
windowed
park_pointer
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"

# The player drags the main window aside by its title strip, then starts a game.
drag $(at_window 300 12) $((ORIGIN_X + 300 - 640)) $((ORIGIN_Y + 12))
poll "$E2E_WAIT" bash -c "[[ \$(xwininfo -id $win | awk '/Absolute upper-left X/{print \$4}') -lt $ORIGIN_X ]]" ||
    fail "the title strip did not drag the window"
windowed
park_pointer
screenshot "$E2E_TMP/moved.png"
click_button Gstart
shot_changes "$E2E_TMP/moved.png" "$E2E_TMP/game.png" || fail "Новая игра changed nothing"
mapfile -t balls < <(ball_cells "$E2E_TMP/game.png")
((${#balls[@]} == 6)) || fail "the new game shows ${#balls[@]} balls, not 6"

# Настройки: the options window, centred, above the main window.
open_options
((OX == (SCREEN_W - 640) / 2 && OY == (SCREEN_H - 480) / 2)) || fail "options window at $OX,$OY, not centred"
wait_stacked_above "$opt" "$win" || fail "the options window is not above the main window"
park_pointer
poll 5 same_as "$E2E_TMP/game.png" "$E2E_TMP/none.png" && fail "the options window did not show"
screenshot "$E2E_TMP/options.png"

# The main window still takes clicks: a ball is selected, and the options window stays above.
click_cell "${balls[0]}"
shot_changes "$E2E_TMP/options.png" "$E2E_TMP/selected.png" || fail "a click on a ball did nothing while the options showed"
wait_stacked_above "$opt" "$win" || fail "the options window went below the main window"

# The sound switch hides and shows its indicator; the advanced switch shows its own as it turns advanced mode on.
indicator_hidden "$E2E_TMP/selected.png" 3 && fail "sound is on but its indicator is hidden"
for expect in hidden shown hidden; do
    screenshot "$E2E_TMP/before-switch.png"
    click_switch 3
    shot_changes "$E2E_TMP/before-switch.png" "$E2E_TMP/switched.png" || fail "the sound switch changed nothing"
    if [[ $expect == hidden ]]; then indicator_hidden "$E2E_TMP/switched.png" 3 || fail "the sound indicator still shows"
    else indicator_hidden "$E2E_TMP/switched.png" 3 && fail "the sound indicator did not come back"; fi
done
screenshot "$E2E_TMP/before-advanced.png"
click_switch 1
shot_changes "$E2E_TMP/before-advanced.png" "$E2E_TMP/advanced.png" || fail "the advanced switch changed nothing"
indicator_hidden "$E2E_TMP/advanced.png" 1 && fail "advanced mode is on but its indicator is hidden"
indicator_hidden "$E2E_TMP/advanced.png" 2 || fail "the full-screen indicator shows while full screen is off"
import -window "$opt" "$E2E_TMP/options-window.png"

# Закрыть hides the options window.
click $((OX + 544 + 44)) $((OY + 452 + 12))
poll "$E2E_WAIT" options_closed || fail "Закрыть did not hide the options window"

# Full screen: the game's window covers the screen (Xvfb changes no mode), the game is drawn scaled and
# centred, and it plays by mouse at the new places.
open_options
click_switch 2
full_screen
# The options window stays on top of the full-screen game; Закрыть hides it.
wait_stacked_above "$opt" "$win" || fail "in full screen the options window went below the game"
click $((OX + 544 + 44)) $((OY + 452 + 12))
poll "$E2E_WAIT" options_closed || fail "Закрыть did not hide the options window in full screen"
park_pointer
full_drawn() {
    screenshot "$E2E_TMP/full.png"
    full_balls="$(ball_cells "$E2E_TMP/full.png" | tr '\n' ' ')"
    [[ "$full_balls" == "$(printf '%s ' "${balls[@]}")" ]]
}
poll "$E2E_WAIT" full_drawn || fail "in full screen the board shows balls at $full_balls, not ${balls[*]}"
if ((ORIGIN_X > 0)); then
    [[ "$(pixels "$E2E_TMP/full.png" "$((ORIGIN_X / 2)),$((SCREEN_H / 2))")" == "0,0,0" ]] || fail "the margin beside the game is not black"
fi
click_button Gstart
shot_changes "$E2E_TMP/full.png" "$E2E_TMP/full-game.png" || fail "Новая игра at its full-screen place changed nothing"
n="$(ball_cells "$E2E_TMP/full-game.png" | wc -l)"
((n == 6)) || fail "the new game in full screen shows $n balls, not 6"
fs_code=fs

# Full screen and the options window together: the game stays on the screen and the options window on top.
# In full screen the options window is reached with Настройки; the game must stay on the screen, and
# the switch must bring back the 632x492 window.
open_options
wait_stacked_above "$opt" "$win" || fail "in full screen the options window opened under the game"
is_viewable "$win" || fail "opening the options window in full screen minimised the game"
click_switch 2
windowed
is_viewable "$win" || fail "after full screen the game's window stays minimised"
((ORIGIN_X == (SCREEN_W - 632) / 2 && ORIGIN_Y == (SCREEN_H - 492) / 2)) || fail "after full screen the window is not centred"
wait_stacked_above "$opt" "$win" || fail "after full screen the options window lies under the game's window"
click $((OX + 544 + 44)) $((OY + 452 + 12))
poll "$E2E_WAIT" options_closed || fail "Закрыть did not hide the options window"
fs_code=ns

# The close area, at its place in whichever mode, ends the game and writes the switches (advanced on, as left).
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
[[ "$(cat "$XDG_DATA_HOME/zorvex2000/config.cfg")" == "ad${fs_code}sn"$'\r' ]] || fail "config.cfg holds $(od -c "$XDG_DATA_HOME/zorvex2000/config.cfg" | head -2)"

# The next start: full screen as saved, and the indicators as they were left.
start_game_program
if [[ $fs_code == fs ]]; then full_screen; else windowed; fi
park_pointer
wait_drawn "$E2E_TMP/restart.png" || fail "the main window was never drawn after the restart"
open_options
park_pointer
mask() { convert "$1" -fill black -draw "rectangle 8,184 48,224" "$2"; }
mask "$E2E_TMP/options-window.png" "$E2E_TMP/a.png"
# The window is drawn after it is mapped: its look is waited for.
options_as_before() {
    import -window "$opt" "$E2E_TMP/options-again.png" && mask "$E2E_TMP/options-again.png" "$E2E_TMP/b.png" &&
        ! differ "$E2E_TMP/a.png" "$E2E_TMP/b.png"
}
wait_for "the options window to look as before the restart" options_as_before ||
    fail "after a restart the options window differs beyond the full-screen indicator"
OX=0 OY=0
if [[ $fs_code == fs ]]; then indicator_hidden "$E2E_TMP/options-again.png" 2 && fail "full screen was saved on, its indicator is hidden"
else indicator_hidden "$E2E_TMP/options-again.png" 2 || fail "full screen was saved off, its indicator shows"; fi
echo "1 passed, 0 failed"
