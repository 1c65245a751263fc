#!/usr/bin/env bash
# A second copy shows its message and ends after OK; the first runs on; a copy under another name runs too.
source "$(dirname "$0")/lib.sh"
bin="$1"
shot="${2:-}"
ref="$(dirname "$0")/ref/second-copy-box.png"
start_display
cd "$E2E_TMP"

"$bin" 2>>"$E2E_TMP/log" &
first=$!; E2E_PIDS+=($first)
wait_window "$first" >/dev/null || { cat "$E2E_TMP/log" >&2; fail "first copy has no window"; }

"$bin" 2>>"$E2E_TMP/log" &
second=$!; E2E_PIDS+=($second)
box="$(wait_message_box "$second")" || fail "second copy showed no message box"
# The box against a picture of it kept in the repository: its exact text, Cyrillic included. It is drawn
# just after it is mapped, so its look is waited for.
[[ -n "$shot" ]] || shot="$E2E_TMP/box.png"
box_as_pictured() {
    import -window "$box" "$shot" || return 1
    [[ -f "$ref" ]] || return 0
    [[ "$(identify -format %wx%h "$shot")" == "$(identify -format %wx%h "$ref")" ]] || return 1
    differing="$({ compare -metric AE -fuzz 15% "$ref" "$shot" null: 2>&1 || true; } | awk '{print int($1)}')"
    total="$(identify -format '%[fx:w*h]' "$ref")"
    [[ "$differing" =~ ^[0-9]+$ ]] && ((differing * 200 < total))
}
wait_for "the message box to look as its picture" box_as_pictured ||
    fail "the message box is $(identify -format %wx%h "$shot") with $differing of $total pixels unlike its picture $(identify -format %wx%h "$ref") (see $shot)"
kill -0 "$second" 2>/dev/null || fail "second copy ended before OK"
# Return closes it; the box is the program's only window, so it has the keyboard without help.
xdotool key Return
wait_for "the second copy to end after OK" not_running "$second" || fail "second copy still runs after OK"
kill -0 "$first" 2>/dev/null || fail "first copy ended"

# At a desktop scale of 2 the box is drawn at it, twice as large.
read -r bw bh <<<"$(identify -format '%w %h' "$shot")"
ZORVEX_SCALE=2 "$bin" 2>>"$E2E_TMP/log" &
large=$!; E2E_PIDS+=($large)
box="$(wait_message_box "$large")" || fail "second copy at scale 2 showed no message box"
read -r _ _ lw lh <<<"$(geometry "$box")"
((lw == 2 * bw && lh == 2 * bh)) || fail "at scale 2 the box is ${lw}x${lh}, at 1 it was ${bw}x${bh}"
xdotool key Return
for _ in $(seq 100); do kill -0 "$large" 2>/dev/null || break; sleep 0.05; done

# The guard is named after the program's file name: another name is another program.
cp "$bin" "$E2E_TMP/zorvex-copy"
"$E2E_TMP/zorvex-copy" &
other=$!; E2E_PIDS+=($other)
wait_window "$other" >/dev/null || fail "copy under another name did not start"
echo "1 passed, 0 failed"
