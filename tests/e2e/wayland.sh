#!/usr/bin/env bash
# The game as a native Wayland client: weston with its X11 back end inside Xvfb, the game with SDL's
# Wayland driver and no X display of its own. The window is drawn, a click starts a game, the title strip
# drags it through the compositor, the options window stays above it, full screen and back.
# Skips (77) where weston is missing or cannot start here.
source "$(dirname "$0")/lib.sh"
bin="$1"
skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "weston is not installed"

# The compositor's output lies in the corner of a larger X screen: the pointer comes into it from outside,
# which is how weston's X11 back end learns where the pointer is.
start_xvfb 1280x1024
OUT_W=1024 OUT_H=768
xdotool mousemove $((SCREEN_W - 10)) $((SCREEN_H - 10))
export XDG_RUNTIME_DIR="$E2E_TMP/run" XDG_DATA_HOME="$E2E_TMP/data" XDG_CONFIG_HOME="$E2E_TMP/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
# Its output's corner is the X screen's: screen points are compositor points.
weston --backend=x11-backend.so --use-pixman --socket=zv-test --width="$OUT_W" --height="$OUT_H" \
    --idle-time=0 --log="$E2E_TMP/weston.log" &
E2E_PIDS+=($!)
poll 10 test -S "$XDG_RUNTIME_DIR/zv-test" ||
    skip "weston did not start here: $(tail -3 "$E2E_TMP/weston.log" 2>/dev/null | tr '\n' ' ')"
# The shell draws its background and panel once it is ready for windows; a window mapped before lies
# where the panel then comes.
desktop_drawn() {
    screenshot "$E2E_TMP/desktop.png"
    [[ "$(pixels "$E2E_TMP/desktop.png" 3,3 "$((OUT_W / 2)),$((OUT_H / 2))" | grep -c '^0,0,0$')" == 0 ]]
}
poll 15 desktop_drawn || skip "weston's shell did not come up here"
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

env -u DISPLAY WAYLAND_DISPLAY=zv-test SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=dummy LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    "$bin" 2>>"$E2E_TMP/log" &
pid=$!; E2E_PIDS+=($pid)

# The compositor places the window where it likes: it is found on the screen by its frame, whose outer
# line runs along its top and left edges in a colour nothing else shows.
frame_colour="#8C88D8"
find_main_window() {
    local box
    screenshot "$E2E_TMP/find.png"
    box="$(convert "$E2E_TMP/find.png" -fill black +opaque "$frame_colour" -trim -format "%w %h %X %Y" info: 2>/dev/null)"
    read -r bw bh bx by <<<"$box"
    ((bw >= 600 && bw <= 632 && bh >= 460 && bh <= 492)) || return 1
    ORIGIN_X=$((bx)) ORIGIN_Y=$((by))
}
poll 15 find_main_window || { cat "$E2E_TMP/log" >&2; fail "the window was never drawn"; }
grep -q "Cannot draw" "$E2E_TMP/log" && fail "the game said it cannot draw: $(cat "$E2E_TMP/log")"

# In from outside the compositor's output, as a hand would come.
xdotool mousemove $((SCREEN_W - 10)) $((SCREEN_H - 10)) sleep 0.2
park_pointer
sleep 0.3
screenshot "$E2E_TMP/start.png"
click_button Gstart
park_pointer
wait_screen_change "$E2E_TMP/start.png" "$E2E_TMP/game.png" || fail "a click on Новая игра started no game"

# A drag of the title strip moves the window with the pointer; a quick click there moves nothing.
read -r x0 y0 <<<"$ORIGIN_X $ORIGIN_Y"
xdotool mousemove $(at_window 300 12) mousedown 1 mouseup 1
sleep 0.3
find_main_window && ((ORIGIN_X == x0 && ORIGIN_Y == y0)) || fail "a quick click on the title strip moved the window"
drag $(at_window 300 12) $((ORIGIN_X + 300 + 120)) $((ORIGIN_Y + 12 + 70))
moved() { find_main_window && ((ORIGIN_X == x0 + 120 && ORIGIN_Y == y0 + 70)); }
poll 5 moved || fail "a drag of the title strip by 120,70 took the window from $x0,$y0 to $ORIGIN_X,$ORIGIN_Y"

# The options window, found by its frame: one colour all round, and lines longer than any of the game's.
click_button Goptions
options_shown() {
    local box
    screenshot "$E2E_TMP/options-screen.png"
    box="$(convert "$E2E_TMP/options-screen.png" -fill black +opaque "#97B3B9" -fill white -opaque "#97B3B9" \
        -morphology Open rectangle:636x1 -trim -format "%w %h %X %Y" info: 2>/dev/null)"
    read -r ow oh OX OY <<<"$box"
    ((ow >= 640 && oh >= 440))
}
poll 10 options_shown || fail "Настройки showed no options window"
read -r OX OY <<<"$((OX)) $((OY))"
xdotool mousemove $((OX + 300)) $((OY + 400))
sleep 0.3
screenshot "$E2E_TMP/options-screen.png"
convert "$E2E_TMP/options-screen.png" -crop "600x440+$OX+$OY" +repage "$E2E_TMP/options.png"
options_on_top() {
    screenshot "$E2E_TMP/now.png"
    convert "$E2E_TMP/now.png" -crop "600x440+$OX+$OY" +repage "$E2E_TMP/options-now.png"
    ! differ "$E2E_TMP/options.png" "$E2E_TMP/options-now.png" 0.002
}
# A click on the game's edge that the options window leaves uncovered must not bury it.
click $((ORIGIN_X + 3)) $((ORIGIN_Y + 3))
xdotool mousemove $((OX + 300)) $((OY + 400))
sleep 0.3
poll 5 options_on_top || fail "a click on the game buried the options window"

# Full screen fills the output with no mode change (the panel's corner goes black), the options window
# on top of it; its switch brings the window back.
corner_black() { screenshot "$E2E_TMP/corner.png"; [[ "$(pixels "$E2E_TMP/corner.png" 3,3 "$((OUT_W - 3)),$((OUT_H - 3))" | sort -u)" == "0,0,0" ]]; }
click $((OX + 376 + 18)) $((OY + 192 + 12))
poll 5 corner_black || fail "the full-screen switch did not cover the output"
# Drawn at the largest whole scale that fits (1 on 1024 x 768), centred: the frame's top edge is there.
[[ "$(pixels "$E2E_TMP/corner.png" "$(((OUT_W - 632) / 2 + 60)),$(((OUT_H - 492) / 2))")" == "140,136,216" ]] ||
    fail "in full screen the game is not drawn centred at 1x"
# weston lifts a full-screen window above the windows it owns until it is next activated; a click on
# the game then stacks them above it again, as its owned windows.
click 3 3
xdotool mousemove $((OX + 300)) $((OY + 400))
poll 5 options_on_top || fail "in full screen the options window is not on top"
click $((OX + 376 + 18)) $((OY + 192 + 12))
windowed() { ! corner_black; }
poll 5 windowed || fail "the full-screen switch did not bring the window back"

click $((OX + 544 + 44)) $((OY + 452 + 12))
poll 5 find_main_window || fail "after full screen and the options window the game's window is not to be seen"
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
echo "1 passed, 0 failed"
