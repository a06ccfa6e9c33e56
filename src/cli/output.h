#pragma once
// What radexa-cli prints: the window's values with its English labels (one station, or a
// tab-separated table of every band), or JSON with full precision.

#include "cli/evaluation.h"

#include <string>

namespace radexa::cli {

// The text output, UTF-8, lines ended by LF. Numbers with the decimal point.
std::string TextOutput(const Evaluation& evaluation);

// The JSON output: one object, or an array of one object per band.
std::string JsonOutput(const Evaluation& evaluation);

} // namespace radexa::cli
