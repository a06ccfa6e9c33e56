#include "core/app/stationfile.h"
#include "core/support/cp1252.h"

#include "test_files.h"
#include "test_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace radexa {
namespace {

StationRecord startUpWithAntenna() {
    StationRecord r;
    r.band = "2m";
    r.antennaName = "X-50";
    r.manufacturer = "Diamond";
    r.height = "12";
    r.power = "100";
    r.mode = "SSB";
    r.dutyCycle = "TX3 RX3";
    r.factorTable = "FCC";
    r.cable = "RG213";
    r.cableLength = "10";
    r.otherAttenuations = "0";
    return r;
}

const std::string kStartUpFile = "Band/Frequenz...........>2m\r\n"
                                 "Antenne.................>X-50;Diamond\r\n"
                                 "H\xF6he [m]................>12\r\n"
                                 "Leistung [W]............>100\r\n"
                                 "Betriebsart.............>SSB\r\n"
                                 "TXRX-Intervall..........>TX3 RX3\r\n"
                                 "FCC/BNetzA..............>FCC\r\n"
                                 "KabelTyp................>RG213\r\n"
                                 "Kabell\xE4nge.[m]..........>10\r\n"
                                 "sonst. D\xE4mpfungen.[dB]..>0\r\n";

TEST(StationFile, WritesTenLabelledLinesWithCrLf) {
    EXPECT_EQ(BuildStationFile(startUpWithAntenna()), kStartUpFile);
    for (int n = 1; n <= kStationLineCount; ++n)
        EXPECT_EQ(StationLineLabel(static_cast<StationLine>(n)).size(), kStationLabelLength);
}

TEST(StationFile, FixedFrequencyLineHoldsFAndTheFieldText) {
    StationRecord r = startUpWithAntenna();
    r.fixedFrequencyMode = true;
    r.band = "2m"; // a band name left over is not written in fixed-frequency mode
    r.frequencyText = "  3,50";
    const std::string file = BuildStationFile(r);
    EXPECT_EQ(file.substr(0, file.find("\r\n")), "Band/Frequenz...........>F  3,50");

    ScopedNumberSettings comma(commaSettings());
    const auto reading = ParseStationFile(file);
    EXPECT_TRUE(reading.problems.empty());
    EXPECT_TRUE(reading.record.fixedFrequencyMode);
    EXPECT_DOUBLE_EQ(reading.fixedFrequency, 3.5);
    EXPECT_EQ(reading.record.frequencyText, "  3,50");
    EXPECT_EQ(reading.record.band, "");
}

TEST(StationFile, SavedStationsComeBackUnchanged) {
    ScopedNumberSettings comma(commaSettings());
    StationRecord fixed = startUpWithAntenna();
    fixed.fixedFrequencyMode = true;
    fixed.band.clear();
    fixed.frequencyText = "145,00";
    StationRecord odd = startUpWithAntenna();
    odd.antennaName = "Beam 5 el. \xE4\xF6";
    odd.manufacturer = "";
    odd.mode = "Alle";
    odd.factorTable = "BNetzA (Germany)";
    odd.power = "1,5";
    odd.cableLength = "";
    for (const auto& r : {startUpWithAntenna(), fixed, odd}) {
        const auto reading = ParseStationFile(BuildStationFile(r));
        EXPECT_TRUE(reading.problems.empty());
        EXPECT_TRUE(reading.record == r) << BuildStationFile(r);
        for (int n = 1; n <= kStationLineCount; ++n)
            EXPECT_TRUE(reading.restored(static_cast<StationLine>(n))) << n;
    }
}

TEST(StationFile, ReadsWhatItCanAndNamesTheLinesItCannot) {
    ScopedNumberSettings comma(commaSettings());
    const std::string rest = kStartUpFile.substr(kStartUpFile.find("H\xF6he"));
    const std::string antenna = "Antenne.................>X-50;Diamond\r\n";
    const struct {
        const char* name;
        std::string bytes;
        std::vector<StationFileProblem> problems;
    } cases[] = {
        {"empty band",
         "Band/Frequenz...........>\r\n" + antenna + rest,
         {{StationLine::BandOrFrequency, StationProblemKind::Empty}}},
        {"frequency not a number",
         "Band/Frequenz...........>Fabc\r\n" + antenna + rest,
         {{StationLine::BandOrFrequency, StationProblemKind::NotANumber}}},
        {"F without frequency",
         "Band/Frequenz...........>F\r\n" + antenna + rest,
         {{StationLine::BandOrFrequency, StationProblemKind::NotANumber}}},
        {"no separator",
         "Band/Frequenz...........>2m\r\nAntenne.................>X-50\r\n" + rest,
         {{StationLine::Antenna, StationProblemKind::NoSeparator}}},
        {"no antenna",
         "Band/Frequenz...........>2m\r\nAntenne.................>\r\n" + rest,
         {{StationLine::Antenna, StationProblemKind::Empty}}},
        {"short file",
         kStartUpFile.substr(0, kStartUpFile.find("Leistung")),
         {{StationLine::Power, StationProblemKind::Missing},
          {StationLine::Mode, StationProblemKind::Missing},
          {StationLine::DutyCycle, StationProblemKind::Missing},
          {StationLine::FactorTable, StationProblemKind::Missing},
          {StationLine::Cable, StationProblemKind::Missing},
          {StationLine::CableLength, StationProblemKind::Missing},
          {StationLine::OtherAttenuations, StationProblemKind::Missing}}},
    };
    for (const auto& c : cases) {
        const auto reading = ParseStationFile(c.bytes);
        ASSERT_EQ(reading.problems.size(), c.problems.size()) << c.name;
        for (std::size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(reading.problems[i].line, c.problems[i].line) << c.name;
            EXPECT_EQ(reading.problems[i].kind, c.problems[i].kind) << c.name;
            EXPECT_FALSE(reading.restored(c.problems[i].line)) << c.name;
        }
        // What is there is restored all the same.
        EXPECT_EQ(reading.record.height, "12") << c.name;
        EXPECT_FALSE(reading.record.fixedFrequencyMode) << c.name;
        if (reading.restored(StationLine::Antenna)) {
            EXPECT_EQ(reading.record.antennaName + ";" + reading.record.manufacturer,
                      "X-50;Diamond");
        } else {
            EXPECT_EQ(reading.record.antennaName, "") << c.name;
        }
    }
}

TEST(StationFile, ToleratesOtherLineEndsShortLinesAndExtraLines) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"line feeds only", "Band/Frequenz...........>6m\nAntenne.................>A;B\n"},
        {"no final line end", "Band/Frequenz...........>6m\r\nAntenne.................>A;B"},
        {"more pieces", "Band/Frequenz...........>6m\r\nAntenne.................>A;B;C\r\n"},
    };
    for (const auto& c : cases) {
        const auto reading = ParseStationFile(c.bytes);
        EXPECT_EQ(reading.record.band, "6m") << c.name;
        EXPECT_EQ(reading.record.antennaName, "A") << c.name;
        EXPECT_EQ(reading.record.manufacturer, "B") << c.name;
        EXPECT_EQ(reading.problems.size(), 8u) << c.name;
    }
    // Labels are not examined: a short line gives an empty value; lines after ten are ignored.
    const auto shortLines =
        ParseStationFile(kStartUpFile.substr(0, kStartUpFile.find("H\xF6he")) +
                         "H\xF6he\r\nLeistung [W]............>  50 \r\n"
                         "Betriebsart.............>  Alle \r\n" +
                         kStartUpFile.substr(kStartUpFile.find("TXRX")) + "extra line\r\n");
    EXPECT_TRUE(shortLines.problems.empty());
    EXPECT_EQ(shortLines.record.height, "");
    EXPECT_EQ(shortLines.record.power, "  50 ");
    EXPECT_EQ(shortLines.record.mode, "Alle");
    EXPECT_EQ(shortLines.record.otherAttenuations, "0");
}

TEST(StationFile, EveryTruncationIsReadWithoutFailing) {
    for (std::size_t cut = 0; cut <= kStartUpFile.size(); ++cut) {
        const auto reading = ParseStationFile(kStartUpFile.substr(0, cut));
        int restored = 0;
        for (int n = 1; n <= kStationLineCount; ++n)
            restored += reading.restored(static_cast<StationLine>(n));
        EXPECT_EQ(restored + static_cast<int>(reading.problems.size()), kStationLineCount) << cut;
    }
    const std::string binary("\0\xFF\r\r\n;F\n\n\n\x80", 11);
    const auto reading = ParseStationFile(binary);
    EXPECT_FALSE(reading.restored(StationLine::OtherAttenuations));
}

TEST(StationFile, LineBreaksInValuesCannotShiftTheLines) {
    StationRecord r = startUpWithAntenna();
    r.power = "100\r\n";
    r.antennaName = "A\nB";
    const auto reading = ParseStationFile(BuildStationFile(r));
    EXPECT_TRUE(reading.problems.empty());
    EXPECT_EQ(reading.lines.size(), 10u);
    EXPECT_EQ(reading.record.power, "100");
    EXPECT_EQ(reading.record.antennaName, "AB");
}

TEST(StationFile, WarningNamesEachLineOnce) {
    const auto reading = ParseStationFile(kStartUpFile.substr(0, kStartUpFile.find("Kabell")));
    StationFileReading withAntenna = reading;
    withAntenna.addProblem(StationLine::Antenna, StationProblemKind::UnknownAntenna);
    withAntenna.addProblem(StationLine::Antenna, StationProblemKind::UnknownAntenna);
    EXPECT_FALSE(withAntenna.restored(StationLine::Antenna));
    EXPECT_EQ(StationProblemsWarning("Not restored:", "/x/MYCALL.txt", withAntenna),
              "Not restored:\r\n/x/MYCALL.txt\r\n"
              "9: Kabell\xE4nge.[m]..........>\r\n"
              "10: sonst. D\xE4mpfungen.[dB]..>\r\n"
              "2: Antenne.................>X-50;Diamond");
}

TEST(StationFile, AFileSavedAsUtf8IsTheSameStation) {
    StationRecord r = startUpWithAntenna();
    r.manufacturer = "M\xFCller";
    r.antennaName = "Y\xE4gi \x80";
    const std::string cp1252 = BuildStationFile(r);
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    ASSERT_NE(utf8.find("H\xC3\xB6he"), std::string::npos); // 26-byte label
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, cp1252}) {
        const auto reading = ParseStationFile(bytes);
        EXPECT_TRUE(reading.problems.empty());
        EXPECT_EQ(reading.record, r);
        EXPECT_EQ(reading.lines[2], "H\xF6he [m]................>12");
    }
    // A byte-order mark before plain ASCII is no part of the first label either.
    EXPECT_EQ(ParseStationFile("\xEF\xBB\xBF" + kStartUpFile.substr(0, 27)).record.band, "2m");
}

// UTF-16 with its byte-order mark, as Windows editors save "Unicode".
std::string Utf16(const std::string& cp1252, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : cp1252) {
        const char32_t u = Cp1252CodePoint(static_cast<unsigned char>(c));
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
    }
    return out;
}

TEST(StationFile, AFileSavedAsUtf16IsTheSameStation) {
    StationRecord r = startUpWithAntenna();
    r.manufacturer = "M\xFCller";
    r.antennaName = "Y\xE4gi \x80"; // the euro sign is U+20AC
    const std::string cp1252 = BuildStationFile(r);
    for (const bool littleEndian : {true, false}) {
        const auto reading = ParseStationFile(Utf16(cp1252, littleEndian));
        EXPECT_TRUE(reading.problems.empty()) << littleEndian;
        EXPECT_EQ(reading.record, r) << littleEndian;
    }
    // A surrogate pair is one character beyond Windows-1252; a lone one is no character.
    std::string pair = Utf16(kStartUpFile, true);
    pair.insert(2 + 2 * 25, std::string("\x3D\xD8\x00\xDE\x00\xD8", 6));
    EXPECT_EQ(ParseStationFile(pair).record.band, "??2m");
}

class StationFileReading : public TempFolderTest {};

TEST_F(StationFileReading, BytesThatAreNoStationFileAreRefusedNamingTheFileAndWhy) {
    const struct {
        const char* name;
        std::string bytes;
        const char* why;
    } refused[] = {
        {"empty.txt", "", "empty"},
        {"blank.txt", "\r\n\r\n", "label"},
        {"zeros.txt", kStartUpFile.substr(0, 60) + std::string(3, '\0') + kStartUpFile, "binary"},
        {"picture.png", "\x89PNG\r\n\x1A\n\x01\x02IHDR\r\n", "label"},
        {"notes.txt", "Shopping:\r\nmilk\r\n", "label"},
        {"utf16.txt", "\xFF\xFE" + std::string("A\0\r\0\n\0", 6), "label"},
    };
    for (const auto& c : refused) {
        const std::string file = put(c.name, c.bytes);
        const FileReadResult read = ReadStationFile(file);
        EXPECT_FALSE(read.ok()) << c.name;
        EXPECT_TRUE(read.bytes.empty()) << c.name;
        EXPECT_EQ(read.error.find("\"" + file + "\" is not a station file: "), 0u) << read.error;
        EXPECT_NE(read.error.find(c.why), std::string::npos) << read.error;
    }
    // One label is enough; the others are not examined. UTF-8 and UTF-16 files are read.
    std::string oneLabel = kStartUpFile;
    for (const char* label : {"Band/Frequenz", "Antenne.", "Leistung", "Betriebsart", "TXRX",
                              "FCC/", "KabelTyp", "Kabell", "sonst"})
        oneLabel.replace(oneLabel.find(label), 3, "???");
    for (const std::string& bytes :
         {oneLabel, Cp1252ToUtf8(kStartUpFile), Utf16(kStartUpFile, false),
          std::string("Band/Frequenz...........>2m")}) {
        const FileReadResult read = ReadStationFile(put("ok.txt", bytes));
        EXPECT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.bytes, bytes);
    }
}

TEST(StationFile, OnlyTheFirstLinesAreKeptAndEchoedLinesAreBounded) {
    // Ten million line ends: the reading keeps the ten lines and the few where optional
    // lines may stand, not millions.
    const auto blank = ParseStationFile(std::string(10'000'000, '\n'));
    EXPECT_EQ(blank.lines.size(), kStationLinesRead);
    EXPECT_FALSE(blank.restored(StationLine::BandOrFrequency));

    const std::string longValue = "\x1b[2J" + std::string(5'000'000, 'x');
    const auto reading = ParseStationFile("Band/Frequenz...........>F" + longValue + "\r\n" +
                                          kStartUpFile.substr(29));
    ASSERT_FALSE(reading.restored(StationLine::BandOrFrequency));
    const std::string warning = StationProblemsWarning("Not restored:", "MYCALL.txt", reading);
    EXPECT_LT(warning.size(), 400u);
    EXPECT_EQ(warning.back(), '\x85');
    EXPECT_NE(warning.find("1: Band/Frequenz...........>F?[2Jxxx"), std::string::npos) << warning;
}

TEST(StationFile, ProposedNames) {
    ScopedNumberSettings comma(commaSettings());
    EXPECT_EQ(ProposedStationFileName(false, 145), "MYCALL.txt");
    EXPECT_EQ(ProposedStationFileName(true, 145), "MYCALL145MHz.txt");
    EXPECT_EQ(ProposedStationFileName(true, 432.2), "MYCALL432MHz.txt");
    const struct {
        const char* profile;
        const char* fallback;
        const char* expected;
    } exports[] = {{"/home/op", "/home/op/Desktop", "/home/op/DeskTop/MC Export.txt"},
                   {"", "/home/op/Desktop", "/home/op/Desktop/MC Export.txt"},
                   {"", "/home/op/", "/home/op/MC Export.txt"},
                   {"", "", "MC Export.txt"}};
    for (const auto& e : exports)
        EXPECT_EQ(ProposedExportFileName(e.profile, e.fallback), e.expected);
}

TEST(AngleTableExport, FileAndClipboardForms) {
    const std::vector<StringArray> table = {{"Winkel", "D\xE4mpfung", "EIRP", "Abstand"},
                                            {"0", "0,00", "12345,6789012", "3,10"}};
    EXPECT_EQ(GridFileText(table), "   Winkel ; D\xE4mpfung ;     EIRP ;  Abstand ;\r\n"
                                   "        0 ;     0,00 ;12345,6789012 ;     3,10 ;\r\n");
    EXPECT_EQ(GridClipboardText({{"a", "b"}, {"c", "d"}}), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(GridFileText({{"Hallo"}}), "    Hallo ;\r\n");
    EXPECT_EQ(GridFileText({}), "");
    EXPECT_EQ(GridClipboardText({}), "");
}

} // namespace
} // namespace radexa
