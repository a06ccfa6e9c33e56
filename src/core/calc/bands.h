#pragma once
// The band table, the electric-field reference levels for persons (ICNIRP), the limit
// of a whole band, and the two averaging factors (modulation and intermittent) that
// turn peak power into the power averaged over six minutes. Frequencies in MHz, field
// strengths in V/m. Constant data; no state.

#include "core/support/types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace radexa {

// Number of bands in the band table; `BandIDX` runs from 1 to this.
constexpr int kBandCount = 18;
// The band "2m", selected at start-up.
constexpr int kStartupBand = 12;

// Lower edge of band `BandIDX` (its reference frequency), MHz; kUndefined outside 1..18.
double BandLowerEdge(int bandIdx);
// Upper edge of band `BandIDX`, MHz; kUndefined outside 1..18.
double BandUpperEdge(int bandIdx);
// Name of band `BandIDX` ("LW" ... "3cm"), the item text of the band list; "" outside.
std::string HamBands(int bandIdx);
// Band index of a band name, compared letter-case-blind; 0 when no band has that name.
int BandFromName(std::string_view name);
// The text the frequency field shows for a band: lower edge, " - ", upper edge.
std::string BandEdgesText(int bandIdx);

// Reference level for persons at frequency f; 0 outside 0.003 <= f < 300000.
double EFieldLimit(double f);
// Smallest positive `EFieldLimit` over band `BandIDX` (800 steps plus the upper edge);
// kUndefined when there is none (also for an index outside the table).
double BandLimit(int bandIdx);
// The frequencies at which a band's level is sought: from the lower edge in 800 steps
// while below the upper edge, then the upper edge itself.
void ForEachBandScanPoint(double lower, double upper, const std::function<void(double)>& visit);

// Items of the mode radio group, in order ("CW" ... "All"); `ModeIDX` = position + 1.
const StringArray& ModeItems();
// Items of the rhythm radio group, in order ("TX6 RX0" ... "TX1 RX5").
const StringArray& RhythmItems();
// Items of the factor-table radio group, in order: "FCC", "BNetzA (Germany)", "1".
const StringArray& FactorTableItems();
// `ModeIDX` of "SSB" and the rhythm item "TX3 RX3", selected at start-up.
constexpr int kStartupMode = 2;
constexpr int kStartupRhythm = 3;

// Mode text of index 0..8 ("PS", "CW", ..., "Alle"); "NV " for any other index.
std::string ModeText(int modeIdx);
// Index of a mode text after trimming blanks and control characters, compared
// case-sensitively with the texts of 0..8; kUndefinedIndex when none matches.
std::int16_t ModeFromText(std::string_view text);

// Modulation factor of mode `ModeIDX` after the factor table named `FactorTable`.
double ModulationFactor(int modeIdx, std::string_view factorTable);
// Intermittent factor of rhythm item i (0..5): 1 - i/6; kUndefined for another item.
double DutyCycle(int rhythmItem);
// Resulting factor: `DutyCycle` x `ModeFactor`.
double Factor(double dutyCycle, double modeFactor);

// The three factors of the Mode page.
struct Factors {
    double ModeFactor = 0;
    double DutyCycle = 0;
    double Factor = 0;
};
// The factors for mode `ModeIDX`, factor table `FactorTable` and rhythm item i.
Factors ComputeFactors(int modeIdx, std::string_view factorTable, int rhythmItem);

} // namespace radexa
