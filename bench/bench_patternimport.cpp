// Pattern import and models: importing a 5 degree full-sphere NEC-2 output (target under
// 10 ms) and a dipole template end to end, deck, nec2c and import (target under 2 s).
#include "core/antennas/necmodel.h"
#include "core/antennas/patternimport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace radexa;

constexpr double kPi = 3.14159265358979323846;

// The output nec2c writes for a half-wave dipole along x in free space asked for every
// direction in 5 degree steps (RP 0 37 72 1000 0 0 5 5): 37 x 72 = 2 664 rows.
const std::string& fullSphereOutput() {
    static const std::string text = [] {
        std::string out = "                                FREQUENCY : 1.4200E+01 MHz\n\n"
                          "                            -------- ANTENNA ENVIRONMENT --------\n"
                          "                            FREE SPACE\n\n"
                          "                             ---------- RADIATION PATTERNS "
                          "-----------\n\n"
                          " ---- ANGLES -----     ----- POWER GAINS -----       ---- "
                          "POLARIZATION ----   ---- E(THETA) ----    ----- E(PHI) ------\n"
                          "  THETA      PHI       VERTC    HORIZ    TOTAL       AXIAL      TILT  "
                          "SENSE   MAGNITUDE    PHASE    MAGNITUDE     PHASE\n"
                          " DEGREES   DEGREES        DB       DB       DB       RATIO   DEGREES  "
                          "          VOLTS/M   DEGREES     VOLTS/M   DEGREES\n";
        char row[200];
        const auto db = [](double field) {
            return field * field > 1e-30 ? 2.15 + 10 * std::log10(field * field) : -999.99;
        };
        for (int j = 0; j < 72; ++j) {
            for (int i = 0; i < 37; ++i) {
                const double t = i * 5 * kPi / 180, p = j * 5 * kPi / 180;
                // The angle from the wire, and the share of each field component.
                const double x = std::sin(t) * std::cos(p);
                const double fromWire = std::acos(std::max(-1.0, std::min(1.0, x)));
                const double s = std::sin(fromWire);
                const double f = s < 1e-9 ? 0 : std::cos(kPi / 2 * std::cos(fromWire)) / s;
                const double eTheta = f * std::cos(t) * std::cos(p), ePhi = -f * std::sin(p);
                const double total = std::hypot(eTheta, ePhi);
                std::snprintf(row, sizeof row,
                              "%8.2f  %8.2f  %8.2f %8.2f %8.2f      0.0000  %8.2f %s  %10.4E  "
                              "%8.2f  %10.4E  %8.2f\n",
                              i * 5.0, j * 5.0, db(eTheta), db(ePhi), db(total), 0.0,
                              total > 0 ? "LINEAR" : "      ", std::abs(eTheta), 10.0,
                              std::abs(ePhi), 10.0);
                out += row;
            }
        }
        return out + "\n\n  DATA CARD No:   4 EN\n";
    }();
    return text;
}

void BM_ImportNecFullSphere(benchmark::State& state) {
    const std::string& text = fullSphereOutput();
    const ImportedPattern check = ImportNecPattern(text);
    if (check.step != 5 || check.range != 360 || check.azimuth != 90) {
        state.SkipWithError("the synthetic output does not import as the 5 degree sphere");
        return;
    }
    for (auto _ : state) {
        ImportedPattern p = ImportNecPattern(text);
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ImportNecFullSphere)->Unit(benchmark::kMillisecond);

void modelEndToEnd(benchmark::State& state, NecGround ground, NecResolution resolution) {
    if (FindNec2c().empty()) {
        state.SkipWithError("nec2c is not installed (apt install nec2c)");
        return;
    }
    NecModelOptions options;
    options.ground = ground;
    options.resolution = resolution;
    for (auto _ : state) {
        NecModelResult r = ComputeNecModel(DipoleDeck(14.2, 10, options));
        if (!r.ok()) {
            state.SkipWithError(r.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(r);
    }
}

void BM_DipoleModelAverageGround(benchmark::State& state) {
    modelEndToEnd(state, NecGround::Average, NecResolution::Cut);
}
BENCHMARK(BM_DipoleModelAverageGround)->Unit(benchmark::kMillisecond);

void BM_DipoleModelFullSphereAverageGround(benchmark::State& state) {
    modelEndToEnd(state, NecGround::Average, NecResolution::FullSphere);
}
BENCHMARK(BM_DipoleModelFullSphereAverageGround)->Unit(benchmark::kMillisecond);

void BM_DipoleModelFreeSpace(benchmark::State& state) {
    modelEndToEnd(state, NecGround::FreeSpace, NecResolution::Cut);
}
BENCHMARK(BM_DipoleModelFreeSpace)->Unit(benchmark::kMillisecond);

} // namespace
