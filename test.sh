#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test (window tests on
# Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
build=${KAVENDIX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVENDIX_WERROR=ON ${KAVENDIX_CMAKE_ARGS:-}
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
# A short smoke run of every fuzz target over its seed corpus.
tools/fuzz.sh "${KAVENDIX_FUZZ_SECONDS:-5}"
