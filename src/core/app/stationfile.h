#pragma once
// Station files: the operator's inputs for one station in ten lines, each a German label
// of 25 bytes followed by the value, every line ended by CR LF. Building and reading the
// lines; the window gathers the values and restores its controls from them. Also the
// text forms of the angle-table export.

#include "core/support/atomicfile.h"
#include "core/support/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// The ten lines of a station file, numbered from 1 as they stand in the file.
enum class StationLine {
    BandOrFrequency = 1,
    Antenna,
    Height,
    Power,
    Mode,
    DutyCycle,
    FactorTable,
    Cable,
    CableLength,
    OtherAttenuations,
};
constexpr int kStationLineCount = 10;

// Lines that may follow the tenth, in the same label form, each written only when its value
// differs from the default (so a default station's file is byte for byte the ten lines,
// and an older program, which ignores further lines, still opens it). Their values are the
// words of the command-line calculator: "ICNIRP2020", "occupational", "1.6" or "none", and
// the distance as the other lines write numbers. "Polarisation" ("vertical" or
// "horizontal") is written when the operator chose the angle data's other polarisation
// than the one they open on, so that the per-angle distances open as they were saved.
enum class StationOption { LimitSet, Tier, Ground, ExemptionDistance, Polarisation };
constexpr int kStationOptionCount = 5;
// How many lines a reading keeps: the ten, and a few after them where optional lines
// are looked for; the rest of a file is ignored.
constexpr std::size_t kStationLinesRead = kStationLineCount + 16;
// Length of every label, in bytes.
constexpr std::size_t kStationLabelLength = 25;

// The values of a station as the window holds them: texts of its fields and selections,
// Windows-1252, written as they stand (numbers are not reformatted).
struct StationRecord {
    bool fixedFrequencyMode = false;
    std::string band;              // band name as shown in CBBand (when no fixed frequency)
    std::string frequencyText;     // text of EditFreq (fixed-frequency mode), e.g. "  3,50"
    std::string antennaName;       // Names[TakenAntennaIndex] of the catalogue
    std::string manufacturer;      // SelectedManufacturer
    std::string height;            // EditHoehe
    std::string power;             // EditPower
    std::string mode;              // mode name: "CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "Alle"
    std::string dutyCycle;         // selected item of RGDutyCycle, e.g. "TX3 RX3"
    std::string factorTable;       // selected item of RGFCCBNetzA: "FCC", "BNetzA (Germany)", "1"
    std::string cable;             // selected item of CLBCable, e.g. "RG213"
    std::string cableLength;       // EditCableLength
    std::string otherAttenuations; // EditPlugAtt
    // The optional lines; empty where the default holds (ICNIRP 1998, public, no ground
    // reflection, no distance for the FCC exemption).
    std::string options[kStationOptionCount];

    std::string& option(StationOption o) { return options[static_cast<int>(o)]; }
    const std::string& option(StationOption o) const { return options[static_cast<int>(o)]; }

    bool operator==(const StationRecord& o) const {
        for (int i = 0; i < kStationOptionCount; ++i)
            if (options[i] != o.options[i])
                return false;
        return fixedFrequencyMode == o.fixedFrequencyMode && band == o.band &&
               frequencyText == o.frequencyText && antennaName == o.antennaName &&
               manufacturer == o.manufacturer && height == o.height && power == o.power &&
               mode == o.mode && dutyCycle == o.dutyCycle && factorTable == o.factorTable &&
               cable == o.cable && cableLength == o.cableLength &&
               otherAttenuations == o.otherAttenuations;
    }
    bool operator!=(const StationRecord& o) const { return !(*this == o); }
};

// Why a line of a station file could not be restored.
enum class StationProblemKind {
    Missing,        // the file ends before this line
    Empty,          // nothing after the label (band or antenna line)
    NoSeparator,    // the antenna line has no ";" between name and manufacturer
    NotANumber,     // the fixed frequency after "F" is not a number
    UnknownAntenna, // the antenna pair names no catalogue entry (found by the window)
};

// One line that could not be restored.
struct StationFileProblem {
    StationLine line;
    StationProblemKind kind;
};

// What reading a station file gave: the values it could restore, and the lines it could
// not. The fields of a line that was not restored are left empty; the window keeps its
// current value for them.
struct StationFileReading {
    StationRecord record;
    double fixedFrequency = 0; // the number after "F" when record.fixedFrequencyMode
    StringArray lines;         // the file's lines as read (the ten, then optional ones)
    std::vector<StationFileProblem> problems;
    // The line number of each optional line that was read (0: not in the file).
    int optionLine[kStationOptionCount] = {};

    // True when the line was read and its value taken over.
    bool restored(StationLine line) const;
    // Records a line that could not be restored (the window adds UnknownAntenna).
    void addProblem(StationLine line, StationProblemKind kind);
};

// The label of a line: 25 bytes, German in every interface language.
const std::string& StationLineLabel(StationLine line);
// The label of an optional line: "Grenzwerte", "Personengruppe", "Bodenreflexion",
// "Abstand Freistellung", "Polarisation", padded with dots to 24 bytes, then ">".
const std::string& StationOptionLabel(StationOption option);

// The ten lines of the station file, then the optional lines that are not empty, each
// ended by CR LF.
std::string BuildStationFile(const StationRecord& record);

// A station file larger than this is refused before it is read.
constexpr std::uint64_t kStationFileSizeLimit = 1 << 20;

// Reads the bytes of a station file: a file beyond kStationFileSizeLimit is refused as
// "not a station file" (TooLarge), anything that is no regular file as Unreadable, and so
// are bytes that are no station file at all (Unreadable, the error naming the file and
// why): an empty file, binary data, or text of which no line among the first ten begins
// with its label. Nothing of such a file is taken over.
FileReadResult ReadStationFile(const std::string& path);

// Reads the bytes of a station file. Never fails: it restores what it can and lists the
// lines it cannot restore. The labels are not examined. A line ends with CR LF, LF or a
// lone CR (CR CR LF is one line end); a file in UTF-8 (as an editor may save it, with or
// without a byte-order mark) or in UTF-16 with a byte-order mark is read as its
// Windows-1252 text.
StationFileReading ParseStationFile(std::string_view bytes);

// The warning after reading: the heading, the file name, then one line per line that was
// not restored, naming it by its number and its text in the file (its label if missing),
// bounded by EchoText.
std::string StationProblemsWarning(std::string_view heading, std::string_view fileName,
                                   const StationFileReading& reading);
// The lines of that warning after the file name, each begun by CR LF (the window puts the
// file name before them as it is, with characters beyond Windows-1252).
std::string StationProblemLines(const StationFileReading& reading);

// The file name proposed for saving: "MYCALL.txt", or with a fixed frequency e.g.
// "MYCALL145MHz.txt".
std::string ProposedStationFileName(bool fixedFrequencyMode, double fixedFrequency);

// The file proposed for the angle-table export: "MC Export.txt" in the DeskTop folder of
// the user profile when it is given, otherwise in the fallback folder.
std::string ProposedExportFileName(std::string_view userProfile, std::string_view fallbackFolder);

// The angle table as a text file: per row, every cell padded on the left with blanks to 9
// characters and followed by " ;", the row ended by CR LF.
std::string GridFileText(const std::vector<StringArray>& rows);

// The angle table as clipboard text: per row the cells joined by tabs, ended by CR LF.
std::string GridClipboardText(const std::vector<StringArray>& rows);

} // namespace radexa
