#include "core/calc/calc.h"

#include "core/support/textnumbers.h"

#include <cmath>

namespace radexa {

namespace {

constexpr double kSpeedOfLight = 299792500; // m/s, as the near-field limit has always used
constexpr double kPi = 3.14159265358979323846;
constexpr const char* kResultFormat = "%3.2f";

// Whether the frequency has a limit and a reference frequency to compute with.
Refusal frequencyRefusal(const FrequencyChoice& frequency) {
    if (frequency.FixedFrequencyMode)
        return EFieldLimit(frequency.FixedFrequency) > 0 ? Refusal::None
                                                         : Refusal::NoLimitAtFrequency;
    return BandLimit(frequency.BandIDX) > 0 ? Refusal::None : Refusal::NoBand;
}

CalcResult refusedCalc(Refusal r) {
    CalcResult out;
    out.refusal = r;
    return out;
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

std::string RefusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::None:
        return "";
    case Refusal::NegativePower:
        return "Power must not be negative!";
    case Refusal::PowerNotReal:
        return "Power must be a real number!";
    case Refusal::NoBand:
        return "No band is selected!";
    case Refusal::NoLimitAtFrequency:
        return "No E-field limit is defined at this frequency (0.003 MHz up to below 300000 "
               "MHz)!";
    case Refusal::NoFactor:
        return "The resulting factor must be a positive number!";
    case Refusal::CableLengthNotReal:
        return "Cable length must be a real number";
    case Refusal::CableLengthNotPositive:
        return "Cable length must be a positive real number!";
    case Refusal::AttenuationNotPositive:
        return "Attenuation must be a positive real number!";
    case Refusal::NoCable:
        return "No cable type is selected!";
    case Refusal::CableFrequencyOutOfRange:
        return "No cable attenuation is known at this frequency (0.1 to 20000 MHz); set the "
               "cable length to 0 to compute without the cable!";
    case Refusal::DistanceNotReal:
        return "Distance must be real number!";
    case Refusal::NegativeDistance:
        return "Distance must not be negative!";
    case Refusal::OutOfRange:
        return "The inputs give a result too large to compute!";
    case Refusal::OutsideLimitSet:
        return "The chosen limit set has no reference level at this frequency!";
    case Refusal::NoLimitTier:
        return "The chosen limit set has no occupational tier!";
    }
    return "";
}

double Pow10dB(double x) {
    return std::pow(10.0, x / 10);
}

double NearField(double f) {
    return (kSpeedOfLight / (f * 1e6)) / (2 * kPi);
}

double ReferenceFrequency(const FrequencyChoice& frequency) {
    return frequency.FixedFrequencyMode ? frequency.FixedFrequency
                                        : BandLowerEdge(frequency.BandIDX);
}

double ELimit(const FrequencyChoice& frequency) {
    return frequency.FixedFrequencyMode ? EFieldLimit(frequency.FixedFrequency)
                                        : BandLimit(frequency.BandIDX);
}

double AntInPower(double power, double totalAtt) {
    return Pow10dB(-totalAtt) * power;
}

double EIRP(double antInPower, double antennaGain) {
    return Pow10dB(antennaGain) * antInPower;
}

double MeanEIRP(double eirp, double factor) {
    return eirp * factor;
}

double SafetyDistance(double meanEirp, double eLimit) {
    return std::sqrt(30 * meanEirp) / eLimit;
}

double NearFieldLimit(const FrequencyChoice& frequency) {
    return NearField(ReferenceFrequency(frequency));
}

double PowerForDistance(double distance, double eLimit, double factor, double totalAtt,
                        double antennaGain) {
    const double ed = eLimit * distance;
    const double meanEirp = ed * ed * (1.0 / 30);
    const double peakEirp = meanEirp / factor;
    return peakEirp / (Pow10dB(-totalAtt) * Pow10dB(antennaGain));
}

LevelSource BandTableLevels(const FrequencyChoice& frequency) {
    LevelSource levels;
    levels.frequencyRefusal = frequencyRefusal(frequency);
    const double eLimit = ELimit(frequency);
    levels.applyLevel = [eLimit](CalcResult& r) {
        r.ELimit = eLimit;
        r.SafetyDistance = SafetyDistance(r.MeanEIRP, r.ELimit);
    };
    levels.powerForDistance = [eLimit](const CalcInput& in, double distance) {
        return PowerForDistance(distance, eLimit, in.Factor, in.TotalAtt, in.AntennaGain);
    };
    return levels;
}

CalcResult Calculate(const CalcInput& in) {
    return Calculate(in, BandTableLevels(in.frequency));
}

CalcResult Calculate(const CalcInput& in, const LevelSource& levels) {
    if (!allFinite({in.Power, in.TotalAtt, in.AntennaGain, in.Factor, in.frequency.FixedFrequency}))
        return refusedCalc(Refusal::OutOfRange);
    if (levels.frequencyRefusal != Refusal::None)
        return refusedCalc(levels.frequencyRefusal);
    if (in.Power < 0)
        return refusedCalc(Refusal::NegativePower);
    if (in.Factor < 0)
        return refusedCalc(Refusal::NoFactor);
    CalcResult out;
    out.AntInPower = AntInPower(in.Power, in.TotalAtt);
    out.EIRP = EIRP(out.AntInPower, in.AntennaGain);
    out.MeanEIRP = MeanEIRP(out.EIRP, in.Factor);
    levels.applyLevel(out);
    out.NearFieldLimit = NearFieldLimit(in.frequency);
    if (!allFinite({out.AntInPower, out.EIRP, out.MeanEIRP, out.SafetyDistance}))
        return refusedCalc(Refusal::OutOfRange);
    return out;
}

CalcTexts FormatCalcResult(const CalcResult& r, double antennaGain) {
    CalcTexts t;
    t.EditGain = FormatReal(kResultFormat, antennaGain);
    if (!r.ok()) {
        t.EditEps = t.EditAntIn = t.EditEIRP = t.EditrPS = t.EditrNahfeld = "---";
        return t;
    }
    t.EditEps = FormatPositiveReal(kResultFormat, r.ELimit);
    t.EditAntIn = FormatReal(kResultFormat, r.AntInPower);
    t.EditEIRP = FormatReal(kResultFormat, r.EIRP);
    t.EditrPS = FormatPositiveReal(kResultFormat, r.SafetyDistance);
    t.EditrNahfeld = FormatReal(kResultFormat, r.NearFieldLimit);
    return t;
}

GivenDistanceResult CalculateAtDistance(const CalcInput& input, double distance) {
    return CalculateAtDistance(input, distance, BandTableLevels(input.frequency));
}

GivenDistanceResult CalculateAtDistance(const CalcInput& input, std::string_view distanceText) {
    return CalculateAtDistance(input, distanceText, BandTableLevels(input.frequency));
}

GivenDistanceResult CalculateAtDistance(const CalcInput& input, double distance,
                                        const LevelSource& levels) {
    GivenDistanceResult out;
    const auto refuse = [&out](Refusal r) {
        out.refusal = r;
        out.result = refusedCalc(r);
        return out;
    };
    if (!allFinite({distance, input.TotalAtt, input.AntennaGain, input.Factor,
                    input.frequency.FixedFrequency}))
        return refuse(Refusal::OutOfRange);
    if (levels.frequencyRefusal != Refusal::None)
        return refuse(levels.frequencyRefusal);
    if (distance < 0)
        return refuse(Refusal::NegativeDistance);
    if (!(input.Factor > 0))
        return refuse(Refusal::NoFactor);
    out.exactPower = levels.powerForDistance(input, distance);
    if (!std::isfinite(out.exactPower))
        return refuse(Refusal::OutOfRange);
    // The window writes the power with two decimals and reads it back before `calc`.
    out.powerText = FormatReal(kResultFormat, out.exactPower);
    if (!TryStrToReal(out.powerText, out.Power))
        return refuse(Refusal::OutOfRange);
    CalcInput rounded = input;
    rounded.Power = out.Power;
    out.result = Calculate(rounded, levels);
    out.refusal = out.result.refusal;
    return out;
}

GivenDistanceResult CalculateAtDistance(const CalcInput& input, std::string_view distanceText,
                                        const LevelSource& levels) {
    double distance = 0;
    if (!TryStrToReal(distanceText, distance)) {
        GivenDistanceResult out;
        out.refusal = out.result.refusal = Refusal::DistanceNotReal;
        return out;
    }
    return CalculateAtDistance(input, distance, levels);
}

namespace {

// Factors and cable page; the calculation input with the setup's power.
StationResult prepare(const StationSetup& s, Refusal frequencyRefusal, CalcInput& input) {
    StationResult out;
    out.factors = ComputeFactors(s.ModeIDX, s.FactorTable, s.rhythmItem);
    if (frequencyRefusal != Refusal::None) {
        out.refusal = out.calc.refusal = frequencyRefusal;
        return out;
    }
    out.cable = ComputeCable(s.CableIDX, ReferenceFrequency(s.frequency), s.CableLength, s.PlugAtt);
    if (!out.cable.ok()) {
        out.refusal = out.calc.refusal = out.cable.refusal;
        return out;
    }
    input.frequency = s.frequency;
    input.Power = s.Power;
    input.TotalAtt = out.cable.TotalAtt;
    input.AntennaGain = s.AntennaGain;
    input.Factor = out.factors.Factor;
    return out;
}

} // namespace

StationResult Recalculate(const StationSetup& setup) {
    return Recalculate(setup, BandTableLevels(setup.frequency));
}

StationResult RecalculateAtDistance(const StationSetup& setup, double distance) {
    return RecalculateAtDistance(setup, distance, BandTableLevels(setup.frequency));
}

StationResult Recalculate(const StationSetup& setup, const LevelSource& levels) {
    CalcInput input;
    StationResult out = prepare(setup, levels.frequencyRefusal, input);
    if (!out.ok())
        return out;
    out.Power = input.Power;
    out.calc = Calculate(input, levels);
    out.refusal = out.calc.refusal;
    return out;
}

StationResult RecalculateAtDistance(const StationSetup& setup, double distance,
                                    const LevelSource& levels) {
    CalcInput input;
    StationResult out = prepare(setup, levels.frequencyRefusal, input);
    if (!out.ok())
        return out;
    const GivenDistanceResult given = CalculateAtDistance(input, distance, levels);
    out.Power = given.Power;
    out.calc = given.result;
    out.refusal = given.refusal;
    return out;
}

} // namespace radexa
