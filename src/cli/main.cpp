// radexa-cli: the command-line calculator. It computes one station (or one row per band)
// exactly as the main window does, for batch evaluation of many configurations.
// Bad input gives one line on stderr, exit status 2 and nothing on stdout.

#include "core/antennas/antennen.h"
#include "core/antennas/pattern.h"
#include "core/antennas/winkant.h"
#include "core/app/stationfile.h"
#include "core/calc/calc.h"
#include "core/support/atomicfile.h"
#include "core/support/cp1252.h"
#include "core/support/numbersettings.h"
#include "core/support/rdfunc.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace radexa;

namespace {

constexpr int kExitBadInput = 2;
constexpr const char* kFormat = "%3.2f";

const char* const kUsage =
    "Usage: radexa-cli [--band NAME | --frequency MHZ] [--power W]\n"
    "                  [--mode CW|SSB|AM|FM|TV|GSM|DTX|All] [--rhythm \"TXn RXm\"]\n"
    "                  [--factors FCC|BNetzA|1] [--cable NAME] [--length M]\n"
    "                  [--other-loss DB] [--gain DBI | --manufacturer NAME --antenna NAME]\n"
    "                  [--angle-dir DIR] [--polarisation vertical|horizontal]\n"
    "                  [--distance M] [--all-bands] [--json] [--help] [--version]\n"
    "       radexa-cli --station FILE [--angle-dir DIR] [--polarisation P] [--distance M]\n"
    "                  [--json]\n"
    "\n"
    "Computes the safety distance of a transmitting station for persons (far field).\n"
    "Defaults: --band 2m --power 100 --mode SSB --rhythm \"TX3 RX3\" --factors FCC\n"
    "          --cable RG213 --length 10 --other-loss 0 --gain 0\n"
    "\n"
    "  --band NAME        LW, 160m, 80m, 40m, 30m, 20m, 17m, 15m, 12m, 10m, 6m, 2m, 70cm,\n"
    "                     23cm, 13cm, 9cm, 6cm, 3cm\n"
    "  --frequency MHZ    a fixed frequency instead of a band\n"
    "  --power W          transmitter output power (peak envelope power)\n"
    "  --mode MODE        operating mode, for the modulation factor\n"
    "  --rhythm TEXT      transmit/receive rhythm: TX6 RX0, TX5 RX1, ..., TX1 RX5\n"
    "  --factors TABLE    modulation factors: FCC, BNetzA (or \"BNetzA (Germany)\"), 1\n"
    "  --cable NAME       Aircom plus, Aircell 7, H100, H2000, RG58, RG174, RG213, RG220,\n"
    "                     EcoFlex 10, EcoFlex 15\n"
    "  --length M         cable length\n"
    "  --other-loss DB    other attenuations (connectors, switches, filters)\n"
    "  --gain DBI         antenna gain\n"
    "  --manufacturer NAME, --antenna NAME\n"
    "                     an antenna of the catalogue (Antennas.txt and AntUser.txt in the\n"
    "                     working folder): the gain of its point that fits the frequency,\n"
    "                     and its per-angle table when it has angle data\n"
    "  --angle-dir DIR    folder of the angle data (default: ang/ beside the program)\n"
    "  --polarisation P   vertical or horizontal (default: as the angle data prefer)\n"
    "  --station FILE     the station of a saved station file, as opening it in the window\n"
    "                     restores it (band or frequency, antenna, power, mode, rhythm,\n"
    "                     factors, cable, length, other losses)\n"
    "  --distance M       find the power for this safety distance (printed first)\n"
    "  --all-bands        one row per band for the same station\n"
    "  --json             JSON output, full precision, null where the window shows ---\n"
    "  --help, --version  this text, the version\n"
    "\n"
    "Numbers take a decimal point or a decimal comma, without thousands separators.\n";

// A bad input: the option and what it allows.
struct BadInput {
    std::string message;
};

// Echoed user text stays on one line.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text)
        out += (static_cast<unsigned char>(c) < ' ' || c == 0x7f) ? '?' : c;
    return out + "'";
}

std::string joined(const StringArray& items, const char* separator = ", ") {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : separator) + item;
    return out;
}

StringArray bandNames() {
    StringArray out;
    for (int i = 1; i <= kBandCount; ++i)
        out.push_back(HamBands(i));
    return out;
}

StringArray cableNames() {
    StringArray out;
    for (int i = 1; i <= kCableCount; ++i)
        out.push_back(CableName(i));
    return out;
}

// What each option allows, for the error line.
std::string allowedFor(const std::string& option) {
    const std::string number = " (a number with a decimal point or comma)";
    if (option == "--frequency")
        return "a frequency in MHz from 0.003 up to below 300000, and from 0.1 to 20000 for "
               "the cable loss" +
               number;
    if (option == "--power")
        return "a power in W, 0 or more" + number;
    if (option == "--length")
        return "a cable length in m, 0 or more" + number;
    if (option == "--other-loss")
        return "an attenuation in dB, 0 or more" + number;
    if (option == "--gain")
        return "a gain in dBi" + number;
    if (option == "--distance")
        return "a distance in m, 0 or more" + number;
    if (option == "--band")
        return joined(bandNames());
    if (option == "--mode")
        return joined(ModeItems());
    if (option == "--rhythm")
        return joined(RhythmItems());
    if (option == "--factors")
        return "FCC, BNetzA, " + FactorTableItems()[1] + ", 1";
    if (option == "--cable")
        return joined(cableNames());
    if (option == "--polarisation")
        return "vertical, horizontal";
    if (option == "--station")
        return "a station file saved by the program";
    if (option == "--manufacturer" || option == "--antenna")
        return "a manufacturer and an antenna name of the catalogue";
    if (option == "--angle-dir")
        return "a folder";
    return "";
}

double readNumber(const std::string& option, std::string_view text) {
    double v = 0;
    if (!TryStrToReal(text, v))
        throw BadInput{option + ": " + quoted(text) +
                       " is not a number; allowed: " + allowedFor(option)};
    return v;
}

// Index (0-based) of the item equal to the text, letter-case-blind; throws otherwise.
int pick(const std::string& option, std::string_view text, const StringArray& items,
         const StringArray& allowed) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameTextNoCase(text, items[i]))
            return static_cast<int>(i);
    throw BadInput{option + ": unknown value " + quoted(text) + "; allowed: " + joined(allowed)};
}

struct Options {
    StationSetup setup;
    bool bandGiven = false;
    bool frequencyGiven = false;
    StringArray stationOptions; // options that describe the station, as given
    std::optional<std::string> stationFile;
    std::optional<std::string> manufacturer;
    std::optional<std::string> antenna;
    std::optional<std::string> angleDir;
    std::optional<Polarisation> polarisation;
    std::optional<double> distance;
    bool allBands = false;
    bool json = false;
    bool help = false;
    bool version = false;
};

Options parse(int argc, char** argv) {
    Options o;
    const StringArray valueOptions = {
        "--band",    "--frequency", "--power",        "--mode",   "--rhythm",   "--factors",
        "--cable",   "--length",    "--other-loss",   "--gain",   "--distance", "--manufacturer",
        "--antenna", "--angle-dir", "--polarisation", "--station"};
    const StringArray describeTheStation = {
        "--band",         "--frequency", "--power",    "--mode",       "--rhythm",
        "--factors",      "--cable",     "--length",   "--other-loss", "--gain",
        "--manufacturer", "--antenna",   "--all-bands"};
    const StringArray flags = {"--all-bands", "--json", "--help", "--version"};
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::optional<std::string> value;
        if (const auto eq = option.find('=');
            option.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        bool isValueOption = false;
        for (const auto& v : valueOptions)
            isValueOption = isValueOption || v == option;
        if (!isValueOption) {
            bool isFlag = false;
            for (const auto& f : flags)
                isFlag = isFlag || f == option;
            if (!isFlag || value)
                throw BadInput{"unknown option " + quoted(argv[i]) +
                               "; allowed: " + joined(valueOptions) + ", " + joined(flags)};
            if (option == "--all-bands") {
                o.allBands = true;
                o.stationOptions.push_back(option);
            } else if (option == "--json")
                o.json = true;
            else if (option == "--help")
                o.help = true;
            else
                o.version = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= argc)
                throw BadInput{option + ": a value is missing; allowed: " + allowedFor(option)};
            value = argv[++i];
        }
        const std::string& v = *value;
        StationSetup& s = o.setup;
        for (const auto& d : describeTheStation)
            if (d == option)
                o.stationOptions.push_back(option);
        if (option == "--band") {
            const StringArray names = bandNames();
            s.frequency = FrequencyChoice::Band(pick(option, v, names, names) + 1);
            o.bandGiven = true;
        } else if (option == "--frequency") {
            s.frequency = FrequencyChoice::Fixed(readNumber(option, v));
            o.frequencyGiven = true;
        } else if (option == "--power") {
            s.Power = readNumber(option, v);
        } else if (option == "--mode") {
            s.ModeIDX = pick(option, v, ModeItems(), ModeItems()) + 1;
        } else if (option == "--rhythm") {
            s.rhythmItem = pick(option, v, RhythmItems(), RhythmItems());
        } else if (option == "--factors") {
            // "BNetzA" is short for the item "BNetzA (Germany)".
            const StringArray& items = FactorTableItems();
            const StringArray accepted = {items[0], items[1], items[2], "BNetzA"};
            const int at = pick(option, v, accepted, {"FCC", "BNetzA", items[1], "1"});
            s.FactorTable = items[static_cast<std::size_t>(at == 3 ? 1 : at)];
        } else if (option == "--cable") {
            const StringArray names = cableNames();
            s.CableIDX = pick(option, v, names, names) + 1;
        } else if (option == "--length") {
            s.CableLength = readNumber(option, v);
        } else if (option == "--other-loss") {
            s.PlugAtt = readNumber(option, v);
        } else if (option == "--gain") {
            s.AntennaGain = readNumber(option, v);
        } else if (option == "--distance") {
            o.distance = readNumber(option, v);
        } else if (option == "--manufacturer") {
            o.manufacturer = v;
        } else if (option == "--antenna") {
            o.antenna = v;
        } else if (option == "--angle-dir") {
            o.angleDir = v;
        } else if (option == "--polarisation") {
            const StringArray items = {"vertical", "horizontal"};
            o.polarisation = pick(option, v, items, items) == 0 ? Polarisation::Vertical
                                                                : Polarisation::Horizontal;
        } else if (option == "--station") {
            o.stationFile = v;
        }
    }
    if (o.stationFile && !o.stationOptions.empty())
        throw BadInput{"--station: the file gives the station; allowed with --angle-dir, "
                       "--polarisation, --distance and --json, not with " +
                       o.stationOptions.front()};
    if (o.manufacturer.has_value() != o.antenna.has_value())
        throw BadInput{std::string(o.antenna ? "--antenna" : "--manufacturer") +
                       ": give --manufacturer and --antenna together"};
    bool gainGiven = false;
    for (const auto& given : o.stationOptions)
        gainGiven = gainGiven || given == "--gain";
    if (o.antenna && gainGiven)
        throw BadInput{"--gain and --antenna: the antenna gives the gain; give one of them"};
    if (o.antenna && o.allBands)
        throw BadInput{"--all-bands: computes every band; allowed without --antenna"};
    if (o.bandGiven && o.frequencyGiven)
        throw BadInput{"--band and --frequency: give one of them, not both"};
    if (o.allBands && (o.bandGiven || o.frequencyGiven))
        throw BadInput{"--all-bands: computes every band; allowed without --band and --frequency"};
    return o;
}

// Shortest text that reads back as the same double; JSON null where the window shows "---".
std::string jsonNumber(double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

// The option a refusal belongs to, and the error line.
std::string refusalLine(Refusal r) {
    std::string option;
    switch (r) {
    case Refusal::NegativePower:
        option = "--power";
        break;
    case Refusal::NoLimitAtFrequency:
    case Refusal::CableFrequencyOutOfRange:
        option = "--frequency";
        break;
    case Refusal::CableLengthNotReal:
    case Refusal::CableLengthNotPositive:
        option = "--length";
        break;
    case Refusal::AttenuationNotPositive:
        option = "--other-loss";
        break;
    case Refusal::NegativeDistance:
    case Refusal::DistanceNotReal:
        option = "--distance";
        break;
    case Refusal::NoBand:
        return "--band: " + RefusalText(r) + " allowed: " + joined(bandNames());
    case Refusal::NoCable:
        return "--cable: " + RefusalText(r) + " allowed: " + joined(cableNames());
    case Refusal::NoFactor:
        return "--mode, --rhythm, --factors: " + RefusalText(r);
    case Refusal::OutOfRange:
    case Refusal::None:
        return "--power, --gain, --length, --other-loss, --distance: " + RefusalText(r) +
               " allowed: values whose results fit double precision";
    }
    return option + ": " + RefusalText(r) + " allowed: " + allowedFor(option);
}

// A JSON string of a Windows-1252 text.
std::string jsonString(std::string_view cp1252) {
    std::string out = "\"";
    for (char c : Cp1252ToUtf8(cp1252)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < ' ') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonPositive(double x) {
    return x > 0 ? jsonNumber(x) : "null";
}

std::string trimmedBandEdge(double x) {
    std::string t = FormatBandEdge(x);
    return t.substr(t.find_first_not_of(' '));
}

// A number text written with the point as decimal separator, as the output is.
std::string withPoint(std::string (*format)(double), double x) {
    NumberSettings point = CurrentNumberSettings();
    point.decimalSeparator = '.';
    point.thousandSeparator = ',';
    ScopedNumberSettings scoped(point);
    return format(x);
}

using Lines = std::vector<std::pair<std::string, std::string>>;

// The values as the window shows them, with its English labels.
Lines textValues(const StationSetup& s, const StationResult& r, bool powerFirst) {
    const CalcTexts t = FormatCalcResult(r.calc, s.AntennaGain);
    const std::string freqText = s.frequency.FixedFrequencyMode
                                     ? trimmedBandEdge(s.frequency.FixedFrequency)
                                     : trimmedBandEdge(BandLowerEdge(s.frequency.BandIDX)) + " - " +
                                           trimmedBandEdge(BandUpperEdge(s.frequency.BandIDX));
    const std::pair<std::string, std::string> power = {"Power [W]", FormatReal(kFormat, r.Power)};
    Lines lines;
    if (powerFirst)
        lines.push_back(power);
    lines.push_back(
        {"Ham-Band", HamBands(s.frequency.FixedFrequencyMode ? 0 : s.frequency.BandIDX)});
    lines.push_back({"Freq. [MHz]", freqText});
    if (!powerFirst)
        lines.push_back(power);
    lines.push_back({"Mode", ModeText(s.ModeIDX)});
    lines.push_back({"E-Field Limit  [V/m]", t.EditEps});
    lines.push_back({"Modulation Factor", FormatReal(kFormat, r.factors.ModeFactor)});
    lines.push_back({"Intermittend Factor", FormatReal(kFormat, r.factors.DutyCycle)});
    lines.push_back({"Resulting Factor", FormatReal(kFormat, r.factors.Factor)});
    lines.push_back({"Frequency [MHz]", FormatReal(kFormat, r.cable.AttFreq)});
    lines.push_back({"Attenuation [dB/100m]", FormatReal(kFormat, r.cable.CableAtt100)});
    lines.push_back({"Cable Length [m]", FormatReal(kFormat, r.cable.CableLength)});
    lines.push_back({"Cable Attenuation [dB]", FormatReal(kFormat, r.cable.CableAtt)});
    lines.push_back({"Other Attenuations [dB]", FormatReal(kFormat, r.cable.PlugAtt)});
    lines.push_back({"Combined Attenuation between TX Output and Antenna Input [dB]",
                     FormatReal(kFormat, r.cable.TotalAtt)});
    lines.push_back({"Antenna Gain (dBi)", t.EditGain});
    lines.push_back({"Ant. Input Power [W]", t.EditAntIn});
    lines.push_back({"EIRP [W]", t.EditEIRP});
    lines.push_back({"Distance [m]", t.EditrPS});
    lines.push_back({"Nearfield Conds [m]", t.EditrNahfeld});
    return lines;
}

std::string jsonObject(const StationSetup& s, const StationResult& r) {
    const CalcResult& c = r.calc;
    const std::string band =
        s.frequency.FixedFrequencyMode ? "null" : "\"" + HamBands(s.frequency.BandIDX) + "\"";
    std::string o = "{\"band\":" + band;
    o += ",\"frequency\":" + jsonNumber(ReferenceFrequency(s.frequency));
    o += ",\"e_limit\":" + jsonPositive(c.ELimit);
    o += ",\"mode_factor\":" + jsonNumber(r.factors.ModeFactor);
    o += ",\"duty_cycle\":" + jsonNumber(r.factors.DutyCycle);
    o += ",\"factor\":" + jsonNumber(r.factors.Factor);
    o += ",\"cable_att100\":" + jsonNumber(r.cable.CableAtt100);
    o += ",\"cable_att\":" + jsonNumber(r.cable.CableAtt);
    o += ",\"total_att\":" + jsonNumber(r.cable.TotalAtt);
    o += ",\"gain\":" + jsonNumber(s.AntennaGain);
    o += ",\"power\":" + jsonNumber(r.Power);
    o += ",\"ant_in_power\":" + jsonNumber(c.AntInPower);
    o += ",\"eirp\":" + jsonNumber(c.EIRP);
    o += ",\"mean_eirp\":" + jsonNumber(c.MeanEIRP);
    o += ",\"safety_distance\":" + jsonPositive(c.SafetyDistance);
    o += ",\"near_field_limit\":" + jsonPositive(c.NearFieldLimit);
    return o + "}";
}

// ---- a station file ----------------------------------------------------------------------

// A line of the station file that cannot be used: the file, the line and why.
BadInput stationLineError(const std::string& file, const StationFileReading& reading,
                          StationLine line, const std::string& reason) {
    const int n = static_cast<int>(line);
    const std::string text = n <= static_cast<int>(reading.lines.size())
                                 ? reading.lines[static_cast<std::size_t>(n - 1)]
                                 : std::string();
    return BadInput{"--station: " + quoted(file) + " line " + std::to_string(n) +
                    (text.empty() ? "" : " " + quoted(text)) + ": " + reason};
}

const char* problemReason(StationProblemKind kind) {
    switch (kind) {
    case StationProblemKind::Missing:
        return "missing; a station file has ten lines";
    case StationProblemKind::Empty:
        return "no value after the label";
    case StationProblemKind::NoSeparator:
        return "no ';' between the antenna name and the manufacturer";
    case StationProblemKind::NotANumber:
        return "the fixed frequency after F is not a number";
    case StationProblemKind::UnknownAntenna:
        break;
    }
    return "names no antenna of the catalogue";
}

// The station of a saved file, as opening it in the window restores it; the antenna
// goes to o.manufacturer and o.antenna.
void readStation(Options& o) {
    const std::string& file = *o.stationFile;
    const FileReadResult read = ReadWholeFile(file);
    if (!read.ok())
        throw BadInput{"--station: " + quoted(read.error).substr(1, quoted(read.error).size() - 2)};
    const StationFileReading reading = ParseStationFile(read.bytes);
    if (!reading.problems.empty()) {
        const StationFileProblem& p = reading.problems.front();
        throw stationLineError(file, reading, p.line, problemReason(p.kind));
    }
    const StationRecord& r = reading.record;
    auto number = [&](StationLine line, const std::string& text, const char* option) {
        double v = 0;
        if (!TryStrToReal(text, v))
            throw stationLineError(file, reading, line,
                                   "not a number; allowed: " + allowedFor(option));
        return v;
    };
    auto item = [&](StationLine line, const std::string& text, const StringArray& items) {
        for (std::size_t i = items.size(); i-- > 0;)
            if (SameTextNoCase(text, items[i]))
                return static_cast<int>(i);
        throw stationLineError(file, reading, line, "unknown value; allowed: " + joined(items));
    };
    StationSetup& s = o.setup;
    if (r.fixedFrequencyMode) {
        s.frequency = FrequencyChoice::Fixed(reading.fixedFrequency);
    } else {
        s.frequency =
            FrequencyChoice::Band(item(StationLine::BandOrFrequency, r.band, bandNames()) + 1);
    }
    o.antenna = r.antennaName;
    o.manufacturer = r.manufacturer;
    s.Power = number(StationLine::Power, r.power, "--power");
    const int mode = ModeFromText(r.mode);
    if (mode < 1 || mode > static_cast<int>(ModeItems().size()))
        throw stationLineError(file, reading, StationLine::Mode,
                               "unknown mode; allowed: CW, SSB, AM, FM, TV, GSM, DTX, Alle");
    s.ModeIDX = mode;
    s.rhythmItem = item(StationLine::DutyCycle, r.dutyCycle, RhythmItems());
    s.FactorTable = FactorTableItems()[static_cast<std::size_t>(
        item(StationLine::FactorTable, r.factorTable, FactorTableItems()))];
    s.CableIDX = item(StationLine::Cable, r.cable, cableNames()) + 1;
    s.CableLength = number(StationLine::CableLength, r.cableLength, "--length");
    s.PlugAtt = number(StationLine::OtherAttenuations, r.otherAttenuations, "--other-loss");
}

// The station-file line a refusal of the calculation belongs to.
StationLine refusedLine(Refusal r) {
    switch (r) {
    case Refusal::NegativePower:
        return StationLine::Power;
    case Refusal::CableLengthNotReal:
    case Refusal::CableLengthNotPositive:
        return StationLine::CableLength;
    case Refusal::AttenuationNotPositive:
        return StationLine::OtherAttenuations;
    case Refusal::NoCable:
        return StationLine::Cable;
    case Refusal::NoFactor:
        return StationLine::Mode;
    default:
        return StationLine::BandOrFrequency;
    }
}

// ---- the antenna -----------------------------------------------------------------------

// The antenna taken for the station: its entry, its point and its angle data.
struct TakenAntenna {
    std::string manufacturer; // as the catalogue names it
    std::string name;
    double pointFrequency = 0;
    double gain = 0; // rounded to two decimals, as "Take Antenna" does
    double pointGain = 0;
    std::string pointElements;
    std::optional<TWinkAnt> angles;
    Polarisation polarisation = Polarisation::Vertical;
};

std::string programFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "./";
    std::string path(buf, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

TakenAntenna takeAntenna(const Options& o) {
    auto fail = [&](const std::string& reason) -> BadInput {
        if (o.stationFile) {
            const std::string line =
                StationLineLabel(StationLine::Antenna) + *o.antenna + ";" + *o.manufacturer;
            return BadInput{"--station: " + quoted(*o.stationFile) + " line 2 " + quoted(line) +
                            ": " + reason};
        }
        return BadInput{"--antenna: " + reason};
    };
    const std::string catalogueFile = "Antennas.txt";
    if (!std::ifstream(catalogueFile))
        throw fail("The File " + catalogueFile + " was not found!");
    const TAntennen catalogue(catalogueFile, "AntUser.txt");
    const int entry = catalogue.FindAntenna(*o.antenna, *o.manufacturer);
    if (entry < 0)
        throw fail("no antenna " + quoted(*o.antenna) + " of manufacturer " +
                   quoted(*o.manufacturer) + " in Antennas.txt or AntUser.txt");
    const auto k = static_cast<std::size_t>(entry);
    const RData& data = catalogue.Data()[k];
    const double reference = ReferenceFrequency(o.setup.frequency);
    const int point = FindFittingPoint(data, reference);
    if (point < 0)
        throw fail("antenna " + quoted(*o.antenna) + " of " + quoted(*o.manufacturer) +
                   " has no point within 10 % of " + withPoint(trimmedBandEdge, reference) +
                   " MHz");
    const auto p = static_cast<std::size_t>(point);
    TakenAntenna t;
    t.manufacturer = catalogue.Manufacturers()[k];
    t.name = catalogue.Names()[k];
    t.pointFrequency = data.Frequencies[p];
    t.gain = StrToReal(FormatReal("%3.2f", data.Gains[p]));
    t.pointGain = data.Gains[p];
    t.pointElements = p < data.Elements.size() ? data.Elements[p] : std::string();

    const std::string folder = o.angleDir ? *o.angleDir + "/" : programFolder() + "ang/";
    const std::string angleFile = AngleFileName(folder, t.manufacturer, t.name);
    if (!angleFile.empty() && std::ifstream(angleFile)) {
        try {
            t.angles = ReadAngleFile(angleFile,
                                     o.setup.frequency.FixedFrequencyMode ? kUndefined : reference);
        } catch (const AngleDataError& e) {
            throw BadInput{"--angle-dir: " + quoted(e.what())};
        }
        t.polarisation = o.polarisation ? ClickedPolarisation(*t.angles, *o.polarisation)
                                        : PreselectedPolarisation(*t.angles);
    }
    return t;
}

int run(int argc, char** argv) {
    // Numbers are read as the program reads them: decimal comma, and the point always.
    ScopedNumberSettings program(ProgramNumberSettings(CurrentNumberSettings()));
    Options o = parse(argc, argv);
    if (o.help) {
        std::cout << kUsage;
        return 0;
    }
    if (o.version) {
        std::cout << "radexa-cli " << RADEXA_VERSION << '\n';
        return 0;
    }
    if (o.stationFile)
        readStation(o);
    std::optional<TakenAntenna> taken;
    if (o.antenna) {
        taken = takeAntenna(o);
        o.setup.AntennaGain = taken->gain;
    }

    std::vector<StationSetup> stations;
    if (o.allBands) {
        for (int band = 1; band <= kBandCount; ++band) {
            StationSetup s = o.setup;
            s.frequency = FrequencyChoice::Band(band);
            stations.push_back(s);
        }
    } else {
        stations.push_back(o.setup);
    }
    std::vector<StationResult> results;
    for (const auto& s : stations) {
        results.push_back(o.distance ? RecalculateAtDistance(s, *o.distance) : Recalculate(s));
        const Refusal refusal = results.back().refusal;
        if (refusal != Refusal::None && o.stationFile) {
            const StationLine line = refusedLine(refusal);
            throw BadInput{"--station: " + quoted(*o.stationFile) + " line " +
                           std::to_string(static_cast<int>(line)) + ": " + RefusalText(refusal)};
        }
        if (refusal != Refusal::None)
            throw BadInput{refusalLine(refusal)};
    }

    // Output with the point as decimal separator, whatever the program reads.
    NumberSettings point = CurrentNumberSettings();
    point.decimalSeparator = '.';
    point.thousandSeparator = ',';
    ScopedNumberSettings output(point);
    PatternLists pattern;
    if (taken && taken->angles && results[0].ok())
        pattern = ComputePattern(*taken->angles, taken->polarisation, results[0].calc.EIRP,
                                 results[0].calc.MeanEIRP, results[0].calc.ELimit);
    std::string out;
    if (o.json) {
        if (o.allBands)
            out += "[\n";
        for (std::size_t i = 0; i < results.size(); ++i) {
            std::string object = jsonObject(stations[i], results[i]);
            if (taken) {
                object.pop_back();
                object += ",\"manufacturer\":" + jsonString(taken->manufacturer) +
                          ",\"antenna\":" + jsonString(taken->name) +
                          ",\"point_frequency\":" + jsonNumber(taken->pointFrequency) +
                          ",\"angles\":[";
                for (std::size_t a = 0; a < pattern.PatternAngles.size(); ++a) {
                    const double d = pattern.PatternDistances[a];
                    object += (a ? "," : "") + std::string("{\"angle\":") +
                              std::to_string(pattern.PatternAngles[a]) +
                              ",\"attenuation\":" + jsonNumber(pattern.PatternAttenuations[a]) +
                              ",\"eirp\":" + jsonNumber(pattern.PatternEirp[a]) +
                              ",\"distance\":" + (d == kUndefined ? "null" : jsonNumber(d)) + "}";
                }
                object += "]}";
            }
            out += object + (o.allBands && i + 1 < results.size() ? ",\n" : "\n");
        }
        if (o.allBands)
            out += "]\n";
    } else if (o.allBands) {
        for (std::size_t i = 0; i < results.size(); ++i) {
            const Lines lines = textValues(stations[i], results[i], o.distance.has_value());
            if (i == 0) {
                for (std::size_t k = 0; k < lines.size(); ++k)
                    out += (k ? "\t" : "") + lines[k].first;
                out += '\n';
            }
            for (std::size_t k = 0; k < lines.size(); ++k)
                out += (k ? "\t" : "") + lines[k].second;
            out += '\n';
        }
    } else {
        for (const auto& [label, value] :
             textValues(stations[0], results[0], o.distance.has_value()))
            out += label + (value.empty() ? ":" : ": " + value) + '\n';
        if (taken) {
            out += "Manufacturer: " + Cp1252ToUtf8(taken->manufacturer) + '\n';
            out += "Antenna: " + Cp1252ToUtf8(taken->name) + '\n';
            out += "Antenna point (Freq. Gain # Ele.): " +
                   Cp1252ToUtf8(FormatPointLine(taken->pointFrequency, taken->pointGain,
                                                taken->pointElements)) +
                   '\n';
        }
        if (taken && taken->angles) {
            out += std::string("Antenna polarisation: ") +
                   (taken->polarisation == Polarisation::Vertical ? "Vertical" : "Horizontal") +
                   '\n';
            std::vector<StringArray> rows{AngleTableHeader()};
            for (auto& row : AngleTableRows(pattern))
                rows.push_back(std::move(row));
            std::string grid = GridFileText(rows);
            for (std::size_t at = grid.find("\r\n"); at != std::string::npos;
                 at = grid.find("\r\n", at))
                grid.erase(at, 1);
            out += grid;
        }
    }
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const BadInput& e) {
        std::cerr << "radexa-cli: " << e.message << '\n';
        return kExitBadInput;
    }
}
