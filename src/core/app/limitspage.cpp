#include "core/app/limitspage.h"

#include "core/support/textnumbers.h"

#include <cmath>

namespace radexa {

namespace {

std::string levelText(double value, const char* format) {
    return value == kUndefined ? std::string("---") : FormatReal(format, value);
}

// Two decimals, but a value too large for the page's narrow places (a threshold at an
// astronomical distance, a distance of an absurd power) as "3,83E+302", and one beyond
// every number as "---": hundreds of digits would run off the page.
std::string twoDecimals(double value) {
    if (!std::isfinite(value))
        return "---";
    if (std::fabs(value) < 1e9)
        return FormatReal("%3.2f", value);
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    double mantissa = value / std::pow(10.0, exponent);
    if (std::fabs(mantissa) >= 9.995) { // rounds up to the next power of ten
        mantissa /= 10;
        ++exponent;
    }
    return FormatReal("%1.2f", mantissa) + "E+" + std::to_string(exponent);
}

} // namespace

LimitChecksTable LimitChecksTexts(const LimitEvaluation& limits, Language language) {
    LimitChecksTable table;
    table.header = SplitText(MessageText(language, MessageId::LimitsTableHeader), ';');
    const StringArray names = SplitText(MessageText(language, MessageId::LimitCheckNames), ';');
    table.binding = limits.binding;
    for (std::size_t r = 0; r < limits.checks.size(); ++r) {
        const LimitCheckResult& c = limits.checks[r];
        const auto nameAt = static_cast<std::size_t>(c.check);
        const bool binding = static_cast<int>(r) == limits.binding;
        table.rows.push_back({
            (nameAt < names.size() ? names[nameAt] : LimitCheckName(c.check)) +
                (binding ? " *" : ""),
            levelText(c.E, "%3.2f"),
            levelText(c.H, "%3.3f"),
            levelText(c.S, "%3.2f"),
            c.AveragingMinutes > 0 ? AveragingText(c.AveragingMinutes)
                                   : MessageText(language, MessageId::MsgPeak),
            c.SafetyDistance == kUndefined ? std::string("---") : twoDecimals(c.SafetyDistance),
        });
    }
    return table;
}

std::string ExemptionText(const FccExemption& e, Language language) {
    if (!e.ok())
        return {};
    switch (e.outcome) {
    case ExemptionOutcome::Exempt:
        return FillArguments(MessageText(language, MessageId::MsgExempt),
                             {twoDecimals(e.Erp), twoDecimals(e.Threshold)});
    case ExemptionOutcome::AboveThreshold:
        return FillArguments(MessageText(language, MessageId::MsgEvaluationRequired),
                             {twoDecimals(e.Erp), twoDecimals(e.Threshold)});
    case ExemptionOutcome::InsideNearField:
        return FillArguments(MessageText(language, MessageId::MsgExemptNearField),
                             {twoDecimals(e.NearField)});
    case ExemptionOutcome::OutsideRange:
        break;
    }
    return MessageText(language, MessageId::MsgExemptOutsideRange);
}

std::string LimitRefusalMessage(Refusal refusal, const LimitChoice& choice, Language language) {
    const std::string setName = LimitSetName(choice.set);
    if (refusal == Refusal::OutsideLimitSet)
        return FillArguments(MessageText(language, MessageId::MsgOutsideLimitSet),
                             {setName, TrimmedNumber(LimitSetLowest(choice.set)) + " - " +
                                           TrimmedNumber(LimitSetHighest(choice.set))});
    if (refusal == Refusal::NoLimitTier)
        return FillArguments(MessageText(language, MessageId::MsgNoLimitTier), {setName});
    return RefusalText(refusal);
}

std::string AveragingText(double minutes) {
    return TrimmedNumber(minutes, 2) + " min";
}

std::string TrimmedNumber(double x, int decimals) {
    std::string t = FormatReal(("%1." + std::to_string(decimals) + "f").c_str(), x);
    while (!t.empty() && t.back() == '0')
        t.pop_back();
    if (!t.empty() && (t.back() == ',' || t.back() == '.'))
        t.pop_back();
    return t;
}

} // namespace radexa
