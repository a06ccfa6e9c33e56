#!/usr/bin/env bash
# Configures and builds into build/ (or the folder named by RADEXA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${RADEXA_BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j2
