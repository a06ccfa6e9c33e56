#pragma once
// The antenna catalogue: the antennas of "Antennas.txt" followed by the operator's own
// antennas of "AntUser.txt", each with its frequency points (frequency, gain, elements).

#include "core/support/types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// The frequency points of one catalogue entry, in file order.
struct RData {
    DoubleArray Frequencies; // MHz
    DoubleArray Gains;       // dBi
    StringArray Elements;    // numbers of elements, as written
    // Number of leading points before the first number that did not convert; -1 when every
    // number converted. The lists are not paired beyond it.
    int PairedPoints = -1;
};

// Limits of the catalogue files: an entry with more points, the entries beyond the count,
// and a file beyond the size are refused with a message naming the file and the line.
constexpr std::size_t kMaxCataloguePoints = 32768;
constexpr std::size_t kMaxCatalogueEntries = std::size_t{1} << 20;
constexpr std::uint64_t kCatalogueFileSizeLimit = std::uint64_t{256} << 20;

struct CatalogueLoad;

// The catalogue, read once and then only read from. Entry indexes follow the reading
// order: all lines of the catalogue file first, then those of the user file.
class TAntennen {
public:
    // Reads the catalogue file and, when its name is not empty, the user file. Every file
    // that cannot be read and every entry that is refused is reported (file, line, why);
    // a missing user file is an empty one. See CatalogueLoad.
    static CatalogueLoad Load(const std::string& catalogueFileName,
                              const std::string& userFileName);

    // An empty catalogue.
    TAntennen() = default;
    // Reads the catalogue file and, when its name is not empty, the user file, and parses
    // their lines in one pass. A file that cannot be read counts as empty. (Load tells why.)
    TAntennen(const std::string& catalogueFileName, const std::string& userFileName);
    // Parses the lines of both files given as texts (in memory; for tests and tools).
    static TAntennen FromTexts(std::string_view catalogueText, std::string_view userText = {});

    // Distinct manufacturer names in order of first appearance (exact comparison).
    StringArray GetManufacturers() const;
    // Appends the names of all entries of this manufacturer (letter case ignored), in
    // entry order, duplicates included.
    void GetNames(std::string_view manufacturer, StringArray& names) const;
    // Index of the last entry with this name and manufacturer (letter case ignored); -99
    // when there is none.
    int FindAntenna(std::string_view name, std::string_view manufacturer) const;

    // Number of entries.
    int Count() const { return static_cast<int>(m_names.size()); }
    // Manufacturer name of each entry.
    const StringArray& Manufacturers() const { return m_manufacturers; }
    // Antenna name of each entry.
    const StringArray& Names() const { return m_names; }
    // Antenna type of each entry.
    const StringArray& Types() const { return m_types; }
    // Frequency points of each entry.
    const std::vector<RData>& Data() const { return m_data; }

private:
    struct Parsing;
    // Parses the lines of one file; the section in force runs on from the file before.
    void parse(std::string_view text, const std::string& fileName, Parsing& state);
    // Both texts as one sequence of lines.
    static TAntennen parseTexts(std::string_view catalogueText, const std::string& catalogueName,
                                std::string_view userText, const std::string& userName,
                                StringArray& errors);

    StringArray m_manufacturers;
    StringArray m_names;
    StringArray m_types;
    std::vector<RData> m_data;
};

// What loading the catalogue gave.
struct CatalogueLoad {
    // The entries that could be read.
    TAntennen catalogue;
    // The catalogue file itself was read; when false it counts as missing.
    bool catalogueRead = false;
    // One message per file not read or entry refused, naming both.
    StringArray errors;
    bool ok() const { return errors.empty(); }
};

// The manufacturer name that a section line stands for: the line without its first and
// last characters when both are one of ( ) [ ] { }, else the whole line. Section lines are
// those that begin with "[" and those with such a bracket at both ends.
std::string ManufacturerOfSectionLine(std::string_view line);

// Number of usable points of an entry: those with a frequency and a gain that belong
// together. (A number that did not convert shifts the later ones in their lists.)
int PointCount(const RData& data);

// Index of the first point with the smallest relative deviation |f / reference - 1| from
// the reference frequency (band lower edge or fixed frequency), provided it is at most
// 10 %; -1 when no point fits.
int FindFittingPoint(const RData& data, double referenceFrequency);

// One line of the point list: frequency (FormatBandEdge), a blank, gain (FormatToWidth 5),
// a blank, elements right-aligned to three characters.
std::string FormatPointLine(double frequency, double gain, std::string_view elements);

// The point list of an entry, one line per complete point; a missing element count shows
// as blanks.
StringArray PointListLines(const RData& data);

} // namespace radexa
