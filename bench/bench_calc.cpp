#include "core/calc/calc.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

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

// `radexa-cli --all-bands --json` as a whole process, its output read through a pipe.
void BM_CliAllBandsJson(benchmark::State& state) {
    char program[] = RADEXA_CLI_PATH;
    char allBands[] = "--all-bands";
    char json[] = "--json";
    char* argv[] = {program, allBands, json, nullptr};
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
        pid_t pid = 0;
        const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out.clear();
        char buf[4096];
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
BENCHMARK(BM_CliAllBandsJson)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
