#pragma once
// The compliance report of radexa-cli: --report writes the station's PDF, --report-json its
// JSON twin. The JSON needs no Qt; the PDF is made by a module of its own
// (radexa-cli-report, which starts a QGuiApplication on the offscreen platform), loaded
// only when --report is given, so that the plain calculations load no Qt at all.

#include "cli/options.h"
#include "core/app/report.h"
#include "core/app/stationmodel.h"

#include <string>

namespace radexa::cli {

// The time the report is made at: SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is
// set to a number, as reproducible builds name a fixed time; the local time otherwise.
ReportTime ReportTimeNow();

// Writes the files --report and --report-json name. programFolder (with a trailing '/')
// holds the report module, or its lib/radexa beside bin/ does. Throws CliError (exit
// status 1) naming the file and why when one cannot be written.
void WriteReports(const Options& options, const StationModel& station,
                  const std::string& programFolder);

// The function the report module exports: writes the PDF; false with *error set when it
// could not.
using WriteReportPdfFunction = bool (*)(const StationModel& station, const ReportRequest& request,
                                        const std::string& file, std::string* error);
// Its name in the module.
inline constexpr char kWriteReportPdfSymbol[] = "RadexaCliWriteReportPdf";

} // namespace radexa::cli
