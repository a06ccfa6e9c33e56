#pragma once
// The compliance report's JSON twin: the same content as data, so that a record can be
// checked again by a later version. The station object carries the keys of radexa-cli
// --json (and the inputs besides), then the limit set and its checks, the FCC exemption
// and the same station on every band. No Qt.

#include "core/app/report.h"

#include <string>

namespace radexa {

// The JSON text (UTF-8, indented, ending with a line feed).
std::string ReportJson(const StationModel& station, const ReportRequest& request);

} // namespace radexa
