// Antenna data: loading a large catalogue, reading a long angle-data file, and the
// per-angle table.
#include "core/antennas/angledata.h"
#include "core/antennas/angletable.h"
#include "core/antennas/catalogue.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace radexa;

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = (fs::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// 32 768 entries of 10 points, spread over 4 096 manufacturers.
const std::string& catalogueFile() {
    static const std::string path = [] {
        std::string text;
        for (int m = 0; m < 4096; ++m) {
            text += "[Maker " + std::to_string(m) + "]\r\n";
            for (int e = 0; e < 8; ++e) {
                text += "Yagi " + std::to_string(e) + " el,Yagi";
                for (int p = 0; p < 10; ++p)
                    text += "," + std::to_string(14 + p) + ".2,7.5," + std::to_string(e + 2);
                text += ",#\r\n";
            }
        }
        return writeFile("radexa_bench_Antennas.txt", text);
    }();
    return path;
}

void BM_CatalogueLoadAndManufacturers(benchmark::State& state) {
    const std::string& path = catalogueFile();
    for (auto _ : state) {
        const TAntennen cat(path, "");
        StringArray makers = cat.GetManufacturers();
        std::sort(makers.begin(), makers.end(), [](const std::string& a, const std::string& b) {
            return std::lexicographical_compare(
                a.begin(), a.end(), b.begin(), b.end(),
                [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
        });
        benchmark::DoNotOptimize(makers);
    }
}
BENCHMARK(BM_CatalogueLoadAndManufacturers)->Unit(benchmark::kMillisecond);

// 32 767 lines: five header lines, one section line, the rest one attenuation each.
void BM_AngleFileRead(benchmark::State& state) {
    static const std::string path = [] {
        std::string text = "[Polarisation],v\r\n[Bereich],32760\r\n[Schrittweite],1\r\n"
                           "free text\r\nmore text\r\n[MHz],v,0,0\r\n";
        for (int k = 0; k < 32761; ++k)
            text += std::to_string(k % 40) + ".25\r\n";
        return writeFile("radexa_bench_angles.ang", text);
    }();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAngleFile(path, 14.0));
}
BENCHMARK(BM_AngleFileRead)->Unit(benchmark::kMillisecond);

// The table's four lists take 0.8 MB. In a fresh process glibc gives such blocks back to
// the system at every free (its trim threshold starts at twice the largest block freed so
// far) and the next table faults every page in again: BM_PatternTable measures that case.
// The window's process has long freed larger blocks (the pictures of several MB), so its
// allocator keeps the memory: BM_PatternTableWarmAllocator measures that case, after one
// picture-sized block was allocated and freed.
TWinkAnt patternData() {
    TWinkAnt w;
    w.Polarisation = "v";
    for (int k = 0; k < 32768; ++k) {
        w.VertAngles.push_back(static_cast<std::int16_t>(k));
        w.VertAttenuations.push_back((k % 400) / 10.0);
    }
    return w;
}

void BM_PatternTable(benchmark::State& state) {
    const TWinkAnt w = patternData();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputePattern(w, Polarisation::Vertical, 1000, 400, 27.5));
}
BENCHMARK(BM_PatternTable)->Unit(benchmark::kMicrosecond);

void BM_PatternTableWarmAllocator(benchmark::State& state) {
    {
        std::vector<char> picture(8 << 20, 1); // a side-view picture's worth
        benchmark::DoNotOptimize(picture.data());
    }
    const TWinkAnt w = patternData();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputePattern(w, Polarisation::Vertical, 1000, 400, 27.5));
}
BENCHMARK(BM_PatternTableWarmAllocator)->Unit(benchmark::kMicrosecond);

} // namespace
