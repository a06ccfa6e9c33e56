#pragma once
// radexa-cli's angle data from elsewhere: a pattern file (NEC-2 output, EZNEC far-field
// table, CSV) or a wire antenna computed with nec2c, printed in the angle-file format or,
// with --write, added to the operator's antennas with its angle file.

#include "cli/options.h"

#include <string>

namespace radexa::cli {

// The output of --import-pattern or --model (UTF-8). Throws CliError naming the option
// and the cause (the file's line and what was expected, nec2c's message).
std::string MakeAngleData(const Options& options, const std::string& programFolder);

} // namespace radexa::cli
