#pragma once
// The Limits page as texts in one of the window's languages: the table of the limit set's
// checks, the FCC exemption's outcome and the message of a limit set's refusal. The main
// window shows them and the compliance report prints them. Windows-1252 bytes; numbers in
// the current number settings.

#include "core/app/languages.h"
#include "core/calc/limits.h"
#include "core/support/types.h"

#include <string>
#include <vector>

namespace radexa {

// The table of checks: one row per check of the set, "---" where the set gives no level.
struct LimitChecksTable {
    StringArray header; // the column heads; CR LF inside a head
    std::vector<StringArray>
        rows;         // name (" *" after the binding one), E, H, S, averaging, distance
    int binding = -1; // the row of the binding check, -1 for none
};
LimitChecksTable LimitChecksTexts(const LimitEvaluation& limits, Language language);

// The exemption's line: exempt or evaluation required, with the ERP and the threshold, the
// near-field distance, or no threshold at the frequency. Empty for a refused exemption.
std::string ExemptionText(const FccExemption& exemption, Language language);

// A refusal as the operator reads it: the set and its range for OutsideLimitSet, the set
// for NoLimitTier (both in the language), else the refusal's own (English) text.
std::string LimitRefusalMessage(Refusal refusal, const LimitChoice& choice, Language language);

// A number as short as it can be written with at most that many decimals: "0,1", "300000".
std::string TrimmedNumber(double x, int decimals = 4);

// An averaging time: "30 min", "5,76 min", "0,38 min" (whole minutes would show the short
// times above 100 GHz as "0 min").
std::string AveragingText(double minutes);

} // namespace radexa
