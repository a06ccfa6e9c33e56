#include "core/calc/calc.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace radexa;

// One full recalculation as every input change of the window ends in: factors, cable
// page at the band's reference frequency, then the calculation.
void BM_FullRecalculation(benchmark::State& state) {
    StationSetup setup;
    int band = 1;
    for (auto _ : state) {
        setup.frequency = FrequencyChoice::Band(band);
        band = band % kBandCount + 1;
        benchmark::DoNotOptimize(Recalculate(setup));
    }
}
BENCHMARK(BM_FullRecalculation)->Repetitions(10)->ReportAggregatesOnly(true);

// The same with the output fields written as texts, as the window shows them.
void BM_FullRecalculationWithTexts(benchmark::State& state) {
    StationSetup setup;
    for (auto _ : state) {
        const StationResult r = Recalculate(setup);
        benchmark::DoNotOptimize(FormatCalcResult(r.calc, setup.AntennaGain));
    }
}
BENCHMARK(BM_FullRecalculationWithTexts)->Repetitions(10)->ReportAggregatesOnly(true);

// radexa-cli as a whole process with the arguments, in the folder, its output read through
// a pipe.
void runCli(benchmark::State& state, std::vector<std::string> args, const char* folder = nullptr) {
    std::string program = RADEXA_CLI_PATH;
    std::vector<char*> argv{program.data()};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string out;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("pipe failed");
            break;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        if (folder)
            posix_spawn_file_actions_addchdir_np(&actions, folder);
        pid_t pid = 0;
        const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out.clear();
        char buf[65536];
        for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
            out.append(buf, static_cast<std::size_t>(n));
        close(fds[0]);
        int status = 0;
        if (rc != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0 || out.empty()) {
            state.SkipWithError("radexa-cli did not run");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(out.size());
}

// `radexa-cli --all-bands --json`.
void BM_CliAllBandsJson(benchmark::State& state) {
    runCli(state, {"--all-bands", "--json"});
}
BENCHMARK(BM_CliAllBandsJson)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// `radexa-cli --compare --all-bands --json`: six limit sets and tiers on every band.
void BM_CliCompareAllBandsJson(benchmark::State& state) {
    runCli(state, {"--compare", "--all-bands", "--json"});
}
BENCHMARK(BM_CliCompareAllBandsJson)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The per-angle table of an antenna with 32 768 angles, as text.
void BM_CliAngleTable32768(benchmark::State& state) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "radexa_bench_cli_angles";
    std::filesystem::create_directories(dir / "ang");
    std::ofstream(dir / "Antennas.txt", std::ios::binary) << "[Long]\r\nYagi,Yagi,144,12.5,9,#\r\n";
    std::string angles =
        "[Polarisation],v\r\n[Bereich],32767\r\n[Schrittweite],1\r\n[MHz],v,0,0\r\n";
    for (int k = 0; k < 32768; k += 8)
        angles += "1.5,2,3.25,4,5,6,7,8\r\n";
    std::ofstream(dir / "ang" / "Long Yagi.ang", std::ios::binary) << angles;
    runCli(state, {"--manufacturer", "Long", "--antenna", "Yagi", "--angle-dir", "ang"},
           dir.c_str());
}
BENCHMARK(BM_CliAngleTable32768)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
