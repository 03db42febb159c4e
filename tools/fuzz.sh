#!/usr/bin/env bash
# Builds every fuzz target (clang, libFuzzer, ASan + UBSan) and runs each for
# SECONDS (default 60) over its seed corpus. Exits non-zero on any finding; the
# failing inputs are kept in build-fuzz/findings/.
# Usage: tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-60}
shift || true
tools/deps.sh clang libclang-rt-14-dev >/dev/null
build=${KAVENDIX_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKAVENDIX_FUZZ=ON -DKAVENDIX_BUILD_UI=OFF -DKAVENDIX_BUILD_BENCH=OFF \
    -DKAVENDIX_BUILD_TESTS=OFF -DKAVENDIX_WERROR=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
mkdir -p "$build/findings"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$t")"); done
fi
failed=0
for name in "${targets[@]}"; do
    short=${name#fuzz_}
    work=$(mktemp -d)
    seeds="tests/fuzz/corpus/$short"
    mkdir -p "$seeds"
    log="$build/findings/$name.log"
    # Readers of whole replies and files get inputs large enough to show a
    # reading that is not linear, and a per-input time-out that catches it.
    case $short in
    pages) limits=(-max_len=524288 -timeout=3) ;;
    project_file | archive_records | draw_result) limits=(-max_len=131072 -timeout=3) ;;
    *) limits=(-max_len=16384 -timeout=10) ;;
    esac
    if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/fuzz/$name" -max_total_time="$secs" "${limits[@]}" -rss_limit_mb=2048 \
        -artifact_prefix="$build/findings/$name-" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "$name: ok, $runs executions in ${secs}s"
    else
        echo "$name: FINDING (see $log)"
        tail -n 30 "$log"
        failed=1
    fi
    rm -rf "$work"
done
exit $failed
