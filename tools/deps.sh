#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Usage: tools/deps.sh [extra packages...]
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libcurl4-openssl-dev libxml2-dev libxlsxwriter-dev libcli11-dev libgtest-dev
          libbenchmark-dev libcpp-httplib-dev python3-openpyxl fonts-dejavu-core
          nlohmann-json3-dev qt6-translations-l10n libsodium-dev libsqlite3-dev qt6-charts-dev
          libqt6opengl6-dev "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
