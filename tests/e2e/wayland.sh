#!/usr/bin/env bash
# The game as a Wayland client: weston with its X11 back end inside Xvfb, the game with SDL's Wayland driver
# and no X display ("native"), or as an X11 client of weston's XWayland ("xwayland"). It is drawn, a click
# starts a game, the title strip drags it, the options window stays above it, full screen and back. Skips
# (77) where weston (or Xwayland) is missing or cannot start here.
source "$(dirname "$0")/lib.sh"
bin="$1"
mode="${2:-native}"
skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "weston is not installed"
xwayland=()
if [[ "$mode" == xwayland ]]; then
    command -v Xwayland >/dev/null || skip "Xwayland is not installed"
    xwayland=(--xwayland)
fi

# The compositor's output lies in the corner of a larger X screen (screen points are its points): the
# pointer comes into it from outside, which is how weston's X11 back end learns where the pointer is.
start_xvfb 1280x1024
OUT_W=1024 OUT_H=768
outside() { xdotool mousemove $((SCREEN_W - 10)) $((SCREEN_H - 10)) sleep 0.2; }
outside
export XDG_RUNTIME_DIR="$E2E_TMP/run" XDG_DATA_HOME="$E2E_TMP/data" XDG_CONFIG_HOME="$E2E_TMP/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --socket=zv-test --width=$OUT_W --height=$OUT_H --idle-time=0 \
    "${xwayland[@]}" --log="$E2E_TMP/weston.log" &
E2E_PIDS+=($!)
poll "$E2E_WAIT" test -S "$XDG_RUNTIME_DIR/zv-test" || skip "weston did not start here: $(tail -3 "$E2E_TMP/weston.log" | tr '\n' ' ')"
# A window mapped before the shell has drawn its panel lies where the panel then comes.
desktop_drawn() { screenshot "$E2E_TMP/desktop.png"; ! pixels "$E2E_TMP/desktop.png" 3,3 $((OUT_W / 2)),$((OUT_H / 2)) | grep -qx 0,0,0; }
poll "$E2E_WAIT" desktop_drawn || skip "weston's shell did not come up here"
mkdir -p "$E2E_TMP/cwd" && cd "$E2E_TMP/cwd"
if [[ "$mode" == xwayland ]]; then
    xserver() { grep -o "xserver listening on display :[0-9]*" "$E2E_TMP/weston.log" | grep -o ":[0-9]*$"; }
    poll "$E2E_WAIT" xserver || skip "weston started no XWayland here"
    env -u WAYLAND_DISPLAY DISPLAY="$(xserver)" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LANG=C.UTF-8 LC_ALL=C.UTF-8 \
        "$bin" 2>>"$E2E_TMP/log" &
else
    env -u DISPLAY WAYLAND_DISPLAY=zv-test SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=dummy LANG=C.UTF-8 LC_ALL=C.UTF-8 \
        "$bin" 2>>"$E2E_TMP/log" &
fi
pid=$!; E2E_PIDS+=($pid)

# The compositor places the windows: the game's is found by its frame's outer line (top and left edges) in
# a colour nothing else shows, the options window by its frame, longer than any line of the game's.
find_main_window() {
    screenshot "$E2E_TMP/find.png"
    read -r bw bh ORIGIN_X ORIGIN_Y <<<"$(convert "$E2E_TMP/find.png" -fill black +opaque "#8C88D8" -trim -format "%w %h %X %Y" info: 2>/dev/null)"
    ((bw >= 600 && bw <= 632 && bh >= 460 && bh <= 492))
}
options_shown() {
    screenshot "$E2E_TMP/options-screen.png"
    # Runs of its colour from 636 to 659 pixels long: the game at 1.5 has longer ones of the same colour.
    read -r ow oh OX OY <<<"$(convert "$E2E_TMP/options-screen.png" -fill black +opaque "#97B3B9" -fill white -opaque "#97B3B9" \
        -write mpr:m +delete \( mpr:m -morphology Open rectangle:636x1 \) \( mpr:m -morphology Open rectangle:660x1 \) \
        -compose MinusSrc -composite -trim -format "%w %h %X %Y" info: 2>/dev/null)"
    ((ow >= 640 && oh >= 440))
}
poll "$E2E_WAIT" find_main_window || { cat "$E2E_TMP/log" >&2; fail "the window was never drawn"; }
outside
park_pointer
sleep 0.3
screenshot "$E2E_TMP/start.png"
click_button Gstart
park_pointer
wait_screen_change "$E2E_TMP/start.png" "$E2E_TMP/game.png" || fail "a click on Новая игра started no game"

# A quick click on the title strip moves nothing; a drag moves the window with the pointer.
read -r x0 y0 <<<"$ORIGIN_X $ORIGIN_Y"
xdotool mousemove $(at_window 300 12) mousedown 1 mouseup 1 sleep 0.3
find_main_window && ((ORIGIN_X == x0 && ORIGIN_Y == y0)) || fail "a quick click on the title strip moved the window"
drag $(at_window 300 12) $((ORIGIN_X + 300 + 120)) $((ORIGIN_Y + 12 + 70))
moved() { find_main_window && ((ORIGIN_X == x0 + 120 && ORIGIN_Y == y0 + 70)); }
poll "$E2E_WAIT" moved || fail "a drag of the title strip by 120,70 took the window from $x0,$y0 to $ORIGIN_X,$ORIGIN_Y"

click_button Goptions
poll "$E2E_WAIT" options_shown || fail "Настройки showed no options window"
xdotool mousemove $((OX + 300)) $((OY + 400)) sleep 0.3
screenshot "$E2E_TMP/options-screen.png"
convert "$E2E_TMP/options-screen.png" -crop "600x440+$OX+$OY" +repage "$E2E_TMP/options.png"
options_on_top() {
    xdotool mousemove $((OX + 300)) $((OY + 400)) sleep 0.2
    screenshot "$E2E_TMP/now.png"
    convert "$E2E_TMP/now.png" -crop "600x440+$OX+$OY" +repage "$E2E_TMP/options-now.png"
    ! differ "$E2E_TMP/options.png" "$E2E_TMP/options-now.png" 0.002
}
click $((ORIGIN_X + 3)) $((ORIGIN_Y + 3)) # the game's edge, beside the options window
poll "$E2E_WAIT" options_on_top || fail "a click on the game buried the options window"

# Full screen fills the output with no mode change, the game drawn in the middle at the largest of the scale
# steps that fits (1.5 here: 948 x 738; 1 where XWayland's window manager gives it a 640 x 480 mode); the
# options window, open over it, stays above it; the switch again brings the window back.
read -r wx wy <<<"$ORIGIN_X $ORIGIN_Y"
full_screen() {
    screenshot "$E2E_TMP/full.png"
    local size gw gh cx cy
    for size in 948x738 632x492; do
        gw=${size%x*} gh=${size#*x} cx=$(((OUT_W - gw) / 2)) cy=$(((OUT_H - gh) / 2))
        ((wx != cx || wy != cy)) || continue
        [[ "$(pixels "$E2E_TMP/full.png" $((OUT_W - 3)),$((OUT_H - 3)) $((cx - 3)),$((cy + gh - 12)) $cx,$((cy + gh - 12)))" == \
            $'0,0,0\n0,0,0\n140,136,216' ]] && return 0
    done
    return 1
}
click $((OX + 376 + 18)) $((OY + 192 + 12))
poll "$E2E_WAIT" full_screen || fail "the full-screen switch did not draw the game centred over the output"
poll "$E2E_WAIT" options_shown || fail "in full screen the options window is not on top"
click $((OX + 376 + 18)) $((OY + 192 + 12))
# weston's window manager places an X11 window itself, wherever the program asks for it.
windowed() { find_main_window && { [[ "$mode" == xwayland ]] || ((ORIGIN_X == wx && ORIGIN_Y == wy)); }; }
poll "$E2E_WAIT" windowed || fail "the full-screen switch did not bring the window back to $wx,$wy"
options_shown || fail "back from full screen the options window is not on top"

click $((OX + 544 + 44)) $((OY + 452 + 12))
poll "$E2E_WAIT" find_main_window || fail "after full screen the game's window is not to be seen"
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
echo "1 passed, 0 failed"
