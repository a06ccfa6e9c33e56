#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer (preset
# "asan": build-asan/, -O1, warnings as errors) and runs every test there, window tests
# included (offscreen), with leak checking. Any report stops the test that made it:
# -fno-sanitize-recover=all. The options of the sanitizers are in the test preset.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan -DRADEXA_WERROR=ON >/dev/null
cmake --build --preset asan
ctest --preset asan
