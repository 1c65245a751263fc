#!/usr/bin/env bash
# Shared helpers for the tests that run the real program under Xvfb with openbox, driven by xdotool.
set -euo pipefail

E2E_TMP="$(mktemp -d)"
E2E_PIDS=()

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and openbox on it.
start_display() {
    local fd_file="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do [[ -s "$fd_file" ]] && break; sleep 0.05; done
    export DISPLAY=":$(tr -d '\n' <"$fd_file")"
    openbox --sm-disable >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.05; done
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
    export XDG_DATA_HOME="$E2E_TMP/data" XDG_RUNTIME_DIR="$E2E_TMP/run"
    mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Waits for a mapped window of the given pid; prints its id. (xdotool's name search does not
# match SDL's UTF-8 titles, so windows are found by pid.)
wait_window() {
    local pid="$1" id=""
    for _ in $(seq 200); do
        id="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)"
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# Prints "X Y W H" of a window.
geometry() {
    local info
    info="$(xwininfo -id "$1")"
    echo "$(awk '/Absolute upper-left X/{print $4}' <<<"$info") $(awk '/Absolute upper-left Y/{print $4}' <<<"$info")" \
         "$(awk '/Width:/{print $2}' <<<"$info") $(awk '/Height:/{print $2}' <<<"$info")"
}

# Prints the id of a message box: a window titled "Zorvex 2000" without a class, as SDL's X11 box makes it.
find_message_box() {
    xwininfo -root -tree | awk '/"Zorvex 2000": \(\)/ && !found {print $1; found = 1}'
}

screenshot() { import -window root "$1"; }

# Mean absolute difference of two pictures, 0..1.
picture_difference() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/'; }
