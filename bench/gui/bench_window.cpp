// Window measurements, run offscreen:
// - start-up of the program to its first calculated window, against the bare baseline
//   window, as whole processes (wall time, and peak memory as counters);
// - one recalculation with a 32 768-row angle table on the Angle page.

#include "core/support/numbersettings.h"
#include "gui/app/mainwindow.h"
#include "gui/support/platform.h"

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

// Answers every box at once and counts them.
class SilentDialogs : public radexa::Dialogs {
public:
    int shown = 0;
    void warning(QWidget*, const QString&, const QString&) override { ++shown; }
    void information(QWidget*, const QString&, const QString&) override { ++shown; }
    std::optional<QString> textInput(QWidget*, const QString&, const QString&,
                                     const QString&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&, const QString&,
                                        const QString&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&, const QString&,
                                        const QString&, const QString&) override {
        ++shown;
        return std::nullopt;
    }
    std::optional<QColor> color(QWidget*, const QColor&) override {
        ++shown;
        return std::nullopt;
    }
};

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
    // Eight angles to a line: an angle file has at most 32 767 lines.
    for (int k = 0; k < 32768; k += 8) {
        QByteArray line;
        for (int j = 0; j < 8; ++j)
            line += (j ? "," : "") + QByteArray::number((k + j) % 40);
        ang.write(line + "\r\n");
    }
    ang.close();
    // A box would wait for a click that never comes: every one ends the measurement.
    SilentDialogs boxes;
    radexa::setDialogs(&boxes);
    {
        radexa::TRadexaForm form(dir.path(), false);
        form.LBHersteller->setCurrentRow(0);
        form.LBHerstellerClick();
        form.LBTypen->setCurrentRow(0);
        form.LBTypenClick();
        form.ButTakeAntClick();
        form.show();
        QApplication::processEvents();
        if (form.model().last().pattern.PatternDistances.size() != 32768 || boxes.shown)
            state.SkipWithError("the angle table was not filled");
        for (auto _ : state) {
            form.calcCall();
            QApplication::processEvents(); // the view repaints its visible rows
        }
        state.counters["rows"] =
            static_cast<double>(form.model().last().pattern.PatternDistances.size());
    }
    radexa::setDialogs(nullptr);
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
