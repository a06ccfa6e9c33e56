#pragma once
// Radiation patterns from other programs turned into the program's angle data: the output
// of the NEC-2 engine (nec2c, or the classic Fortran layout), the far-field table of
// EZNEC, and plain CSV. Each import takes the vertical cut through the pattern for one
// frequency and gives the attenuation per angle of each polarisation below the entry's
// catalogue gain, the pattern's largest total gain.
//
// Angles of the cut (as the angle files hold them, see the side view): 0 is the front
// horizon and the angle grows downward. A pattern that covers the lower half-space too
// (free space) runs 0 ... 360 (90 the nadir, 180 the back horizon, 270 the zenith). A
// pattern over ground has only the upper half-space: it is written 0 ... 180 with the
// elevation as angle (0 front horizon, 90 zenith, 180 back horizon), which the side view
// and the diagram draw mirrored, as they draw every file that ends at 180. The samples
// must lie on a regular grid of whole degrees that covers the cut: the step is the finest
// grid all whole-degree samples lie on, samples between whole degrees are left out, and
// nothing is interpolated (a gap is refused, naming the missing angle).

#include "core/antennas/angledata.h"
#include "core/support/types.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// A file that cannot be imported: the 1-based line (0 when the fault belongs to no single
// line) and what was expected. Nothing of such a file is kept.
class PatternImportError : public std::runtime_error {
public:
    // what() is "line <n>: <reason>", or the reason alone for line 0.
    PatternImportError(int line, std::string reason);
    int Line() const { return m_line; }
    const std::string& Reason() const { return m_reason; }

private:
    int m_line;
    std::string m_reason;
};

enum class PatternFormat { Nec, Eznec, Csv };
enum class PatternGround { Unknown, FreeSpace, Perfect, Real };

// The attenuation that stands for a direction without field.
constexpr double kNoFieldAttenuation = 100.0;

// Limits of a pattern file: its size (far more than the output of a full sphere at 1 degree
// for a few frequencies), its lines, and the largest gain (dBi) a row may give; a CSV
// attenuation must not lie below its negative, which an angle file cannot hold.
constexpr std::uint64_t kMaxPatternFileSize = std::uint64_t{256} << 20;
constexpr std::size_t kMaxPatternLines = 2000000;
constexpr double kMaxPatternGain = 1000.0;

// The free-text line of an angle file computed over real (finite) ground.
constexpr std::string_view kRealGroundNote = "Pattern over real ground";
// The free-text line of an angle file computed over perfectly conducting ground.
constexpr std::string_view kPerfectGroundNote = "Pattern over perfect ground";

// What the operator chooses; everything may stay unset.
struct PatternImportOptions {
    // MHz: of several frequencies in a NEC-2 output the nearest one is taken; the
    // frequency of a CSV file, which names none (unset: 0, valid for every band).
    std::optional<double> frequency;
    // Degrees: the azimuth of the cut's front in a NEC-2 output; unset: the azimuth of
    // the largest gain.
    std::optional<double> azimuth;
    // dBi: the catalogue gain of a CSV file of attenuations, which names none.
    std::optional<double> gain;
};

// One imported cut, ready to be written as an angle file.
struct ImportedPattern {
    PatternFormat format = PatternFormat::Nec;
    double frequency = 0;  // MHz; 0 for every band
    bool gainKnown = true; // false for attenuations without a gain given
    double maxGain = 0;    // dBi: the largest total gain of the pattern (catalogue gain)
    double azimuth = 0;    // degrees: front of the cut
    PatternGround ground = PatternGround::Unknown;
    int range = 180; // 180: upper half-space, drawn mirrored; 360: the whole circle
    int step = 1;    // degrees between the angles 0, step, ..., range
    bool hasVertical = false, hasHorizontal = false;
    DoubleArray vertical, horizontal; // attenuations in dB at the angles, range / step + 1
    StringArray notes; // free-text lines: where the pattern comes from, the ground note
};

// The frequencies (MHz) of the radiation-pattern tables of a NEC-2 output, in file order,
// each once.
DoubleArray NecPatternFrequencies(std::string_view text);

// The format of a file by its content; throws PatternImportError when it is none of them.
PatternFormat DetectPatternFormat(std::string_view text);

// The importers; each throws PatternImportError for a file it cannot use.
ImportedPattern ImportNecPattern(std::string_view text, const PatternImportOptions& options = {});
ImportedPattern ImportEznecPattern(std::string_view text, const PatternImportOptions& options = {});
ImportedPattern ImportCsvPattern(std::string_view text, const PatternImportOptions& options = {});
// The importer of the detected format.
ImportedPattern ImportPattern(std::string_view text, const PatternImportOptions& options = {});
// The same for a file; one that cannot be read or is larger than kMaxPatternFileSize throws
// PatternImportError (line 0) too. A text of more than kMaxPatternLines lines, a gain above
// kMaxPatternGain and one angle given twice with different gains are refused by every
// importer.
ImportedPattern ImportPatternFile(const std::string& fileName,
                                  const PatternImportOptions& options = {});

// The text of the angle file (CR LF line ends): a first line with the description (when
// not empty), the notes, the keys and one section per polarisation; the second number of
// a section line is the catalogue gain (0 when unknown).
std::string AngleFileText(const ImportedPattern& pattern, std::string_view description = {});

// Whether an angle file carries the real-ground note before its keys.
bool HasRealGroundNote(std::string_view angleFileText);
bool HasRealGroundNote(const TWinkAnt& data);

} // namespace radexa
