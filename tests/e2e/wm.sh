#!/usr/bin/env bash
# Under a given window manager (second argument): moving both windows by hand, where a quick click moves
# nothing and a drag does; the options window on top of the full-screen game and after it; both windows
# minimised and brought back together.
source "$(dirname "$0")/lib.sh"
bin="$1"
E2E_WM="${2:-openbox}"
# Room for the game at twice its size in full screen.
start_display 1280x1024
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

"$bin" 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)
windowed() {
    win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "no 632x492 main window"; }
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    SCALE=1
}
corner() { read -r cx cy _ _ <<<"$(geometry "$1")"; echo "$cx $cy"; }
at() { [[ "$(corner "$1")" == "$2 $3" ]]; }
windowed
park_pointer
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"

# A press and release at once on a window's drag area, then the pointer goes elsewhere: the window stays,
# and the next click is an ordinary one.
quick_click_moves_nothing() {
    local id="$1" x="$2" y="$3" before
    before="$(corner "$id")"
    xdotool mousemove "$x" "$y" mousedown 1 mouseup 1 sleep 0.2 mousemove $((x + 60)) $((y + 50)) sleep 0.1 \
        mousemove $((x + 150)) $((y + 120))
    sleep 0.3 # a window that followed the pointer would have done so by now
    [[ "$(corner "$id")" == "$before" ]] || fail "$4: a quick click left the window following the pointer ($before -> $(corner "$id"))"
}
# A drag by (dx, dy) moves the window by exactly as much.
drag_moves() {
    local id="$1" x="$2" y="$3" dx="$4" dy="$5" x0 y0
    read -r x0 y0 <<<"$(corner "$id")"
    drag "$x" "$y" $((x + dx)) $((y + dy))
    poll "$E2E_WAIT" at "$id" $((x0 + dx)) $((y0 + dy)) || fail "$6: a drag by $dx,$dy took the window from $x0,$y0 to $(corner "$id")"
}

quick_click_moves_nothing "$win" $(at_window 300 12) "main window"
park_pointer
screenshot "$E2E_TMP/before-game.png"
click_button Gstart
park_pointer
wait_screen_change "$E2E_TMP/before-game.png" "$E2E_TMP/game.png" || fail "the click after a quick click on the title strip was used up"
drag_moves "$win" $(at_window 300 12) -200 -60 "main window"
windowed

# The options window: its free area drags it, its link does not.
options_open() { opt="$(windows_of_size "$pid" 640 480 | head -1)"; [[ -n "$opt" ]]; }
click_button Goptions
poll "$E2E_WAIT" options_open || fail "Настройки showed no options window"
read -r OX OY _ _ <<<"$(geometry "$opt")"
wait_stacked_above "$opt" "$win" || fail "the options window opened under the main window"
quick_click_moves_nothing "$opt" $((OX + 500)) $((OY + 30)) "options window"
drag_moves "$opt" $((OX + 500)) $((OY + 30)) 120 90 "options window"
read -r OX OY _ _ <<<"$(geometry "$opt")"
xdotool mousemove $((OX + 40)) $((OY + 460)) mousedown 1 sleep 0.1 mousemove $((OX + 90)) $((OY + 400)) sleep 0.1 \
    mousemove $((OX + 140)) $((OY + 350)) sleep 0.2 mouseup 1
sleep 0.3
at "$opt" "$OX" "$OY" || fail "a drag on the link moved the options window"
import -window "$opt" "$E2E_TMP/options.png"
xdotool mousemove $((OX + 300)) $((OY + 400)) # nothing lights up there
sleep 0.2
import -window "$opt" "$E2E_TMP/options.png"

# The options window as it looks on the screen: on top of everything else of ours, nothing covering it.
options_visible() {
    screenshot "$E2E_TMP/screen.png"
    convert "$E2E_TMP/screen.png" -crop "640x480+$OX+$OY" +repage "$E2E_TMP/options-on-screen.png"
    ! differ "$E2E_TMP/options.png" "$E2E_TMP/options-on-screen.png" 0.002
}
options_on_top() { is_viewable "$opt" && settled_above "$opt" "$win" && options_visible; }

# Full screen: the game covers the screen, the options window stays on top of it, also after a click on
# the game, and its switch brings the window back.
click $((OX + 376 + 18)) $((OY + 192 + 12))
full="$(wait_window_of_size "$pid" "$SCREEN_W" "$SCREEN_H")" || fail "the full-screen switch gave no screen-sized window"
[[ "$full" == "$win" ]] || win="$full"
read -r OX OY _ _ <<<"$(geometry "$opt")"
xdotool mousemove $((OX + 300)) $((OY + 400))
poll "$E2E_WAIT" options_on_top || fail "in full screen the options window is not on top"
click 3 3 # the game, beside the options window
poll "$E2E_WAIT" options_on_top || fail "after a click on the full-screen game the options window is not on top"
click $((OX + 376 + 18)) $((OY + 192 + 12))
windowed
((ORIGIN_X == (SCREEN_W - 632) / 2 && ORIGIN_Y == (SCREEN_H - 492) / 2)) || fail "after full screen the window is not centred"
read -r OX OY _ _ <<<"$(geometry "$opt")"
xdotool mousemove $((OX + 300)) $((OY + 400))
poll "$E2E_WAIT" options_on_top || fail "after full screen the options window is not on top"

# Minimised together, back together: restoring the main window brings the options window too.
click $(at_window 603 11)
main_hidden() { ! is_viewable "$win"; }
options_hidden() { ! is_viewable "$opt"; }
poll "$E2E_WAIT" main_hidden || fail "the minimise area did not minimise the main window"
poll "$E2E_WAIT" options_hidden || fail "the options window stayed on the screen when the game was minimised"
xdotool windowactivate "$win" 2>/dev/null || true
poll "$E2E_WAIT" is_viewable "$win" || fail "the main window did not come back"
poll "$E2E_WAIT" is_viewable "$opt" || fail "the options window did not come back with the main window"
xdotool mousemove $((OX + 300)) $((OY + 400))
poll "$E2E_WAIT" options_on_top || fail "after minimising the options window is not on top"

click $((OX + 544 + 44)) $((OY + 452 + 12))
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
echo "1 passed, 0 failed"
