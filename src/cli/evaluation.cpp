#include "cli/evaluation.h"

#include "core/antennas/patterncatalogue.h"

#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <vector>

#include <sys/stat.h>

namespace radexa::cli {

namespace {

const std::string kCatalogueFile = "Antennas.txt";

// The text of a frequency for a message: the band-edge form without leading blanks, with
// the decimal point of the output.
std::string frequencyText(double mhz) {
    PointNumbers point;
    return TrimmedBandEdge(mhz);
}

// One line of a station file that cannot be used: the file, the line (with its text
// when it has one) and why.
CliError stationLineError(const Options& o, const StationFileReading& reading, StationLine line,
                          const std::string& reason, bool withText = true) {
    const int n = static_cast<int>(line);
    const std::string text = withText && n <= static_cast<int>(reading.lines.size())
                                 ? reading.lines[static_cast<std::size_t>(n - 1)]
                                 : std::string();
    return CliError{"--station: " + QuotedPath(*o.stationFile) + " line " + std::to_string(n) +
                    (text.empty() ? "" : " " + Quoted(text)) + ": " + reason};
}

// Why a line of a station file names nothing the program knows.
std::string unknownValue(StationLine line) {
    switch (line) {
    case StationLine::BandOrFrequency:
        return "unknown band; allowed: " + Joined(BandNames());
    case StationLine::Mode:
        return "unknown mode; allowed: CW, SSB, AM, FM, TV, GSM, DTX, Alle";
    case StationLine::DutyCycle:
        return "unknown value; allowed: " + Joined(RhythmItems());
    case StationLine::FactorTable:
        return "unknown value; allowed: " + Joined(FactorTableItems());
    case StationLine::Cable:
        return "unknown value; allowed: " + Joined(CableNames());
    default:
        return "names nothing the program knows";
    }
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
        return "the fixed frequency after F is not a number or has no limit";
    case StationProblemKind::UnknownAntenna:
        break;
    }
    return "";
}

// The station-file line and the option a refusal of the calculation belongs to.
struct RefusalPlace {
    StationLine line;
    const char* option;
    bool notANumber;
};

RefusalPlace placeOf(Refusal r) {
    switch (r) {
    case Refusal::NegativePower:
        return {StationLine::Power, "--power", false};
    case Refusal::PowerNotReal:
        return {StationLine::Power, "--power", true};
    case Refusal::CableLengthNotReal:
        return {StationLine::CableLength, "--length", true};
    case Refusal::CableLengthNotPositive:
        return {StationLine::CableLength, "--length", false};
    case Refusal::AttenuationNotPositive:
        return {StationLine::OtherAttenuations, "--other-loss", false};
    case Refusal::NoCable:
        return {StationLine::Cable, "--cable", false};
    case Refusal::NoFactor:
        return {StationLine::Mode, "--mode", false};
    case Refusal::NegativeDistance:
    case Refusal::DistanceNotReal:
        return {StationLine::BandOrFrequency, "--distance", false};
    default:
        return {StationLine::BandOrFrequency, "--frequency", false};
    }
}

// The catalogue for an antenna or a station file.
void loadCatalogue(StationModel& m, const std::string& failurePrefix) {
    StationPaths paths;
    paths.catalogueFile = kCatalogueFile;
    paths.userAntennaFile = "AntUser.txt";
    paths.angleFolders = m.paths().angleFolders;
    const Outcome loaded = m.loadCatalogue(paths);
    if (loaded.refused) {
        std::string why = loaded.notices.front().detail;
        for (char& c : why)
            if (c == '\n')
                c = ' ';
        throw CliError{failurePrefix + why};
    }
}

// The first notice of an operation that the options gave, as an error.
void check(const Outcome& outcome) {
    if (outcome.notices.empty())
        return;
    const Notice& n = outcome.notices.front();
    if (n.subject == NoticeSubject::AngleData)
        throw CliError{"--angle-dir: " + Quoted(n.detail)};
    if (n.refusal == Refusal::OutsideLimitSet)
        throw CliError{"--limits: " + n.detail + " allowed: " + AllowedFor("--limits")};
    if (n.refusal == Refusal::NoLimitTier)
        throw CliError{"--tier: " + n.detail + " allowed with ICNIRP2020, FCC"};
    throw CliError{RefusalLine(n.refusal == Refusal::None ? Refusal::OutOfRange : n.refusal)};
}

// --limits, --tier, --ground and --exemption-distance: they win over a station file's lines.
void applyLimits(StationModel& m, const Options& o) {
    if (o.limits)
        check(m.chooseLimitSet(*o.limits));
    if (o.tier)
        check(m.chooseTier(*o.tier));
    if (o.ground)
        check(m.chooseGround(*o.ground));
    if (o.exemptionDistance && m.setExemptionDistanceText(*o.exemptionDistance).refused)
        throw CliError{"--exemption-distance: " + Quoted(*o.exemptionDistance) +
                       " is not a distance; allowed: " + AllowedFor("--exemption-distance")};
}

// --manufacturer and --antenna: highlighted and taken as in the window.
void takeAntenna(StationModel& m, const Options& o) {
    loadCatalogue(m, "--antenna: ");
    const TAntennen& catalogue = *m.catalogue();
    const int entry = catalogue.FindAntenna(*o.antenna, *o.manufacturer);
    if (entry < 0)
        throw CliError{"--antenna: no antenna " + Quoted(*o.antenna) + " of manufacturer " +
                       Quoted(*o.manufacturer) + " in Antennas.txt or AntUser.txt"};
    m.highlightEntry(entry);
    if (!m.highlighted().fits())
        throw CliError{"--antenna: antenna " + Quoted(*o.antenna) + " of " +
                       Quoted(*o.manufacturer) + " has no point within 10 % of " +
                       frequencyText(m.referenceFrequency()) + " MHz"};
    check(m.takeAntenna());
}

// The lines after the ten that the window passes over: a line it does not know, a second
// line with the same label (the last would win), and any text beyond the lines it reads.
void checkOptionalLines(const Options& o, const std::string& bytes,
                        const StationFileReading& parsed) {
    const std::string file = "--station: " + QuotedPath(*o.stationFile) + " line ";
    StringArray labels;
    for (StationOption option :
         {StationOption::LimitSet, StationOption::Tier, StationOption::Ground,
          StationOption::ExemptionDistance, StationOption::Polarisation})
        labels.push_back(StationOptionLabel(option));
    std::vector<std::size_t> labelLine(labels.size(), 0);
    for (std::size_t n = kStationLineCount; n < parsed.lines.size(); ++n) {
        const std::string& line = parsed.lines[n];
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::size_t k = 0;
        while (k < labels.size() && line.compare(0, labels[k].size(), labels[k]) != 0)
            ++k;
        const std::string where = file + std::to_string(n + 1) + " " + Quoted(line) + ": ";
        if (k == labels.size()) {
            std::string names;
            for (const std::string& label : labels)
                names += (names.empty() ? "" : ", ") + label.substr(0, label.find('.'));
            throw CliError{where + "unknown line; allowed after the ten lines: " + names};
        }
        if (labelLine[k] > 0)
            throw CliError{where + "the same label as line " + std::to_string(labelLine[k]) +
                           "; give it once"};
        labelLine[k] = n + 1;
    }
    // The window reads no further than kStationLinesRead lines (ended as it ends them: CRs
    // before an LF belong to that line end).
    std::size_t start = 0, number = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        ++number;
        if (number > kStationLinesRead && bytes.find_first_not_of(" \t", start) < end)
            throw CliError{file + std::to_string(number) + ": a station file has at most " +
                           std::to_string(kStationLinesRead) + " lines"};
        std::size_t next = end;
        while (next < bytes.size() && bytes[next] == '\r')
            ++next;
        start = next < bytes.size() && bytes[next] == '\n' ? next + 1 : end + 1;
    }
}

// --station: the file opened as the window opens it; every line must be used.
void openStation(StationModel& m, const Options& o) {
    const FileReadResult read = ReadStationFile(*o.stationFile);
    if (!read.ok())
        throw CliError{"--station: " + EchoText(read.error, 400)};
    const StationFileReading parsed = ParseStationFile(read.bytes);
    // Lines the file itself lacks are named before the catalogue is asked.
    if (!parsed.problems.empty()) {
        const StationFileProblem& p = parsed.problems.front();
        throw stationLineError(o, parsed, p.line, problemReason(p.kind),
                               p.kind != StationProblemKind::Missing);
    }
    checkOptionalLines(o, read.bytes, parsed);
    const std::string line2 = " line 2 " + Quoted(parsed.lines[1]) + ": ";
    loadCatalogue(m, "--station: " + QuotedPath(*o.stationFile) + line2);
    const StationOpening opened = m.openStation(read.bytes, *o.stationFile);
    const StationFileReading& reading = opened.reading;
    const StationFileProblem* first = nullptr;
    for (const StationFileProblem& p : reading.problems)
        if (!first || p.line < first->line)
            first = &p;
    if (first) {
        const StationRecord& r = reading.record;
        if (first->kind != StationProblemKind::UnknownAntenna)
            throw stationLineError(o, reading, first->line, problemReason(first->kind));
        if (first->line != StationLine::Antenna)
            throw stationLineError(o, reading, first->line, unknownValue(first->line));
        if (m.catalogue()->FindAntenna(r.antennaName, r.manufacturer) < 0)
            throw stationLineError(o, reading, first->line,
                                   "no antenna " + Quoted(r.antennaName) + " of manufacturer " +
                                       Quoted(r.manufacturer) + " in Antennas.txt or AntUser.txt");
        throw stationLineError(o, reading, first->line,
                               "antenna " + Quoted(r.antennaName) + " of " +
                                   Quoted(r.manufacturer) + " has no point within 10 % of " +
                                   frequencyText(m.referenceFrequency()) + " MHz");
    }
    if (!opened.notices.empty()) {
        const Notice& n = opened.notices.front();
        if (n.subject == NoticeSubject::AngleData)
            throw CliError{"--angle-dir: " + Quoted(n.detail)};
        const RefusalPlace place = placeOf(n.refusal);
        if (place.notANumber)
            throw stationLineError(o, reading, place.line,
                                   "not a number; allowed: " + AllowedFor(place.option));
        throw stationLineError(o, reading, place.line, RefusalText(n.refusal), false);
    }
}

// The station the options describe, played in the window's order: the cable first, so
// that a fixed frequency meets the cable length it is computed with.
void applyOptions(StationModel& m, const Options& o) {
    if (o.cable)
        check(m.tickCable(*o.cable));
    if (o.length)
        m.typeCableLengthText(*o.length);
    if (o.otherLoss)
        m.typePlugAttText(*o.otherLoss);
    if (o.power)
        m.typePowerText(*o.power);
    if (o.mode)
        check(m.chooseMode(*o.mode));
    if (o.rhythm)
        check(m.chooseRhythm(*o.rhythm));
    if (o.factorTable)
        check(m.chooseFactorTable(*o.factorTable));
    check(m.recalculateCable());
    if (o.band)
        check(m.chooseBand(*o.band));
    if (o.frequency)
        check(m.setFixedFrequency(*o.frequency));
    if (o.gain)
        check(m.setTypedGain(*o.gain));
    if (o.antenna)
        takeAntenna(m, o);
}

} // namespace

std::string RefusalLine(Refusal r) {
    switch (r) {
    case Refusal::NoBand:
        return "--band: " + RefusalText(r) + " allowed: " + Joined(BandNames());
    case Refusal::NoCable:
        return "--cable: " + RefusalText(r) + " allowed: " + Joined(CableNames());
    case Refusal::NoFactor:
        return "--mode, --rhythm, --factors: " + RefusalText(r);
    case Refusal::OutOfRange:
    case Refusal::None:
        return "--power, --gain, --length, --other-loss, --distance: " + RefusalText(r) +
               " allowed: values whose results fit double precision";
    default:
        break;
    }
    const std::string option = placeOf(r).option;
    return option + ": " + RefusalText(r) + " allowed: " + AllowedFor(option);
}

Evaluation Evaluate(const Options& o, const std::string& programFolder) {
    // A folder that is not there would only hide the angle data it was meant to give.
    struct stat folder {};
    if (o.angleDir && !(::stat(o.angleDir->c_str(), &folder) == 0 && S_ISDIR(folder.st_mode)))
        throw CliError{"--angle-dir: " + QuotedPath(*o.angleDir) +
                       " is no folder; allowed: " + AllowedFor("--angle-dir")};
    StationModel m;
    // --angle-dir names the one folder; else the program's ang/, then the operator's own.
    m.setAngleFolders(o.angleDir ? StringArray{*o.angleDir}
                                 : AngleDataFolders(programFolder + "ang"));
    if (o.stationFile)
        openStation(m, o);
    else
        applyOptions(m, o);
    if (o.polarisation)
        m.choosePolarisation(*o.polarisation);

    Evaluation e;
    e.powerFirst = o.distance.has_value();
    e.limits = o.limitOptions();
    e.compare = o.compare;
    applyLimits(m, o);
    if (!o.allBands) {
        if (o.distance)
            check(m.setPowerForDistance(*o.distance));
        e.rows.push_back(std::move(m));
        return e;
    }
    // Every band; a band the chosen set gives no level for is a row of "---", not a failure.
    for (int band = 1; band <= kBandCount; ++band) {
        StationModel row = m;
        const Outcome chosen = row.chooseBand(band);
        if (!chosen.notices.empty() && chosen.notices.front().refusal != Refusal::OutsideLimitSet)
            check(chosen);
        if (o.distance && row.last().result.ok())
            check(row.setPowerForDistance(*o.distance));
        e.rows.push_back(std::move(row));
    }
    return e;
}

} // namespace radexa::cli
