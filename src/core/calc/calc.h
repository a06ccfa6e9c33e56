#pragma once
// The safety-distance calculation: from the band or a fixed frequency, the power, the
// combined attenuation, the antenna gain and the averaging factor it derives the field
// limit, the antenna input power, the EIRP, the averaged EIRP, the safety distance for
// persons (far field) and the end of the reactive near field. Powers in W, distances in
// m, frequencies in MHz, gain and attenuation in dB.

#include "core/calc/bands.h"
#include "core/calc/cable.h"
#include "core/calc/refusal.h"

#include <functional>
#include <string>
#include <string_view>

namespace radexa {

// The frequency the station works on: a band of the band table, or a fixed frequency.
struct FrequencyChoice {
    int BandIDX = kStartupBand;      // 1..18; 0 while a fixed frequency is in use
    bool FixedFrequencyMode = false; // true while `FixedFrequency` replaces the band
    double FixedFrequency = 0;       // MHz

    static FrequencyChoice Band(int bandIdx) { return {bandIdx, false, 0}; }
    static FrequencyChoice Fixed(double mhz) { return {0, true, mhz}; }
};

// 10^(x/10): decibels to a power ratio.
double Pow10dB(double x);
// Wavelength / 2 pi in metres at f MHz: the end of the reactive near field.
double NearField(double f);

// The band's lower edge, or the fixed frequency: where cable loss and near field are taken.
double ReferenceFrequency(const FrequencyChoice& frequency);
// The limit that applies: `BandLimit` of the band, or `EFieldLimit` at the fixed frequency.
double ELimit(const FrequencyChoice& frequency);
// Power at the antenna input: `Power` reduced by `TotalAtt`.
double AntInPower(double power, double totalAtt);
// Peak EIRP: `AntInPower` raised by the antenna gain.
double EIRP(double antInPower, double antennaGain);
// EIRP averaged over six minutes: `EIRP` x `Factor`.
double MeanEIRP(double eirp, double factor);
// Far-field safety distance: sqrt(30 x `MeanEIRP`) / `ELimit`.
double SafetyDistance(double meanEirp, double eLimit);
// `NearField` of the reference frequency.
double NearFieldLimit(const FrequencyChoice& frequency);
// Transmitter power whose safety distance is `distance` (the inverse of the chain above).
double PowerForDistance(double distance, double eLimit, double factor, double totalAtt,
                        double antennaGain);

// The inputs of one calculation.
struct CalcInput {
    FrequencyChoice frequency;
    double Power = 100;     // W
    double TotalAtt = 0;    // dB
    double AntennaGain = 0; // dBi
    double Factor = 0.25;   // resulting averaging factor
};

// The outputs of one calculation. When refused, every number is kUndefined.
struct CalcResult {
    Refusal refusal = Refusal::None;
    double ELimit = kUndefined;
    double AntInPower = kUndefined;
    double EIRP = kUndefined;
    double MeanEIRP = kUndefined;
    double SafetyDistance = kUndefined;
    double NearFieldLimit = kUndefined;
    bool ok() const { return refusal == Refusal::None; }
};

// Where a calculation takes its exposure level from, for one frequency: the band table
// (`BandTableLevels`) or a limit set (core/calc/limits.h).
struct LevelSource {
    // Why the frequency has no level; Refusal::None when it has one.
    Refusal frequencyRefusal = Refusal::None;
    // Sets ELimit and SafetyDistance of a result whose EIRP and MeanEIRP are computed.
    std::function<void(CalcResult&)> applyLevel;
    // The transmitter power whose safety distance is `distance` (input.Power not used).
    std::function<double(const CalcInput& input, double distance)> powerForDistance;
};
// The band table's level at the frequency: `ELimit`, `SafetyDistance`, `PowerForDistance`.
LevelSource BandTableLevels(const FrequencyChoice& frequency);

// `calc` without the window: refuses a negative power, a band outside the table, a
// fixed frequency without a limit, a factor that is not positive and non-finite results.
CalcResult Calculate(const CalcInput& input);
// The same with the level of `levels`, which must belong to input.frequency.
CalcResult Calculate(const CalcInput& input, const LevelSource& levels);

// The output fields of the main window as texts ("%3.2f", "---" where the window shows
// it, every field "---" but the gain when refused), in the current number settings.
struct CalcTexts {
    std::string EditEps, EditAntIn, EditEIRP, EditrPS, EditrNahfeld, EditGain;
};
CalcTexts FormatCalcResult(const CalcResult& result, double antennaGain);

// The calculation at a given distance: the exact power, the power as `EditPower` shows
// it ("%3.2f" in the current number settings), and the calculation redone with that
// text read back, so every output uses the rounded power.
struct GivenDistanceResult {
    Refusal refusal = Refusal::None;
    double exactPower = kUndefined;
    std::string powerText;     // the new text of `EditPower`
    double Power = kUndefined; // `StrToReal` of powerText
    CalcResult result;
    bool ok() const { return refusal == Refusal::None; }
};
// From a distance in metres; input.Power is not used.
GivenDistanceResult CalculateAtDistance(const CalcInput& input, double distance);
// From the text typed into the distance dialog (`StrToReal`, "Distance must be real number!").
GivenDistanceResult CalculateAtDistance(const CalcInput& input, std::string_view distanceText);
// Both with the level of `levels`, which must belong to input.frequency.
GivenDistanceResult CalculateAtDistance(const CalcInput& input, double distance,
                                        const LevelSource& levels);
GivenDistanceResult CalculateAtDistance(const CalcInput& input, std::string_view distanceText,
                                        const LevelSource& levels);

// A whole station as the window holds it, for one full recalculation (factors, cable
// page, calculation) without a window.
struct StationSetup {
    FrequencyChoice frequency;
    double Power = 100;              // W
    int ModeIDX = kStartupMode;      // 1..8
    int rhythmItem = kStartupRhythm; // 0..5, "TX6 RX0" .. "TX1 RX5"
    std::string FactorTable = "FCC"; // item text of the factor-table group
    int CableIDX = kStartupCable;    // 1..10
    double CableLength = 10;         // m
    double PlugAtt = 0;              // dB
    double AntennaGain = 0;          // dBi
};

struct StationResult {
    Refusal refusal = Refusal::None;
    Factors factors;
    CableValues cable;
    double Power = kUndefined; // the power the calculation used
    CalcResult calc;
    bool ok() const { return refusal == Refusal::None; }
};

// Factors, cable page at the reference frequency, then the calculation.
StationResult Recalculate(const StationSetup& setup);
// The same, with the power found for the given safety distance (rounded as the window does).
StationResult RecalculateAtDistance(const StationSetup& setup, double distance);
// Both with the level of `levels`, which must belong to setup.frequency.
StationResult Recalculate(const StationSetup& setup, const LevelSource& levels);
StationResult RecalculateAtDistance(const StationSetup& setup, double distance,
                                    const LevelSource& levels);

} // namespace radexa
