#include "cli/output.h"

#include "core/app/limitspage.h"
#include "core/app/report.h"
#include "core/app/stationfile.h"
#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"
#include "json/stationjson.h"

#include <cmath>

namespace radexa::cli {

namespace {

constexpr const char* kFormat = "%3.2f";

using Lines = std::vector<std::pair<std::string, std::string>>;

// The values as the window shows them, with its English labels.
Lines textValues(const StationModel& m, bool powerFirst) {
    const Calculation& last = m.last();
    const CalcTexts t = m.outputTexts();
    const Factors f = m.factors();
    const CableValues cable = m.cablePage();
    const FrequencyChoice& freq = m.frequency();
    const std::string freqText = freq.FixedFrequencyMode
                                     ? TrimmedBandEdge(freq.FixedFrequency)
                                     : TrimmedBandEdge(BandLowerEdge(freq.BandIDX)) + " - " +
                                           TrimmedBandEdge(BandUpperEdge(freq.BandIDX));
    const std::pair<std::string, std::string> power = {"Power [W]",
                                                       FormatReal(kFormat, last.input.Power)};
    Lines lines;
    if (powerFirst)
        lines.push_back(power);
    lines.push_back({"Ham-Band", HamBands(freq.FixedFrequencyMode ? 0 : freq.BandIDX)});
    lines.push_back({"Freq. [MHz]", freqText});
    if (!powerFirst)
        lines.push_back(power);
    lines.push_back({"Mode", ModeText(m.modeIdx())});
    lines.push_back({"E-Field Limit  [V/m]", t.EditEps});
    lines.push_back({"Modulation Factor", FormatReal(kFormat, f.ModeFactor)});
    lines.push_back({"Intermittend Factor", FormatReal(kFormat, f.DutyCycle)});
    lines.push_back({"Resulting Factor", FormatReal(kFormat, f.Factor)});
    lines.push_back({"Frequency [MHz]", FormatReal(kFormat, cable.AttFreq)});
    lines.push_back({"Attenuation [dB/100m]", cable.CableAtt100 == kUndefined
                                                  ? std::string("---")
                                                  : FormatReal(kFormat, cable.CableAtt100)});
    lines.push_back({"Cable Length [m]", FormatReal(kFormat, cable.CableLength)});
    lines.push_back({"Cable Attenuation [dB]", FormatReal(kFormat, cable.CableAtt)});
    lines.push_back({"Other Attenuations [dB]", FormatReal(kFormat, cable.PlugAtt)});
    lines.push_back({"Combined Attenuation between TX Output and Antenna Input [dB]",
                     FormatReal(kFormat, cable.TotalAtt)});
    lines.push_back({"Antenna Gain (dBi)", t.EditGain});
    lines.push_back({"Ant. Input Power [W]", t.EditAntIn});
    lines.push_back({"EIRP [W]", t.EditEIRP});
    lines.push_back({"Distance [m]", t.EditrPS});
    lines.push_back({"Nearfield Conds [m]", t.EditrNahfeld});
    return lines;
}

// What the set's binding check is, when the calculation has one.
const LimitCheckResult* bindingCheck(const LimitEvaluation& l) {
    return l.ok() && l.binding >= 0 && l.binding < static_cast<int>(l.checks.size())
               ? &l.checks[static_cast<std::size_t>(l.binding)]
               : nullptr;
}

// The six sets and tiers for the station's EIRPs.
std::array<LimitEvaluation, kComparisonRows> comparison(const StationModel& m) {
    const CalcInput& in = m.last().input;
    const double eirp = EIRP(AntInPower(in.Power, in.TotalAtt), in.AntennaGain);
    return CompareLimits(m.frequency(), eirp, MeanEIRP(eirp, in.Factor), m.limitChoice().ground);
}

std::string levelText(double x, const char* format) {
    return x == kUndefined ? std::string("---") : FormatReal(format, x);
}

// The set, its checks and the exemption as text lines.
std::string limitLines(const StationModel& m) {
    const LimitChoice& choice = m.limitChoice();
    const LimitEvaluation& l = m.last().limits;
    const LimitCheckResult* binding = bindingCheck(l);
    std::string out = "Limit set: " + LimitSetName(choice.set) + "\n";
    out += "Persons: " + LimitTierWord(choice.tier) + "\n";
    out += "Ground factor: " + FormatReal(kFormat, GroundFieldFactor(choice.ground)) + "\n";
    out +=
        "Binding check: " + (binding ? LimitCheckName(binding->check) : std::string("---")) + "\n";
    for (const LimitCheckResult& c : l.checks)
        out += "Check " + LimitCheckName(c.check) + ": E " + levelText(c.E, kFormat) + " V/m, H " +
               levelText(c.H, "%3.3f") + " A/m, S " + levelText(c.S, kFormat) + " W/m\xB2, " +
               (c.AveragingMinutes > 0 ? AveragingText(c.AveragingMinutes) : "peak") +
               ", distance " + levelText(c.SafetyDistance, kFormat) + " m\n";
    if (const auto e = m.exemption(); e && e->ok())
        out += std::string("FCC exemption: ") +
               (e->Exempt ? "exempt" : "evaluation required, " + ExemptionOutcomeText(e->outcome)) +
               " (ERP " + FormatReal(kFormat, e->Erp) + " W, threshold " +
               levelText(e->Threshold, kFormat) + " W, distance " +
               FormatReal(kFormat, e->Distance) + " m)\n";
    return out;
}

std::string comparisonText(const Evaluation& e) {
    const bool bands = e.rows.size() > 1;
    std::string out = std::string(bands ? "Ham-Band\t" : "") +
                      "Limits\tTier\tBinding check\tE-Field Limit  [V/m]\tDistance [m]\n";
    for (const StationModel& m : e.rows) {
        const auto choices = ComparisonChoices(m.limitChoice().ground);
        const auto evaluations = comparison(m);
        for (std::size_t i = 0; i < kComparisonRows; ++i) {
            const LimitEvaluation& l = evaluations[i];
            const LimitCheckResult* binding = bindingCheck(l);
            if (bands)
                out += HamBands(m.frequency().BandIDX) + "\t";
            out += LimitSetWord(choices[i].set) + "\t" + LimitTierWord(choices[i].tier) + "\t" +
                   (binding ? LimitCheckName(binding->check) : std::string("---")) + "\t" +
                   (l.ok() ? FormatPositiveReal(kFormat, l.ELimit) : std::string("---")) + "\t" +
                   (l.ok() ? FormatPositiveReal(kFormat, l.SafetyDistance) : std::string("---")) +
                   "\n";
        }
    }
    return out;
}

// The angle table as the export writes it (every cell padded to 9 characters and followed
// by " ;"), with LF line ends; written row by row, in one pass.
std::string angleTableText(const StationModel& m) {
    const PatternLists& p = m.last().pattern;
    std::string out;
    out.reserve((p.PatternAngles.size() + 1) * 4 * 11 + 1);
    auto row = [&out](const StringArray& cells) {
        for (const std::string& cell : cells) {
            if (cell.size() < 9)
                out.append(9 - cell.size(), ' ');
            out += cell;
            out += " ;";
        }
        out += '\n';
    };
    row(AngleTableHeader());
    for (std::size_t k = 0; k < p.PatternAngles.size(); ++k)
        row(AngleTableRow(p, k));
    return out;
}

} // namespace

std::string TextOutput(const Evaluation& e) {
    PointNumbers point;
    if (e.compare)
        return Cp1252ToUtf8(comparisonText(e));
    std::string out;
    if (e.rows.size() > 1) {
        for (std::size_t i = 0; i < e.rows.size(); ++i) {
            const Lines lines = textValues(e.rows[i], e.powerFirst);
            if (i == 0) {
                for (std::size_t k = 0; k < lines.size(); ++k)
                    out += (k ? "\t" : "") + lines[k].first;
                out += '\n';
            }
            for (std::size_t k = 0; k < lines.size(); ++k)
                out += (k ? "\t" : "") + lines[k].second;
            out += '\n';
        }
        return Cp1252ToUtf8(out);
    }
    const StationModel& m = e.rows.front();
    for (const auto& [label, value] : textValues(m, e.powerFirst))
        out += label + (value.empty() ? ":" : ": " + value) + '\n';
    if (e.limits)
        out += limitLines(m);
    if (m.taken()) {
        const TakenPoint entry = *TakenAntennaPoint(m);
        out += "Manufacturer: " + entry.manufacturer + '\n';
        out += "Antenna: " + entry.name + '\n';
        out += "Antenna point (Freq. Gain # Ele.): " +
               FormatPointLine(entry.frequency, entry.gain, entry.elements) + '\n';
    }
    if (m.anglePageShown()) {
        out += std::string("Antenna polarisation: ") +
               (m.taken()->polarisation == Polarisation::Vertical ? "Vertical" : "Horizontal") +
               '\n';
        out += angleTableText(m);
    }
    return Cp1252ToUtf8(out);
}

std::string JsonOutput(const Evaluation& e) {
    PointNumbers point;
    auto object = [&e](const StationModel& m) {
        if (e.compare)
            return ComparisonJson(m, e.rows.size() > 1);
        Json o = StationJson(m);
        if (e.limits)
            AddLimitsJson(o, m);
        return o;
    };
    if (e.rows.size() == 1)
        return object(e.rows.front()).dump() + '\n';
    // One row per band; the comparisons of all bands as one array.
    if (e.compare) {
        Json all = Json::array();
        for (const StationModel& m : e.rows)
            for (auto& row : ComparisonJson(m, true))
                all.push_back(std::move(row));
        return all.dump() + '\n';
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < e.rows.size(); ++i)
        out += object(e.rows[i]).dump() + (i + 1 < e.rows.size() ? ",\n" : "\n");
    return out + "]\n";
}

} // namespace radexa::cli
