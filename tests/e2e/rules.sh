#!/usr/bin/env bash
# The real program's rules window: shown above the game by the "?" area, hidden by Escape, Закрыть and F1.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

start_main_window
wait_drawn "$E2E_TMP/start.png" || fail "the main window was never drawn"

rules_open() { rules="$(windows_of_size "$pid" 632 480 | head -1)"; [[ -n "$rules" ]]; }
rules_closed() { ! rules_open; }
# The window's own strip colour at its top edge: it has been drawn.
strip_drawn() { screenshot "$E2E_TMP/rules.png"; [[ "$(pixels "$E2E_TMP/rules.png" "$((RX + 300)),$((RY + 3))")" == "24,28,74" ]]; }
open_rules() {
    click $(at_window 585 11)
    poll "$E2E_WAIT" rules_open || fail "the ? area showed no rules window"
    read -r RX RY _ _ <<<"$(geometry "$rules")"
    poll "$E2E_WAIT" strip_drawn || fail "the rules window was never drawn"
}
# Keys go to the window that has the keyboard: the player clicks on the rules window's strip first.
press_in_rules() {
    click $((RX + 500)) $((RY + 12))
    xdotool key "$1"
}

open_rules
# Laid over the game from its corner: nothing of the game hangs out above it or at its sides.
((RX == ORIGIN_X && RY == ORIGIN_Y)) || fail "rules window at $RX,$RY, not over the game at $ORIGIN_X,$ORIGIN_Y"
wait_stacked_above "$rules" "$win" || fail "the rules window is not above the main window"
# The line figure's first ball (its top-left cell) is drawn in the skin's pictures, not left bare.
ball="$(pixels "$E2E_TMP/rules.png" "$((RX + 322 + 5)),$((RY + 52 + 5))")"
[[ "$ball" != "151,179,185" ]] || fail "the line figure shows no ball"

press_in_rules Escape
poll "$E2E_WAIT" rules_closed || fail "Escape did not hide the rules window"
is_viewable "$win" || fail "the main window went away with the rules window"

open_rules
click $((RX + 536 + 44)) $((RY + 448 + 12))
poll "$E2E_WAIT" rules_closed || fail "Закрыть did not hide the rules window"

open_rules
press_in_rules F1
poll "$E2E_WAIT" rules_closed || fail "F1 did not hide the rules window"

park_pointer
click_close_area
wait_exit "$pid" || fail "the game did not end normally after the close area (status $?)"
echo "1 passed, 0 failed"
