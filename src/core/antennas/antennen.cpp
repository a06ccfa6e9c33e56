#include "core/antennas/antennen.h"

#include "core/support/atomicfile.h"
#include "core/support/datafile.h"
#include "core/support/rdfunc.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace radexa {

namespace {

// The text of a file; a file that cannot be read gives none.
std::string readText(const std::string& fileName) {
    FileReadResult read = ReadWholeFile(fileName);
    return read.ok() ? std::move(read.bytes) : std::string();
}

} // namespace

std::string ManufacturerOfSectionLine(std::string_view line) {
    std::string name;
    return TDataFile::IsSectionLine(line, &name) ? name : std::string(line);
}

TAntennen::TAntennen(const std::string& catalogueFileName, const std::string& userFileName) {
    // A missing user file is an empty one.
    *this = FromTexts(readText(catalogueFileName),
                      userFileName.empty() ? std::string() : readText(userFileName));
}

TAntennen TAntennen::FromTexts(std::string_view catalogueText, std::string_view userText) {
    // Both files are one sequence of lines: the section in force runs on into the user file.
    std::string text(catalogueText);
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        text += '\n';
    text += userText;
    TAntennen catalogue;
    catalogue.parse(text);
    return catalogue;
}

void TAntennen::parse(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLineViews(text);
    m_manufacturers.reserve(lines.size());
    m_names.reserve(lines.size());
    m_types.reserve(lines.size());
    m_data.reserve(lines.size());
    std::string manufacturer;
    for (const std::string_view line : lines) {
        // A section line begins with "[", or has a bracket at both ends as the section
        // lines of the user file do (see TDataFile).
        if ((!line.empty() && line.front() == '[') || TDataFile::IsSectionLine(line)) {
            manufacturer = ManufacturerOfSectionLine(line);
            continue;
        }
        // A record needs at least a name and a type; a blank line or one without a comma
        // is no record and is passed over.
        if (line.find(',') == std::string_view::npos)
            continue;
        StringArray fields = SplitText(line, ',');
        m_manufacturers.push_back(manufacturer);
        m_names.push_back(std::move(fields[0]));
        m_types.push_back(std::move(fields[1]));
        RData data;
        const std::size_t points = fields.size() / 3;
        data.Frequencies.reserve(points);
        data.Gains.reserve(points);
        data.Elements.reserve(points);
        // The fields from the third to the second-to-last; the last one is the terminator.
        for (std::size_t i = 2; i + 1 < fields.size(); ++i) {
            const std::size_t p = i - 2;
            if (p % 3 == 2) {
                data.Elements.push_back(std::move(fields[i]));
                continue;
            }
            double value = 0;
            if (TryStrToReal(fields[i], value))
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
