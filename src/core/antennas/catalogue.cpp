#include "core/antennas/catalogue.h"

#include "core/support/atomicfile.h"
#include "core/support/datafile.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace radexa {

namespace {

// The text of a file; a file that cannot be read gives none and its error.
std::string readText(const std::string& fileName, FileReadResult& read) {
    read = ReadWholeFile(fileName, kCatalogueFileSizeLimit);
    return read.ok() ? std::move(read.bytes) : std::string();
}

} // namespace

struct TAntennen::Parsing {
    std::string manufacturer; // the section in force
    StringArray* errors = nullptr;
    bool full = false; // kMaxCatalogueEntries reached
};

std::string ManufacturerOfSectionLine(std::string_view line) {
    std::string name;
    return TDataFile::IsSectionLine(line, &name) ? name : std::string(line);
}

TAntennen::TAntennen(const std::string& catalogueFileName, const std::string& userFileName) {
    *this = Load(catalogueFileName, userFileName).catalogue;
}

CatalogueLoad TAntennen::Load(const std::string& catalogueFileName,
                              const std::string& userFileName) {
    CatalogueLoad load;
    try {
        FileReadResult catalogueRead, userRead;
        const std::string catalogueText = readText(catalogueFileName, catalogueRead);
        const std::string userText =
            userFileName.empty() ? std::string() : readText(userFileName, userRead);
        load.catalogueRead = catalogueRead.ok();
        if (!catalogueRead.ok())
            load.errors.push_back(catalogueRead.error);
        // A missing user file is an empty one: the operator has made no antenna yet.
        if (!userFileName.empty() && !userRead.ok() && userRead.status != FileReadStatus::Missing)
            load.errors.push_back(userRead.error);
        load.catalogue =
            parseTexts(catalogueText, catalogueFileName, userText, userFileName, load.errors);
    } catch (const std::bad_alloc&) {
        load.catalogue = TAntennen();
        load.catalogueRead = false;
        load.errors.push_back("Not enough memory to read \"" + catalogueFileName + "\"" +
                              (userFileName.empty() ? "" : " and \"" + userFileName + "\""));
    }
    return load;
}

TAntennen TAntennen::FromTexts(std::string_view catalogueText, std::string_view userText) {
    StringArray errors;
    return parseTexts(catalogueText, "Antennas.txt", userText, "AntUser.txt", errors);
}

TAntennen TAntennen::parseTexts(std::string_view catalogueText, const std::string& catalogueName,
                                std::string_view userText, const std::string& userName,
                                StringArray& errors) {
    // Both files are one sequence of lines: the section in force runs on into the user file.
    TAntennen catalogue;
    Parsing state;
    state.errors = &errors;
    catalogue.parse(catalogueText, catalogueName, state);
    catalogue.parse(userText, userName, state);
    return catalogue;
}

void TAntennen::parse(std::string_view text, const std::string& fileName, Parsing& state) {
    LineCursor lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (line.empty())
            continue;
        // A section line begins with "[", or has a bracket at both ends as the section
        // lines of the user file do (see TDataFile).
        if ((!line.empty() && line.front() == '[') || TDataFile::IsSectionLine(line)) {
            state.manufacturer = ManufacturerOfSectionLine(line);
            continue;
        }
        // A record needs at least a name and a type; a blank line or one without a comma
        // is no record and is passed over.
        const std::size_t fieldCount =
            static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
        if (fieldCount < 2)
            continue;
        auto refuse = [&](const std::string& why) {
            state.errors->push_back(fileName + ", line " + std::to_string(lines.LineNumber()) +
                                    ": " + why);
        };
        if (state.full)
            continue;
        if (m_names.size() == kMaxCatalogueEntries) {
            state.full = true;
            refuse("more than " + std::to_string(kMaxCatalogueEntries) +
                   " antennas; this one and all after it are left out");
            continue;
        }
        // Name, type, the points' three fields each, and the terminator.
        const std::size_t points = fieldCount < 3 ? 0 : (fieldCount - 3 + 2) / 3;
        if (points > kMaxCataloguePoints) {
            refuse("the antenna \"" + EchoText(line.substr(0, line.find(','))) + "\" has " +
                   std::to_string(points) + " points, more than " +
                   std::to_string(kMaxCataloguePoints) + "; it is left out");
            continue;
        }
        std::size_t start = 0;
        auto nextField = [&] {
            const std::size_t end = std::min(line.find(',', start), line.size());
            const std::string_view field = line.substr(start, end - start);
            start = end + 1;
            return field;
        };
        m_manufacturers.push_back(state.manufacturer);
        m_names.emplace_back(nextField());
        m_types.emplace_back(nextField());
        RData data;
        data.Frequencies.reserve(points);
        data.Gains.reserve(points);
        data.Elements.reserve(points);
        // The fields from the third to the second-to-last; the last one is the terminator.
        for (std::size_t p = 0; p + 3 < fieldCount; ++p) {
            const std::string_view field = nextField();
            if (p % 3 == 2) {
                data.Elements.emplace_back(field);
                continue;
            }
            double value = 0;
            if (TryStrToReal(field, value))
                (p % 3 == 0 ? data.Frequencies : data.Gains).push_back(value);
            else if (data.PairedPoints < 0)
                data.PairedPoints = static_cast<int>(p / 3);
        }
        m_data.push_back(std::move(data));
    }
}

StringArray TAntennen::GetManufacturers() const {
    StringArray out;
    std::unordered_set<std::string_view> seen;
    seen.reserve(m_manufacturers.size());
    for (const std::string& m : m_manufacturers)
        if (seen.insert(m).second)
            out.push_back(m);
    return out;
}

void TAntennen::GetNames(std::string_view manufacturer, StringArray& names) const {
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (SameTextNoCase(m_manufacturers[i], manufacturer))
            names.push_back(m_names[i]);
}

int TAntennen::FindAntenna(std::string_view name, std::string_view manufacturer) const {
    int found = kUndefinedIndex;
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (SameTextNoCase(m_manufacturers[i], manufacturer) && SameTextNoCase(m_names[i], name))
            found = static_cast<int>(i);
    return found;
}

int PointCount(const RData& data) {
    std::size_t count = std::min(data.Frequencies.size(), data.Gains.size());
    if (data.PairedPoints >= 0)
        count = std::min(count, static_cast<std::size_t>(data.PairedPoints));
    return static_cast<int>(count);
}

int FindFittingPoint(const RData& data, double referenceFrequency) {
    int fitting = -1;
    double best = 10.0;
    const int count = PointCount(data);
    for (int k = 0; k < count; ++k) {
        const double d =
            std::fabs(data.Frequencies[static_cast<std::size_t>(k)] / referenceFrequency - 1);
        if (d < best) {
            best = d;
            if (d <= 0.1)
                fitting = k;
        }
    }
    return fitting;
}

std::string FormatPointLine(double frequency, double gain, std::string_view elements) {
    return FormatBandEdge(frequency) + " " + FormatToWidth(5, gain) + " " +
           FormatText("%3s", elements);
}

StringArray PointListLines(const RData& data) {
    StringArray lines;
    const std::size_t count = static_cast<std::size_t>(PointCount(data));
    for (std::size_t k = 0; k < count; ++k)
        lines.push_back(FormatPointLine(data.Frequencies[k], data.Gains[k],
                                        k < data.Elements.size() ? data.Elements[k] : ""));
    return lines;
}

} // namespace radexa
