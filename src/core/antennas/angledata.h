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

// Limits of an angle file: its size and lines, the angles of one section, and the lowest
// attenuation (below it the EIRP and the distance in the angle's direction would not be
// finite numbers).
constexpr std::uint64_t kAngleFileSizeLimit = std::uint64_t{16} << 20;
constexpr std::size_t kMaxAngleFileLines = 32767;
constexpr std::size_t kMaxAngles = 32768;
constexpr double kMinAttenuation = -1000.0;

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

// The angle file of a catalogue entry (Windows-1252 names) in the folder: the file named
// with the names' UTF-8 form when it exists, else the one named with their bytes as they
// are, else empty. A file that exists but cannot be read is returned all the same, so that
// reading it says why.
std::string FindAngleFile(const std::string& folder, std::string_view manufacturer,
                          std::string_view name);

// Interprets the text of an angle-data file. referenceFrequency is the band's lower edge,
// or kUndefined while a fixed frequency is in use (then only sections at 0 MHz fit).
// Throws AngleDataError for a malformed file: beyond kMaxAngleFileLines lines or kMaxAngles
// angles in a section, a step that is not positive, a key after the first section, a
// letter of [Polarisation] that no section carries, an empty attenuation (a trailing
// comma), an attenuation below kMinAttenuation. A UTF-8 byte-order mark is skipped.
TWinkAnt ParseAngleData(std::string_view title, std::string_view text, double referenceFrequency);

// Reads and interprets an angle-data file (see ParseAngleData); a file that cannot be
// read (missing, no regular file, beyond kAngleFileSizeLimit, no memory) throws
// AngleDataError too.
TWinkAnt ReadAngleFile(const std::string& fileName, double referenceFrequency);

} // namespace radexa
