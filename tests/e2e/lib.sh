#!/usr/bin/env bash
# Shared helpers for the tests that run the real program under Xvfb with a window manager (openbox unless
# E2E_WM names another), driven by xdotool.
set -euo pipefail

E2E_TMP="$(mktemp -d)"
E2E_PIDS=()

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    # E2E_KEEP=1 keeps the screenshots and files of a run for a look afterwards.
    if [[ -n "${E2E_KEEP:-}" ]]; then echo "kept $E2E_TMP" >&2; else rm -rf "$E2E_TMP"; fi
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# How long a wait for something the program, the X server or the window manager must do may last: long
# enough for a machine whose cores are all busy with other work. Every wait ends as soon as its event comes.
E2E_WAIT="${E2E_WAIT:-30}"

# Waits up to E2E_WAIT seconds for a command to succeed; on timeout says what it waited for and returns 1.
wait_for() {
    local what="$1"; shift
    poll "$E2E_WAIT" "$@" && return 0
    echo "waited ${E2E_WAIT} s for $what" >&2
    return 1
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Starts Xvfb on a free display (1024x768 unless a size is given), with no window manager.
start_xvfb() {
    local fifo="$E2E_TMP/display" size="${1:-1024x768}" number="" fd
    SCREEN_W="${size%x*}" SCREEN_H="${size#*x}"
    # Xvfb writes its display's number down the pipe once it takes connections. Without -noreset the server
    # starts over each time its last client leaves, and a client that connects meanwhile is turned away.
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    exec {fd}<"$fifo"
    read -r -t "$E2E_WAIT" -u "$fd" number || true
    exec {fd}<&-
    [[ "$number" =~ ^[0-9]+$ ]] ||
        { cat "$E2E_TMP/xvfb.log" >&2; fail "waited ${E2E_WAIT} s for Xvfb to announce its display"; }
    export DISPLAY=":$number"
    # The number comes as the server begins to listen: a client that connects at once may still be turned away.
    wait_for "the display $DISPLAY to answer a client" xprop -root _NET_SUPPORTED >/dev/null ||
        { cat "$E2E_TMP/xvfb.log" >&2; fail "the display $DISPLAY never answered"; }
}

start_wm() {
    case "${E2E_WM:=openbox}" in
        openbox) openbox --sm-disable >>"$E2E_TMP/wm.log" 2>&1 & ;;
        *) "$E2E_WM" >>"$E2E_TMP/wm.log" 2>&1 & ;;
    esac
    E2E_PIDS+=($!)
}

# Starts Xvfb on a free display (1024x768 unless a size is given) and the window manager on it.
start_display() {
    start_xvfb "$@"
    start_wm
    # A window manager that died at its start (seen once in many runs) is given a second start; one that could
    # not open a display that had answered (seen twice) gets a display of its own, started afresh.
    wait_for "the window manager ($E2E_WM) to announce itself" wm_running ||
        { start_wm; wait_for "the window manager ($E2E_WM) to announce itself, started again" wm_running; } ||
        { cat "$E2E_TMP/wm.log" >&2; for pid in "${E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
          E2E_PIDS=(); rm -f "$E2E_TMP/display"; start_xvfb "$@"; start_wm
          wait_for "the window manager ($E2E_WM) to announce itself on a new display" wm_running; } ||
        { cat "$E2E_TMP/wm.log" >&2; fail "no window manager on $DISPLAY"; }
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
    # The windows at 1x unless a test asks otherwise (the display's Xft.dpi is the test's to set).
    unset ZORVEX_SCALE GDK_SCALE
    # Each turn shows at once, so screenshots are of a board at rest; the motion test turns it back on.
    export ZORVEX_ANIMATION=0
    export XDG_DATA_HOME="$E2E_TMP/data" XDG_RUNTIME_DIR="$E2E_TMP/run"
    mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Prints the first mapped window of a pid; fails when there is none. (xdotool's name search does not
# match SDL's UTF-8 titles, so windows are found by pid.)
window_of() {
    local id
    id="$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 || true)"
    [[ -n "$id" ]] && echo "$id"
}

# Waits for a mapped window of the given pid; prints its id.
wait_window() { wait_for "a mapped window of process $1" window_of "$1"; }

# Prints "X Y W H" of a window.
geometry() {
    local info
    info="$(xwininfo -id "$1")"
    echo "$(awk '/Absolute upper-left X/{print $4}' <<<"$info") $(awk '/Absolute upper-left Y/{print $4}' <<<"$info")" \
         "$(awk '/Width:/{print $2}' <<<"$info") $(awk '/Height:/{print $2}' <<<"$info")"
}

# Prints the id of a message box of the program with the given pid: a mapped window of it that is
# neither the main window nor the options window, in a window or in full screen.
find_message_box() {
    local id w h
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
        read -r _ _ w h <<<"$(geometry "$id" 2>/dev/null || echo 0 0 0 0)"
        case "$w $h" in "0 0" | "632 492" | "640 480" | "${SCREEN_W:-} ${SCREEN_H:-}") continue ;; esac
        echo "$id"
        return 0
    done
    return 0
}

screenshot() { import -window root "$1"; }

# Mean absolute difference of two pictures, 0..1.
picture_difference() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/'; }

# Runs a command every 0.05 s until it succeeds or the seconds (first argument) have passed.
poll() {
    local end=$((SECONDS + $1 + 1)); shift
    while ((SECONDS < end)); do "$@" && return 0; sleep 0.05; done
    "$@"
}

click() { xdotool mousemove "$1" "$2" click 1; }

# Parks the pointer on the main window's title strip, which lights up nothing, so that screenshots compare
# alike. (Leaving the window across its bottom frame is a test of its own: frame_repaint.sh.)
park_pointer() { xdotool mousemove $(at_window 300 12); }

# Presses at one point, moves in steps and lets go at another, as a hand would.
drag() {
    local x1="$1" y1="$2" x2="$3" y2="$4"
    xdotool mousemove "$x1" "$y1" mousedown 1 sleep 0.1 \
        mousemove $(((3 * x1 + x2) / 4)) $(((3 * y1 + y2) / 4)) sleep 0.1 \
        mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2)) sleep 0.1 \
        mousemove "$x2" "$y2" sleep 0.2 mouseup 1
}

# Prints the ids of the mapped windows of a pid with the given size.
windows_of_size() {
    local pid="$1" w="$2" h="$3" id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
        read -r _ _ ww hh <<<"$(geometry "$id" 2>/dev/null || echo 0 0 0 0)"
        [[ "$ww" == "$w" && "$hh" == "$h" ]] && echo "$id"
    done
    return 0
}

first_window_of_size() {
    local id
    id="$(windows_of_size "$@" | head -1)"
    [[ -n "$id" ]] && echo "$id"
}

# Waits for a mapped window of a pid with the given size; prints its id.
wait_window_of_size() { wait_for "a mapped ${2}x${3} window of process $1" first_window_of_size "$@"; }

stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }

# True when the first window lies above the second in the window manager's stacking of client windows.
stacked_above() {
    awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
        '{ for (i = 1; i <= NF; i++) { if ($i == a) pa = i; if ($i == b) pb = i } } END { exit !(pa && pb && pa > pb) }' <<<"$(stacking)"
}

# True when the stacking is the same twice 0.2 s apart, with the first window above the second: a window
# manager still raising or lowering a window just mapped or clicked has not settled.
settled_above() {
    local before
    before="$(stacking)"
    sleep 0.2
    [[ "$(stacking)" == "$before" ]] && stacked_above "$1" "$2"
}

# Waits for the window manager to settle with the first window above the second; on timeout prints the
# stacking it saw.
wait_stacked_above() {
    wait_for "window $1 to settle above window $2 in the stacking order" settled_above "$1" "$2" ||
        { echo "stacking, bottom to top: $(stacking)" >&2; return 1; }
}

# True while the window is mapped (not minimised, not hidden).
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

some_message_box() {
    local box
    box="$(find_message_box "$1")"
    [[ -n "$box" ]] && echo "$box"
}

# Waits for a message box of a pid and prints its id.
wait_message_box() { wait_for "a message box of process $1" some_message_box "$1"; }

screen_changed() { screenshot "$2" && differ "$1" "$2"; }

# Waits until the screen looks different from a reference picture; leaves the new look in the second file.
wait_screen_change() { wait_for "the screen to change from $(basename "$1")" screen_changed "$1" "$2"; }

screen_still() { screenshot "${1%.png}-then.png" && sleep 0.1 && screenshot "$1" && ! differ "${1%.png}-then.png" "$1"; }

# Waits until two screenshots 0.1 s apart are alike (nothing left to repaint); leaves the look in the file.
wait_screen_still() { wait_for "the screen to come to rest" screen_still "$1"; }

no_message_box() { [[ -z "$(find_message_box "$1")" ]]; }

# Waits until the main window has painted its title strip, then takes a screenshot.
title_drawn() { screenshot "$1"; [[ "$(pixels "$1" "$(at_window 300 12 | tr ' ' ,)")" != "0,0,0" ]]; }
wait_drawn() { wait_for "the main window's title strip to be drawn" title_drawn "$1"; }

# True when two pictures differ by more than the threshold (default: at all).
differ() { awk -v d="$(picture_difference "$1" "$2")" -v t="${3:-0}" 'BEGIN { exit !(d > t) }'; }

# Prints "r,g,b" of each "x,y" point given, one a line.
pixels() {
    local file="$1" fmt="" p; shift
    for p in "$@"; do fmt+="%[pixel:p{$p}]\n"; done
    convert "$file" -depth 8 -format "$fmt" info: | sed -E 's/^[a-z]+\(([0-9]+),([0-9]+),([0-9]+).*$/\1,\2,\3/'
}

# The main window's controls, in screen coordinates. ORIGIN_X/ORIGIN_Y are the top left corner of the
# game's content and SCALE its whole magnification (1 in a window); SCALE_Q, when set, a fractional one in
# quarters (6 for 1.5), rounded as the game rounds its places.
ORIGIN_X=0 ORIGIN_Y=0 SCALE=1 SCALE_Q=""
at_window() {
    local q="${SCALE_Q:-$((4 * SCALE))}"
    echo "$((ORIGIN_X + (q * $1 + 2) / 4)) $((ORIGIN_Y + (q * $2 + 2) / 4))"
}
# The board panel lies at (4, 24) in the window.
at_panel() { at_window $((4 + $1)) $((24 + $2)); }
# The middle of cell n (1..100, row by row).
cell_centre() { local r=$((($1 - 1) / 10)) c=$((($1 - 1) % 10)); at_panel $((112 + 40 * c + 16)) $((56 + 40 * r + 16)); }
click_cell() { click $(cell_centre "$1"); }
# The buttons (91x25) by their panel corner.
click_button() {
    case "$1" in
        finish) click $(at_panel 55 22) ;; Gstart) click $(at_panel 567 22) ;;
        TurnBack) click $(at_panel 55 437) ;; Goptions) click $(at_panel 567 437) ;;
        *) fail "no button $1" ;;
    esac
}
# Skin choices 1..6 (CheckGlass .. CheckAdded) and mode choices 1..5 (line .. corner).
skin_tops=(0 203 227 251 275 299 322)
click_skin() { click $(at_panel 50 $((skin_tops[$1] + 8))); }
click_mode() { click $(at_panel 560 $((skin_tops[$1] + 8))); }
click_close_area() { click $(at_window 621 11); }

# Centre pixels of the 100 cells, one a line, in cell order.
board_pixels() {
    local n pts=()
    for n in $(seq 100); do read -r x y <<<"$(cell_centre "$n")"; pts+=("$x,$y"); done
    pixels "$1" "${pts[@]}"
}

# Prints the numbers of the cells that hold a ball: those whose middle differs from the empty-cell
# look, which is the most common one on any board that can be played on.
ball_cells() {
    local looks empty
    looks="$(board_pixels "$1")"
    empty="$(sort <<<"$looks" | uniq -c | sort -rn | awk 'NR == 1 {print $2}')"
    awk -v e="$empty" '$0 != e {print NR}' <<<"$looks"
}

not_running() { ! kill -0 "$1" 2>/dev/null; }

# Waits for a program to end; returns its exit status, 124 when it does not end in time.
wait_exit() {
    local pid="$1" status=0
    wait_for "process $pid to end" not_running "$pid" || return 124
    wait "$pid" || status=$?
    return "$status"
}

# Starts the program ($bin) and waits for its main window: sets pid, win and the window's corner, parks the pointer.
start_main_window() {
    "$bin" 2>>"$E2E_TMP/log" &
    pid=$!; E2E_PIDS+=($pid)
    win="$(wait_window_of_size "$pid" 632 492)" || { cat "$E2E_TMP/log" >&2; fail "main window did not appear"; }
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(geometry "$win")"
    park_pointer
}

# The cells next to cell N, up, down, left and right.
neighbours() { local r=$((($1 - 1) / 10)) c=$((($1 - 1) % 10))
    ((r > 0)) && echo $(($1 - 10)); ((r < 9)) && echo $(($1 + 10))
    ((c > 0)) && echo $(($1 - 1)); ((c < 9)) && echo $(($1 + 1)); return 0; }

# A ball with an empty neighbour on the board in picture $1, which it can always reach: sets from and to.
pick_move() {
    local b t balls
    mapfile -t balls < <(ball_cells "$1")
    from="" to=""
    for b in "${balls[@]}"; do
        for t in $(neighbours "$b"); do
            printf '%s\n' "${balls[@]}" | grep -qx "$t" || { from=$b to=$t; return 0; }
        done
    done
    return 1
}
