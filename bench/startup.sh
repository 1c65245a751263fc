#!/usr/bin/env bash
# Start-up time, memory and idle cost of the game beside the bare SDL2 floor program, in one run, under Xvfb.
# Usage: bench/startup.sh BUILD-DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
game="$build/src/app/zorvex2000"
floor="$build/bench/floor/zv-floor"
tmp="$(mktemp -d)"
cleanup() { kill -9 "${pids[@]}" 2>/dev/null || true; rm -rf "$tmp"; }
pids=()
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '\n' <"$tmp/display")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp"

echo "== exec to first presented frame (the program exits right after presenting it)"
ZV_BENCH_FIRST_FRAME=1 hyperfine --warmup 3 --runs 30 -N --export-markdown "$tmp/startup.md" \
    -n floor "$floor" -n zorvex2000 "$game" >/dev/null
cat "$tmp/startup.md"

echo
echo "== peak resident memory at the first frame"
for p in "$floor" "$game"; do
    rss="$(ZV_BENCH_FIRST_FRAME=1 /usr/bin/time -f "%M" "$p" 2>&1 >/dev/null | tail -1)"
    printf "%-12s %6s KiB\n" "$(basename "$p")" "$rss"
done

echo
echo "== ten idle seconds: CPU time and context switches"
for p in "$floor" "$game"; do
    "$p" &
    pid=$!; pids+=($pid)
    sleep 2
    read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
    v1="$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    n1="$(awk '/^nonvoluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    rss="$(awk '/^VmRSS/{print $2}' "/proc/$pid/status")"
    sleep 10
    read -r u2 s2 < <(awk '{print $14, $15}' "/proc/$pid/stat")
    v2="$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    n2="$(awk '/^nonvoluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    printf "%-12s cpu %d ticks, context switches %d voluntary %d forced, steady RSS %s KiB\n" \
        "$(basename "$p")" $((u2 + s2 - u1 - s1)) $((v2 - v1)) $((n2 - n1)) "$rss"
    kill "$pid"
done
