#!/usr/bin/env bash
# Builds everything and runs every test: the suite, the suite again under ASan+UBSan, and the fuzzers for a bounded time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/deps.sh test

jobs="$(nproc)"
fuzz_seconds="${ZV_FUZZ_SECONDS:-45}"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 LANG=C.UTF-8

echo "== build and test"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_TESTS=ON -DZV_BENCH=ON >/dev/null
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 600

echo "== the same suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZV_SANITIZE=ON -DZV_TESTS=ON -DZV_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900 -LE slow

echo "== fuzzers, ${fuzz_seconds}s each"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_FUZZ=ON \
    -DZV_TESTS=ON -DZV_BENCH=OFF -DZV_TOOLS=ON >/dev/null
# Every tests/<area>/corpus/<name>/ is the seed corpus of the fuzz target fuzz_<name>.
fuzzers=()
corpora=()
for corpus in tests/*/corpus/*/; do
    [[ -d "$corpus" ]] || continue
    name="$(basename "$corpus")"
    [[ "$name" == fuzz_* ]] || name="fuzz_$name"
    fuzzers+=("$name")
    corpora+=("$corpus")
done
cmake --build build-fuzz -j "$jobs" --target "${fuzzers[@]}"
for i in "${!fuzzers[@]}"; do
    f="${fuzzers[$i]}"
    corpus="${corpora[$i]}"
    exe="$(find build-fuzz -type f -name "$f" -perm -u+x | head -1)"
    work="$(mktemp -d)"
    echo "-- $f"
    "$exe" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$work" "$corpus" 2>&1 | grep -E "^(stat::number_of_executed_units|==|SUMMARY)" || true
    # libFuzzer leaves crash-* files in the current directory on a finding.
    if compgen -G "crash-*" >/dev/null || compgen -G "leak-*" >/dev/null || compgen -G "timeout-*" >/dev/null; then
        echo "fuzzer $f found a problem"; exit 1
    fi
    rm -rf "$work"
done
echo "all tests passed"
