#pragma once
// The compliance report of radexa-cli: --report writes the station's PDF, --report-json its
// JSON twin. Only the PDF starts Qt (a QGuiApplication on the offscreen platform, so that
// no display is needed); the plain calculations and the JSON start none.

#include "cli/options.h"
#include "core/app/report.h"
#include "core/app/stationmodel.h"

namespace radexa::cli {

// The time the report is made at: SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is
// set to a number, as reproducible builds name a fixed time; the local time otherwise.
ReportTime ReportTimeNow();

// Writes the files --report and --report-json name. Throws CliError (exit status 1)
// naming the file and why when one cannot be written.
void WriteReports(const Options& options, const StationModel& station);

} // namespace radexa::cli
