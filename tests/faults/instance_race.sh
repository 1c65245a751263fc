#!/usr/bin/env bash
# Eight copies of the game released at the same instant, round after round: exactly one keeps running, the rest end.
# Usage: instance_race.sh GAME [LSAN-SUPPRESSIONS]; ZV_RACE_ROUNDS and ZV_RACE_COPIES change the defaults (100, 8).
set -euo pipefail
bin="$1"
rounds="${ZV_RACE_ROUNDS:-100}"
copies="${ZV_RACE_COPIES:-8}"
[[ -n "${2:-}" ]] && export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$2}"
# No display at all: a losing copy's message box cannot open, and the copy must still end.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1
unset DISPLAY WAYLAND_DISPLAY

tmp="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy that has ended but is not yet reaped is a zombie: it counts as ended.
running() {
    local _pid _comm state=Z
    read -r _pid _comm state _ 2>/dev/null <"/proc/$1/stat" || true
    [[ "$state" != Z ]]
}
alive() {
    local n=0 p
    for p in "${pids[@]}"; do running "$p" && n=$((n + 1)); done
    echo "$n"
}

start=$SECONDS
for round in $(seq "$rounds"); do
    dir="$tmp/$round"
    mkdir -p "$dir/run" "$dir/data"
    chmod 700 "$dir/run"
    mkfifo "$dir/go"
    # Held open for reading and writing, the FIFO never blocks an open; each copy waits in its read for a line.
    exec 3<>"$dir/go"
    pids=()
    for i in $(seq "$copies"); do
        (
            exec 3>&-
            cd "$dir"
            export XDG_RUNTIME_DIR="$dir/run" XDG_DATA_HOME="$dir/data"
            read -r _ <"$dir/go"
            exec "$bin"
        ) >"$dir/out.$i" 2>&1 &
        pids+=($!)
    done
    # Release them together once every copy sits in its read (or after a second, whatever has come).
    for _ in $(seq 100); do
        waiting=0
        for p in "${pids[@]}"; do
            wchan=""
            read -r wchan 2>/dev/null <"/proc/$p/wchan" || true
            [[ "$wchan" == *pipe_read* ]] && waiting=$((waiting + 1))
        done
        [[ $waiting -eq $copies ]] && break
        sleep 0.01
    done
    printf 'go\n%.0s' $(seq "$copies") >&3
    exec 3>&-

    # The losers end by themselves; the winner stays.
    deadline=$((SECONDS + 30))
    while [[ "$(alive)" -gt 1 && $SECONDS -lt $deadline ]]; do sleep 0.02; done
    sleep 0.1
    n="$(alive)"
    [[ "$n" -eq 1 ]] || fail "round $round: $n of $copies copies running, expected exactly one"
    winner=""
    for i in "${!pids[@]}"; do
        p="${pids[$i]}"
        if running "$p"; then
            winner="$p"
            continue
        fi
        rc=0
        wait "$p" || rc=$?
        [[ $rc -eq 0 ]] || { cat "$dir/out.$((i + 1))" >&2; fail "round $round: a losing copy ended with status $rc"; }
    done
    kill -9 "$winner"
    wait "$winner" 2>/dev/null || true
    pids=()
    rm -rf "$dir"
done
echo "$rounds rounds of $copies copies: exactly one ran each time ($((SECONDS - start)) s)"
