#include "core/antennas/winkant.h"

#include "core/support/atomicfile.h"
#include "core/support/datafile.h"
#include "core/support/rdfunc.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace radexa {

namespace {

constexpr std::string_view kPolarisationKey = "[Polarisation]";
constexpr std::string_view kRangeKey = "[Bereich]";
constexpr std::string_view kStepKey = "[Schrittweite]";
constexpr std::string_view kSectionKey = "[MHz]";
constexpr double kAcceptedPercent = 10.0;

bool startsWith(std::string_view line, std::string_view key) {
    return line.substr(0, key.size()) == key;
}

std::string describe(std::string_view what, std::string_view text) {
    return std::string(what) + " \"" + std::string(text) + "\"";
}

// A plain 16-bit signed integer: blanks around it allowed, an optional sign, digits.
bool toSmallInt(std::string_view text, std::int16_t& value) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > 32768)
            return false;
    }
    n = negative ? -n : n;
    if (n > std::numeric_limits<std::int16_t>::max())
        return false;
    value = static_cast<std::int16_t>(n);
    return true;
}

// One section as read; kept only when its frequency fits.
struct Section {
    char letter = 0;
    double frequency = 0, second = 0;
    SmallIntArray angles;
    DoubleArray attenuations;
};

class Reader {
public:
    Reader(std::string_view title, std::string_view text) : m_title(title) {
        m_lines = SplitLines(text);
        for (std::string& line : m_lines)
            line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
    }

    TWinkAnt read(double referenceFrequency) {
        std::size_t firstSection = 0;
        while (firstSection < m_lines.size() && !startsWith(m_lines[firstSection], kSectionKey))
            ++firstSection;

        TWinkAnt w;
        w.Title = m_title;
        // Key lines stand before the first section; the last line of each key counts.
        std::size_t rangeLine = 0, stepLine = 0;
        for (std::size_t i = 0; i < firstSection; ++i) {
            const std::string& line = m_lines[i];
            if (startsWith(line, kPolarisationKey))
                w.Polarisation = TextAfter(line, static_cast<int>(kPolarisationKey.size()) + 1);
            else if (startsWith(line, kRangeKey))
                rangeLine = i + 1;
            else if (startsWith(line, kStepKey))
                stepLine = i + 1;
            else if (!line.empty())
                w.Notes.push_back(line);
        }
        w.Range = keyInteger(kRangeKey, rangeLine);
        w.Step = keyInteger(kStepKey, stepLine);

        for (std::size_t i = firstSection; i < m_lines.size();) {
            std::size_t end = i + 1;
            while (end < m_lines.size() && !startsWith(m_lines[end], kSectionKey))
                ++end;
            const Section s = readSection(i, end, w);
            const bool fits = s.frequency == 0 ||
                              WithinPercent(s.frequency, referenceFrequency, kAcceptedPercent);
            if (fits && s.letter == 'v') {
                w.VertAngles = s.angles;
                w.VertAttenuations = s.attenuations;
                w.VertFrequency = s.frequency;
                w.VertSecond = s.second;
            } else if (fits && s.letter == 'h') {
                w.HorAngles = s.angles;
                w.HorAttenuations = s.attenuations;
                w.HorFrequency = s.frequency;
                w.HorSecond = s.second;
            }
            i = end;
        }
        return w;
    }

private:
    [[noreturn]] void fail(std::size_t line, const std::string& reason) const {
        throw AngleDataError(m_title, static_cast<int>(line), reason);
    }

    std::int16_t keyInteger(std::string_view key, std::size_t line) const {
        if (line == 0)
            fail(0, std::string(key) + " is missing");
        const std::string value = TextAfter(m_lines[line - 1], static_cast<int>(key.size()) + 1);
        std::int16_t n = 0;
        if (!toSmallInt(value, n))
            fail(line, describe(std::string(key) + " is not an integer:", value));
        return n;
    }

    double number(std::size_t line, std::string_view what, std::string_view text) const {
        double value = 0;
        if (!TryStrToReal(text, value))
            fail(line, describe(std::string(what) + " is not a number:", text));
        return value;
    }

    // The section whose section line has index first; its values run up to end.
    Section readSection(std::size_t first, std::size_t end, const TWinkAnt& w) const {
        const std::size_t lineNo = first + 1;
        const StringArray fields = SplitText(m_lines[first], ',');
        const auto field = [&](std::size_t n) {
            return n < fields.size() ? std::string_view(fields[n]) : std::string_view();
        };
        if (field(1).empty())
            fail(lineNo, "the section line names no frequency");
        Section s;
        std::size_t frequencyField = 1;
        if (field(1).front() == 'v' || field(1).front() == 'h') {
            s.letter = field(1).front();
            frequencyField = 2;
        } else if (w.Polarisation.empty()) {
            fail(lineNo, "the section names no polarisation and [Polarisation] is empty");
        } else {
            s.letter = w.Polarisation.front();
        }
        s.frequency = number(lineNo, "the frequency", field(frequencyField));
        s.second = number(lineNo, "the second number", field(frequencyField + 1));

        for (std::size_t i = first + 1; i < end; ++i) {
            for (const std::string& text : SplitText(m_lines[i], ',')) {
                const long angle = static_cast<long>(s.angles.size()) * w.Step;
                if (angle > std::numeric_limits<std::int16_t>::max() ||
                    angle < std::numeric_limits<std::int16_t>::min())
                    fail(i + 1, "the angles go beyond 32767 degrees");
                s.attenuations.push_back(number(i + 1, "an attenuation", text));
                s.angles.push_back(static_cast<std::int16_t>(angle));
            }
        }
        return s;
    }

    std::string m_title;
    StringArray m_lines;
};

} // namespace

AngleDataError::AngleDataError(std::string title, int line, std::string reason)
    : std::runtime_error(title + (line > 0 ? ", line " + std::to_string(line) : std::string()) +
                         ": " + reason),
      m_title(std::move(title)), m_line(line), m_reason(std::move(reason)) {}

bool TWinkAnt::HasVertical() const {
    return Polarisation.find('v') != std::string::npos;
}

bool TWinkAnt::HasHorizontal() const {
    return Polarisation.find('h') != std::string::npos;
}

std::string AngleFileName(const std::string& folder, std::string_view manufacturer,
                          std::string_view name) {
    const std::string file = std::string(manufacturer) + " " + std::string(name) + ".ang";
    if (file.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
        return {};
    if (folder.empty())
        return file;
    return (std::filesystem::path(folder) / file).string();
}

std::string AngleFileTitle(std::string_view fileName) {
    const auto slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    const auto dot = fileName.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        fileName = fileName.substr(0, dot);
    return std::string(fileName);
}

TWinkAnt ParseAngleData(std::string_view title, std::string_view text, double referenceFrequency) {
    return Reader(title, text).read(referenceFrequency);
}

TWinkAnt ReadAngleFile(const std::string& fileName, double referenceFrequency) {
    const FileReadResult read = ReadWholeFile(fileName);
    if (!read.ok())
        throw AngleDataError(AngleFileTitle(fileName), 0, read.error);
    return ParseAngleData(AngleFileTitle(fileName), read.bytes, referenceFrequency);
}

} // namespace radexa
