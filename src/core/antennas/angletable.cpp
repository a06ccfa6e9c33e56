#include "core/antennas/angletable.h"

#include "core/support/textnumbers.h"

#include <cmath>

namespace radexa {

Polarisation PreselectedPolarisation(const TWinkAnt& data) {
    // The file names its main polarisation first ("hv" for a horizontal Yagi): that one is
    // shown, not the weaker cross-polarised pattern.
    if (!data.Polarisation.empty() && data.Polarisation[0] == 'h' && data.HasHorizontal())
        return Polarisation::Horizontal;
    return data.HasVertical() ? Polarisation::Vertical : Polarisation::Horizontal;
}

Polarisation ClickedPolarisation(const TWinkAnt& data, Polarisation clicked) {
    Polarisation p = clicked;
    if (p == Polarisation::Vertical && !data.HasVertical())
        p = Polarisation::Horizontal;
    if (p == Polarisation::Horizontal && !data.HasHorizontal())
        p = Polarisation::Vertical;
    return p;
}

PatternLists ComputePattern(const TWinkAnt& data, Polarisation polarisation, double eirp,
                            double meanEirp, double eLimit) {
    // Without a limit (none defined at the frequency) there is no safety distance.
    const bool limited = eLimit > 0 && std::isfinite(eLimit);
    return ComputePattern(data, polarisation, eirp,
                          limited ? std::sqrt(30.0 * meanEirp) / eLimit : kUndefined);
}

PatternLists ComputePattern(const TWinkAnt& data, Polarisation polarisation, double eirp,
                            double mainDistance) {
    const bool vertical = polarisation == Polarisation::Vertical;
    PatternLists out;
    out.PatternAngles = vertical ? data.VertAngles : data.HorAngles;
    out.PatternAttenuations = vertical ? data.VertAttenuations : data.HorAttenuations;
    const std::size_t n = std::min(out.PatternAngles.size(), out.PatternAttenuations.size());
    out.PatternAngles.resize(n);
    out.PatternAttenuations.resize(n);
    out.PatternEirp.resize(n);
    out.PatternDistances.resize(n);
    // One exponential per angle: g = 10^(-A/20) is the field's factor and g^2 = 10^(-A/10)
    // the power's. Every distance grows with the square root of the power, so a direction's
    // distance is g times the distance in the main direction.
    const double fieldPerDecibel = -std::log(10.0) / 20.0;
    const bool limited = mainDistance != kUndefined;
    for (std::size_t k = 0; k < n; ++k) {
        const double g = std::exp(out.PatternAttenuations[k] * fieldPerDecibel);
        out.PatternEirp[k] = g * g * eirp;
        out.PatternDistances[k] = limited ? g * mainDistance : kUndefined;
    }
    return out;
}

StringArray AngleTableHeader(std::string_view headerText) {
    return SplitText(headerText, ';');
}

StringArray AngleTableRow(const PatternLists& lists, std::size_t k) {
    const double distance = lists.PatternDistances[k];
    return {FormatInt("%5d", lists.PatternAngles[k]),
            FormatReal("%7.2f", lists.PatternAttenuations[k]),
            FormatReal("%7.2f", lists.PatternEirp[k]),
            distance == kUndefined ? FormatText("%7s", "---") : FormatReal("%7.2f", distance)};
}

std::vector<StringArray> AngleTableRows(const PatternLists& lists) {
    std::vector<StringArray> rows;
    rows.reserve(lists.PatternEirp.size());
    for (std::size_t k = 0; k < lists.PatternEirp.size(); ++k)
        rows.push_back(AngleTableRow(lists, k));
    return rows;
}

} // namespace radexa
