#include "cli/output.h"

#include "core/app/report.h"
#include "core/app/stationfile.h"
#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"
#include "report/app/stationjson.h"

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
    const std::pair<std::string, std::string> power = {"Power [W]", FormatReal(kFormat, last.input.Power)};
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

// The angle table as the export writes it, with LF line ends.
std::string angleTableText(const StationModel& m) {
    std::string grid = GridFileText(m.angleTable());
    std::string out;
    out.reserve(grid.size());
    for (char c : grid)
        if (c != '\r')
            out += c;
    return out;
}

} // namespace

std::string TextOutput(const Evaluation& e) {
    PointNumbers point;
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
    if (m.taken()) {
        const TakenPoint entry = *TakenAntennaPoint(m);
        out += "Manufacturer: " + entry.manufacturer + '\n';
        out += "Antenna: " + entry.name + '\n';
        out += "Antenna point (Freq. Gain # Ele.): " +
               FormatPointLine(entry.frequency, entry.gain, entry.elements) + '\n';
    }
    if (m.anglePageShown()) {
        out += std::string("Antenna polarisation: ") +
               (m.taken()->polarisation == Polarisation::Vertical ? "Vertical" : "Horizontal") + '\n';
        out += angleTableText(m);
    }
    return Cp1252ToUtf8(out);
}

std::string JsonOutput(const Evaluation& e) {
    PointNumbers point;
    if (e.rows.size() == 1)
        return StationJson(e.rows.front()).dump() + '\n';
    std::string out = "[\n";
    for (std::size_t i = 0; i < e.rows.size(); ++i)
        out += StationJson(e.rows[i]).dump() + (i + 1 < e.rows.size() ? ",\n" : "\n");
    return out + "]\n";
}

} // namespace radexa::cli
