#include "core/calc/cable.h"

#include "core/support/textnumbers.h"
#include "core/support/types.h"

#include <array>
#include <cmath>

namespace radexa {

namespace {

constexpr std::size_t kPoints = 17;

constexpr std::array<double, kPoints> kFrequencies = {
    0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};

struct Cable {
    const char* name;
    std::array<double, kPoints> att; // dB per 100 m at kFrequencies
};

// clang-format off
const std::array<Cable, kCableCount> kCables = {{
    {"Aircom plus", {0.22, 0.24, 0.3, 0.4, 0.6, 1.1, 1.9, 2.2, 2.7, 3.3, 5.3, 9.0, 12.5, 20.7, 34.1, 56.4333, 101.1}},
    {"Aircell 7",   {0.21, 0.23, 0.29, 0.39, 0.59, 1.0, 1.5, 2.4, 4.0, 6.0, 9.0, 15.5, 24.5, 37.0, 57.0, 90.3333, 157.0}},
    {"H100",        {0.234, 0.248, 0.29, 0.36, 0.5, 0.83, 1.3, 1.75, 2.9, 4.18, 6.05, 10.0, 14.95, 22.0, 31.5, 47.3333, 79.0}},
    {"H2000",       {0.186, 0.202, 0.25, 0.33, 0.49, 0.78, 1.2, 1.7, 2.8, 3.9, 5.6, 9.0, 13.0, 19.0, 21.0, 24.3333, 31.0}},
    {"RG58",        {0.871, 0.932, 1.115, 1.42, 2.03, 3.25, 4.7, 6.7, 10.5, 15.0, 21.9, 36.3, 54.5, 83.4, 144.7, 246.8667, 451.2}},
    {"RG174",       {1.69, 1.8, 2.13, 2.68, 3.78, 6.03, 8.8, 12.4, 19.5, 27.5, 39.6, 64.4, 94.1, 139.0, 232.9, 389.4, 702.4}},
    {"RG213",       {0.344, 0.368, 0.44, 0.56, 0.8, 1.28, 1.86, 2.66, 4.23, 6.12, 9.18, 16.17, 25.9, 42.3, 79.7, 142.0333, 266.7}},
    {"RG220",       {0.106, 0.112, 0.13, 0.16, 0.22, 0.38, 0.56, 0.83, 1.4, 2.18, 3.2, 5.5, 8.3, 12.5, 17.0, 24.5, 39.5}},
    {"EcoFlex 10",  {0.215, 0.23, 0.275, 0.35, 0.5, 0.8, 1.2, 1.73, 2.85, 4.0, 5.8, 9.8, 14.2, 21.2, 38.0, 66.0, 122.0}},
    {"EcoFlex 15",  {0.21, 0.22, 0.25, 0.3, 0.4, 0.6, 0.86, 1.38, 1.96, 2.81, 4.05, 6.7, 9.8, 14.7, 25.7, 44.0333, 80.7}},
}};
// clang-format on

const Cable* cableAt(int cableIdx) {
    if (cableIdx < 1 || cableIdx > kCableCount)
        return nullptr;
    return &kCables[static_cast<std::size_t>(cableIdx - 1)];
}

CableValues refused(Refusal r) {
    CableValues v;
    v.refusal = r;
    return v;
}

} // namespace

std::string CableName(int cableIdx) {
    const Cable* c = cableAt(cableIdx);
    return c ? c->name : "";
}

int CableFromName(std::string_view name) {
    for (int i = 1; i <= kCableCount; ++i)
        if (SameTextNoCase(name, kCables[static_cast<std::size_t>(i - 1)].name))
            return i;
    return 0;
}

double CableAttenuation(int cableIdx, double f) {
    const Cable* c = cableAt(cableIdx);
    if (!c || !InClosedRange(f, kCableLowestFrequency, kCableHighestFrequency))
        return kUndefined;
    // Segments 0..14 hold their lower point only; the last one, 10000..20000, both.
    std::size_t k = kPoints - 2;
    for (std::size_t i = 0; i + 2 < kPoints; ++i) {
        if (InRange(f, kFrequencies[i], kFrequencies[i + 1])) {
            k = i;
            break;
        }
    }
    const double a0 = c->att[k], a1 = c->att[k + 1];
    const double l0 = std::log10(kFrequencies[k]), l1 = std::log10(kFrequencies[k + 1]);
    return a0 + (std::log10(f) - l0) * (a1 - a0) / (l1 - l0);
}

CableValues ComputeCable(int cableIdx, double attFreq, double cableLength, double plugAtt) {
    if (cableLength < 0)
        return refused(Refusal::CableLengthNotPositive);
    if (plugAtt < 0)
        return refused(Refusal::AttenuationNotPositive);
    if (!cableAt(cableIdx))
        return refused(Refusal::NoCable);
    const double att100 = CableAttenuation(cableIdx, attFreq);
    // Without a cable (length 0) there is no cable loss, at any frequency; only a cable
    // the table knows nothing of at this frequency cannot be computed.
    if (att100 == kUndefined && cableLength > 0)
        return refused(Refusal::CableFrequencyOutOfRange);
    CableValues v;
    v.AttFreq = attFreq;
    v.CableAtt100 = att100;
    v.CableLength = cableLength + 0.0; // "-0" is no length at all
    v.CableAtt = att100 == kUndefined ? 0.0 : att100 * v.CableLength / 100;
    v.PlugAtt = plugAtt + 0.0;
    v.TotalAtt = plugAtt + v.CableAtt;
    if (!std::isfinite(v.TotalAtt))
        return refused(Refusal::OutOfRange);
    return v;
}

CableValues UpdateCableValues(int cableIdx, double attFreq, std::string_view cableLengthText,
                              std::string_view plugAttText) {
    double length = 0, plug = 0;
    if (!TryStrToReal(cableLengthText, length))
        return refused(Refusal::CableLengthNotReal);
    if (length < 0)
        return refused(Refusal::CableLengthNotPositive);
    if (!TryStrToReal(plugAttText, plug) || plug < 0)
        return refused(Refusal::AttenuationNotPositive);
    return ComputeCable(cableIdx, attFreq, length, plug);
}

} // namespace radexa
