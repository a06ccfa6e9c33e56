// The station model with a long angle table: one operator action (a new power, a
// polarisation, a band change that reads the angle data again) with 32 768 angles.
#include "core/app/stationmodel.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace radexa;

// A catalogue of one 2 m antenna whose angle data have 32 768 angles.
StationModel modelWithLongTable() {
    const fs::path dir = fs::temp_directory_path() / "radexa_bench_model";
    fs::create_directories(dir / "ang");
    std::ofstream(dir / "Antennas.txt", std::ios::binary) << "[Long]\r\nYagi,Yagi,144,12.5,9,#\r\n";
    std::string angles =
        "[Polarisation],vh\r\n[Bereich],32767\r\n[Schrittweite],1\r\n[MHz],v,0,0\r\n";
    for (int k = 0; k < 32768; k += 8)
        angles += "1.5,2,3.25,4,5,6,7,8\r\n";
    angles += "[MHz],h,0,0\r\n0,1,2\r\n";
    std::ofstream(dir / "ang" / "Long Yagi.ang", std::ios::binary) << angles;
    StationPaths paths;
    paths.catalogueFile = (dir / "Antennas.txt").string();
    paths.userAntennaFile = (dir / "AntUser.txt").string();
    paths.angleFolders = {(dir / "ang").string() + "/"};
    StationModel m;
    m.loadCatalogue(paths);
    m.highlightEntry(0);
    m.takeAntenna();
    return m;
}

void BM_ModelPowerWith32768Angles(benchmark::State& state) {
    StationModel m = modelWithLongTable();
    if (m.last().pattern.PatternAngles.size() != 32768)
        state.SkipWithError("the angle table was not filled");
    int k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(m.setPowerText(++k % 2 ? "750" : "100"));
}
BENCHMARK(BM_ModelPowerWith32768Angles)->Unit(benchmark::kMillisecond);

void BM_ModelPolarisationWith32768Angles(benchmark::State& state) {
    StationModel m = modelWithLongTable();
    int k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            m.choosePolarisation(++k % 2 ? Polarisation::Horizontal : Polarisation::Vertical));
}
BENCHMARK(BM_ModelPolarisationWith32768Angles)->Unit(benchmark::kMillisecond);

// A band change reads the angle data again for the new band (here the same 2 m).
void BM_ModelBandChangeWith32768Angles(benchmark::State& state) {
    StationModel m = modelWithLongTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(m.chooseBand(kStartupBand));
}
BENCHMARK(BM_ModelBandChangeWith32768Angles)->Unit(benchmark::kMillisecond);

} // namespace
