#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# (window tests included) and runs it.
# Usage: tools/sanitize.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
build=${KAVENDIX_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKAVENDIX_SANITIZE=ON -DKAVENDIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Qt and fontconfig keep some allocations until exit on purpose.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp}
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 1200 "$@"
