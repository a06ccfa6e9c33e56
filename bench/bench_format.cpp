#include "core/support/textnumbers.h"

#include <benchmark/benchmark.h>

// Number-to-text and text-to-number are on every recalculation's path.
static void BM_FormatReal(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(radexa::FormatReal("%3.2f", 12047.6417));
}
BENCHMARK(BM_FormatReal);

static void BM_StrToReal(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(radexa::StrToReal("12047.64"));
}
BENCHMARK(BM_StrToReal);
