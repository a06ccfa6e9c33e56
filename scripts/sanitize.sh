#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $RADEXA_ASAN_DIR) and runs every test there, window tests included
# (offscreen), with leak checking. Any report stops the test that made it:
# -fno-sanitize-recover=all.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${RADEXA_ASAN_DIR:-build-asan}
# -O1 keeps the instrumented build and its tests quick; benchmarks mean nothing here.
cmake -S . -B "$dir" -G Ninja -DRADEXA_SANITIZE=ON -DRADEXA_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
cmake --build "$dir" -j"${RADEXA_JOBS:-2}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j"${RADEXA_JOBS:-2}"
