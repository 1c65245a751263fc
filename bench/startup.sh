#!/usr/bin/env bash
# Start-up time, memory and idle cost of the game beside the bare SDL2 floor program, in one run, under Xvfb:
# at scale 1, at scale 1.5 (ZORVEX_SCALE=1.5) and at scale 2 (ZORVEX_SCALE=2), each beside the floor opening a
# window of the same size (948 x 738 and 1264 x 984 pixels).
# Start-up is given three times: exec to the end of a program that exits right after its first frame, exec to
# the first presented frame by the program's own clock, and exec to the last repaint within a settle time.
# Needs Xvfb, hyperfine, jq, xdotool, xwininfo and GNU time.
# Usage: bench/startup.sh BUILD-DIR
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
game="$build/src/app/zorvex2000"
floor="$build/bench/floor/zv-floor"
tmp="$(mktemp -d)"
cleanup() { kill -9 "${pids[@]}" 2>/dev/null || true; rm -rf "$tmp"; }
pids=()
trap cleanup EXIT

# Large enough for the game's window at scale 2: a smaller screen would make it fall back to the scale that fits.
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids+=($!)
disown
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '\n' <"$tmp/display")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
# Only ZORVEX_SCALE below picks the scale; Xvfb has no Xft.dpi.
unset ZORVEX_SCALE GDK_SCALE
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp"

# Each scale: its name, the value of ZORVEX_SCALE, and the floor's window size.
scales=("1x 1 632 492" "1.5x 1.5 948 738" "2x 2 1264 984")

# The floor's and the game's median, fastest and slowest run and the ratio of the medians, from
# $tmp/floor.KIND and $tmp/game.KIND: a time a line (times FACTOR makes it milliseconds), and with "frames" a
# second column, the frames presented, whose median is shown too.
table() {
    local kind="$1" value="$2" w="$3" h="$4" factor="$5" with_frames="${6:-}" f which label frames=""
    if [[ -n "$with_frames" ]]; then
        echo "| Command | Median [ms] | Min [ms] | Max [ms] | Runs | Frames (median) | Relative (medians) |"
        echo "|:---|---:|---:|---:|---:|---:|---:|"
    else
        echo "| Command | Median [ms] | Min [ms] | Max [ms] | Runs | Relative (medians) |"
        echo "|:---|---:|---:|---:|---:|---:|"
    fi
    f="$(sort -g "$tmp/floor.$kind" | awk '{ v[NR] = $1 } END { print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }')"
    for which in floor game; do
        label="\`zv-floor $w $h\`"
        [[ $which == game ]] && label="\`ZORVEX_SCALE=$value zorvex2000\`"
        [[ -n "$with_frames" ]] &&
            frames="$(sort -g -k2 "$tmp/$which.$kind" | awk '{ v[NR] = $2 } END { print v[int((NR + 1) / 2)] }') | "
        sort -g "$tmp/$which.$kind" | awk -v label="$label" -v f="$f" -v k="$factor" -v frames="$frames" '{ v[NR] = $1 }
            END { m = (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2
                  printf "| %s | %.1f | %.1f | %.1f | %d | %s%.2f |\n", label, m * k, v[1] * k, v[NR] * k, NR, frames, m / f }'
    done
    echo
}

# A busy machine slows whatever runs while it is busy: the floor and the game take turns, a few runs each, for
# several rounds, and the medians of all their runs are compared.
rounds="${ZV_STARTUP_ROUNDS:-6}"
for s in "${scales[@]}"; do
    read -r name value w h <<<"$s"
    echo "== $name: exec to the end of a program that exits right after presenting its first frame, $rounds rounds of 5 runs in turn"
    : >"$tmp/floor.times"
    : >"$tmp/game.times"
    for _ in $(seq "$rounds"); do
        ZORVEX_SCALE=$value ZV_BENCH_FIRST_FRAME=1 hyperfine --warmup 1 --runs 5 -N --export-json "$tmp/round.json" \
            -n floor "$floor $w $h" -n game "$game" >/dev/null
        jq '.results[0].times[]' "$tmp/round.json" >>"$tmp/floor.times"
        jq '.results[1].times[]' "$tmp/round.json" >>"$tmp/game.times"
    done
    table times "$value" "$w" "$h" 1000
done

# Exec to the first frame by each program's own clock (the wall-clock time it writes as it presents the frame,
# ZV_BENCH_FRAMES), so what a program does on its way out after it is not counted, as the figures above count it.
first_runs="${ZV_STARTUP_FIRST_RUNS:-15}"
first_frame() {
    local t0
    t0="$EPOCHREALTIME"
    ZV_BENCH_FIRST_FRAME=1 ZV_BENCH_FRAMES=1 "$@" >/dev/null 2>"$tmp/frames" || true
    awk -v t0="$t0" '/: frame 1 of window [0-9]+ at / { for (i = 1; i < NF; i++) if ($i == "at") t = $(i + 1) }
        END { if (t) printf "%.3f\n", (t - t0) * 1000; else print "nan" }' "$tmp/frames"
}
for s in "${scales[@]}"; do
    read -r name value w h <<<"$s"
    echo "== $name: exec to the first presented frame (each program's own clock), $first_runs runs each in turn"
    : >"$tmp/floor.first"
    : >"$tmp/game.first"
    for _ in $(seq "$first_runs"); do
        first_frame "$floor" "$w" "$h" >>"$tmp/floor.first"
        ZORVEX_SCALE=$value first_frame "$game" >>"$tmp/game.first"
    done
    table first "$value" "$w" "$h" 1
done

# Exec to the last frame presented within a settle time, and how many frames that took: the first frame may not
# be the whole window. Each program writes the wall-clock time of every frame it presents (ZV_BENCH_FRAMES), and
# is ended with SIGTERM once the settle time has passed.
settle="${ZV_STARTUP_SETTLE:-2}"
settle_runs="${ZV_STARTUP_SETTLE_RUNS:-7}"
last_repaint() {
    local t0 pid
    t0="$EPOCHREALTIME"
    ZV_BENCH_FRAMES=1 "$@" >/dev/null 2>"$tmp/frames" &
    pid=$!
    pids+=("$pid")
    sleep "$settle"
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The time is the word after "at": the game's lines go on to say what the frame painted.
    awk -v t0="$t0" '/: frame [0-9]+ of window [0-9]+ at / { for (i = 1; i < NF; i++) if ($i == "at") t = $(i + 1); n++ }
        END { if (n) printf "%.3f %d\n", (t - t0) * 1000, n; else print "nan 0" }' "$tmp/frames"
}
for s in "${scales[@]}"; do
    read -r name value w h <<<"$s"
    echo "== $name: exec to the last repaint within $settle s (each program's own presented frames), $settle_runs runs each in turn"
    : >"$tmp/floor.last"
    : >"$tmp/game.last"
    for _ in $(seq "$settle_runs"); do
        last_repaint "$floor" "$w" "$h" >>"$tmp/floor.last"
        ZORVEX_SCALE=$value last_repaint "$game" >>"$tmp/game.last"
    done
    table last "$value" "$w" "$h" 1 frames
done

# The median of five, so one slow start on a busy machine does not decide it.
peak() {
    for _ in 1 2 3 4 5; do ZV_BENCH_FIRST_FRAME=1 /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1; done | sort -n | sed -n 3p
}
echo "== peak resident memory at the first frame (median of 5)"
for s in "${scales[@]}"; do
    read -r name value w h <<<"$s"
    f="$(peak "$floor" "$w" "$h")"
    g="$(ZORVEX_SCALE=$value peak "$game")"
    printf "%-3s zv-floor %4d x %-4d %6s KiB   zorvex2000 %6s KiB   %s\n" "$name" "$w" "$h" "$f" "$g" \
        "$(awk -v f="$f" -v g="$g" 'BEGIN { printf "%.2fx", g / f }')"
done

echo
echo "== ten idle seconds: CPU time and context switches"
idle() {
    local label="$1"
    shift
    "$@" &
    local pid=$!
    pids+=("$pid")
    sleep 2
    # The size of the window on the screen, so a scale the screen could not take does not pass unnoticed.
    local size="" id
    for id in $(xdotool search --pid "$pid" 2>/dev/null); do
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' || continue
        size="$(xwininfo -id "$id" | awk '/^ *Width:/{w = $2} /^ *Height:/{h = $2} END {print w "x" h}')"
        break
    done
    read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
    v1="$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    n1="$(awk '/^nonvoluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    rss="$(awk '/^VmRSS/{print $2}' "/proc/$pid/status")"
    sleep 10
    read -r u2 s2 < <(awk '{print $14, $15}' "/proc/$pid/stat")
    v2="$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    n2="$(awk '/^nonvoluntary_ctxt_switches/{print $2}' "/proc/$pid/status")"
    printf "%-17s window %-9s cpu %d ticks, context switches %d voluntary %d forced, steady RSS %s KiB\n" \
        "$label" "${size:-?}" $((u2 + s2 - u1 - s1)) $((v2 - v1)) $((n2 - n1)) "$rss"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
for s in "${scales[@]}"; do
    read -r name value w h <<<"$s"
    idle "zv-floor $name" "$floor" "$w" "$h"
    ZORVEX_SCALE=$value idle "zorvex2000 $name" "$game"
done
