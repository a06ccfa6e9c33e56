#!/usr/bin/env bash
# Sets up, builds and runs every test with warnings as errors; then the same suite built
# with the sanitizers, and the Debian package installed into a fresh root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DRADEXA_WERROR=ON
ctest --preset release
bash scripts/sanitize.sh
bash scripts/package-test.sh
