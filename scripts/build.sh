#!/usr/bin/env bash
# Configures (preset "release": build/, RelWithDebInfo, tests and benchmarks) and builds.
# Further arguments go to the configure step, e.g. -DRADEXA_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release "$@" >/dev/null
cmake --build --preset release
