#include "core/antennas/angledata.h"

#include "core/support/atomicfile.h"
#include "core/support/cp1252.h"
#include "core/support/datafile.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

namespace radexa {

namespace {

constexpr std::string_view kPolarisationKey = "[Polarisation]";
constexpr std::string_view kRangeKey = "[Bereich]";
constexpr std::string_view kStepKey = "[Schrittweite]";
constexpr std::string_view kSectionKey = "[MHz]";
constexpr double kAcceptedPercent = 10.0;
constexpr std::string_view kKeys[] = {kPolarisationKey, kRangeKey, kStepKey};

bool startsWith(std::string_view line, std::string_view key) {
    return line.substr(0, key.size()) == key;
}

std::string describe(std::string_view what, std::string_view text) {
    return std::string(what) + " \"" + EchoText(text) + "\"";
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
        // An editor's UTF-8 byte-order mark is no part of the first key.
        constexpr std::string_view bom = "\xEF\xBB\xBF";
        if (text.substr(0, bom.size()) == bom)
            text.remove_prefix(bom.size());
        LineCursor lines(text);
        for (std::string_view line; lines.Next(line);) {
            if (m_lines.size() == kMaxAngleFileLines)
                fail(lines.LineNumber(), "the file has more than " +
                                             std::to_string(kMaxAngleFileLines) +
                                             " lines; an angle file holds at most that many");
            m_lines.emplace_back(line);
            std::string& kept = m_lines.back();
            kept.erase(std::remove(kept.begin(), kept.end(), '"'), kept.end());
        }
    }

    TWinkAnt read(double referenceFrequency) {
        std::size_t firstSection = 0;
        while (firstSection < m_lines.size() && !startsWith(m_lines[firstSection], kSectionKey))
            ++firstSection;

        TWinkAnt w;
        w.Title = m_title;
        // Key lines stand before the first section; the last line of each key counts.
        std::size_t polarisationLine = 0, rangeLine = 0, stepLine = 0;
        for (std::size_t i = 0; i < firstSection; ++i) {
            const std::string& line = m_lines[i];
            if (startsWith(line, kPolarisationKey)) {
                w.Polarisation = TextAfter(line, static_cast<int>(kPolarisationKey.size()) + 1);
                polarisationLine = i + 1;
            } else if (startsWith(line, kRangeKey)) {
                rangeLine = i + 1;
            } else if (startsWith(line, kStepKey)) {
                stepLine = i + 1;
            } else if (!line.empty()) {
                w.Notes.push_back(line);
            }
        }
        w.Range = keyInteger(kRangeKey, rangeLine);
        w.Step = keyInteger(kStepKey, stepLine);
        if (w.Step <= 0)
            fail(stepLine, std::string(kStepKey) + " must be a positive number of degrees, not " +
                               std::to_string(w.Step));

        std::string carried; // the letters of all sections, accepted or not
        for (std::size_t i = firstSection; i < m_lines.size();) {
            std::size_t end = i + 1;
            while (end < m_lines.size() && !startsWith(m_lines[end], kSectionKey))
                ++end;
            const Section s = readSection(i, end, w);
            carried += s.letter;
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
        for (const char letter : {'v', 'h'})
            if (w.Polarisation.find(letter) != std::string::npos &&
                carried.find(letter) == std::string::npos)
                fail(polarisationLine, std::string(kPolarisationKey) + " names " + letter +
                                           ", but no section is for " + letter +
                                           ": add a section \"[MHz]," + letter +
                                           ",<MHz>,<gain>\" or take " + letter + " out of " +
                                           std::string(kPolarisationKey));
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
            const std::string& line = m_lines[i];
            for (const std::string_view key : kKeys)
                if (startsWith(line, key))
                    fail(i + 1, std::string(key) + " stands after the first section (line " +
                                    std::to_string(lineNo) + "); move it before the first " +
                                    std::string(kSectionKey) + " line");
            const StringArray texts = SplitText(line, ',');
            for (std::size_t k = 0; k < texts.size(); ++k) {
                const std::string& text = texts[k];
                if (s.angles.size() == kMaxAngles)
                    fail(i + 1, "the section of line " + std::to_string(lineNo) +
                                    " has more than " + std::to_string(kMaxAngles) + " angles");
                const long angle = static_cast<long>(s.angles.size()) * w.Step;
                if (angle > std::numeric_limits<std::int16_t>::max())
                    fail(i + 1, "the angles go beyond 32767 degrees");
                if (text.empty() && k + 1 == texts.size())
                    fail(i + 1, "the line ends with a comma; remove the last comma");
                if (text.empty())
                    fail(i + 1, "two commas without an attenuation between them; remove one");
                const double attenuation = number(i + 1, "an attenuation", text);
                // Beyond this the EIRP factor 10^(-A/10) and the distance in the angle's
                // direction would be no finite numbers (JSON would get "inf").
                if (attenuation < kMinAttenuation)
                    fail(i + 1, describe("the attenuation", text) + " is below " +
                                    std::to_string(static_cast<int>(kMinAttenuation)) +
                                    " dB: its EIRP and distance would not be finite numbers");
                s.attenuations.push_back(attenuation);
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
    const std::string title = AngleFileTitle(fileName);
    try {
        const FileReadResult read = ReadWholeFile(fileName, kAngleFileSizeLimit);
        if (!read.ok())
            throw AngleDataError(title, 0, read.error);
        return ParseAngleData(title, read.bytes, referenceFrequency);
    } catch (const std::bad_alloc&) {
        throw AngleDataError(title, 0, "not enough memory to read \"" + fileName + "\"");
    }
}

std::string FindAngleFile(const std::string& folder, std::string_view manufacturer,
                          std::string_view name) {
    // The files are named in UTF-8 where they were unpacked or copied on a UTF-8 system;
    // a folder kept as it came from Windows has the Windows-1252 bytes.
    const std::string candidates[] = {
        AngleFileName(folder, Cp1252ToUtf8(manufacturer), Cp1252ToUtf8(name)),
        AngleFileName(folder, manufacturer, name)};
    for (const std::string& file : candidates) {
        struct stat st {};
        // Anything there counts, also what cannot be read: the reader then says why.
        if (!file.empty() &&
            (::lstat(file.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR)))
            return file;
    }
    return {};
}

} // namespace radexa
