#pragma once
// Angle data of one antenna: the attenuation per elevation angle for the vertical and the
// horizontal polarisation, read from the file "ang/<manufacturer> <name>.ang". Only the
// sections that fit the reference frequency (or carry the frequency 0) are kept.

#include "core/support/types.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace radexa {

// A malformed angle-data file: the file's title, the 1-based line (0 when the fault is
// not on one line, e.g. a missing key) and what is wrong.
class AngleDataError : public std::runtime_error {
public:
    // what() is "<title>, line <n>: <reason>", or "<title>: <reason>" for line 0.
    AngleDataError(std::string title, int line, std::string reason);
    // The file name without folder and extension.
    const std::string& Title() const { return m_title; }
    // The 1-based line of the fault; 0 when it belongs to no single line.
    int Line() const { return m_line; }
    // What is wrong, in English.
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_title;
    int m_line;
    std::string m_reason;
};

// The angle data of one file. Every read makes a new object; a failed read makes none.
struct TWinkAnt {
    std::string Title;                   // file name without folder and extension
    std::string Polarisation;            // value of "[Polarisation]", e.g. "v", "h" or "vh"
    std::int16_t Range = 0;              // value of "[Bereich]", degrees
    std::int16_t Step = 0;               // value of "[Schrittweite]", degrees between angles
    SmallIntArray VertAngles, HorAngles; // angles of the accepted sections
    DoubleArray VertAttenuations, HorAttenuations; // dB, one per angle
    double VertFrequency = 0, HorFrequency = 0;    // MHz of the accepted sections
    double VertSecond = 0, HorSecond = 0;          // second number of the section lines
    StringArray Notes; // the non-empty free-text lines before the first section

    // True when "[Polarisation]" contains v.
    bool HasVertical() const;
    // True when "[Polarisation]" contains h.
    bool HasHorizontal() const;
};

// The file name of an entry's angle data: folder, manufacturer, a blank, name, ".ang".
// Empty when manufacturer or name hold a folder separator ("/" or "\\") or a NUL, so that
// a catalogue text can never point outside the folder.
std::string AngleFileName(const std::string& folder, std::string_view manufacturer,
                          std::string_view name);

// The title of an angle-data file: its name without folder and extension.
std::string AngleFileTitle(std::string_view fileName);

// Interprets the text of an angle-data file. referenceFrequency is the band's lower edge,
// or kUndefined while a fixed frequency is in use (then only sections at 0 MHz fit).
// Throws AngleDataError for a malformed file.
TWinkAnt ParseAngleData(std::string_view title, std::string_view text, double referenceFrequency);

// Reads and interprets an angle-data file (see ParseAngleData); a file that cannot be
// read throws AngleDataError too.
TWinkAnt ReadAngleFile(const std::string& fileName, double referenceFrequency);

} // namespace radexa
