#include "core/app/languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace radexa {
namespace {

const std::string& textOf(Language language, TextTargetKind kind, std::string_view target) {
    for (const auto& e : LanguageTexts(language)) {
        if (e.kind == kind && e.target == target)
            return e.text;
    }
    static const std::string missing = "<missing>";
    return missing;
}

TEST(LanguageTables, EveryTargetHasItsFourEntriesAndOnlyFrenchHintsAreEmpty) {
    const auto& german = LanguageTexts(Language::German);
    std::set<std::pair<TextTargetKind, std::string_view>> seen;
    for (const auto& e : german)
        EXPECT_TRUE(seen.insert({e.kind, e.target}).second) << "twice: " << e.target;

    for (Language l : kLanguages) {
        const auto& texts = LanguageTexts(l);
        ASSERT_EQ(texts.size(), german.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].kind, german[i].kind);
            EXPECT_EQ(texts[i].target, german[i].target);
            const bool deliberatelyEmpty =
                l == Language::French && texts[i].kind == TextTargetKind::Hint;
            EXPECT_EQ(texts[i].text.empty(), deliberatelyEmpty)
                << LanguageName(l) << " " << texts[i].target;
        }
    }
}

TEST(LanguageTables, RoutinesSetCaptionsThenMessagesThenMenusThenHints) {
    const TextTargetKind order[] = {TextTargetKind::Caption, TextTargetKind::Message,
                                    TextTargetKind::Menu, TextTargetKind::Hint};
    std::map<TextTargetKind, int> count;
    const auto* at = std::begin(order);
    for (const auto& e : LanguageTexts(Language::English)) {
        while (at != std::end(order) && *at != e.kind)
            ++at;
        ASSERT_NE(at, std::end(order)) << e.target << " out of order";
        ++count[e.kind];
    }
    // 53 control captions and the Mode page's text, then the eleven of the Limits page;
    // the message ids; ten menus and the report's; eleven hints.
    EXPECT_EQ(count[TextTargetKind::Caption], 54 + 11);
    EXPECT_EQ(count[TextTargetKind::Message], kMessageCount);
    // The File menu adds the report, "Model antenna" and "Import pattern".
    EXPECT_EQ(count[TextTargetKind::Menu], 13);
    EXPECT_EQ(count[TextTargetKind::Hint], 11);
    EXPECT_EQ(LanguageTexts(Language::English)[53].target, "STRXTX");
}

TEST(LanguageTables, TextsAreByteExactWindows1252) {
    const struct {
        Language language;
        TextTargetKind kind;
        const char* target;
        std::string expected;
    } cases[] = {
        {Language::Swedish, TextTargetKind::Caption, "LaGain", "Gain\xA0(dBi)"},
        {Language::Swedish, TextTargetKind::Caption, "LaLimit", "E-f\xE4lt ref.v\xE4rde\xA0 [V/m]"},
        {Language::English, TextTargetKind::Caption, "LaLimit", "E-Field Limit  [V/m]"},
        {Language::German, TextTargetKind::Menu, "MIopen",
         "&\xD6"
         "ffnen"},
        {Language::Swedish, TextTargetKind::Menu, "MIEnd", "&St\xE4ng"},
        {Language::German, TextTargetKind::Caption, "ButSetAttNull",
         "S\xE4tze alle D\xE4mpfungen null"},
        {Language::French, TextTargetKind::Caption, "LaTotalAtt",
         "Att\xE9nuation combin\xE9 entre\r\n la sortie TX et \r\nentr\xE9"
         "e d'antenne [dB]"},
        {Language::Swedish, TextTargetKind::Caption, "LaTotalAtt",
         "Sammanlagd d\xE4mpning\r\nmellan s\xE4ndarens utg\xE5ng\r\noch antennens "
         "matningspunkt [dB]"},
        {Language::German, TextTargetKind::Hint, "EditEIRP",
         "\xC4quivalente isotrope Strahlungsleistung"},
        {Language::English, TextTargetKind::Hint, "EditrNahfeld",
         "End of reaktive near field region\r\nYou may want to do a near field analysis, \r\n"
         "if points inside this distance can be acessed by persons."},
        {Language::German, TextTargetKind::Message, "MsgCableLengthNotReal",
         "Kabell\xE4nge muss eine Flie\xDFkommazahl sein!"},
        {Language::Swedish, TextTargetKind::Message, "MsgFileNotOpened",
         "Filen kunde INTE \xF6ppnas !"},
        {Language::French, TextTargetKind::Message, "MsgAntennaDoesNotFit",
         "ne correspond pas \xE0 la fr\xE9quence! Le stockage n'est pas possible"},
        {Language::French, TextTargetKind::Message, "AngleTableHeader",
         "angle;amortissement;PIRE;distance"},
        {Language::French, TextTargetKind::Caption, "RGFCCBNetzA",
         "Quels sont les facteurs de modulation \xE0 utiliser?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(c.language, c.kind, c.target), c.expected)
            << LanguageName(c.language) << " " << c.target;
}

TEST(LanguageTables, ModePageTextsAreOneParagraphEach) {
    const std::string& french = textOf(Language::French, TextTargetKind::Caption, "STRXTX");
    EXPECT_NE(french.find("p\xE9riode de 6 minutes. Si seulement 3 minutes"), std::string::npos);
    const std::string& swedish = textOf(Language::Swedish, TextTargetKind::Caption, "STRXTX");
    EXPECT_NE(swedish.find("att anse som\xA0halvduplex, s\xE5 \xE4r"), std::string::npos);
    EXPECT_EQ(std::count(swedish.begin(), swedish.end(), '\xA0'), 1);
    for (Language l : kLanguages) {
        const std::string& t = textOf(l, TextTargetKind::Caption, "STRXTX");
        EXPECT_GT(t.size(), 300u);
        EXPECT_EQ(t.find('\n'), std::string::npos);
        EXPECT_EQ(t.back(), '.');
    }
}

TEST(LanguageTables, NoTextLostACharacterOnItsWayToWindows1252) {
    // A character without a Windows-1252 byte would have become '?', a typographic quote
    // or dash would sit in 0x80..0x9F, and a lone line feed would break the CR LF rule.
    for (Language l : kLanguages) {
        int noBreakSpaces = 0;
        for (const auto& e : LanguageTexts(l)) {
            if (e.text.find('?') != std::string::npos) {
                EXPECT_EQ(e.target, "RGFCCBNetzA") << e.text;
            }
            for (std::size_t i = 0; i < e.text.size(); ++i) {
                const auto b = static_cast<unsigned char>(e.text[i]);
                EXPECT_FALSE(b >= 0x80 && b <= 0x9F) << e.target;
                EXPECT_FALSE(b < 0x20 && b != '\r' && b != '\n') << e.target;
                if (b == '\n') {
                    EXPECT_TRUE(i > 0 && e.text[i - 1] == '\r') << e.target;
                }
                if (b == '\r') {
                    EXPECT_TRUE(i + 1 < e.text.size() && e.text[i + 1] == '\n') << e.target;
                }
                noBreakSpaces += b == 0xA0;
            }
        }
        EXPECT_EQ(noBreakSpaces, l == Language::Swedish ? 3 : 0) << LanguageName(l);
    }
}

TEST(LanguageTables, EnglishTextsAreTheMainWindowCaptions) {
    const struct {
        TextTargetKind kind;
        const char* target;
        const char* caption;
    } window[] = {
        {TextTargetKind::Caption, "GBEingabe", "Input"},
        {TextTargetKind::Caption, "GBAusgabe", "Output"},
        {TextTargetKind::Caption, "GBDist", "Safty Distance"},
        {TextTargetKind::Caption, "LaHamBand", "Ham-Band"},
        {TextTargetKind::Caption, "LaFreq", "Freq. [MHz]"},
        {TextTargetKind::Caption, "LaAntenna", "Antenna"},
        {TextTargetKind::Caption, "LaPower", "Power [W]"},
        {TextTargetKind::Caption, "LaMode", "Mode"},
        {TextTargetKind::Caption, "LaGain", "Antenna Gain (dBi)"},
        {TextTargetKind::Caption, "LaAtt", "Cable Attenuation [dB]"},
        {TextTargetKind::Caption, "LaLimit", "E-Field Limit  [V/m]"},
        {TextTargetKind::Caption, "LaFmodPers", "Modulation Factor"},
        {TextTargetKind::Caption, "LaFB", "Intermittend Factor"},
        {TextTargetKind::Caption, "LaAntIn", "Ant. Input Power [W]"},
        {TextTargetKind::Caption, "LaEIRP", "EIRP [W]"},
        {TextTargetKind::Caption, "LarPS", "Distance [m]"},
        {TextTargetKind::Caption, "LarNahfeld", "Nearfield Conds [m]"},
        {TextTargetKind::Caption, "TSAnt", "Antenna"},
        {TextTargetKind::Caption, "LaManufacturer", "Manufacturer"},
        {TextTargetKind::Caption, "LaAntName", "Name of Antenna"},
        {TextTargetKind::Caption, "LaAntData", "Data"},
        {TextTargetKind::Caption, "LaDataFreq", "Freq."},
        {TextTargetKind::Caption, "LaDataGain", "Gain"},
        {TextTargetKind::Caption, "LaDataEle", "# Ele."},
        {TextTargetKind::Caption, "GBAnt", "Chosen Antenna"},
        {TextTargetKind::Caption, "LaChosenAntName", "Name"},
        {TextTargetKind::Caption, "LaChosenAntType", "Type"},
        {TextTargetKind::Caption, "LaChosenAntGain", "Gain"},
        {TextTargetKind::Caption, "LaAngDataAvailable", "Angle Data Available"},
        {TextTargetKind::Caption, "ButTakeAnt", "Take Antenna"},
        {TextTargetKind::Caption, "RGMode", "Mode"},
        {TextTargetKind::Caption, "GBFaktoren", "Factors"},
        {TextTargetKind::Caption, "LaModeFactor", "Modulation Factor"},
        {TextTargetKind::Caption, "LaDutyCycle", "Intermittend Factor"},
        {TextTargetKind::Caption, "LaFactor", "Resulting Factor"},
        {TextTargetKind::Caption, "RGDutyCycle", "Intermittend Operation"},
        {TextTargetKind::Caption, "RGFCCBNetzA", "Which Modulation Factors to use?"},
        {TextTargetKind::Caption, "STFCC",
         "FCC Value are in compliance with scientific literature"},
        {TextTargetKind::Caption, "STBNetzA", "BNetzA Values are in compliance with German law"},
        {TextTargetKind::Caption, "TSCable", "Cable Attenuation"},
        {TextTargetKind::Caption, "LaCableFreq", "Frequency [MHz]"},
        {TextTargetKind::Caption, "LaSpecAtt", "Attenuation [dB/100m]"},
        {TextTargetKind::Caption, "LaCableLength", "Cable Length [m]"},
        {TextTargetKind::Caption, "LaCableAtt", "Cable Attenuation [dB]"},
        {TextTargetKind::Caption, "LaPlugAtt", "Other Attenuations [dB]"},
        {TextTargetKind::Caption, "ButSetAttNull", "Set All Attenuations to Zero"},
        {TextTargetKind::Caption, "TSAngle", "Angle"},
        {TextTargetKind::Caption, "RGPol", "Antenna polarisation"},
        {TextTargetKind::Caption, "ButDiagramm", "Diagram"},
        {TextTargetKind::Caption, "ButSeitenansicht", "Antenna Side View"},
        {TextTargetKind::Caption, "LaHoehe", "Antenna Height [m]"},
        {TextTargetKind::Menu, "MIDatei", "&File"},
        {TextTargetKind::Menu, "MIopen", "&Open"},
        {TextTargetKind::Menu, "MISave", "&Save"},
        {TextTargetKind::Menu, "MISaveAs", "Save &as ..."},
        {TextTargetKind::Menu, "MIEigeneAntenne", "Construct &own antenna"},
        {TextTargetKind::Menu, "MIEnd", "&Close"},
        {TextTargetKind::Menu, "MIInfos", "&Infos"},
        {TextTargetKind::Menu, "MIHelp", "&Help"},
        {TextTargetKind::Menu, "MIAbout", "&About"},
        {TextTargetKind::Menu, "MILanguage", "&Language"},
        {TextTargetKind::Message, "MsgAntennaDoesNotFit",
         "Antenna does not fit to frequency. File save not possible!"},
        {TextTargetKind::Message, "MsgFileNotSaved", "File was NOT saved!"},
        {TextTargetKind::Message, "MsgFileNotOpened", "File was not opened!"},
        {TextTargetKind::Message, "MsgFrequencyCaption", "Caculation with fixed frequency"},
        {TextTargetKind::Message, "MsgFrequencyPrompt", "Input Frequency in MHz"},
        {TextTargetKind::Message, "MsgFrequencyNotReal", "Frequency must be a real number!"},
    };
    for (const auto& w : window)
        EXPECT_EQ(textOf(Language::English, w.kind, w.target), w.caption) << w.target;
}

TEST(LanguageTables, HintsAreTheElevenFieldsOfTheMainWindow) {
    std::set<std::string_view> hinted;
    for (const auto& e : LanguageTexts(Language::German)) {
        if (e.kind == TextTargetKind::Hint)
            hinted.insert(e.target);
    }
    const std::set<std::string_view> fields = {
        "EditAntenne", "EditPower", "EditGain", "EditAtt", "EditEps",     "EditFmodPers",
        "EditFB",      "EditAntIn", "EditEIRP", "EditrPS", "EditrNahfeld"};
    EXPECT_EQ(hinted, fields);
}

TEST(LanguageTables, FrenchQuirks) {
    for (const auto& e : LanguageTexts(Language::French)) {
        if (e.kind == TextTargetKind::Menu) {
            EXPECT_EQ(e.text, textOf(Language::English, e.kind, e.target)) << e.target;
        }
    }
    EXPECT_EQ(textOf(Language::French, TextTargetKind::Caption, "LaCableFreq"),
              textOf(Language::German, TextTargetKind::Caption, "LaCableFreq"));
    EXPECT_EQ(textOf(Language::French, TextTargetKind::Caption, "LaPower"), "Power [W]");
    for (Language l : kLanguages)
        EXPECT_EQ(HintsShown(l), l != Language::French);
}

TEST(LanguageTables, MessagesAreFoundByTheirIds) {
    for (Language l : kLanguages) {
        for (int i = 0; i < kMessageCount; ++i) {
            const auto id = static_cast<MessageId>(i);
            EXPECT_EQ(MessageText(l, id), textOf(l, TextTargetKind::Message, MessageIdName(id)))
                << MessageIdName(id);
        }
    }
    EXPECT_EQ(MessageIdName(MessageId::MsgInvalidPower), "MsgInvalidPower");
    EXPECT_EQ(MessageText(Language::English, MessageId::MsgInvalidPower),
              "Please input valid power!");
    EXPECT_EQ(MessageText(Language::German, MessageId::MsgFileNotSaved),
              "Datei wurde NICHT gespeichert!");
}

TEST(LanguageTables, NamesAndMenuItemsOfTheLanguages) {
    const struct {
        Language language;
        const char* name;
        const char* menuItem;
    } cases[] = {{Language::German, "Deutsch", "MIGerman"},
                 {Language::English, "English", "MIEnglish"},
                 {Language::French, "French", "MIFrench"},
                 {Language::Swedish, "Swedish", "MISwedish"}};
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageName(c.language), c.name);
        EXPECT_EQ(LanguageMenuItem(c.language), c.menuItem);
        EXPECT_EQ(LanguageFromName(c.name), c.language);
    }
    EXPECT_EQ(LanguageFromName("english"), std::nullopt);
    EXPECT_EQ(LanguageFromName(""), std::nullopt);
}

} // namespace
} // namespace radexa
