#!/usr/bin/env bash
# Installs what the program needs, builds it, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target kavendix kavendix-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    cat <<MSG
No graphical display found (DISPLAY and WAYLAND_DISPLAY are empty), so the
desktop program cannot open its window. The computing core works without one:

    build/kavendix-cli --help
    build/kavendix-cli --select 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 all
    build/kavendix-cli --bets bets.txt parse

To see the window, run ./kavendix.sh inside a desktop session (or under Xvfb:
xvfb-run ./kavendix.sh).
MSG
    exit 1
fi
cd build
exec ./kavendix "$@"
