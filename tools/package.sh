#!/usr/bin/env bash
# Builds the Debian package of both programs: build-package/kavendix_<version>_<arch>.deb,
# hardened (FORTIFY, stack protector, RELRO with BIND_NOW, PIE).
# Install it with: sudo apt-get install ./build-package/kavendix_*.deb
#
# The package's program accepts only updates signed with the publisher's key:
# give its public half (64 hex digits, printed by `sign-release keygen`) in
# KAVENDIX_UPDATE_PUBLIC_KEY. Without it the program refuses every update.
#
# The maintainer ("Name <address>") comes from KAVENDIX_MAINTAINER, else from
# DEBFULLNAME and DEBEMAIL, else from git's user.name and user.email.
# Usage: [KAVENDIX_MAINTAINER=...] [KAVENDIX_UPDATE_PUBLIC_KEY=...] tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh dpkg-dev file
build=${KAVENDIX_PACKAGE_BUILD_DIR:-build-package}
maintainer=${KAVENDIX_MAINTAINER:-}
if [ -z "$maintainer" ] && [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
    maintainer="$DEBFULLNAME <$DEBEMAIL>"
fi
if [ -z "$maintainer" ] && git config user.email >/dev/null; then
    maintainer="$(git config user.name) <$(git config user.email)>"
fi
if ! [[ "$maintainer" =~ ^[^\<\>]+\ \<[^@\<\>\ ]+@[^@\<\>\ ]+\>$ ]]; then
    echo "error: no maintainer: set KAVENDIX_MAINTAINER='Name <address>'" >&2
    exit 1
fi
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ -z "${KAVENDIX_UPDATE_PUBLIC_KEY:-}" ]; then
    echo "note: KAVENDIX_UPDATE_PUBLIC_KEY is not set; this package will refuse every update" >&2
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVENDIX_BUILD_TESTS=OFF \
    -DKAVENDIX_BUILD_BENCH=OFF -DKAVENDIX_HARDENING=ON -DKAVENDIX_MAINTAINER="$maintainer" \
    -DKAVENDIX_UPDATE_PUBLIC_KEY="${KAVENDIX_UPDATE_PUBLIC_KEY:-}" "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB)
ls "$build"/kavendix_*.deb
