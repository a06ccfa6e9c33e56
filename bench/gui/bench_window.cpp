// Window measurements, run offscreen:
// - start-up of the program to its first calculated window, against the bare baseline
//   window, as whole processes (wall time, and peak memory as counters);
// - one recalculation with a 32 768-row angle table on the Angle page.

#include "core/support/numbersettings.h"
#include "gui/app/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ProcessRun {
    double seconds = 0;
    long maxRssKiB = 0;
};

ProcessRun runProcess(const char* path, const char* const* args, const char* workingDir) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (workingDir && chdir(workingDir) != 0)
            _exit(126);
        execv(path, const_cast<char* const*>(args));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

void measure(benchmark::State& state, const char* path, const char* const* args, const char* dir) {
    long peak = 0;
    for (auto _ : state) {
        const ProcessRun r = runProcess(path, args, dir);
        state.SetIterationTime(r.seconds);
        peak = std::max(peak, r.maxRssKiB);
    }
    state.counters["peak_rss_KiB"] = static_cast<double>(peak);
}

void BM_StartupBaselineWindow(benchmark::State& state) {
    const char* args[] = {RADEXA_BASELINE_PATH, nullptr};
    measure(state, RADEXA_BASELINE_PATH, args, nullptr);
}
BENCHMARK(BM_StartupBaselineWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_StartupRadexa(benchmark::State& state) {
    // The program runs in its build folder, beside the shipped catalogue.
    const std::string dir =
        QFileInfo(QStringLiteral(RADEXA_PROGRAM_PATH)).absolutePath().toStdString();
    const char* args[] = {RADEXA_PROGRAM_PATH, "--no-splash", "--quit-after-start", nullptr};
    measure(state, RADEXA_PROGRAM_PATH, args, dir.c_str());
}
BENCHMARK(BM_StartupRadexa)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_RecalculateWith32768Angles(benchmark::State& state) {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("ang"));
    QFile cat(QStringLiteral("Antennas.txt"));
    cat.open(QIODevice::WriteOnly);
    cat.write("[Bench]\r\nLong,Yagi,144,10,9,#\r\n");
    cat.close();
    QFile ang(QStringLiteral("ang/Bench Long.ang"));
    ang.open(QIODevice::WriteOnly);
    ang.write("[Polarisation],v\r\n[Bereich],32767\r\n[Schrittweite],1\r\n[MHz],v,144,0\r\n");
    for (int k = 0; k < 32768; ++k)
        ang.write(QByteArray::number(k % 40) + "\r\n");
    ang.close();
    {
        radexa::TRadexaForm form(dir.path(), false);
        form.LBHersteller->setCurrentRow(0);
        form.LBHerstellerClick();
        form.LBTypen->setCurrentRow(0);
        form.LBTypenClick();
        form.ButTakeAntClick();
        form.show();
        QApplication::processEvents();
        if (form.model().last().pattern.PatternDistances.size() != 32768)
            state.SkipWithError("the angle table was not filled");
        for (auto _ : state) {
            form.calcCall();
            QApplication::processEvents(); // the view repaints its visible rows
        }
        state.counters["rows"] =
            static_cast<double>(form.model().last().pattern.PatternDistances.size());
    }
    QDir::setCurrent(old);
}
BENCHMARK(BM_RecalculateWith32768Angles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    radexa::ScopedNumberSettings numbers(radexa::ProgramNumberSettings(radexa::NumberSettings{}));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
