#pragma once
// The feed line: the attenuation table of the ten cable types, its interpolation at the
// operating frequency, and the combined attenuation `TotalAtt` of the cable page.

#include "core/calc/refusal.h"

#include <string>
#include <string_view>

namespace radexa {

// Number of cable types; `CableIDX` runs from 1 to this.
constexpr int kCableCount = 10;
// `CableIDX` of "RG213", selected at start-up.
constexpr int kStartupCable = 7;
// The frequencies at which the table knows the attenuation, MHz (both ends included).
constexpr double kCableLowestFrequency = 0.1;
constexpr double kCableHighestFrequency = 20000;

// Name of cable `CableIDX` ("Aircom plus" ... "EcoFlex 15"), the item text of the cable
// list; "" outside 1..10.
std::string CableName(int cableIdx);
// Cable index of a cable name, compared letter-case-blind; 0 when no cable has that name.
int CableFromName(std::string_view name);

// Attenuation of cable `CableIDX` at frequency f, dB per 100 m, linear in log10 f
// between table points; kUndefined outside 0.1..20000 MHz or for an unknown cable.
double CableAttenuation(int cableIdx, double f);

// The values of the cable page after a complete run of `UpdateCable`.
struct CableValues {
    Refusal refusal = Refusal::None; // when set, the other fields are 0 and mean nothing
    double AttFreq = 0;              // MHz
    double CableAtt100 = 0;          // dB per 100 m; kUndefined outside the table (length 0)
    double CableLength = 0;          // m
    double CableAtt = 0;             // dB
    double PlugAtt = 0;              // dB
    double TotalAtt = 0;             // dB
    bool ok() const { return refusal == Refusal::None; }
};

// The cable page from numbers: refuses a negative length or other loss, an unknown
// cable and a cable length above 0 at a frequency outside the table, in that order.
// Without a cable (length 0) the cable loss is 0 dB at any frequency.
CableValues ComputeCable(int cableIdx, double attFreq, double cableLength, double plugAtt);
// The cable page from the texts of `EditCableLength` and `EditPlugAtt`, with the
// refusals of `UpdateCable` in its order (length not a number, length negative, other
// losses not a number or negative), then those of ComputeCable.
CableValues UpdateCableValues(int cableIdx, double attFreq, std::string_view cableLengthText,
                              std::string_view plugAttText);

} // namespace radexa
