#!/usr/bin/env bash
# Sets up, builds and starts the program. It runs in build/bin, where the catalogue,
# the angle data and the manual lie beside it. Without a display, the command-line
# calculator shows the start-up station instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (DISPLAY is not set): the window cannot open here."
    echo "The start-up station, from the command-line calculator:"
    exec ./radexa-cli
fi
exec ./radexa "$@"
