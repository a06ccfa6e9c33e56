// The module radexa-cli loads for --report: the compliance report's PDF, made with Qt's
// GUI side on the offscreen platform, so that no display is needed.

#include "cli/report.h"

#include "report/app/reportpdf.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// Qt's own remarks (a missing runtime folder, fonts) are no output of the calculator: the
// report either is written or fails with its one line.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "radexa-cli: %s\n", qPrintable(message));
}

} // namespace

extern "C" __attribute__((visibility("default"))) bool
RadexaCliWriteReportPdf(const radexa::StationModel& station, const radexa::ReportRequest& request,
                        const std::string& file, std::string* error) {
    static char program[] = "radexa-cli";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {program, platform, offscreen, nullptr};
    static int argc = 3;
    qInstallMessageHandler(quiet);
    const QGuiApplication application(argc, argv);
    const radexa::FileWriteResult written = radexa::WriteReportPdf(
        file, radexa::BuildStationReport(station, request), radexa::SystemPaperSize());
    qInstallMessageHandler(nullptr);
    if (!written.ok() && error)
        *error = written.error;
    return written.ok();
}

// The module's function has the type radexa-cli calls it by.
static_assert(
    std::is_same_v<decltype(&RadexaCliWriteReportPdf), radexa::cli::WriteReportPdfFunction>);
