#include "core/calc/limits.h"

#include <benchmark/benchmark.h>

namespace {

using namespace radexa;

// The six comparison rows (ICNIRP 1998, ICNIRP 2020 both tiers, FCC both tiers, SC6) for
// each of the 18 bands, as `--compare` over the band table would ask for them. The band
// scans are made once, at the first use, as `BandLimit` makes its own.
void BM_CompareSixRowsAllBands(benchmark::State& state) {
    for (auto _ : state)
        for (int band = 1; band <= kBandCount; ++band)
            benchmark::DoNotOptimize(CompareLimits(FrequencyChoice::Band(band), 100, 25));
}
BENCHMARK(BM_CompareSixRowsAllBands)->Repetitions(10)->ReportAggregatesOnly(true);

// The same at a fixed frequency in each band (no cached scan: every level is computed).
void BM_CompareSixRowsFixedFrequencies(benchmark::State& state) {
    for (auto _ : state)
        for (int band = 1; band <= kBandCount; ++band)
            benchmark::DoNotOptimize(
                CompareLimits(FrequencyChoice::Fixed(BandLowerEdge(band)), 100, 25));
}
BENCHMARK(BM_CompareSixRowsFixedFrequencies)->Repetitions(10)->ReportAggregatesOnly(true);

// One full station recalculation under ICNIRP 2020, against `BM_FullRecalculation`.
void BM_RecalculationUnderIcnirp2020(benchmark::State& state) {
    StationSetup setup;
    const LimitChoice choice{LimitSet::Icnirp2020, LimitTier::Public, GroundReflection::None};
    int band = 1;
    for (auto _ : state) {
        setup.frequency = FrequencyChoice::Band(band);
        band = band % kBandCount + 1;
        benchmark::DoNotOptimize(RecalculateUnderLimits(setup, choice));
    }
}
BENCHMARK(BM_RecalculationUnderIcnirp2020)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
