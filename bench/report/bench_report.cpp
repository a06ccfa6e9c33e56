// The compliance report, run offscreen: a station whose antenna has a 73-row angle table
// (0 to 360 degrees in 5-degree steps), with the side view and the diagram, built and
// written as a PDF; and its JSON twin. Targets: the PDF in under 500 ms, under 1 MB. The
// same with a table of 3 600 rows, which runs over some 68 pages.

#include "core/app/report.h"
#include "core/support/atomicfile.h"
#include "core/support/numbersettings.h"
#include "report/app/reportpdf.h"
#include "json/reportjson.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// A working folder with one yagi for 2m and 70cm whose angle data has 73 angles (0 to 360
// degrees in 5-degree steps), or as many as asked for in 1-degree steps.
class Station {
public:
    explicit Station(int angles = 73) {
        const std::string folder = m_dir.path().toStdString() + "/";
        radexa::WriteFileAtomic(folder + "Antennas.txt",
                                "[Bench]\r\nBeam,Yagi,144,12.4,9,432,14.5,19,#\r\n");
        const int step = angles == 73 ? 5 : 1;
        std::string values = "0";
        for (int i = 1; i < angles; ++i)
            values += "," + std::to_string(25 * std::pow(std::sin(i * step * M_PI / 360), 2));
        QDir(m_dir.path()).mkpath("ang");
        radexa::WriteFileAtomic(folder + "ang/Bench Beam.ang",
                                "[Polarisation],v\r\n[Bereich],360\r\n[Schrittweite]," +
                                    std::to_string(step) + "\r\n[MHz],v,0,0\r\n" + values + "\r\n");
        radexa::StationPaths paths;
        paths.catalogueFile = folder + "Antennas.txt";
        paths.userAntennaFile = folder + "AntUser.txt";
        paths.angleFolders = {folder + "ang/"};
        model.loadCatalogue(paths);
        model.highlightManufacturer("Bench");
        model.highlightAntenna(0);
        model.takeAntenna();
        model.setPowerText("750");
        request.call = "DL/G4ABC/P";
        request.place = "Ulm";
        request.time = {2025, 5, 24, 14, 3};
        pdfPath = folder + "report.pdf";
    }
    radexa::StationModel model;
    radexa::ReportRequest request;
    std::string pdfPath;

private:
    QTemporaryDir m_dir;
};

// The PDF of a station whose angle table has state.range(0) rows.
void BM_ReportPdf(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    Station s(rows);
    if (s.model.last().pattern.PatternAngles.size() != static_cast<std::size_t>(rows)) {
        state.SkipWithError("the station's angle table has another number of rows");
        return;
    }
    radexa::ReportPdf pdf;
    for (auto _ : state) {
        const radexa::StationReport report = radexa::BuildStationReport(s.model, s.request);
        pdf = radexa::ReportPdfBytes(report, radexa::PaperSize::A4);
        const radexa::FileWriteResult written = radexa::WriteFileAtomic(
            s.pdfPath,
            std::string_view(pdf.bytes.constData(), static_cast<std::size_t>(pdf.bytes.size())));
        if (!written.ok())
            state.SkipWithError(written.error.c_str());
    }
    state.counters["pdf_bytes"] = static_cast<double>(pdf.bytes.size());
    state.counters["pages"] = pdf.pages;
}
// Targets: 73 rows under 500 ms; 3 600 rows (68 pages) under 10 s.
BENCHMARK(BM_ReportPdf)->Arg(73)->Arg(3600)->Unit(benchmark::kMillisecond);

void BM_ReportJson73Angles(benchmark::State& state) {
    Station s;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = radexa::ReportJson(s.model, s.request).size();
    state.counters["json_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReportJson73Angles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const radexa::ScopedNumberSettings program(
        radexa::ProgramNumberSettings(radexa::CurrentNumberSettings()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
