#!/usr/bin/env bash
# A write that fails at exit is not lost without a word: its message reaches standard error before the program ends.
source "$(dirname "$0")/lib.sh"
bin="$1"
start_display
data="$XDG_DATA_HOME/zorvex2000"
work="$E2E_TMP/cwd"; mkdir -p "$work"; cd "$work"

start_main_window
# While the game runs, the settings file becomes a directory with something in it: the write at exit fails.
mkdir -p "$data/config.cfg/inside"
click_close_area
wait_exit "$pid" || fail "the game did not end after the close area (status $?)"
grep -qF "$data/config.cfg: " "$E2E_TMP/log" || fail "the failed write of config.cfg was not reported: $(cat "$E2E_TMP/log")"
echo "1 passed, 0 failed"
