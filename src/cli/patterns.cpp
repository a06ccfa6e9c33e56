#include "cli/patterns.h"

#include "core/antennas/necmodel.h"
#include "core/antennas/patterncatalogue.h"
#include "core/antennas/patternimport.h"
#include "core/support/atomicfile.h"
#include "core/support/cp1252.h"
#include "core/support/plainnumber.h"
#include "core/support/textnumbers.h"

#include <cmath>

namespace radexa::cli {

namespace {

NecGround necGround(const Options& o) {
    const std::string word = o.groundText.value_or("average");
    if (SameTextNoCase(word, "free"))
        return NecGround::FreeSpace;
    if (SameTextNoCase(word, "perfect"))
        return NecGround::Perfect;
    if (SameTextNoCase(word, "poor"))
        return NecGround::Poor;
    return NecGround::Average;
}

double frequencyOf(const Options& o) {
    double f = 0;
    TryStrToReal(o.frequency.value_or("0"), f);
    return f;
}

ImportedPattern importFile(const Options& o, const std::optional<double>& gain) {
    PatternImportOptions options;
    if (o.frequency)
        options.frequency = frequencyOf(o);
    options.azimuth = o.azimuth;
    options.gain = gain;
    try {
        if (!o.format)
            return ImportPatternFile(*o.importPattern, options);
        const FileReadResult read = ReadWholeFile(*o.importPattern, kMaxPatternFileSize);
        if (!read.ok())
            throw PatternImportError(0, read.error);
        if (*o.format == "nec")
            return ImportNecPattern(read.bytes, options);
        if (*o.format == "eznec")
            return ImportEznecPattern(read.bytes, options);
        return ImportCsvPattern(read.bytes, options);
    } catch (const PatternImportError& e) {
        throw CliError{"--import-pattern: " + QuotedPath(*o.importPattern) + " " +
                       EchoText(e.what())};
    }
}

// The file's angle data; --gain only for a table of attenuations, which names no gain, and
// --frequency and --azimuth only where the file leaves them open.
ImportedPattern importFile(const Options& o) {
    const ImportedPattern pattern = importFile(o, std::nullopt);
    const std::string file = QuotedPath(*o.importPattern);
    if (pattern.format == PatternFormat::Eznec && o.frequency &&
        std::abs(frequencyOf(o) - pattern.frequency) > 1e-9 * pattern.frequency)
        throw CliError{"--frequency: " + file + " is an EZNEC table for " +
                       PlainShortest(pattern.frequency) + " MHz"};
    if (pattern.format == PatternFormat::Eznec && o.azimuth &&
        std::abs(std::remainder(*o.azimuth - pattern.azimuth, 360.0)) > 1e-3)
        throw CliError{"--azimuth: " + file + " is an EZNEC cut at the azimuth " +
                       PlainShortest(pattern.azimuth) + " deg"};
    if (pattern.format == PatternFormat::Csv && o.azimuth)
        throw CliError{"--azimuth: " + file +
                       " is a CSV table, one cut; --azimuth chooses the cut of a NEC-2 output"};
    if (!o.gain)
        return pattern;
    if (pattern.gainKnown)
        throw CliError{"--gain: " + QuotedPath(*o.importPattern) +
                       " gives its gains itself; --gain is for a CSV table of attenuations "
                       "(angle,attenuation_db)"};
    return importFile(o, o.gain);
}

NecDeck deckOf(const Options& o) {
    NecModelOptions options;
    options.ground = necGround(o);
    const double f = frequencyOf(o);
    try {
        if (*o.model == "dipole")
            return DipoleDeck(f, *o.height, options);
        if (*o.model == "invertedv")
            return InvertedVDeck(f, *o.height, *o.angle, options);
        if (*o.model == "vertical")
            return VerticalDeck(f, *o.radials, o.height.value_or(0), !o.height, options);
        const FileReadResult read = ReadWholeFile(*o.deck, kMaxDeckFileSize);
        if (!read.ok())
            throw CliError{"--deck: " + EchoText(read.error)};
        return OwnNecDeck(read.bytes, f, o.azimuth);
    } catch (const NecModelError& e) {
        throw CliError{"--model " + *o.model + ": " + EchoText(e.what())};
    }
}

} // namespace

std::string MakeAngleData(const Options& o, const std::string& programFolder) {
    ImportedPattern pattern;
    std::string description;
    std::string note;
    if (o.importPattern) {
        pattern = importFile(o);
        description = "Imported from " + *o.importPattern;
    } else {
        NecDeck deck = deckOf(o);
        if (o.azimuth)
            deck.azimuth = o.azimuth;
        const NecModelResult model = ComputeNecModel(deck);
        if (!model.ok())
            throw CliError{"--model " + *o.model + ": " + EchoText(model.error)};
        pattern = model.pattern;
        description = deck.description;
        note = model.note;
    }
    if (!o.write)
        return Cp1252ToUtf8(AngleFileText(pattern, description));

    ImportedAntennaEntry entry;
    entry.manufacturer = *o.manufacturer;
    entry.name = *o.antenna;
    entry.type = o.type.value_or(o.model ? "Model" : "Imported");
    // A folder named with --angle-dir is the one written, or the import fails.
    const SavedImport saved =
        SaveImportedAntenna("AntUser.txt", o.angleDir ? *o.angleDir : programFolder + "ang", entry,
                            pattern, description, o.angleDir.has_value());
    if (!saved.ok())
        throw CliError{"--write: " + EchoText(saved.error)};
    std::string out = "Added " + entry.manufacturer + " " + entry.name + " to AntUser.txt, gain " +
                      PlainFixed(pattern.maxGain, 2) + " dBi at " +
                      PlainShortest(pattern.frequency) + " MHz; angle data: " + saved.angleFile +
                      "\n";
    if (!note.empty())
        out += "Note: " + note + "\n";
    return Cp1252ToUtf8(out);
}

} // namespace radexa::cli
