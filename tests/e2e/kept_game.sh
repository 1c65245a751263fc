#!/usr/bin/env bash
# The running game survives every way out (the close area, SIGTERM, Alt+F4 through the window manager) and the
# next start shows the same board; Ctrl+D, and Ctrl+G with a typed number, deal the same game each time.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
kept="$XDG_DATA_HOME/zorvex2000/game.kept"

key() { xdotool key --clearmodifiers "$@"; }
focus_main() { xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"; }
board_now() { screenshot "$E2E_TMP/board.png"; board_pixels "$E2E_TMP/board.png" | tr '\n' ' '; }
six_balls() { screenshot "$E2E_TMP/six.png"; [[ "$(ball_cells "$E2E_TMP/six.png" | wc -w)" == 6 ]]; }
start_again() {
    start_main_window
    wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"
    focus_main
}

start_again
key ctrl+n
poll "$E2E_WAIT" six_balls || fail "Ctrl+N did not deal six balls"
board="$(board_now)"

for way in close_area sigterm alt_f4; do
    case "$way" in
        close_area) click_close_area ;;
        sigterm) kill -TERM "$pid" ;;
        alt_f4) focus_main; key alt+F4 ;;
    esac
    wait_exit "$pid" || fail "$way: the game did not end normally (status $?)"
    [[ -s "$kept" ]] || fail "$way: no kept game in $kept"
    start_again
    [[ "$(board_now)" == "$board" ]] || fail "$way: the board after the restart is not the board left"
done

key ctrl+d
poll "$E2E_WAIT" six_balls || fail "Ctrl+D did not deal six balls"
today="$(board_now)"
key ctrl+n
sleep 0.3
key ctrl+d
poll "$E2E_WAIT" six_balls || fail "the second Ctrl+D did not deal six balls"
[[ "$(board_now)" == "$today" ]] || fail "Ctrl+D twice dealt two different games"

# Ctrl+G with the same typed number twice deals the same game; the small window goes with Enter and the keys
# are the game's again.
by_number() {
    key ctrl+g
    sleep 0.5
    xdotool type --delay 50 "$1"
    key Return
    sleep 0.5
}
by_number 424242
poll "$E2E_WAIT" six_balls || fail "Ctrl+G 424242 did not deal six balls"
numbered="$(board_now)"
[[ "$numbered" != "$today" ]] || fail "game 424242 is today's game"
key ctrl+n
sleep 0.3
by_number 424242
poll "$E2E_WAIT" six_balls || fail "the second Ctrl+G 424242 did not deal six balls"
[[ "$(board_now)" == "$numbered" ]] || fail "Ctrl+G 424242 twice dealt two different games"

# Finished, the game is not kept: the next start is empty.
click_close_area
wait_exit "$pid" || fail "the game did not end after the close area"
start_again
key ctrl+e
sleep 0.3
click_close_area
wait_exit "$pid" || fail "the game did not end after Ctrl+E and the close area"
[[ ! -e "$kept" ]] || fail "a finished game was kept"
echo "kept game: ok"
