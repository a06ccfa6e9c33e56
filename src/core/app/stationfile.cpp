#include "core/app/stationfile.h"

#include "core/support/atomicfile.h"
#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <array>

namespace radexa {

namespace {

const std::array<std::string, kStationLineCount> kLabels = {
    "Band/Frequenz...........>",   "Antenne.................>", "H\xF6he [m]................>",
    "Leistung [W]............>",   "Betriebsart.............>", "TXRX-Intervall..........>",
    "FCC/BNetzA..............>",   "KabelTyp................>", "Kabell\xE4nge.[m]..........>",
    "sonst. D\xE4mpfungen.[dB]..>"};

constexpr const char* kLineEnd = "\r\n";

// The labels of the optional lines: the name, dots up to 24 bytes, ">".
std::string optionLabel(std::string_view name) {
    std::string label(name);
    label.resize(kStationLabelLength - 1, '.');
    return label + ">";
}
const std::array<std::string, kStationOptionCount> kOptionLabels = {
    optionLabel("Grenzwerte"), optionLabel("Personengruppe"), optionLabel("Bodenreflexion"),
    optionLabel("Abstand Freistellung"), optionLabel("Polarisation")};

int number(StationLine line) {
    return static_cast<int>(line);
}

// A value never carries a line break into the file, which would shift every later line.
std::string oneLine(std::string_view value) {
    std::string out(value);
    out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }),
              out.end());
    return out;
}

// The first lines of the text. A line ends with CR LF, LF or a lone CR, mixed as they
// come; CRs before an LF belong to its line end, so that a file whose CR LF was converted
// once more (CR CR LF) reads alike. Only the first count lines are kept: a station file
// has ten, and a huge file of line ends costs no memory.
StringArray firstLines(std::string_view bytes, std::size_t count) {
    StringArray lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < count) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        std::size_t next = end;
        while (next < bytes.size() && bytes[next] == '\r')
            ++next;
        // CRs followed by an LF are one line end; a lone CR is one of its own.
        start = next < bytes.size() && bytes[next] == '\n' ? next + 1 : end + 1;
    }
    return lines;
}

// A file saved as UTF-16 (with its byte-order mark, as Windows editors write "Unicode") as
// UTF-8. An unpaired surrogate becomes '?'.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    auto unit = [&](std::size_t i) {
        const auto lo = static_cast<unsigned char>(bytes[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[littleEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = '?';
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Why the bytes are no station file at all, so that nothing of them is taken over; empty
// when they may be one. A station file has text lines, at least one of them (among the
// ten) beginning with its label.
std::string notAStationFile(const StationFileReading& reading) {
    if (reading.lines.empty())
        return "the file is empty";
    for (const std::string& line : reading.lines)
        if (line.find('\0') != std::string::npos)
            return "it holds binary data (zero bytes), not lines of text";
    for (int n = 1; n <= kStationLineCount && n <= static_cast<int>(reading.lines.size()); ++n) {
        const std::string& line = reading.lines[static_cast<std::size_t>(n - 1)];
        if (SameTextNoCase(std::string_view(line).substr(0, kStationLabelLength),
                           StationLineLabel(static_cast<StationLine>(n))))
            return {};
    }
    return "none of its first lines begins with the label of a station file's line (such "
           "as \"" +
           StationLineLabel(StationLine::BandOrFrequency) + "\")";
}

std::string trimBlanks(std::string_view text) {
    const auto b = text.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    const auto e = text.find_last_not_of(' ');
    return std::string(text.substr(b, e - b + 1));
}

} // namespace

bool StationFileReading::restored(StationLine line) const {
    if (number(line) < 1 || number(line) > static_cast<int>(lines.size()))
        return false;
    return std::none_of(problems.begin(), problems.end(),
                        [line](const StationFileProblem& p) { return p.line == line; });
}

void StationFileReading::addProblem(StationLine line, StationProblemKind kind) {
    problems.push_back({line, kind});
}

const std::string& StationLineLabel(StationLine line) {
    const int n = std::clamp(number(line), 1, kStationLineCount);
    return kLabels[static_cast<std::size_t>(n - 1)];
}

std::string BuildStationFile(const StationRecord& r) {
    const std::string first = r.fixedFrequencyMode ? "F" + r.frequencyText : r.band;
    const std::string values[kStationLineCount] = {
        first,         r.antennaName + ";" + r.manufacturer,
        r.height,      r.power,
        r.mode,        r.dutyCycle,
        r.factorTable, r.cable,
        r.cableLength, r.otherAttenuations};
    std::string out;
    for (int i = 0; i < kStationLineCount; ++i)
        out += kLabels[static_cast<std::size_t>(i)] + oneLine(values[i]) + kLineEnd;
    for (int i = 0; i < kStationOptionCount; ++i)
        if (!r.options[i].empty())
            out += kOptionLabels[static_cast<std::size_t>(i)] + oneLine(r.options[i]) + kLineEnd;
    return out;
}

const std::string& StationOptionLabel(StationOption option) {
    return kOptionLabels[static_cast<std::size_t>(option)];
}

FileReadResult ReadStationFile(const std::string& path) {
    FileReadResult read = ReadWholeFile(path, kStationFileSizeLimit);
    if (read.status == FileReadStatus::TooLarge)
        read.error = "\"" + path + "\" is not a station file: it is larger than " +
                     SizeText(kStationFileSizeLimit) + " (a station file has ten short lines)";
    if (!read.ok())
        return read;
    const std::string refused = notAStationFile(ParseStationFile(read.bytes));
    if (!refused.empty()) {
        read.status = FileReadStatus::Unreadable;
        read.bytes.clear();
        read.error = "\"" + path + "\" is not a station file: " + refused;
    }
    return read;
}

StationFileReading ParseStationFile(std::string_view bytes) {
    StationFileReading reading;
    std::string converted;
    // Windows editors save "Unicode" as UTF-16 with a byte-order mark.
    const bool littleEndian = bytes.substr(0, 2) == "\xFF\xFE";
    if (littleEndian || bytes.substr(0, 2) == "\xFE\xFF") {
        converted = utf16ToUtf8(bytes.substr(2), littleEndian);
        bytes = converted;
    }
    // An editor may have saved the file as UTF-8 (the labels with ö and ä then have 26
    // bytes): it is read as the Windows-1252 file it stands for.
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    const bool markedUtf8 = bytes.substr(0, bom.size()) == bom;
    if (markedUtf8)
        bytes.remove_prefix(bom.size());
    if (markedUtf8 || LooksLikeUtf8(bytes)) {
        converted = Utf8ToCp1252(bytes);
        bytes = converted;
    }
    reading.lines = firstLines(bytes, kStationLinesRead);
    StationRecord& r = reading.record;

    // Optional lines after the tenth are known by their label; others are ignored.
    for (std::size_t n = kStationLineCount; n < reading.lines.size(); ++n) {
        const std::string& line = reading.lines[n];
        for (int o = 0; o < kStationOptionCount; ++o) {
            const std::string& label = kOptionLabels[static_cast<std::size_t>(o)];
            if (line.compare(0, label.size(), label) == 0) {
                r.options[o] = trimBlanks(line.substr(label.size()));
                reading.optionLine[o] = static_cast<int>(n) + 1;
            }
        }
    }

    for (int n = 1; n <= kStationLineCount; ++n) {
        const auto line = static_cast<StationLine>(n);
        if (n > static_cast<int>(reading.lines.size())) {
            reading.addProblem(line, StationProblemKind::Missing);
            continue;
        }
        const std::string value = TextAfter(reading.lines[static_cast<std::size_t>(n - 1)],
                                            static_cast<int>(kStationLabelLength));
        switch (line) {
        case StationLine::BandOrFrequency:
            if (value.empty()) {
                reading.addProblem(line, StationProblemKind::Empty);
            } else if (value[0] == 'F') {
                double f = 0;
                if (TryStrToReal(std::string_view(value).substr(1), f)) {
                    r.fixedFrequencyMode = true;
                    r.frequencyText = value.substr(1);
                    reading.fixedFrequency = f;
                } else {
                    reading.addProblem(line, StationProblemKind::NotANumber);
                }
            } else {
                r.band = value;
            }
            break;
        case StationLine::Antenna: {
            const StringArray pair = SplitText(value, ';');
            if (value.empty()) {
                reading.addProblem(line, StationProblemKind::Empty);
            } else if (pair.size() < 2) {
                reading.addProblem(line, StationProblemKind::NoSeparator);
            } else {
                r.antennaName = pair[0];
                r.manufacturer = pair[1];
            }
            break;
        }
        case StationLine::Height:
            r.height = value;
            break;
        case StationLine::Power:
            r.power = value;
            break;
        case StationLine::Mode:
            r.mode = trimBlanks(value);
            break;
        case StationLine::DutyCycle:
            r.dutyCycle = value;
            break;
        case StationLine::FactorTable:
            r.factorTable = value;
            break;
        case StationLine::Cable:
            r.cable = value;
            break;
        case StationLine::CableLength:
            r.cableLength = value;
            break;
        case StationLine::OtherAttenuations:
            r.otherAttenuations = value;
            break;
        }
    }
    return reading;
}

std::string StationProblemsWarning(std::string_view heading, std::string_view fileName,
                                   const StationFileReading& reading) {
    return std::string(heading) + kLineEnd + std::string(fileName) + StationProblemLines(reading);
}

std::string StationProblemLines(const StationFileReading& reading) {
    std::string out;
    std::vector<int> named;
    for (const auto& p : reading.problems) {
        const int n = number(p.line);
        if (std::find(named.begin(), named.end(), n) != named.end())
            continue;
        named.push_back(n);
        const bool present = n >= 1 && n <= static_cast<int>(reading.lines.size());
        // A line of any length is named by its start only.
        out += kLineEnd + std::to_string(n) + ": " +
               EchoText(present ? reading.lines[static_cast<std::size_t>(n - 1)]
                                : StationLineLabel(p.line));
    }
    return out;
}

std::string ProposedStationFileName(bool fixedFrequencyMode, double fixedFrequency) {
    const std::string suffix = fixedFrequencyMode ? FormatReal("%1.0fMHz", fixedFrequency) : "";
    return "MYCALL" + suffix + ".txt";
}

std::string ProposedExportFileName(std::string_view userProfile, std::string_view fallbackFolder) {
    const std::string name = "MC Export.txt";
    if (!userProfile.empty())
        return std::string(userProfile) + "/DeskTop/" + name;
    if (fallbackFolder.empty())
        return name;
    std::string folder(fallbackFolder);
    if (folder.back() != '/')
        folder += '/';
    return folder + name;
}

std::string GridFileText(const std::vector<StringArray>& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (const auto& cell : row)
            out += PadLeft(cell, 9, ' ') + " ;";
        out += kLineEnd;
    }
    return out;
}

std::string GridClipboardText(const std::vector<StringArray>& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += row[i];
        }
        out += kLineEnd;
    }
    return out;
}

} // namespace radexa
