#pragma once
// The operator's own antennas: the texts of the own-antenna dialog in its three
// languages, the record line it appends to the user antenna file, the checks that keep
// that file readable, and the append itself (through TDataFile, atomically).
// Texts are Windows-1252 bytes.

#include "core/support/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// The texts of the dialog, one per control and message.
enum class OwnAntennaText {
    Caption,
    LaName,
    LaTyp,
    LaKategorie,
    LaFrequenz,
    LaGewinn,
    LaElemente,
    ButSaveAnt,
    ButCancel,
    ButAddFrequenz,
    GBAntenneneigenschaften,
    SavedMessage,
    // Our own messages: the antenna could not be written, and the checks before saving.
    NotSaved,
    FieldEmpty,
    FieldSeparator,
    NameBeginsWithBracket,
    PointNotANumber,
    FieldSemicolon,
};

// The text in the dialog language named by the main window's LanguageName: "Deutsch" and
// "Swedish" have their own texts, every other name (also "French") gives the English ones.
const std::string& OwnAntennaDialogText(std::string_view languageName, OwnAntennaText id);

// One frequency point, its texts exactly as typed.
struct OwnAntennaPoint {
    std::string frequency; // MHz
    std::string gain;      // dBi
    std::string elements;  // number of elements, any text
};

// What the dialog saves.
struct OwnAntenna {
    std::string name;
    std::string type;
    std::string category; // the section of the user antenna file
    std::vector<OwnAntennaPoint> points;
};

// name,type,f,g,e,...,# as the catalogue reads it.
std::string OwnAntennaRecordLine(const OwnAntenna& antenna);

// The lines of the points memo: the head "f[MHz]", "G[dBi]", "#Elem." and one line per
// point, each text right-aligned to at least five characters ("%5s %5s %5s").
StringArray OwnAntennaMemoLines(const std::vector<OwnAntennaPoint>& points);

// The first entry that would corrupt the user antenna file or give an unusable catalogue
// entry.
struct OwnAntennaProblem {
    enum class Field { None, Name, Type, Category, Frequency, Gain, Elements };
    enum class Fault { None, Empty, Separator, Semicolon, BeginsWithBracket, NotANumber };
    Field field = Field::None;
    Fault fault = Fault::None;
    int point = -1;   // 0-based point for Frequency, Gain and Elements
    std::string text; // the offending text
    bool ok() const { return fault == Fault::None; }
};

// Refuses: a comma or a line break in any text (the comma separates the fields of the
// record, a line break would start a new record), an empty name, type or category, a ";"
// in the name or the category (a station file's antenna line separates the name and the
// manufacturer with it), a name beginning with "[" (the catalogue would read a section
// line), and a point frequency or gain that is not a number (StrToReal, current number
// settings).
OwnAntennaProblem CheckOwnAntenna(const OwnAntenna& antenna);

// The warning for a problem, naming the field by its caption in the dialog language; the
// offending text is quoted as EchoText bounds it.
std::string OwnAntennaProblemText(std::string_view languageName, const OwnAntennaProblem& problem);

// Appends the antenna's record line to the section of its category in the user antenna
// file (the section is added at the end when missing; the file is created when missing).
// Empty on success; otherwise the error, and the file is as it was.
std::string SaveOwnAntenna(const std::string& fileName, const OwnAntenna& antenna);

} // namespace radexa
