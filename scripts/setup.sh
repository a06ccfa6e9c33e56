#!/usr/bin/env bash
# Installs what building, running and testing Radexa need on Debian 12 (as root, or with sudo).
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 xvfb xauth imagemagick
          clang-14 libclang-rt-14-dev clang-format-14
          desktop-file-utils appstream dpkg-dev file help2man poppler-utils
          nlohmann-json3-dev nec2c)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
