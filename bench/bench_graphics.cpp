#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"

#include <benchmark/benchmark.h>

#include <cmath>

// The geometry behind one drawing of each picture, with a sample every degree.
static radexa::SideViewData sideViewSamples() {
    radexa::SideViewData d;
    d.antennaHeight = 12;
    for (int a = 0; a <= 360; ++a) {
        d.angles.push_back(static_cast<std::int16_t>(a));
        d.distances.push_back(5 + 5 * std::cos(a * 3.14159265358979 / 180));
    }
    return d;
}

static void BM_SideViewGeometry(benchmark::State& state) {
    const radexa::SideViewData d = sideViewSamples();
    for (auto _ : state)
        benchmark::DoNotOptimize(radexa::ComputeSideView(d, 1.0, state.range(0) != 0));
}
BENCHMARK(BM_SideViewGeometry)->Arg(0)->Arg(1);

static void BM_DiagramGeometry(benchmark::State& state) {
    radexa::DiagramData d;
    for (int a = 0; a <= 360; ++a) {
        d.angles.push_back(static_cast<std::int16_t>(a));
        d.attenuations.push_back(a % 30);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(radexa::ComputeDiagram(d));
}
BENCHMARK(BM_DiagramGeometry);
