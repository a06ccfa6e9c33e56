#pragma once
// The exposure limit sets an operator may apply: ICNIRP 1998 as the band table has it (the
// default), ICNIRP 2020, FCC §1.1310 and Health Canada Safety Code 6, each as a table of
// frequency ranges giving the E-field, H-field and power-density reference levels and the
// averaging time. A set holds one or more checks (ICNIRP 2020: whole body, local and,
// up to 10 MHz, instantaneous); the safety distance of a set is the largest over its
// checks. Also the FCC exemption from evaluation (§1.1307(b)(3)(i)(C)), the ground
// reflection factor, and the calculation, the given-distance calculation and the station
// recalculation under a chosen set. Frequencies in MHz, fields in V/m and A/m, power
// density in W/m², powers in W, distances in m. Texts are Windows-1252 bytes.

#include "core/calc/calc.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

enum class LimitSet { Icnirp1998, Icnirp2020, Fcc, Sc6 };
enum class LimitTier { Public, Occupational };
// Ground reflection: the field at a person is raised by the reflected wave by a field
// factor of 1 (none), 1.6 (typical ground) or 2 (full reflection).
enum class GroundReflection { None, Typical, Full };
// The checks a set makes; their names are the words of LimitCheckName.
enum class LimitCheck { Icnirp1998, WholeBody, Local, Instantaneous, Fcc, Sc6 };

// What the operator has chosen; the default is the band table's ICNIRP 1998 level.
struct LimitChoice {
    LimitSet set = LimitSet::Icnirp1998;
    LimitTier tier = LimitTier::Public;
    GroundReflection ground = GroundReflection::None;
    bool operator==(const LimitChoice& o) const {
        return set == o.set && tier == o.tier && ground == o.ground;
    }
    bool operator!=(const LimitChoice& o) const { return !(*this == o); }
};

// Words for the command line and the station file ("ICNIRP1998", "ICNIRP2020", "FCC",
// "SC6"; "public", "occupational"; "none", "1.6", "2"; "ICNIRP 1998", "whole body",
// "local", "instantaneous", "FCC", "SC6"), and back, letter-case-blind; the parsers
// return false (and leave the value alone) for any other word.
std::string LimitSetWord(LimitSet set);
bool ParseLimitSet(std::string_view word, LimitSet& set);
std::string LimitTierWord(LimitTier tier);
bool ParseLimitTier(std::string_view word, LimitTier& tier);
std::string GroundWord(GroundReflection ground);
bool ParseGround(std::string_view word, GroundReflection& ground);
std::string LimitCheckName(LimitCheck check);
bool ParseLimitCheck(std::string_view word, LimitCheck& check);

// The name the operator reads, e.g. "ICNIRP 2020".
std::string LimitSetName(LimitSet set);
// The frequency range of a set, MHz. Every set but the band table's includes both ends.
double LimitSetLowest(LimitSet set);
double LimitSetHighest(LimitSet set);
// Whether the set has the tier (ICNIRP 1998 and SC6 have the public tier only).
bool HasTier(LimitSet set, LimitTier tier);
// Field factor of the ground reflection: 1, 1.6 or 2. Distances scale with it, powers
// with its square.
double GroundFieldFactor(GroundReflection ground);

// One check of a set at the station's frequency.
struct LimitCheckResult {
    LimitCheck check = LimitCheck::Icnirp1998;
    double E = kUndefined;              // V/m; from sqrt(377 S) where the table gives S only
    double H = kUndefined;              // A/m; kUndefined where the table gives none
    double S = kUndefined;              // W/m²; kUndefined where the table gives none
    double AveragingMinutes = 0;        // 0 = instantaneous (peak EIRP, no averaging factor)
    double Eirp = kUndefined;           // W: the averaged EIRP, or the peak EIRP when instantaneous
    double SafetyDistance = kUndefined; // m, with the ground reflection
};

// The levels of a set at a frequency (a band: the lowest of each quantity over the band,
// scanned as `BandLimit` scans), and with EIRPs the distances. Only the checks that apply
// at the frequency are listed. When refused, `checks` is empty and every number kUndefined.
struct LimitEvaluation {
    Refusal refusal = Refusal::None;
    LimitChoice choice;
    std::vector<LimitCheckResult> checks;
    int binding = -1;                   // index into checks of the largest distance
    double ELimit = kUndefined;         // E level of the binding check
    double SafetyDistance = kUndefined; // the set's distance: the largest over its checks
    bool ok() const { return refusal == Refusal::None; }
};

// The levels alone (no EIRP; distances kUndefined, binding = the first check).
// Refusals: NoBand (band outside the table), NoLimitTier (occupational asked of a set
// without it), NoLimitAtFrequency (ICNIRP 1998 outside 0.003 <= f < 300000, today's
// refusal), OutsideLimitSet (any other set outside its range, or a band not wholly inside).
// Where a level steps at a range edge, the band table's set takes the upper range's level
// at the edge (10 <= f < 400), every other set the lower range's (">30-400 MHz": 30
// excluded, 400 included); the lowest range includes its lower edge.
LimitEvaluation LimitLevels(const LimitChoice& choice, const FrequencyChoice& frequency);
// The levels and the distance of every check: sqrt(30 EIRP) / E, times the ground field
// factor, with the averaged EIRP or, for an instantaneous check, the peak EIRP. The mode
// and rhythm factor that averages the EIRP is the fraction of the averaging window the
// transmitter is on; it serves the 6-min and the 30-min windows alike.
LimitEvaluation EvaluateLimits(const LimitChoice& choice, const FrequencyChoice& frequency,
                               double peakEirp, double meanEirp);

// The distance in a direction whose pattern factor is 10^(-A/10): the largest over the
// checks; kUndefined when the evaluation is refused. With the default choice it equals
// the per-angle table's sqrt(30 x factor x meanEirp) / eLimit.
double LimitDistanceAtFactor(const LimitEvaluation& evaluation, double patternFactor);

// The largest transmitter power that meets every check at `distance`: the smallest of
// `PowerForDistance` over the checks (factor 1 for an instantaneous one), with the
// distance divided by the ground field factor. kUndefined when the levels are refused.
double LimitPowerForDistance(const LimitEvaluation& levels, double distance, double factor,
                             double totalAtt, double antennaGain);

// The message of a refusal, naming the set and its range for OutsideLimitSet and
// NoLimitTier; `RefusalText` for every other refusal.
std::string LimitRefusalText(Refusal refusal, const LimitChoice& choice);

// `Calculate` under a set: calc.ELimit is the binding E level and calc.SafetyDistance the
// set's distance; with the default choice both equal `Calculate`'s.
struct LimitCalcResult {
    CalcResult calc;
    LimitEvaluation limits;
    bool ok() const { return calc.ok(); }
};
LimitCalcResult CalculateUnderLimits(const CalcInput& input, const LimitChoice& choice);

// `CalculateAtDistance` under a set: the power rounded as `EditPower` shows it, then the
// calculation redone with it.
struct LimitGivenDistanceResult {
    GivenDistanceResult given; // given.result is the calculation under the set
    LimitEvaluation limits;
    bool ok() const { return given.ok(); }
};
LimitGivenDistanceResult CalculateUnderLimitsAtDistance(const CalcInput& input,
                                                        const LimitChoice& choice, double distance);
LimitGivenDistanceResult CalculateUnderLimitsAtDistance(const CalcInput& input,
                                                        const LimitChoice& choice,
                                                        std::string_view distanceText);

// `Recalculate` / `RecalculateAtDistance` under a set.
struct LimitStationResult {
    StationResult station; // station.calc is the calculation under the set
    LimitEvaluation limits;
    bool ok() const { return station.ok(); }
};
LimitStationResult RecalculateUnderLimits(const StationSetup& setup, const LimitChoice& choice);
LimitStationResult RecalculateUnderLimitsAtDistance(const StationSetup& setup,
                                                    const LimitChoice& choice, double distance);

// The six rows of a comparison: ICNIRP1998 public, ICNIRP2020 public and occupational,
// FCC public and occupational, SC6 public, all with the given ground reflection.
constexpr std::size_t kComparisonRows = 6;
std::array<LimitChoice, kComparisonRows>
ComparisonChoices(GroundReflection ground = GroundReflection::None);
// "ICNIRP2020 occupational": the set word and the tier word.
std::string ComparisonLabel(const LimitChoice& choice);
// One station (its frequency and EIRPs) under each of the six; a row outside its set's
// range carries the refusal.
std::array<LimitEvaluation, kComparisonRows>
CompareLimits(const FrequencyChoice& frequency, double peakEirp, double meanEirp,
              GroundReflection ground = GroundReflection::None);

// FCC exemption from routine evaluation (§1.1307(b)(3)(i)(C)): the station is exempt when
// its time-averaged ERP (averaged EIRP / 1.64) is at or below the threshold for the
// distance R to the nearest place people may be, and R is at least λ/2π (`NearField`;
// for a band at its lower edge). For a band the threshold is the smallest over the band.
// A range edge (1.34, 30, 300, 1500 MHz) belongs to the lower range.
enum class ExemptionOutcome {
    Exempt,
    AboveThreshold,  // ERP above the threshold: evaluation required
    InsideNearField, // R below λ/2π: evaluation required
    OutsideRange,    // no threshold outside 0.3 to 100000 MHz: evaluation required
};
struct FccExemption {
    Refusal refusal = Refusal::None; // NoBand, NegativeDistance, OutOfRange
    ExemptionOutcome outcome = ExemptionOutcome::OutsideRange;
    double Erp = kUndefined;       // W
    double Threshold = kUndefined; // W; kUndefined outside the range
    double Distance = kUndefined;  // R, m
    double NearField = kUndefined; // λ/2π, m
    bool Exempt = false;
    bool ok() const { return refusal == Refusal::None; }
};
FccExemption EvaluateFccExemption(const FrequencyChoice& frequency, double meanEirp,
                                  double distance);
// "exempt", "ERP above the threshold", "distance below lambda/2pi", "outside 0.3 to
// 100000 MHz".
std::string ExemptionOutcomeText(ExemptionOutcome outcome);

} // namespace radexa
