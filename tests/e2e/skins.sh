#!/usr/bin/env bash
# The skin choices as a player uses them: the five built-in skins, the one that comes back after a restart,
# a theme file picked in the desktop's file chooser, and a corrupt theme file that changes nothing.
source "$(dirname "$0")/lib.sh"
bin="$1"
zvtool="$2"
box_shot="${3:-$E2E_TMP/theme-error.png}"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"
skin_file="$XDG_DATA_HOME/zorvex2000/win.sys"

start_game_program() {
    "$bin" 2>>"$E2E_TMP/log" &
    pid=$!; E2E_PIDS+=($pid)
    win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "main window did not appear"; }
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
}

same_as() { screenshot "$2"; ! differ "$1" "$2"; }

close_game() {
    click_close_area
    wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
    park_pointer # the next window opens in the same place, not under the pointer's hover
}

start_game_program
park_pointer
wait_drawn "$E2E_TMP/skin0.png" || fail "the main window was never drawn"

# Each built-in skin changes the look and is written to the skin file. Windows and People change the cells
# only and keep the rest of the skin before them, so a skin with its own background comes last: the
# window after a restart can then look exactly as it did.
names=(- Glass Windows Block Single People)
prev=0
for i in 2 5 1 3 4; do
    click_skin "$i"
    park_pointer
    wait_screen_change "$E2E_TMP/skin$prev.png" "$E2E_TMP/skin$i.png" ||
        fail "the ${names[$i]} skin looks like the skin before it"
    poll "$E2E_WAIT" grep -qx "$i" "$skin_file" || fail "win.sys holds '$(cat "$skin_file" 2>/dev/null)' after the ${names[$i]} skin"
    prev=$i
done

# After a restart the last built-in skin is back, check mark and all.
close_game
[[ "$(cat "$skin_file")" == 4 ]] || fail "win.sys holds '$(cat "$skin_file")' after the exit"
start_game_program
park_pointer
poll "$E2E_WAIT" same_as "$E2E_TMP/skin4.png" "$E2E_TMP/restart.png" ||
    fail "after a restart the window differs from the Single skin ($(picture_difference "$E2E_TMP/skin4.png" "$E2E_TMP/restart.png"))"

# A game on the board, so that balls as well as empty cells are to be seen.
click_button Gstart
park_pointer
wait_screen_change "$E2E_TMP/restart.png" "$E2E_TMP/game.png" || fail "Новая игра changed nothing"
mapfile -t balls < <(ball_cells "$E2E_TMP/game.png")
((${#balls[@]} == 6)) || fail "the new game shows ${#balls[@]} balls, not 6"

# A theme of our own: an empty cell and six balls in plain colours.
colours=("#204060" "#ff0000" "#00ff00" "#0000ff" "#ffff00" "#00ffff" "#ff00ff")
pictures=()
for k in "${!colours[@]}"; do
    convert -size 33x33 "xc:${colours[$k]}" "BMP3:$E2E_TMP/p$k.bmp"
    pictures+=("$E2E_TMP/p$k.bmp")
done
"$zvtool" pack "$E2E_TMP/mine.zvt" "${pictures[@]}" >/dev/null || fail "zvtool could not pack the theme"
head -c 1500 "$E2E_TMP/mine.zvt" >"$E2E_TMP/broken.zvt"
rgb() { printf '%d,%d,%d' "0x${1:1:2}" "0x${1:3:2}" "0x${1:5:2}"; }
empty_rgb="$(rgb "${colours[0]}")"
ball_rgbs=()
for k in 1 2 3 4 5 6; do ball_rgbs+=("$(rgb "${colours[$k]}")"); done

# The chooser is GTK's, opened by the game itself; zenity is the fallback where GTK is missing. Either is a
# dialog window, unlike the game's own windows (the message box is a utility window).
find_chooser() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true) \
              $(xdotool search --onlyvisible --class zenity 2>/dev/null || true); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _DIALOG && { echo "$id"; return 0; }
    done
    return 1
}
chooser_open() { chooser="$(find_chooser)"; }
chooser_closed() { ! find_chooser >/dev/null; }

pick_theme() {
    click_skin 6
    poll "$E2E_WAIT" chooser_open || fail "Новая opened no file chooser"
    # Titled with what it is for, and at a size that leaves the game in sight.
    [[ "$(xprop -id "$chooser" _NET_WM_NAME)" == *'"Открыть файл темы"' ]] ||
        fail "the chooser is titled $(xprop -id "$chooser" _NET_WM_NAME)"
    local cw ch
    read -r _ _ cw ch <<<"$(geometry "$chooser")"
    ((cw <= SCREEN_W * 3 / 4 && ch <= SCREEN_H * 3 / 4)) || fail "the chooser is ${cw}x${ch} on a ${SCREEN_W}x${SCREEN_H} screen"
    ! xprop -id "$chooser" _NET_WM_STATE | grep -q MAXIMIZED || fail "the chooser opened maximised"
    xdotool windowactivate --sync "$chooser" 2>/dev/null || xdotool windowfocus --sync "$chooser"
    # The chooser takes keys only once it has drawn itself, and on a busy machine that takes a while.
    sleep 1
    xdotool key ctrl+l
    sleep 0.5
    xdotool type --delay 20 "$1"
    sleep 0.8 # a completion popup would swallow an early Return
    xdotool key Return
    # A completion popup that came late takes the first Return: a second one then opens the file.
    poll 5 chooser_closed || { xdotool key Return; poll "$E2E_WAIT" chooser_closed; } ||
        fail "the file chooser did not close after Return"
}

# A corrupt theme file: the message box, saved as a picture, and after OK the window as it was. While the
# box is up, the window behind it is painted again where the chooser lay, and takes no clicks.
corrupt_theme_changes_nothing() {
    local before="$1" bx by bw bh
    pick_theme "$E2E_TMP/broken.zvt"
    box="$(wait_message_box "$pid")" || fail "a corrupt theme showed no message box"
    read -r bx by bw bh <<<"$(geometry "$box")"
    hide_box() { convert "$1" -fill black -draw "rectangle $bx,$by $((bx + bw - 1)),$((by + bh - 1))" "$2"; }
    hide_box "$before" "$E2E_TMP/before-box.png"
    behind_box_as_before() {
        screenshot "$E2E_TMP/with-box.png"
        hide_box "$E2E_TMP/with-box.png" "$E2E_TMP/with-box-hidden.png"
        ! differ "$E2E_TMP/before-box.png" "$E2E_TMP/with-box-hidden.png"
    }
    poll "$E2E_WAIT" behind_box_as_before ||
        fail "behind the message box the window was not painted again ($(picture_difference "$E2E_TMP/before-box.png" "$E2E_TMP/with-box-hidden.png"))"
    click_button Gstart
    sleep 0.3 # time for a click that got through to show
    behind_box_as_before || fail "Новая игра took a click while the message box was up"
    import -window "$box" "$box_shot"
    xdotool windowfocus --sync "$box" key Return
    poll "$E2E_WAIT" no_message_box "$pid" || fail "the message box stayed after Return"
    park_pointer
    poll "$E2E_WAIT" same_as "$before" "$E2E_TMP/after-error.png" ||
        fail "the corrupt theme changed the window ($(picture_difference "$before" "$E2E_TMP/after-error.png"))"
    kill -0 "$pid" 2>/dev/null || fail "the game ended after the corrupt theme"
}

corrupt_theme_changes_nothing "$E2E_TMP/game.png"

# A named pipe picked as a theme is refused at once with a box; the game does not wait for a writer.
mkfifo "$E2E_TMP/pipe.zvt"
pick_theme "$E2E_TMP/pipe.zvt"
box="$(wait_message_box "$pid")" || fail "a named pipe picked as a theme showed no message box"
xdotool windowfocus --sync "$box" key Return
poll "$E2E_WAIT" no_message_box "$pid" || fail "the message box about the named pipe stayed after Return"
park_pointer

# Our theme on the board: the empty cells and the balls in its colours, the skin file untouched.
pick_theme "$E2E_TMP/mine.zvt"
park_pointer
wait_screen_change "$E2E_TMP/game.png" "$E2E_TMP/mine.png" || fail "the theme changed nothing on the board"
mapfile -t looks < <(board_pixels "$E2E_TMP/mine.png")
for n in $(seq 100); do
    look="${looks[$((n - 1))]}"
    if printf '%s\n' "${balls[@]}" | grep -qx "$n"; then
        printf '%s\n' "${ball_rgbs[@]}" | grep -qx "$look" || fail "cell $n should show one of the theme's balls, shows $look"
    else
        [[ "$look" == "$empty_rgb" ]] || fail "cell $n should show the theme's empty cell, shows $look"
    fi
done
for k in 0 1 2 3; do
    look="$(pixels "$E2E_TMP/mine.png" "$(at_panel $((232 + 40 * k + 16)) 24 | tr ' ' ,)")"
    printf '%s\n' "${ball_rgbs[@]}" | grep -qx "$look" || fail "preview $((k + 1)) should show one of the theme's balls, shows $look"
done
[[ "$(cat "$skin_file")" == 4 ]] || fail "the theme changed win.sys to '$(cat "$skin_file")'"

# The frame after the pointer leaves the window, and a corrupt theme while the player's own theme shows.
# The pointer leaving the window across its bottom frame after lighting up a skin choice: the frame
# must look as before.
xdotool mousemove $(at_panel 50 $((skin_tops[2] + 8)))
sleep 0.3
xdotool mousemove "$((ORIGIN_X - 20))" "$((ORIGIN_Y + 520))"
park_pointer
poll "$E2E_WAIT" same_as "$E2E_TMP/mine.png" "$E2E_TMP/frame.png" ||
    fail "the bottom frame was painted over when the pointer left the window ($(picture_difference "$E2E_TMP/mine.png" "$E2E_TMP/frame.png"))"
# A corrupt theme while the player's own theme is on the board: the board must keep that theme.
corrupt_theme_changes_nothing "$E2E_TMP/mine.png"

close_game
[[ "$(cat "$skin_file")" == 4 ]] || fail "win.sys holds '$(cat "$skin_file")' at the end"
echo "1 passed, 0 failed"
