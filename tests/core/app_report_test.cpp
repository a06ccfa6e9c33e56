// The compliance report's content: the station's values exactly as the window shows them,
// in the window's languages, the same station on every band, the per-angle table and the
// pictures only with angle data, a refused station said instead of numbers, and the file
// names proposed for the report.

#include "core/app/report.h"

#include "core/app/stationpictures.h"
#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"
#include "test_files.h"
#include "test_numbers.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

// A yagi for 2m and 70cm with angle data, and a dipole for 20m without.
constexpr const char* kCatalogue = "[Maker]\r\n"
                                   "Beam,Yagi,144,7.456,4,432,11,9,#\r\n"
                                   "Wire,Dipole,14.0,2.15,1,#\r\n";
constexpr const char* kBeamAngles = "[Polarisation],vh\r\n[Bereich],90\r\n[Schrittweite],30\r\n"
                                    "[MHz],v,0,0\r\n0,3,10,20\r\n[MHz],h,0,0\r\n0,1,2,3\r\n";

ReportRequest request(Language language) {
    ReportRequest r;
    r.language = language;
    r.call = "DL/G4ABC/P";
    r.place = "M\xFCnchen";
    r.time = {2025, 5, 24, 14, 3};
    return r;
}

const ReportSection* sectionNamed(const StationReport& report, std::string_view heading) {
    for (const ReportSection& s : report.sections)
        if (s.heading == heading)
            return &s;
    return nullptr;
}

// The value of the line with the label, or "(none)".
std::string valueOf(const std::vector<ReportLine>& lines, std::string_view label) {
    for (const ReportLine& l : lines)
        if (l.label == label)
            return l.value;
    return "(none)";
}

class ReportTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        put("Antennas.txt", kCatalogue);
        std::filesystem::create_directories(m_dir / "ang");
        put("ang/Maker Beam.ang", kBeamAngles);
        StationPaths paths;
        paths.catalogueFile = path("Antennas.txt");
        paths.userAntennaFile = path("AntUser.txt");
        paths.angleFolders = {path("ang") + "/"};
        ASSERT_TRUE(model.loadCatalogue(paths).ok());
    }
    void take(int row) {
        model.highlightManufacturer("Maker");
        model.highlightAntenna(row);
        ASSERT_TRUE(model.takeAntenna().ok());
    }

    ScopedNumberSettings numbers{commaSettings()};
    StationModel model;
};

TEST_F(ReportTest, StationAndResultsAsTheWindowShowsThem) {
    take(0); // the beam on 2m
    ASSERT_TRUE(model.anglePageShown());
    const StationReport report = BuildStationReport(model, request(Language::English));
    EXPECT_EQ(report.title, "RF exposure evaluation: safety distances for persons");
    EXPECT_EQ(report.footer,
              std::string("Radexa ") + RADEXA_VERSION + " \x96 DL/G4ABC/P \x96 2025-05-24 14:03");
    const struct {
        const char* label;
        std::string value;
    } header[] = {
        {"Call sign", "DL/G4ABC/P"},
        {"Place", "M\xFCnchen"},
        {"Date and time", "2025-05-24 14:03"},
        {"Program", std::string("Radexa ") + RADEXA_VERSION},
        {"Limit set", LimitSetName(LimitSet::Icnirp1998)},
        {"Persons", "General public"},
        {"Ground reflection (field factor)", "none"},
    };
    for (const auto& h : header)
        EXPECT_EQ(valueOf(report.header, h.label), h.value) << h.label;

    const ReportSection* station = sectionNamed(report, "Station");
    ASSERT_TRUE(station);
    const CalcTexts out = model.outputTexts();
    const struct {
        const char* label;
        std::string value;
    } lines[] = {
        {"Ham-Band", "2m"},
        {"Freq. [MHz]", "144,00 - 146,00"},
        {"Manufacturer", "Maker"},
        {"Antenna", "Beam"},
        {"Point used (Freq. Gain # Ele.)", "144,00 7,456 4"},
        {"Antenna Gain (dBi)", "7,46"},
        {"Power [W]", "100"},
        {"Mode", "SSB"},
        {"Intermittend Operation", "TX3 RX3"},
        {"Factor table", "FCC"},
        {"Resulting Factor", "0,25"},
        {"Cable", "RG213"},
        {"Cable Length [m]", "10,00"},
        {"Combined Attenuation between TX Output and Antenna Input [dB]", "0,77"},
        {"Antenna polarisation", "vertical"},
        {"Antenna Height [m]", "12"},
    };
    for (const auto& l : lines)
        EXPECT_EQ(valueOf(station->lines, l.label), l.value) << l.label;

    const ReportSection* results = sectionNamed(report, "Results");
    ASSERT_TRUE(results);
    EXPECT_EQ(valueOf(results->lines, "E-Field Limit [V/m]"), out.EditEps);
    EXPECT_EQ(valueOf(results->lines, "Ant. Input Power [W]"), out.EditAntIn);
    EXPECT_EQ(valueOf(results->lines, "EIRP [W]"), out.EditEIRP);
    EXPECT_EQ(valueOf(results->lines, "Safty Distance [m]"), out.EditrPS);
    EXPECT_EQ(valueOf(results->lines, "Nearfield Conds [m]"), out.EditrNahfeld);
    EXPECT_EQ(valueOf(results->lines, "Averaged EIRP [W]"),
              FormatReal("%3.2f", model.last().result.MeanEIRP));
    EXPECT_FALSE(report.refused);

    const ReportSection* checks = sectionNamed(report, "Checks (* binding)");
    ASSERT_TRUE(checks);
    ASSERT_EQ(checks->table.rows.size(), 1u);
    EXPECT_EQ(checks->table.header.back(), "Distance [m]");
    EXPECT_EQ(checks->table.rows[0][5], out.EditrPS);
}

TEST_F(ReportTest, LabelsAndWordsInEachLanguageNumbersAlwaysWithTheComma) {
    take(0);
    ScopedNumberSettings point(pointSettings());
    const struct {
        Language language;
        const char* resultsHeading;
        const char* powerLabel;
        const char* polarisationLabel;
        const char* polarisation;
        const char* page;
    } cases[] = {
        {Language::German, "Ergebnisse", "Leistung [W]", "Antennenpolarisation", "vertikal",
         "Seite %1 von %2"},
        {Language::English, "Results", "Power [W]", "Antenna polarisation", "vertical",
         "Page %1 of %2"},
        {Language::French, "R\xE9sultats", "Power [W]", "antenne polarisation", "verticale",
         "Page %1 sur %2"},
        {Language::Swedish, "Resultat", "Uteffekt", "Antennpolarisation", "vertikal",
         "Sida %1 av %2"},
    };
    for (const auto& c : cases) {
        const StationReport report = BuildStationReport(model, request(c.language));
        const ReportSection* station = sectionNamed(report, "Station");
        const ReportSection* results = sectionNamed(report, c.resultsHeading);
        ASSERT_TRUE(station && results) << c.resultsHeading;
        EXPECT_EQ(valueOf(station->lines, c.powerLabel), "100");
        EXPECT_EQ(valueOf(station->lines, c.polarisationLabel), c.polarisation);
        EXPECT_EQ(report.pageText, c.page);
        EXPECT_EQ(results->lines.front().value, "27,50") << "as the window shows it";
    }
    const StationReport german = BuildStationReport(model, request(Language::German));
    EXPECT_EQ(valueOf(german.sections[0].lines, "Afu-Band"), "2m");
    EXPECT_EQ(valueOf(german.sections[1].lines, "Sicherheitsabstand [m]"),
              BuildStationReport(model, request(Language::English)).sections[1].lines[4].value);
    EXPECT_EQ(german.signature, (StringArray{"Ort, Datum", "Unterschrift"}));
    EXPECT_EQ(CurrentNumberSettings(), pointSettings()) << "the settings in force are put back";
}

// The fields' numbers as typed, but with the decimal comma of every other number of the
// report, whichever separator was typed (the command line types points).
TEST_F(ReportTest, TypedNumbersWithTheReportsDecimalComma) {
    take(0);
    ASSERT_FALSE(model.setPowerText("12.5").refused);
    ASSERT_FALSE(model.setCableLengthText("2.5").refused);
    ASSERT_FALSE(model.setPlugAttText("0,3").refused);
    model.setHeightText("7.25");
    ASSERT_FALSE(model.setExemptionDistanceText("0.75").refused);
    ASSERT_FALSE(model.calculate().refused);
    const StationReport report = BuildStationReport(model, request(Language::German));
    const ReportSection* station = sectionNamed(report, "Station");
    ASSERT_TRUE(station);
    const struct {
        const char* label;
        const char* value;
    } lines[] = {{"Leistung [W]", "12,5"},
                 {"Kabell\xE4nge [m]", "2,50"},
                 {"Andere D\xE4mpfungen [dB]", "0,30"},
                 {"Antennenh\xF6he [m]", "7,25"}};
    for (const auto& l : lines)
        EXPECT_EQ(valueOf(station->lines, l.label), l.value) << l.label;
    const ReportSection* exemption = sectionNamed(report, "FCC-Freistellung");
    ASSERT_TRUE(exemption);
    ASSERT_EQ(exemption->lines.size(), 1u);
    EXPECT_EQ(exemption->lines[0].value, "0,75");
    model.setHeightText("high");
    EXPECT_EQ(
        valueOf(
            sectionNamed(BuildStationReport(model, request(Language::German)), "Station")->lines,
            "Antennenh\xF6he [m]"),
        "high")
        << "no number: as typed";
}

TEST_F(ReportTest, EveryBandTheTakenAntennaHasAPointForWithThatPointsGain) {
    take(0);
    // Browsing another antenna takes nothing: the bands are the taken antenna's.
    model.highlightManufacturer("Maker");
    model.highlightAntenna(1);
    const StationReport report = BuildStationReport(model, request(Language::English));
    const ReportSection* bands = sectionNamed(report, "Every band");
    ASSERT_TRUE(bands);
    ASSERT_EQ(bands->table.rows.size(), 2u);
    EXPECT_EQ(bands->table.header.size(), 10u);
    EXPECT_EQ(bands->table.rows[0][0], "2m");
    EXPECT_EQ(bands->table.rows[0][2], "7,46");
    EXPECT_EQ(bands->table.rows[0][8], model.outputTexts().EditrPS);
    EXPECT_EQ(bands->table.rows[1][0], "70cm");
    EXPECT_EQ(bands->table.rows[1][1], "430,00 - 440,00");
    EXPECT_EQ(bands->table.rows[1][2], "11,00");
    EXPECT_EQ(bands->table.marked, 0) << "the station's own band";
    for (const StationModel& band : BandStations(model))
        EXPECT_EQ(band.taken()->name, "Beam");
}

TEST_F(ReportTest, WithoutAnAntennaEveryBandWithTheTypedGainAndNoPictures) {
    model.setTypedGain(2.15);
    model.chooseBand(6); // 20m
    const StationReport report = BuildStationReport(model, request(Language::English));
    EXPECT_EQ(valueOf(report.sections[0].lines, "Antenna"), "none (typed gain)");
    const ReportSection* bands = sectionNamed(report, "Every band");
    ASSERT_TRUE(bands);
    ASSERT_EQ(bands->table.rows.size(), static_cast<std::size_t>(kBandCount));
    for (const StringArray& row : bands->table.rows)
        EXPECT_EQ(row[2], "2,15") << row[0];
    EXPECT_EQ(bands->table.rows[static_cast<std::size_t>(bands->table.marked)][0], "20m");
    EXPECT_FALSE(sectionNamed(report, "Per-angle table"));
    EXPECT_FALSE(report.sideView || report.diagram);
    for (const ReportSection& s : report.sections)
        EXPECT_FALSE(s.picture || s.newPage) << s.heading;
}

TEST_F(ReportTest, AngleTableAndPicturesWithAngleData) {
    take(0);
    const StationReport report = BuildStationReport(model, request(Language::English));
    const ReportSection* angles = sectionNamed(report, "Per-angle table");
    ASSERT_TRUE(angles);
    EXPECT_EQ(angles->table.header,
              (StringArray{"Angle [\xB0]", "Attenuation [dB]", "EIRP [W]", "Distance [m]"}));
    const std::vector<StringArray> shown = model.angleTable();
    ASSERT_EQ(angles->table.rows.size() + 1, shown.size());
    EXPECT_EQ(angles->table.rows[1][0], "30");
    EXPECT_EQ(angles->table.rows[1][3], shown[2][3].substr(shown[2][3].find_first_not_of(' ')));

    const ReportSection* side = sectionNamed(report, "Antenna Side View");
    const ReportSection* diagram = sectionNamed(report, "Diagram");
    ASSERT_TRUE(side && diagram);
    EXPECT_EQ(side->picture, ReportPicture::SideView);
    EXPECT_TRUE(side->newPage);
    EXPECT_EQ(diagram->picture, ReportPicture::Diagram);
    ASSERT_TRUE(report.sideView && report.diagram);
    EXPECT_EQ(report.sideView->distances, model.last().pattern.PatternDistances);
    EXPECT_DOUBLE_EQ(report.sideView->antennaHeight, 12);
    EXPECT_EQ(report.diagram->attenuations, model.last().pattern.PatternAttenuations);
}

// Beside the pictures, the report's own words in its language: the readouts under the
// language's labels, the caption after the translated heading without the window's name.
TEST_F(ReportTest, ThePictureSectionsInTheReportsLanguage) {
    take(0);
    const struct {
        Language language;
        const char* side;
        const char* diagram;
        const char* reach;
        const char* clearance;
    } cases[] = {
        {Language::English, "Antenna Side View", "Diagram", "Reach [m]", "ground clearance [m]"},
        {Language::German, "Seitenansicht", "Diagramm", "Reichweite [m]", "Bodenfreiheit [m]"},
        {Language::French, nullptr, nullptr,
         "Port\xE9"
         "e [m]",
         "Garde au sol [m]"},
        {Language::Swedish, nullptr, nullptr,
         "R\xE4"
         "ckvidd [m]",
         "Markfrig\xE5ng [m]"},
    };
    const SideViewTexts readouts =
        SideViewReadouts(ComputeSideView(*StationSideView(model), 1.0, false), 1.0);
    for (const auto& c : cases) {
        SCOPED_TRACE(LanguageName(c.language));
        const StationReport report = BuildStationReport(model, request(c.language));
        ASSERT_GE(report.sections.size(), 2u);
        const ReportSection& side = report.sections[report.sections.size() - 2];
        const ReportSection& diagram = report.sections.back();
        if (c.side) {
            EXPECT_EQ(side.heading, c.side);
            EXPECT_EQ(diagram.heading, c.diagram);
        }
        EXPECT_EQ(valueOf(side.lines, c.reach), readouts.reach);
        EXPECT_EQ(valueOf(side.lines, c.clearance), readouts.clearance);
        ASSERT_EQ(side.paragraphs.size(), 1u);
        EXPECT_EQ(side.paragraphs[0], "Maker Beam 100 W 7,46 dBi 2m-Band");
        ASSERT_EQ(diagram.paragraphs.size(), 1u);
        EXPECT_EQ(diagram.paragraphs[0], "Maker Beam 7,46 dBi 2m-Band");
    }
}

TEST_F(ReportTest, APictureThatCannotBeDrawnIsNamedWithTheReason) {
    take(0);
    model.setHeightText("high");
    EXPECT_FALSE(StationSideView(model));
    const StationReport report = BuildStationReport(model, request(Language::German));
    const ReportSection* side = sectionNamed(report, "Seitenansicht");
    ASSERT_TRUE(side);
    EXPECT_FALSE(side->picture);
    ASSERT_EQ(side->paragraphs.size(), 1u);
    EXPECT_EQ(side->paragraphs[0], "Nicht gezeichnet: Antenna height must be a real number!");
    EXPECT_FALSE(report.sideView);
    EXPECT_TRUE(report.diagram);
}

TEST_F(ReportTest, ARefusedStationSaysSoInsteadOfNumbers) {
    model.chooseLimitSet(LimitSet::Fcc);
    model.chooseBand(1); // LW lies below the FCC table
    ASSERT_FALSE(model.last().result.ok());
    const StationReport report = BuildStationReport(model, request(Language::English));
    EXPECT_TRUE(report.refused);
    const ReportSection* results = sectionNamed(report, "Results");
    ASSERT_TRUE(results);
    EXPECT_TRUE(results->lines.empty());
    ASSERT_EQ(results->paragraphs.size(), 1u);
    EXPECT_EQ(results->paragraphs[0], "The station cannot be computed as it stands: FCC \xA7"
                                      "1.1310 gives "
                                      "no reference level outside 0,3 - 100000 MHz!");
    EXPECT_FALSE(sectionNamed(report, "Checks (* binding)"));
    // The other bands still compute; LW itself shows dashes.
    const ReportSection* bands = sectionNamed(report, "Every band");
    ASSERT_TRUE(bands);
    EXPECT_EQ(bands->table.rows[0][8], "---");
    EXPECT_NE(bands->table.rows[1][8], "---");
}

TEST_F(ReportTest, TheExemptionWhenADistanceIsGiven) {
    model.chooseLimitSet(LimitSet::Fcc);
    EXPECT_FALSE(
        sectionNamed(BuildStationReport(model, request(Language::English)), "FCC exemption"));
    ASSERT_TRUE(model.setExemptionDistanceText("10").ok());
    const StationReport report = BuildStationReport(model, request(Language::English));
    const ReportSection* exemption = sectionNamed(report, "FCC exemption");
    ASSERT_TRUE(exemption);
    EXPECT_EQ(valueOf(exemption->lines, "Distance to people [m] (FCC exemption)"), "10");
    ASSERT_EQ(exemption->paragraphs.size(), 1u);
    EXPECT_EQ(exemption->paragraphs[0].rfind("Exempt from evaluation: ERP ", 0), 0u);
    EXPECT_EQ(valueOf(report.header, "Limit set"), LimitSetName(LimitSet::Fcc));
    EXPECT_TRUE(
        sectionNamed(BuildStationReport(model, request(Language::German)), "FCC-Freistellung"));
}

// What the operator typed stands as typed, on one line: a control character is no glyph
// the page could show, so it becomes a blank (the JSON twin keeps it).
TEST_F(ReportTest, TheCallAndThePlaceOnOneLineWithoutControlCharacters) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"<b>x</b> &amp;", "<b>x</b> &amp;"},
        {"DL/G4ABC/P \xE4\xE9\xE5", "DL/G4ABC/P \xE4\xE9\xE5"},
        {"A\tB\r\nC\x01"
         "D\x7f"
         "E",
         "A B C D E"},
        {"F\x81G\x8DH\x8FI\x90J\x9DK", "F G H I J K"},
        {"\x1b[1mDL1ABC\x07", "[1mDL1ABC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ReportRequest r = request(Language::English);
        r.call = c.typed;
        r.place = c.typed;
        const StationReport report = BuildStationReport(model, r);
        EXPECT_EQ(valueOf(report.header, "Call sign"), c.shown);
        EXPECT_EQ(valueOf(report.header, "Place"), c.shown);
        EXPECT_EQ(report.footer, std::string("Radexa ") + RADEXA_VERSION + " \x96 " + c.shown +
                                     " \x96 2025-05-24 14:03");
    }
}

TEST(ReportFileName, CallBandAndDate) {
    ScopedNumberSettings point(pointSettings());
    const ReportTime may{2025, 5, 24, 9, 5};
    const struct {
        const char* call;
        FrequencyChoice frequency;
        const char* expected;
    } cases[] = {
        {"DL/G4ABC/P", FrequencyChoice::Band(6), "DL-G4ABC-P 20m 2025-05-24.pdf"},
        {"DL1ABC", FrequencyChoice::Fixed(145), "DL1ABC 145,00 MHz 2025-05-24.pdf"},
        {"DL1ABC", FrequencyChoice::Fixed(0.1357), "DL1ABC 0,1357 MHz 2025-05-24.pdf"},
        {"", FrequencyChoice::Band(12), "2m 2025-05-24.pdf"},
        {"  ON4  XY ", FrequencyChoice::Band(12), "ON4 XY 2m 2025-05-24.pdf"},
        {"a\\b:c*d?e\"f<g>h|i\tj", FrequencyChoice::Band(12),
         "a-b-c-d-e-f-g-h-i-j 2m 2025-05-24.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportFileName(c.call, c.frequency, may), c.expected) << c.call;
    EXPECT_EQ(ReportDateTimeText(may), "2025-05-24 09:05");
}

TEST(ReportLanguageCode, BothWays) {
    const struct {
        Language language;
        const char* code;
    } cases[] = {{Language::German, "de"},
                 {Language::English, "en"},
                 {Language::French, "fr"},
                 {Language::Swedish, "sv"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReportLanguageCode(c.language), c.code);
        EXPECT_EQ(ReportLanguageFromCode(c.code), c.language);
    }
    EXPECT_EQ(ReportLanguageFromCode("DE"), Language::German);
    for (const char* other : {"", "english", "d", "se", "de "})
        EXPECT_FALSE(ReportLanguageFromCode(other)) << other;
}

TEST(ReportFileName, TheJsonTwinBesideTheReport) {
    const struct {
        const char* pdf;
        const char* json;
    } cases[] = {
        {"/home/op/DL1ABC 2m 2025-05-24.pdf", "/home/op/DL1ABC 2m 2025-05-24.json"},
        {"report.PDF", "report.json"},
        {"report", "report.json"},
        {".pdf", ".json"},
        {"pdf", "pdf.json"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportJsonFileName(c.pdf), c.json) << c.pdf;
}

} // namespace
} // namespace radexa
