#!/usr/bin/env bash
# Full screen with a real change of display mode: an Xorg server with the dummy video driver offers
# 1024x768, 800x600 and 640x480. Full screen makes the mode 640x480; the close area returns the earlier
# one. Skipped (status 77) where Xorg or its dummy driver is missing or cannot start here.
source "$(dirname "$0")/lib.sh"
bin="$1"
skip() { echo "skipped: $*"; exit 77; }

xorg="$(command -v Xorg || true)"
[[ -n "$xorg" ]] || skip "Xorg is not installed (xserver-xorg-core)"
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || skip "the dummy video driver is not installed (xserver-xorg-video-dummy)"
[[ "$(id -u)" == 0 ]] || skip "Xorg with the dummy driver needs root here"

cat >"$E2E_TMP/xorg.conf" <<'EOF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
    Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768" "800x600" "640x480"
    EndSubSection
EndSection
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
EOF

# Xorg is ended gently, so that it removes its lock file and socket.
xorg_pid=""
xorg_cleanup() {
    if [[ -n "$xorg_pid" ]]; then
        kill "$xorg_pid" 2>/dev/null || true
        poll 10 not_running "$xorg_pid" || kill -9 "$xorg_pid" 2>/dev/null || true
    fi
    e2e_cleanup
}
trap xorg_cleanup EXIT

fd_file="$E2E_TMP/display"
"$xorg" -config "$E2E_TMP/xorg.conf" -displayfd 3 -noreset -nolisten tcp -novtswitch -sharevts \
    -logfile "$E2E_TMP/Xorg.log" 3>"$fd_file" >/dev/null 2>&1 &
xorg_pid=$!
display_ready() { [[ -s "$fd_file" ]] || ! kill -0 "$xorg_pid" 2>/dev/null; }
poll "$E2E_WAIT" display_ready || true
[[ -s "$fd_file" ]] || skip "Xorg did not start here ($(grep -m1 '(EE)' "$E2E_TMP/Xorg.log" 2>/dev/null || echo 'no log'))"
export DISPLAY=":$(tr -d '\n' <"$fd_file")"
openbox --sm-disable >/dev/null 2>&1 &
E2E_PIDS+=($!)
poll "$E2E_WAIT" bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || fail "openbox did not start"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
export XDG_DATA_HOME="$E2E_TMP/data" XDG_RUNTIME_DIR="$E2E_TMP/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

mode() { xrandr 2>/dev/null | awk '/\*/ {print $1; exit}'; }
mode_is() { [[ "$(mode)" == "$1" ]]; }
[[ "$(mode)" == 1024x768 ]] || fail "the dummy server starts in $(mode), not 1024x768"
SCREEN_W=1024 SCREEN_H=768

start_game_program() {
    "$bin" 2>>"$E2E_TMP/log" &
    pid=$!; E2E_PIDS+=($pid)
}
# A point of the main window where the game draws it in full screen: at 640x480 the window is shrunk to
# fit and centred.
click_full_screen() {
    local s
    s="$(awk 'BEGIN { a = 640 / 632; b = 480 / 492; print (a < b ? a : b) }')"
    click "$(awk -v s="$s" -v x="$1" 'BEGIN { printf "%d", (640 - 632 * s) / 2 + x * s }')" \
          "$(awk -v s="$s" -v y="$2" 'BEGIN { printf "%d", (480 - 492 * s) / 2 + y * s }')"
}
close_in_full_screen() {
    click_full_screen 621 11
    wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
}

# The full-screen switch changes the mode to 640x480; the close area gives the earlier mode back.
mkdir -p "$XDG_DATA_HOME/zorvex2000"
printf 'nanssy\r\n' >"$XDG_DATA_HOME/zorvex2000/config.cfg"
start_game_program
win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "main window did not appear"; }
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
click_button Goptions
opt=""
options_open() { opt="$(windows_of_size "$pid" 640 480 | head -1)"; [[ -n "$opt" ]]; }
poll "$E2E_WAIT" options_open || fail "Настройки showed no options window"
read -r OX OY _ _ <<<"$(geometry "$opt")"
click $((OX + 376 + 18)) $((OY + 192 + 12))
poll "$E2E_WAIT" mode_is 640x480 || fail "full screen left the display in $(mode), not 640x480"
# The options window stays on top of the game, over the small screen now: Закрыть, then the close area.
at_origin() { [[ "$(geometry "$opt")" == "0 0 640 480" ]]; }
poll "$E2E_WAIT" at_origin || fail "at 640x480 the options window lies at $(geometry "$opt")"
click $((544 + 44)) $((452 + 12))
options_closed() { ! is_viewable "$opt"; }
poll "$E2E_WAIT" options_closed || fail "Закрыть did not hide the options window"
close_in_full_screen
poll "$E2E_WAIT" mode_is 1024x768 || fail "after the close area the display is in $(mode), not 1024x768"
[[ "$(cat "$XDG_DATA_HOME/zorvex2000/config.cfg")" == $'nafssy\r' ]] || fail "config.cfg holds $(od -c "$XDG_DATA_HOME/zorvex2000/config.cfg" | head -2)"

# Started with full screen saved: 640x480 from the start, and the earlier mode after the close area.
start_game_program
poll "$E2E_WAIT" mode_is 640x480 || fail "a start with full screen saved left the display in $(mode)"
wait_window_of_size "$pid" 640 480 >/dev/null || fail "the game's window does not cover the 640x480 screen"
close_in_full_screen
poll "$E2E_WAIT" mode_is 1024x768 || fail "after the close area the display is in $(mode), not 1024x768"

# Started in full screen, the options window opened at 640x480 and full screen switched off there: both
# windows are centred on the restored desktop. (The options window is the 640x480 one not in full screen.)
start_game_program
poll "$E2E_WAIT" mode_is 640x480 || fail "a start with full screen saved left the display in $(mode)"
wait_window_of_size "$pid" 640 480 >/dev/null || fail "the game's window does not cover the 640x480 screen"
options_open() {
    local id
    opt=""
    for id in $(windows_of_size "$pid" 640 480); do
        xprop -id "$id" _NET_WM_STATE | grep -q _FULLSCREEN || opt="$id"
    done
    [[ -n "$opt" ]]
}
click_full_screen $((4 + 567)) $((24 + 437))
poll "$E2E_WAIT" options_open || fail "Настройки in full screen showed no options window"
read -r OX OY _ _ <<<"$(geometry "$opt")"
((OX == 0 && OY == 0)) || fail "at 640x480 the options window lies at $OX,$OY, not over the screen"
click $((OX + 376 + 18)) $((OY + 192 + 12))
poll "$E2E_WAIT" mode_is 1024x768 || fail "the full-screen switch left the display in $(mode), not 1024x768"
win="$(wait_window_of_size "$pid" 632 492)" || fail "after full screen there is no 632x492 window"
centred() { read -r x y _ _ <<<"$(geometry "$1")"; ((x == (1024 - $2) / 2 && y == (768 - $3) / 2)); }
poll "$E2E_WAIT" centred "$win" 632 492 || fail "after full screen the main window lies at $(geometry "$win")"
poll "$E2E_WAIT" centred "$opt" 640 480 || fail "after full screen the options window lies at $(geometry "$opt")"
read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
click $((192 + 544 + 44)) $((144 + 452 + 12)) # Закрыть
poll "$E2E_WAIT" options_closed || { screenshot "$E2E_TMP/closing.png"; fail "Закрыть did not hide the options window"; }
park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
echo "1 passed, 0 failed"
