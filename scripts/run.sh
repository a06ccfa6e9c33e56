#!/usr/bin/env bash
# Sets up, builds and starts the program. It runs in build/bin, where the catalogue,
# the angle data and the manual lie beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build/bin
exec ./radexa "$@"
