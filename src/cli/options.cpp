#include "cli/options.h"

#include "core/app/report.h"
#include "core/calc/bands.h"
#include "core/calc/cable.h"
#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace radexa::cli {

namespace {

const char* const kUsage =
    "Usage: radexa-cli [--band NAME | --frequency MHZ] [--power W]\n"
    "                  [--mode CW|SSB|AM|FM|TV|GSM|DTX|All] [--rhythm \"TXn RXm\"]\n"
    "                  [--factors FCC|BNetzA|1] [--cable NAME] [--length M]\n"
    "                  [--other-loss DB] [--gain DBI | --manufacturer NAME --antenna NAME]\n"
    "                  [--angle-dir DIR] [--polarisation vertical|horizontal]\n"
    "                  [--distance M] [--limits SET] [--tier T] [--ground G]\n"
    "                  [--exemption-distance M] [--compare] [--all-bands] [--json]\n"
    "                  [--report FILE.pdf] [--report-json FILE] [--call CALL]\n"
    "                  [--place PLACE] [--language de|en|fr|sv] [--help] [--version]\n"
    "       radexa-cli --station FILE [--angle-dir DIR] [--polarisation P] [--distance M]\n"
    "                  [--limits SET] [--tier T] [--ground G] [--exemption-distance M]\n"
    "                  [--compare] [--json] [--report FILE.pdf] [--report-json FILE] ...\n"
    "       radexa-cli --import-pattern FILE [--format nec|eznec|csv] [--azimuth DEG]\n"
    "                  [--frequency MHZ] [--gain DBI]\n"
    "                  [--write --manufacturer NAME --antenna NAME [--type TEXT]]\n"
    "       radexa-cli --model dipole|invertedv|vertical|deck [--frequency MHZ]\n"
    "                  [--height M] [--angle DEG] [--radials N] [--deck FILE]\n"
    "                  [--ground free|perfect|average|poor] [--azimuth DEG]\n"
    "                  [--write --manufacturer NAME --antenna NAME [--type TEXT]]\n"
    "\n"
    "Computes the safety distance of a transmitting station for persons (far field).\n"
    "Defaults: --band 2m --power 100 --mode SSB --rhythm \"TX3 RX3\" --factors FCC\n"
    "          --cable RG213 --length 10 --other-loss 0 --gain 0\n"
    "\n"
    "  --band NAME        LW, 160m, 80m, 40m, 30m, 20m, 17m, 15m, 12m, 10m, 6m, 2m, 70cm,\n"
    "                     23cm, 13cm, 9cm, 6cm, 3cm\n"
    "  --frequency MHZ    a fixed frequency instead of a band\n"
    "  --power W          transmitter output power (peak envelope power)\n"
    "  --mode MODE        operating mode, for the modulation factor (All or Alle)\n"
    "  --rhythm TEXT      transmit/receive rhythm: TX6 RX0, TX5 RX1, ..., TX1 RX5\n"
    "  --factors TABLE    modulation factors: FCC, BNetzA (or \"BNetzA (Germany)\"), 1 (or\n"
    "                     none)\n"
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
    "  --distance M       find the power for this safety distance (printed first; not\n"
    "                     with --power)\n"
    "  --limits SET       the exposure limits: ICNIRP1998 (the band table, the default),\n"
    "                     ICNIRP2020, FCC (47 CFR 1.1310) or SC6 (Health Canada Safety\n"
    "                     Code 6)\n"
    "  --tier T           public (the default) or occupational (ICNIRP2020 and FCC only)\n"
    "  --ground G         ground reflection, as a field factor: none (the default), 1.6\n"
    "                     (typical ground) or 2 (full reflection)\n"
    "  --exemption-distance M\n"
    "                     distance to the nearest place people may be, for the FCC\n"
    "                     exemption from evaluation\n"
    "  --compare          one row per limit set and tier for the same station (not with\n"
    "                     --distance, --limits, --tier, --exemption-distance)\n"
    "  --import-pattern FILE\n"
    "                     angle data from a NEC-2 output, an EZNEC far-field table or a\n"
    "                     CSV file (angle,gain_dbi or angle,attenuation_db), printed in the\n"
    "                     angle-file format\n"
    "  --format F         nec, eznec or csv (default: from the file)\n"
    "  --azimuth DEG      the azimuth of the vertical cut (default: the strongest)\n"
    "  --model M          angle data computed with nec2c: dipole (--frequency, --height),\n"
    "                     invertedv (--frequency, --height of the apex, --angle between\n"
    "                     the legs), vertical (--frequency, --radials, --height of the\n"
    "                     base; without it on the ground), deck (--deck FILE)\n"
    "  --height M, --angle DEG, --radials N, --deck FILE\n"
    "                     the model's values\n"
    "                     (--ground free, perfect, average or poor: the model's ground,\n"
    "                     average by default)\n"
    "  --write            add the antenna to AntUser.txt and its angle file to the angle\n"
    "                     data (--angle-dir, else ang/ beside the program when it can be\n"
    "                     written, else ~/.local/share/radexa/ang), with --manufacturer,\n"
    "                     --antenna and --type\n"
    "  --type TEXT        the type of the written antenna (default: Model or Imported)\n"
    "  --all-bands        one row per band for the same station\n"
    "  --json             JSON output, full precision, null where the window shows ---\n"
    "  --report FILE.pdf  also write the compliance report of the station as a PDF (A4\n"
    "                     or Letter after the locale's LC_PAPER)\n"
    "  --report-json FILE also write the report's data as JSON (the --json keys, the\n"
    "                     limit checks, the exemption and every band)\n"
    "  --call CALL, --place PLACE\n"
    "                     the operator's call sign and the station's place in the report\n"
    "  --language LANG    the report's language: de, en (default), fr or sv\n"
    "  --help, --version  this text, the version\n"
    "\n"
    "Numbers take a decimal point or a decimal comma, without thousands separators.\n";

constexpr std::size_t kQuotedLimit = 200;

double readNumber(const std::string& option, const std::string& text) {
    double v = 0;
    if (!TryStrToReal(text, v))
        throw CliError{option + ": " + Quoted(text) +
                       " is not a number; allowed: " + AllowedFor(option)};
    return v;
}

// Index (0-based) of the item equal to the text, letter case ignored; throws otherwise.
int pick(const std::string& option, std::string_view text, const StringArray& items,
         const StringArray& allowed) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameTextNoCase(text, items[i]))
            return static_cast<int>(i);
    throw CliError{option + ": unknown value " + Quoted(text) + "; allowed: " + Joined(allowed)};
}

// One option: its name, whether it takes a value, whether it describes the station, and
// what it does with the value.
struct OptionDescriptor {
    const char* name;
    bool takesValue;
    bool describesStation;
    void (*apply)(Options& o, const std::string& option, const std::string& value);
};

const OptionDescriptor
    kOptions[] =
        {
            {"--band", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.band = pick(opt, v, BandNames(), BandNames()) + 1;
             }},
            {"--frequency", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.frequency = v;
             }},
            {"--power", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.power = v;
             }},
            {"--mode", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 // "Alle" is how the station file writes "All".
                 StringArray items = ModeItems();
                 items.push_back("Alle");
                 o.mode = std::min(pick(opt, v, items, ModeItems()),
                                   static_cast<int>(ModeItems().size()) - 1) +
                          1;
             }},
            {"--rhythm", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.rhythm = pick(opt, v, RhythmItems(), RhythmItems());
             }},
            {"--factors", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 // "BNetzA" is short for the item "BNetzA (Germany)"; "none" is the table "1".
                 const StringArray& items = FactorTableItems();
                 const StringArray accepted = {items[0], items[1], items[2], "BNetzA", "none"};
                 const int at = pick(opt, v, accepted, {"FCC", "BNetzA", items[1], "1", "none"});
                 o.factorTable = at == 3 ? 1 : at == 4 ? 2 : at;
             }},
            {"--cable", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.cable = pick(opt, v, CableNames(), CableNames()) + 1;
             }},
            {"--length", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.length = v;
             }},
            {"--other-loss", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.otherLoss = v;
             }},
            {"--gain", true, true,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.gain = readNumber(opt, v);
             }},
            {"--distance", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.distance = v;
             }},
            {"--manufacturer", true, true,
             [](Options& o, const std::string&, const std::string& v) { o.manufacturer = v; }},
            {"--antenna", true, true,
             [](Options& o, const std::string&, const std::string& v) { o.antenna = v; }},
            {"--angle-dir", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.angleDir = v; }},
            {"--polarisation", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 const StringArray items = {"vertical", "horizontal"};
                 o.polarisation = pick(opt, v, items, items) == 0 ? Polarisation::Vertical
                                                                  : Polarisation::Horizontal;
             }},
            {"--station", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.stationFile = v; }},
            {"--limits", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 LimitSet set = LimitSet::Icnirp1998;
                 if (!ParseLimitSet(v, set))
                     throw CliError{opt + ": unknown value " + Quoted(v) +
                                    "; allowed: " + AllowedFor(opt)};
                 o.limits = set;
             }},
            {"--tier", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 LimitTier tier = LimitTier::Public;
                 if (!ParseLimitTier(v, tier))
                     throw CliError{opt + ": unknown value " + Quoted(v) +
                                    "; allowed: " + AllowedFor(opt)};
                 o.tier = tier;
             }},
            {"--ground", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.groundText = v; }},
            {"--exemption-distance", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 readNumber(opt, v);
                 o.exemptionDistance = v;
             }},
            {"--compare", false, false,
             [](Options& o, const std::string&, const std::string&) { o.compare = true; }},
            {"--import-pattern", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.importPattern = v; }},
            {"--format", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.format = StringArray{"nec", "eznec", "csv"}[static_cast<std::size_t>(
                     pick(opt, v, {"nec", "eznec", "csv"}, {"nec", "eznec", "csv"}))];
             }},
            {"--azimuth", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.azimuth = readNumber(opt, v);
             }},
            {"--model", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 const StringArray models = {"dipole", "invertedv", "vertical", "deck"};
                 o.model = models[static_cast<std::size_t>(pick(opt, v, models, models))];
             }},
            {"--deck", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.deck = v; }},
            {"--height", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.height = readNumber(opt, v);
             }},
            {"--angle", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.angle = readNumber(opt, v);
             }},
            {"--radials", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 const double n = readNumber(opt, v);
                 if (!(n >= 1 && n <= 64) || n != std::floor(n)) // checked before the conversion
                     throw CliError{opt + ": " + Quoted(v) +
                                    " is no count; allowed: " + AllowedFor(opt)};
                 o.radials = static_cast<int>(n);
             }},
            {"--type", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.type = v; }},
            {"--write", false, false,
             [](Options& o, const std::string&, const std::string&) { o.write = true; }},
            {"--report", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.report = v; }},
            {"--report-json", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.reportJson = v; }},
            {"--call", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.call = v; }},
            {"--place", true, false,
             [](Options& o, const std::string&, const std::string& v) { o.place = v; }},
            {"--language", true, false,
             [](Options& o, const std::string& opt, const std::string& v) {
                 o.language = ReportLanguageFromCode(v);
                 if (!o.language)
                     throw CliError{opt + ": unknown value " + Quoted(v) +
                                    "; allowed: " + AllowedFor(opt)};
             }},
            {"--all-bands", false, true,
             [](Options& o, const std::string&, const std::string&) { o.allBands = true; }},
            {"--json", false, false,
             [](Options& o, const std::string&, const std::string&) { o.json = true; }},
            {"--help", false, false,
             [](Options& o, const std::string&, const std::string&) { o.help = true; }},
            {"--version", false, false,
             [](Options& o, const std::string&, const std::string&) { o.version = true; }},
};

const OptionDescriptor* findOption(std::string_view name) {
    for (const OptionDescriptor& descriptor : kOptions)
        if (name == descriptor.name)
            return &descriptor;
    return nullptr;
}

std::string optionNames() {
    StringArray values, flags;
    for (const OptionDescriptor& descriptor : kOptions)
        (descriptor.takesValue ? values : flags).push_back(descriptor.name);
    return Joined(values) + ", " + Joined(flags);
}

bool given(const Options& o, std::string_view option) {
    return std::find(o.stationOptions.begin(), o.stationOptions.end(), option) !=
           o.stationOptions.end();
}

// The options that go with --import-pattern and --model; any other is refused with them.
const StringArray kPatternOptions = {"--import-pattern", "--format",    "--azimuth", "--model",
                                     "--deck",           "--height",    "--angle",   "--radials",
                                     "--ground",         "--frequency", "--gain",    "--write",
                                     "--manufacturer",   "--antenna",   "--type",    "--angle-dir"};

void checkPatternMode(Options& o, const StringArray& given) {
    const std::string mode = o.importPattern ? "--import-pattern" : "--model";
    if (o.importPattern && o.model)
        throw CliError{"--import-pattern and --model: give one of them, not both"};
    for (const std::string& option : given)
        if (std::find(kPatternOptions.begin(), kPatternOptions.end(), option) ==
            kPatternOptions.end())
            throw CliError{mode + ": makes angle data; not with " + option};
    if (o.groundText) {
        const StringArray grounds = {"free", "perfect", "average", "poor"};
        if (!o.model)
            throw CliError{"--ground: goes with --model, not with --import-pattern"};
        pick("--ground", *o.groundText, grounds, grounds);
    }
    if (o.write && !(o.manufacturer && o.antenna))
        throw CliError{"--write: give --manufacturer and --antenna for the catalogue entry"};
    if (!o.write && (o.manufacturer || o.antenna || o.type || o.angleDir))
        throw CliError{mode + ": --manufacturer, --antenna, --type and --angle-dir go with "
                              "--write"};
    if (o.model == "deck" && !o.deck)
        throw CliError{"--model deck: give the deck with --deck FILE"};
    if (o.model && *o.model != "deck" && !o.frequency)
        throw CliError{"--model " + *o.model + ": give the frequency with --frequency MHZ"};
    if ((o.model == "dipole" || o.model == "invertedv") && !o.height)
        throw CliError{"--model " + *o.model + ": give the height with --height M"};
    if (o.model == "invertedv" && !o.angle)
        throw CliError{"--model invertedv: give the angle between the legs with --angle DEG"};
    if (o.model == "vertical" && !o.radials)
        throw CliError{"--model vertical: give the number of radials with --radials N"};
}

void checkCombinations(const Options& o) {
    if (o.stationFile && !o.stationOptions.empty())
        throw CliError{"--station: the file gives the station; allowed with --angle-dir, "
                       "--polarisation, --distance, the limit options, --compare, --json and "
                       "the report's options, not with " +
                       o.stationOptions.front()};
    if (o.manufacturer.has_value() != o.antenna.has_value())
        throw CliError{std::string(o.antenna ? "--antenna" : "--manufacturer") +
                       ": give --manufacturer and --antenna together"};
    if (o.antenna && o.gain)
        throw CliError{"--gain and --antenna: the antenna gives the gain; give one of them"};
    if (o.antenna && o.allBands)
        throw CliError{"--all-bands: computes every band; allowed without --antenna"};
    if (o.band && o.frequency)
        throw CliError{"--band and --frequency: give one of them, not both"};
    if (o.allBands && (o.band || o.frequency))
        throw CliError{"--all-bands: computes every band; allowed without --band and --frequency"};
    if (o.power && o.distance)
        throw CliError{"--power and --distance exclude each other"};
    // The comparison shows every set and tier for the station's power; it has no place for
    // a power found for a distance, one chosen set or tier, or the exemption.
    if (o.compare)
        for (const auto& [given, option] :
             {std::pair{o.distance.has_value(), "--distance"},
              {o.limits.has_value(), "--limits"},
              {o.tier.has_value(), "--tier"},
              {o.exemptionDistance.has_value(), "--exemption-distance"}})
            if (given)
                throw CliError{std::string("--compare: compares every limit set and tier for "
                                           "the station's power; not with ") +
                               option};
    // The default set (and a station file's, checked when it is read) may lack the tier.
    const LimitSet set = o.limits.value_or(LimitSet::Icnirp1998);
    if (o.tier == LimitTier::Occupational && (o.limits || !o.stationFile) &&
        !HasTier(set, LimitTier::Occupational))
        throw CliError{"--tier: " + LimitRefusalText(Refusal::NoLimitTier, LimitChoice{set}) +
                       " allowed with ICNIRP2020, FCC"};
    const bool report = o.report || o.reportJson;
    for (const auto& [given, option] : {std::pair{o.call.has_value(), "--call"},
                                        {o.place.has_value(), "--place"},
                                        {o.language.has_value(), "--language"}})
        if (given && !report)
            throw CliError{std::string(option) +
                           ": goes into the report; give it with --report or --report-json"};
    if (report && o.allBands)
        throw CliError{std::string(o.report ? "--report" : "--report-json") +
                       ": reports one station; not with --all-bands"};
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80           ? 0
                          : (c >> 5) == 0x6  ? 1
                          : (c >> 4) == 0xE  ? 2
                          : (c >> 3) == 0x1E ? 3
                                             : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 0x2)
                return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

} // namespace

const char* Usage() {
    return kUsage;
}

namespace {
NumberSettings withPoint() {
    NumberSettings point = CurrentNumberSettings();
    point.decimalSeparator = '.';
    point.thousandSeparator = ',';
    return point;
}
} // namespace

PointNumbers::PointNumbers() : m_scoped(withPoint()) {}

std::string TrimmedBandEdge(double mhz) {
    const std::string t = FormatBandEdge(mhz);
    return t.substr(t.find_first_not_of(' '));
}

std::string Joined(const StringArray& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

StringArray BandNames() {
    StringArray out;
    for (int i = 1; i <= kBandCount; ++i)
        out.push_back(HamBands(i));
    return out;
}

StringArray CableNames() {
    StringArray out;
    for (int i = 1; i <= kCableCount; ++i)
        out.push_back(CableName(i));
    return out;
}

std::string Quoted(std::string_view text) {
    return "'" + EchoText(text, kQuotedLimit) + "'";
}

std::string QuotedPath(std::string_view path) {
    return Quoted(ArgumentToCp1252(path));
}

std::string AllowedFor(std::string_view option) {
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
        return Joined(BandNames());
    if (option == "--mode")
        return Joined(ModeItems());
    if (option == "--rhythm")
        return Joined(RhythmItems());
    if (option == "--factors")
        return "FCC, BNetzA, " + FactorTableItems()[1] + ", 1, none";
    if (option == "--cable")
        return Joined(CableNames());
    if (option == "--polarisation")
        return "vertical, horizontal";
    if (option == "--station")
        return "a station file saved by the program";
    if (option == "--manufacturer" || option == "--antenna")
        return "a manufacturer and an antenna name of the catalogue";
    if (option == "--angle-dir")
        return "a folder";
    if (option == "--limits")
        return "ICNIRP1998, ICNIRP2020, FCC, SC6";
    if (option == "--tier")
        return "public, occupational";
    if (option == "--ground")
        return "none, 1.6, 2; with --model free, perfect, average, poor";
    if (option == "--radials")
        return "a whole number from 1 to 64";
    if (option == "--height")
        return "a height in m, up to 1000" + number;
    if (option == "--angle")
        return "the angle between the legs in degrees" + number;
    if (option == "--azimuth")
        return "an azimuth in degrees" + number;
    if (option == "--exemption-distance")
        return "a distance in m, 0 or more" + number;
    if (option == "--language")
        return "de, en, fr, sv";
    return "";
}

namespace {

// A file or folder name is used as the file system has it; any other value is text the
// program holds in Windows-1252, and a character that has no place there is refused
// rather than turned into a '?' that would reach a file or a report unseen.
std::string optionValue(const std::string& option, const std::string& value) {
    static constexpr std::array<std::string_view, 6> kFileOptions = {
        "--station", "--angle-dir", "--import-pattern", "--deck", "--report", "--report-json"};
    if (std::find(kFileOptions.begin(), kFileOptions.end(), option) != kFileOptions.end())
        return value;
    const std::string text = ArgumentToCp1252(value);
    if (validUtf8(value) && !FitsCp1252(value))
        throw CliError{option + ": " + Quoted(text) +
                       " holds a character that Radexa cannot keep (only the characters "
                       "of Windows-1252, such as \xE4 \xE9 \xE5, can be used)"};
    return text;
}

} // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    Options o;
    // --help anywhere answers with the help, whatever else is there.
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        o.help = true;
        return o;
    }
    StringArray seen;                                        // every option given, once
    std::vector<std::pair<std::string, std::string>> values; // each option's value
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> value;
        if (const auto eq = option.find('=');
            option.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        const OptionDescriptor* descriptor = findOption(option);
        if (!descriptor || (!descriptor->takesValue && value))
            throw CliError{"unknown option " + Quoted(ArgumentToCp1252(args[i])) +
                           "; allowed: " + optionNames()};
        if (descriptor->takesValue && !value) {
            if (i + 1 >= args.size())
                throw CliError{option + ": a value is missing; allowed: " + AllowedFor(option)};
            value = args[++i];
        }
        if (value)
            value = optionValue(option, *value);
        // A second value would silently replace the first: the operator meant one of them.
        if (descriptor->takesValue) {
            const auto first = std::find_if(values.begin(), values.end(),
                                            [&](const auto& v) { return v.first == option; });
            if (first != values.end())
                throw CliError{option + ": given twice (" + Quoted(first->second) + " and " +
                               Quoted(*value) + "); give it once"};
            values.emplace_back(option, *value);
        }
        if (descriptor->describesStation && !given(o, option))
            o.stationOptions.push_back(option);
        if (std::find(seen.begin(), seen.end(), option) == seen.end())
            seen.push_back(option);
        descriptor->apply(o, option, value.value_or(std::string()));
    }
    if (o.patternMode()) {
        checkPatternMode(o, seen);
        return o;
    }
    for (const char* option : {"--format", "--azimuth", "--deck", "--height", "--angle",
                               "--radials", "--write", "--type"})
        if (std::find(seen.begin(), seen.end(), option) != seen.end())
            throw CliError{std::string(option) + ": goes with --import-pattern or --model"};
    if (o.groundText) {
        GroundReflection ground = GroundReflection::None;
        if (!ParseGround(*o.groundText, ground))
            throw CliError{"--ground: unknown value " + Quoted(*o.groundText) +
                           "; allowed: none, 1.6, 2"};
        o.ground = ground;
    }
    checkCombinations(o);
    return o;
}

std::string ArgumentToCp1252(std::string_view argument) {
    return validUtf8(argument) ? Utf8ToCp1252(argument) : std::string(argument);
}

std::string MessageForTerminal(std::string_view message) {
    std::string masked(message);
    for (char& c : masked)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7f)
            c = '?';
    return LooksLikeUtf8(masked) ? masked : Cp1252ToUtf8(masked);
}

} // namespace radexa::cli
