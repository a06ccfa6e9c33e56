#pragma once
// The per-angle table: for the chosen polarisation of the angle data, the EIRP and the
// safety distance in the direction of each angle, and the texts of the table's grid.

#include "core/antennas/angledata.h"
#include "core/support/types.h"

#include <string_view>
#include <vector>

namespace radexa {

enum class Polarisation { Vertical, Horizontal };

// The English column heads of the table, separated by ";".
constexpr std::string_view kAngleTableHeader = "Angle;Attenuation;EIRP;Distance";

// The four lists of the per-angle result, one element per angle.
struct PatternLists {
    SmallIntArray PatternAngles;     // degrees
    DoubleArray PatternAttenuations; // dB
    DoubleArray PatternEirp;         // W in the direction of the angle
    DoubleArray PatternDistances;    // m; kUndefined when the E-field limit is not positive
};

// The polarisation selected when a file has been read: the first letter of
// "[Polarisation]" (the file's main polarisation), else vertical when it contains v, else
// horizontal.
Polarisation PreselectedPolarisation(const TWinkAnt& data);

// The polarisation that a click on one leads to: one the file does not declare falls back
// to the other.
Polarisation ClickedPolarisation(const TWinkAnt& data, Polarisation clicked);

// The per-angle lists from the accepted section of the polarisation: factor 10^(-A/10),
// EIRP factor x eirp, distance sqrt(30 x factor x meanEirp) / eLimit.
PatternLists ComputePattern(const TWinkAnt& data, Polarisation polarisation, double eirp,
                            double meanEirp, double eLimit);
// The same from the safety distance in the main direction (0 dB): each direction's is
// that times 10^(-A/20), as every distance grows with the square root of the power (for
// a limit set, the largest over its checks alike); kUndefined gives none.
PatternLists ComputePattern(const TWinkAnt& data, Polarisation polarisation, double eirp,
                            double mainDistance);

// The column heads of the grid: the header text split at ";".
StringArray AngleTableHeader(std::string_view headerText = kAngleTableHeader);

// The grid's data rows: angle "%5d", attenuation, EIRP and distance "%7.2f" (decimal
// separator of the current number settings); an undefined distance shows as "---".
std::vector<StringArray> AngleTableRows(const PatternLists& lists);
// One data row of the grid (0-based angle index k), formatted as AngleTableRows does.
StringArray AngleTableRow(const PatternLists& lists, std::size_t k);

} // namespace radexa
