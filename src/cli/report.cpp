#include "cli/report.h"

#include "core/support/textnumbers.h"
#include "report/app/reportjson.h"
#include "report/app/reportpdf.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace radexa::cli {

namespace {

// Qt's own remarks (a missing runtime folder, fonts) are no output of the calculator: the
// report either is written or fails with its one line.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "radexa-cli: %s\n", qPrintable(message));
}

void write(const std::string& option, const FileWriteResult& written) {
    if (!written.ok())
        throw CliError{option + ": " + EchoText(written.error, 400), kExitFailed};
}

} // namespace

ReportTime ReportTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    char* end = nullptr;
    const long long seconds = fixed ? std::strtoll(fixed, &end, 10) : 0;
    if (fixed && *fixed && end && *end == '\0' && seconds >= 0) {
        now = static_cast<std::time_t>(seconds);
        gmtime_r(&now, &t);
    } else {
        localtime_r(&now, &t);
    }
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min};
}

void WriteReports(const Options& o, const StationModel& station) {
    ReportRequest request;
    request.language = o.language.value_or(Language::English);
    request.call = o.call.value_or(std::string());
    request.place = o.place.value_or(std::string());
    request.time = ReportTimeNow();
    if (o.reportJson)
        write("--report-json", WriteFileAtomic(*o.reportJson, ReportJson(station, request)));
    if (o.report) {
        // The PDF's fonts and layout need Qt's GUI side, on no display at all.
        static char program[] = "radexa-cli";
        static char platform[] = "-platform";
        static char offscreen[] = "offscreen";
        static char* argv[] = {program, platform, offscreen, nullptr};
        static int argc = 3;
        qInstallMessageHandler(quiet);
        const QGuiApplication application(argc, argv);
        const FileWriteResult written =
            WriteReportPdf(*o.report, BuildStationReport(station, request), SystemPaperSize());
        qInstallMessageHandler(nullptr);
        write("--report", written);
    }
}

} // namespace radexa::cli
