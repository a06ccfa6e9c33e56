#include "core/antennas/ownantenna.h"

#include "core/support/cp1252.h"
#include "core/support/datafile.h"
#include "core/support/textnumbers.h"

#include <array>

namespace radexa {

namespace {

constexpr int kTextCount = static_cast<int>(OwnAntennaText::FieldSemicolon) + 1;
enum DialogLanguage { German, English, Swedish, kDialogLanguageCount };

// One row per OwnAntennaText, columns German, English (also French), Swedish; UTF-8.
// %1 is the field's caption, %2 the point's number, %3 the text.
constexpr std::array<std::array<const char*, kDialogLanguageCount>, kTextCount> kTexts = {{
    {"Eigene Antenne konstruieren", "Construct your own Antenna", "Konstruera din egen antenn"},
    {"Name der Antenne", "Name of Antenna", "Antennamn"},
    {"Typ der Antenne (z.B. Yagi)", "Type of Antenna (i.e. Yagi)", "Antenntyp (t.ex. Yagi)"},
    {"Kategorie (Empfehlung: Eig. Rufzeichen)", "Category (i.e. Your Call)",
     "Kategori (t.ex. Din anropssignal)"},
    {"Frequenz [MHz]", "Frequency [MHz]", "Frekvens [MHz]"},
    {"Gewinn [dBi]", "Gain [dBi]", "Förstärkning [dBi]"},
    {"Anz. Elemente", "# of Elements", "Antal element"},
    {"Antenne &speichern", "&Save Antenna", "&Spara antenn"},
    {"&Abbrechen", "&Cancel", "&Avbryt"},
    {"Frequenz &hinzufügen", "&Add Frequency", "Addera &frekvens"},
    {"Antenneneigenschaften", "Antenna &Properties", "Antenn &och egenskaper"},
    {"Antenne wurde in der Datei AntUser.txt gespeichert",
     "Antenna was saved in the file AntUser.txt", "Antennen sparades i filen AntUser.txt"},
    {"Antenne wurde NICHT gespeichert!", "Antenna was NOT saved!", "Antennen kunde INTE sparas!"},
    {"\"%1\" darf nicht leer sein!", "\"%1\" must not be empty!", "\"%1\" får inte vara tomt!"},
    {"\"%1\" darf kein Komma und keinen Zeilenumbruch enthalten: %3",
     "\"%1\" must not contain a comma or a line break: %3",
     "\"%1\" får inte innehålla kommatecken eller radbrytning: %3"},
    {"\"%1\" darf nicht mit \"[\" beginnen: %3", "\"%1\" must not begin with \"[\": %3",
     "\"%1\" får inte börja med \"[\": %3"},
    {"\"%1\" von Punkt %2 ist keine Zahl: %3", "\"%1\" of point %2 is not a number: %3",
     "\"%1\" för punkt %2 är inget tal: %3"},
    {"\"%1\" darf kein Semikolon (;) enthalten, es trennt in Stationsdateien Name und "
     "Hersteller: %3",
     "\"%1\" must not contain a semicolon (;), which separates name and manufacturer in "
     "station files: %3",
     "\"%1\" får inte innehålla semikolon (;), som skiljer namn och tillverkare i "
     "stationsfiler: %3"},
}};

DialogLanguage dialogLanguage(std::string_view languageName) {
    if (languageName == "Deutsch")
        return German;
    if (languageName == "Swedish")
        return Swedish;
    return English;
}

const std::array<std::array<std::string, kDialogLanguageCount>, kTextCount>& tables() {
    static const auto built = [] {
        std::array<std::array<std::string, kDialogLanguageCount>, kTextCount> t;
        for (int id = 0; id < kTextCount; ++id)
            for (int l = 0; l < kDialogLanguageCount; ++l)
                t[static_cast<std::size_t>(id)][static_cast<std::size_t>(l)] =
                    Utf8ToCp1252(kTexts[static_cast<std::size_t>(id)][static_cast<std::size_t>(l)]);
        return t;
    }();
    return built;
}

bool breaksTheRecord(std::string_view text) {
    return text.find_first_of(",\r\n") != std::string_view::npos;
}

void replace(std::string& text, std::string_view key, std::string_view value) {
    const auto at = text.find(key);
    if (at != std::string::npos)
        text.replace(at, key.size(), value);
}

} // namespace

const std::string& OwnAntennaDialogText(std::string_view languageName, OwnAntennaText id) {
    return tables()[static_cast<std::size_t>(id)]
                   [static_cast<std::size_t>(dialogLanguage(languageName))];
}

std::string OwnAntennaRecordLine(const OwnAntenna& a) {
    std::string line = a.name + "," + a.type + ",";
    for (const auto& p : a.points)
        line += p.frequency + "," + p.gain + "," + p.elements + ",";
    return line + "#";
}

StringArray OwnAntennaMemoLines(const std::vector<OwnAntennaPoint>& points) {
    auto row = [](std::string_view f, std::string_view g, std::string_view e) {
        return PadLeft(f, 5, ' ') + " " + PadLeft(g, 5, ' ') + " " + PadLeft(e, 5, ' ');
    };
    StringArray lines{row("f[MHz]", "G[dBi]", "#Elem.")};
    for (const auto& p : points)
        lines.push_back(row(p.frequency, p.gain, p.elements));
    return lines;
}

OwnAntennaProblem CheckOwnAntenna(const OwnAntenna& a) {
    using Field = OwnAntennaProblem::Field;
    using Fault = OwnAntennaProblem::Fault;
    auto problem = [](Field field, Fault fault, std::string_view text, int point = -1) {
        OwnAntennaProblem p;
        p.field = field;
        p.fault = fault;
        p.point = point;
        p.text = std::string(text);
        return p;
    };
    const std::pair<Field, const std::string*> texts[] = {
        {Field::Name, &a.name}, {Field::Type, &a.type}, {Field::Category, &a.category}};
    for (const auto& [field, text] : texts) {
        if (text->empty())
            return problem(field, Fault::Empty, *text);
        if (breaksTheRecord(*text))
            return problem(field, Fault::Separator, *text);
        if (field != Field::Type && text->find(';') != std::string::npos)
            return problem(field, Fault::Semicolon, *text);
    }
    if (a.name.front() == '[')
        return problem(Field::Name, Fault::BeginsWithBracket, a.name);
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        const OwnAntennaPoint& p = a.points[i];
        const int k = static_cast<int>(i);
        const std::pair<Field, const std::string*> values[] = {{Field::Frequency, &p.frequency},
                                                               {Field::Gain, &p.gain},
                                                               {Field::Elements, &p.elements}};
        for (const auto& [field, text] : values) {
            if (breaksTheRecord(*text))
                return problem(field, Fault::Separator, *text, k);
            double v = 0;
            if (field != Field::Elements && !TryStrToReal(*text, v))
                return problem(field, Fault::NotANumber, *text, k);
        }
    }
    return {};
}

std::string OwnAntennaProblemText(std::string_view languageName, const OwnAntennaProblem& p) {
    using Field = OwnAntennaProblem::Field;
    using Fault = OwnAntennaProblem::Fault;
    OwnAntennaText caption = OwnAntennaText::LaName;
    switch (p.field) {
    case Field::None:
    case Field::Name:
        break;
    case Field::Type:
        caption = OwnAntennaText::LaTyp;
        break;
    case Field::Category:
        caption = OwnAntennaText::LaKategorie;
        break;
    case Field::Frequency:
        caption = OwnAntennaText::LaFrequenz;
        break;
    case Field::Gain:
        caption = OwnAntennaText::LaGewinn;
        break;
    case Field::Elements:
        caption = OwnAntennaText::LaElemente;
        break;
    }
    OwnAntennaText message = OwnAntennaText::FieldEmpty;
    switch (p.fault) {
    case Fault::None:
        return {};
    case Fault::Empty:
        break;
    case Fault::Separator:
        message = OwnAntennaText::FieldSeparator;
        break;
    case Fault::Semicolon:
        message = OwnAntennaText::FieldSemicolon;
        break;
    case Fault::BeginsWithBracket:
        message = OwnAntennaText::NameBeginsWithBracket;
        break;
    case Fault::NotANumber:
        message = OwnAntennaText::PointNotANumber;
        break;
    }
    std::string text = OwnAntennaDialogText(languageName, message);
    replace(text, "%1", OwnAntennaDialogText(languageName, caption));
    replace(text, "%2", std::to_string(p.point + 1));
    replace(text, "%3", EchoText(p.text));
    // A point's field that is not about a number still names its point.
    if (p.point >= 0 && p.fault != Fault::NotANumber)
        text += " (" + std::to_string(p.point + 1) + ")";
    return text;
}

std::string SaveOwnAntenna(const std::string& fileName, const OwnAntenna& antenna) {
    TDataFile file(fileName);
    std::string error;
    // A file that exists but cannot be read is left alone: saving would replace it.
    if (!file.Load(&error))
        return error;
    if (!file.SectionExists(antenna.category))
        file.AddSection(antenna.category);
    file.AddLine(antenna.category, OwnAntennaRecordLine(antenna));
    if (!file.Save(&error))
        return error;
    return {};
}

} // namespace radexa
