#pragma once
// What radexa-cli computes: the options played on the station model as the operator's
// actions in the window, one model per row of the output.

#include "cli/options.h"
#include "core/app/stationmodel.h"

#include <string>
#include <vector>

namespace radexa::cli {

struct Evaluation {
    std::vector<StationModel> rows; // one station, or one per band with --all-bands
    bool powerFirst = false;        // --distance: the power found is printed first
    bool limits = false;            // a limit option was given: the set and checks are printed
    bool compare = false;           // --compare: the six sets and tiers per station
};

// Throws CliError naming the option (or the station-file line) that cannot be used.
// programFolder (with a trailing '/') holds ang/, unless --angle-dir names another folder.
Evaluation Evaluate(const Options& options, const std::string& programFolder);

// The line on stderr for a refusal of the calculation: the option it belongs to, the
// reason and what the option allows.
std::string RefusalLine(Refusal refusal);

} // namespace radexa::cli
