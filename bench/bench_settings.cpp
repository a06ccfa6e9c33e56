// The settings file Radexa.ini: reading one of 1 MiB (some 90 000 keys, half of them
// repeated in other letter case), as the window's start would if it read all of it.
#include "core/support/inifile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace radexa;

void BM_SettingsFile1MiB(benchmark::State& state) {
    std::string text = "[Fensterpositionen]\r\nLeft=250\r\nTop=80\r\n[Keys]\r\n";
    for (int i = 0; text.size() < (1u << 20); ++i)
        text += (i % 2 ? "KEY" : "key") + std::to_string(i / 2) + "=" + std::to_string(i) + "\r\n";
    for (auto _ : state) {
        const IniFile ini(text);
        benchmark::DoNotOptimize(ini.readInteger("Fensterpositionen", "Left", 100));
    }
}
BENCHMARK(BM_SettingsFile1MiB)->Unit(benchmark::kMillisecond);

} // namespace
