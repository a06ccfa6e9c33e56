#!/usr/bin/env bash
# Builds the fuzzers with clang (preset "fuzz": build-fuzz/) and runs each in turn, one at a time.
#   bash scripts/fuzz.sh [seconds per fuzzer, default 600] [harness ...]
# New inputs go to build-fuzz/corpus/<name>/ (the seeds in fuzz/corpus/ stay as they are);
# a crash is written to build-fuzz/findings/<name>/; the script goes on with the next
# harness and ends with status 1. One fuzzer runs at a time, in a single process.
# Copy a crash into fuzz/corpus/<name>/ as a regression input once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(strtoreal catalogue angledata stationfile datafile inifile cp1252 patternimport cliargs)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

status=0
for name in "${harnesses[@]}"; do
    mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name"
    echo "== $name: ${seconds} s"
    build-fuzz/bin/fuzz_"$name" -max_total_time="$seconds" -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$name/" \
        "build-fuzz/corpus/$name" "fuzz/corpus/$name" >"build-fuzz/findings/$name.log" 2>&1 || {
        echo "$name: finding, see build-fuzz/findings/$name.log"
        status=1
    }
    grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/findings/$name.log" || true
done
exit $status
