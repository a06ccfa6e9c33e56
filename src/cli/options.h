#pragma once
// The options of radexa-cli: one table of descriptors, read into Options. Values keep the
// text the operator gave where the window keeps a field's text (power, frequency, lengths,
// distance); numbers are checked here so that a bad one is named by its option.

#include "core/antennas/angletable.h"
#include "core/app/languages.h"
#include "core/calc/limits.h"
#include "core/support/numbersettings.h"
#include "core/support/types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radexa::cli {

// Exit status for bad input, and for output that could not be written.
constexpr int kExitBadInput = 2;
constexpr int kExitFailed = 1;

// What went wrong, as the one line on stderr (Windows-1252; written as UTF-8).
struct CliError {
    std::string message;
    int status = kExitBadInput;
};

struct Options {
    std::optional<int> band;              // 1..18
    std::optional<std::string> frequency; // MHz, as typed
    std::optional<std::string> power;     // W, as typed
    std::optional<int> mode;              // ModeIDX 1..8
    std::optional<int> rhythm;            // item 0..5
    std::optional<int> factorTable;       // item 0..2
    std::optional<int> cable;             // CableIDX 1..10
    std::optional<std::string> length;    // m, as typed
    std::optional<std::string> otherLoss; // dB, as typed
    std::optional<double> gain;           // dBi
    std::optional<std::string> manufacturer, antenna;
    std::optional<std::string> stationFile;
    std::optional<std::string> angleDir;
    std::optional<Polarisation> polarisation;
    std::optional<std::string> distance; // m, as typed
    std::optional<LimitSet> limits;
    std::optional<LimitTier> tier;
    std::optional<GroundReflection> ground;
    std::optional<std::string> exemptionDistance; // m, as typed
    bool compare = false;
    // Angle data from a pattern file or a nec2c model instead of a station.
    std::optional<std::string> importPattern; // the file
    std::optional<std::string> format;        // nec, eznec, csv
    std::optional<std::string> model;         // dipole, invertedv, vertical, deck
    std::optional<std::string> deck;          // the operator's NEC deck
    std::optional<double> azimuth, height, angle;
    std::optional<int> radials;
    std::optional<std::string> groundText; // --ground, read by the mode it goes with
    std::optional<std::string> type;       // the catalogue entry's type with --write
    bool write = false;
    // The compliance report: its PDF and its JSON twin, and what the operator adds.
    std::optional<std::string> report, reportJson;
    std::optional<std::string> call, place;
    std::optional<Language> language;
    bool allBands = false;
    bool json = false;
    bool help = false;
    bool version = false;
    StringArray stationOptions; // the given options that describe the station, in order

    // Whether a limit option was given: the output then names the set and its checks.
    bool limitOptions() const { return limits || tier || ground || exemptionDistance; }
    // Whether angle data are made (--import-pattern, --model) instead of a station computed.
    bool patternMode() const { return importPattern || model; }
};

// Reads the arguments (without the program name; Windows-1252). Throws CliError.
Options ParseOptions(const std::vector<std::string>& args);

// The usage text of --help.
const char* Usage();

// Echoed user text: in quotes, on one line, cut to a few hundred characters.
std::string Quoted(std::string_view text);
// A file or folder name as the file system has it (UTF-8), quoted like echoed text.
std::string QuotedPath(std::string_view path);
// What an option allows, for the error line.
std::string AllowedFor(std::string_view option);
// The items joined by ", ".
std::string Joined(const StringArray& items);
StringArray BandNames();
StringArray CableNames();

// While it lives, numbers are written with the decimal point, as the output is.
class PointNumbers {
public:
    PointNumbers();

private:
    ScopedNumberSettings m_scoped;
};

// The band-edge form of a frequency without its leading blanks.
std::string TrimmedBandEdge(double mhz);

// An argument as the terminal gives it (UTF-8) in Windows-1252; bytes that are no UTF-8
// are taken as Windows-1252 already. (ParseOptions converts the values that are text and
// keeps file names as they are.)
std::string ArgumentToCp1252(std::string_view argument);
// A message line for the terminal: UTF-8, control characters masked. The message is
// Windows-1252, unless it is UTF-8 already (a reader's message naming a file as the file
// system has it).
std::string MessageForTerminal(std::string_view message);

} // namespace radexa::cli
