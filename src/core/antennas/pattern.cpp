#include "core/antennas/pattern.h"

#include "core/support/rdfunc.h"

#include <cmath>

namespace radexa {

Polarisation PreselectedPolarisation(const TWinkAnt& data) {
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
    return ComputePattern(data, polarisation, eirp, [=](double factor) {
        return limited ? std::sqrt(30.0 * factor * meanEirp) / eLimit : kUndefined;
    });
}

PatternLists ComputePattern(const TWinkAnt& data, Polarisation polarisation, double eirp,
                            const std::function<double(double factor)>& distanceAtFactor) {
    const bool vertical = polarisation == Polarisation::Vertical;
    PatternLists out;
    out.PatternAngles = vertical ? data.VertAngles : data.HorAngles;
    out.PatternAttenuations = vertical ? data.VertAttenuations : data.HorAttenuations;
    const std::size_t n = std::min(out.PatternAngles.size(), out.PatternAttenuations.size());
    out.PatternAngles.resize(n);
    out.PatternAttenuations.resize(n);
    out.PatternEirp.reserve(n);
    out.PatternDistances.reserve(n);
    for (const double attenuation : out.PatternAttenuations) {
        const double factor = std::pow(10.0, -attenuation / 10.0);
        out.PatternEirp.push_back(factor * eirp);
        out.PatternDistances.push_back(distanceAtFactor(factor));
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
