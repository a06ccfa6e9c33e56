#include "core/antennas/angledata.h"
#include "core/antennas/patternimport.h"
#include "core/support/atomicfile.h"
#include "core/support/plainnumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace radexa {
namespace {

std::string testFile(const std::string& name) {
    const FileReadResult r = ReadWholeFile(RADEXA_SOURCE_DIR "/tests/data/patterns/" + name);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.bytes;
}

// The attenuation at a file angle (degrees) of one polarisation's list.
double at(const ImportedPattern& p, const DoubleArray& values, int angle) {
    EXPECT_EQ(angle % p.step, 0);
    return values.at(static_cast<std::size_t>(angle / p.step));
}

// The angle file of the pattern, read back as the program reads it.
TWinkAnt readBack(const ImportedPattern& p) {
    return ParseAngleData("Test Import", AngleFileText(p, "Test import"),
                          p.frequency > 0 ? p.frequency : kUndefined);
}

void expectReadsBack(const ImportedPattern& p) {
    const TWinkAnt w = readBack(p);
    EXPECT_EQ(w.Range, p.range);
    EXPECT_EQ(w.Step, p.step);
    EXPECT_EQ(w.HasVertical(), p.hasVertical);
    EXPECT_EQ(w.HasHorizontal(), p.hasHorizontal);
    const std::pair<const DoubleArray*, const DoubleArray*> lists[] = {
        {&p.vertical, &w.VertAttenuations}, {&p.horizontal, &w.HorAttenuations}};
    for (const auto& [imported, read] : lists) {
        ASSERT_EQ(read->size(), imported->size());
        for (std::size_t k = 0; k < read->size(); ++k)
            EXPECT_NEAR((*read)[k], (*imported)[k], 0.005) << "index " << k;
    }
    if (p.hasVertical) {
        EXPECT_EQ(w.VertAngles.back(), p.range);
        EXPECT_NEAR(w.VertSecond, p.gainKnown ? p.maxGain : 0.0, 0.005);
    }
}

TEST(PatternImportNec, Nec2cOutputOverRealGroundGivesTheBroadsideCut) {
    const std::string text = testFile("dipole-average-ground.out");
    EXPECT_EQ(DetectPatternFormat(text), PatternFormat::Nec);
    const ImportedPattern p = ImportNecPattern(text);
    EXPECT_EQ(p.frequency, 14.2);
    EXPECT_EQ(p.ground, PatternGround::Real);
    EXPECT_DOUBLE_EQ(p.maxGain, 7.10);
    EXPECT_EQ(p.azimuth, 90); // broadside to the wire along x
    EXPECT_EQ(p.range, 180);  // upper half-space only
    EXPECT_EQ(p.step, 5);
    ASSERT_EQ(p.horizontal.size(), 37u);
    // Elevation 30 deg is theta 60, the main lobe; the zenith and both horizons.
    EXPECT_NEAR(at(p, p.horizontal, 30), 0.00, 1e-9);
    EXPECT_NEAR(at(p, p.horizontal, 150), 0.00, 1e-9);
    EXPECT_NEAR(at(p, p.horizontal, 90), 7.10 + 5.05, 1e-9);
    EXPECT_EQ(at(p, p.horizontal, 0), kNoFieldAttenuation);
    EXPECT_EQ(at(p, p.horizontal, 180), kNoFieldAttenuation);
    // Broadside the field is horizontal everywhere: no vertical field in this plane, also
    // at the zenith, where the rows of the other planes split the field otherwise.
    for (double v : p.vertical)
        EXPECT_EQ(v, kNoFieldAttenuation);
    EXPECT_NE(std::find(p.notes.begin(), p.notes.end(), std::string(kRealGroundNote)),
              p.notes.end());
    expectReadsBack(p);
    EXPECT_TRUE(HasRealGroundNote(AngleFileText(p)));
    EXPECT_TRUE(HasRealGroundNote(readBack(p)));
}

TEST(PatternImportNec, AnAzimuthOfTheOperatorChoosesAnotherPlane) {
    const std::string text = testFile("dipole-average-ground.out");
    PatternImportOptions along;
    along.azimuth = 0;
    const ImportedPattern p = ImportNecPattern(text, along);
    EXPECT_EQ(p.azimuth, 0);
    EXPECT_DOUBLE_EQ(p.maxGain, 7.10); // the catalogue gain stays the pattern's largest
    EXPECT_NEAR(at(p, p.vertical, 45), 7.10 - 0.01, 1e-9);  // theta 45, phi 0
    EXPECT_NEAR(at(p, p.vertical, 135), 7.10 - 0.01, 1e-9); // theta 45, phi 180
    EXPECT_NEAR(at(p, p.vertical, 90), 7.10 + 5.05, 1e-9);  // zenith row of phi 0
    for (double h : p.horizontal)
        EXPECT_EQ(h, kNoFieldAttenuation);

    PatternImportOptions between;
    between.azimuth = 45;
    try {
        ImportNecPattern(text, between);
        FAIL() << "no rows at 45 deg";
    } catch (const PatternImportError& e) {
        EXPECT_EQ(e.Line(), 0);
        EXPECT_NE(e.Reason().find("azimuth 45 or 225 deg"), std::string::npos) << e.what();
        EXPECT_NE(e.Reason().find("0, 90, 180, 270"), std::string::npos) << e.what();
    }
}

TEST(PatternImportNec, SeveralFrequenciesMajorMinorColumnsAndNegativeTheta) {
    const std::string text = testFile("dipole-two-frequencies.out");
    EXPECT_EQ(NecPatternFrequencies(text), (DoubleArray{14.0, 14.2}));
    try {
        ImportNecPattern(text);
        FAIL() << "two frequencies need a choice";
    } catch (const PatternImportError& e) {
        EXPECT_NE(e.Reason().find("14, 14.2 MHz"), std::string::npos) << e.what();
    }
    struct Case {
        double asked, taken;
    };
    for (const Case c : {Case{13.0, 14.0}, Case{14.15, 14.2}, Case{30.0, 14.2}}) {
        PatternImportOptions o;
        o.frequency = c.asked;
        const ImportedPattern p = ImportNecPattern(text, o);
        EXPECT_EQ(p.frequency, c.taken) << c.asked;
        EXPECT_EQ(p.ground, PatternGround::FreeSpace);
        EXPECT_EQ(p.range, 360); // free space: the whole circle
        EXPECT_EQ(p.step, 15);
        EXPECT_GT(p.maxGain, 2.0);
        EXPECT_LT(p.maxGain, 2.3);
        // The plane of the wire: the figure eight, from the field strengths (MAJOR MINOR).
        EXPECT_EQ(at(p, p.vertical, 0), kNoFieldAttenuation);   // along the wire ahead
        EXPECT_EQ(at(p, p.vertical, 180), kNoFieldAttenuation); // and behind
        EXPECT_NEAR(at(p, p.vertical, 90), 0.0, 0.01);          // nadir, broadside
        EXPECT_NEAR(at(p, p.vertical, 270), 0.0, 0.01);         // zenith
        EXPECT_NEAR(at(p, p.vertical, 45), at(p, p.vertical, 315), 0.01);
        EXPECT_NEAR(at(p, p.vertical, 45), at(p, p.vertical, 135), 0.01);
        EXPECT_EQ(p.vertical.front(), p.vertical.back()); // 360 closes the circle
        for (double h : p.horizontal)
            EXPECT_EQ(h, kNoFieldAttenuation);
        EXPECT_FALSE(HasRealGroundNote(AngleFileText(p)));
        expectReadsBack(p);
    }
}

TEST(PatternImportNec, ClassicFortranLayoutOverPerfectGround) {
    const std::string text = testFile("vertical-perfect-ground-fortran.txt");
    EXPECT_EQ(DetectPatternFormat(text), PatternFormat::Nec);
    const ImportedPattern p = ImportNecPattern(text);
    EXPECT_EQ(p.frequency, 14.2);
    EXPECT_EQ(p.ground, PatternGround::Perfect);
    EXPECT_DOUBLE_EQ(p.maxGain, 5.16);
    EXPECT_EQ(p.range, 180);
    EXPECT_EQ(p.step, 30);
    const DoubleArray expected{0.00,        5.16 - 3.96, 5.16 + 2.84, kNoFieldAttenuation,
                               5.16 + 2.84, 5.16 - 3.96, 0.00};
    ASSERT_EQ(p.vertical.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_NEAR(p.vertical[k], expected[k], 1e-9) << k;
    const std::string file = AngleFileText(p);
    EXPECT_FALSE(HasRealGroundNote(file));
    EXPECT_NE(file.find(std::string(kPerfectGroundNote) + "\r\n"), std::string::npos);
    expectReadsBack(p);
}

TEST(PatternImportEznec, PointAndCommaTablesReadAlike) {
    const std::string comma = testFile("dipole-eznec.txt");
    std::string point = comma;
    for (std::size_t k = 1; k + 1 < point.size(); ++k)
        if (point[k] == ',' && std::isdigit(static_cast<unsigned char>(point[k - 1])))
            point[k] = '.';
    for (const std::string& text : {comma, point}) {
        EXPECT_EQ(DetectPatternFormat(text), PatternFormat::Eznec);
        const ImportedPattern p = ImportPattern(text);
        EXPECT_EQ(p.format, PatternFormat::Eznec);
        EXPECT_EQ(p.frequency, 14.2);
        EXPECT_EQ(p.azimuth, 90);
        EXPECT_DOUBLE_EQ(p.maxGain, 5.23);
        EXPECT_EQ(p.range, 180);
        EXPECT_EQ(p.step, 45);
        const DoubleArray h{kNoFieldAttenuation, 0.0, 5.23 + 5.05, 0.0, kNoFieldAttenuation};
        ASSERT_EQ(p.horizontal.size(), h.size());
        for (std::size_t k = 0; k < h.size(); ++k)
            EXPECT_NEAR(p.horizontal[k], h[k], 1e-9) << k;
        for (double v : p.vertical) // -99.99 dBi is 105 dB down: no field
            EXPECT_EQ(v, kNoFieldAttenuation);
        expectReadsBack(p);
    }
}

TEST(PatternImportCsv, GainsAttenuationsAndPolarisations) {
    // Total gains: both polarisations carry them.
    const ImportedPattern gains =
        ImportPattern("angle,gain_dbi\n0,-1\n90,5\n180,-1\n\n", PatternImportOptions{14.2, {}, {}});
    EXPECT_EQ(gains.format, PatternFormat::Csv);
    EXPECT_DOUBLE_EQ(gains.maxGain, 5);
    EXPECT_EQ(gains.range, 180);
    EXPECT_EQ(gains.step, 90);
    EXPECT_EQ(gains.vertical, (DoubleArray{6, 0, 6}));
    EXPECT_EQ(gains.horizontal, gains.vertical);
    expectReadsBack(gains);

    // Attenuations with the gain given; quotes and blanks as spreadsheets write them.
    PatternImportOptions withGain{14.2, {}, 8.5};
    const ImportedPattern att = ImportCsvPattern(
        "\"Angle\", \"Attenuation_dB\"\r\n\"0\",\"3\"\r\n 60 , 0 \r\n120,1.5\r\n180,150\r\n",
        withGain);
    EXPECT_TRUE(att.gainKnown);
    EXPECT_EQ(att.maxGain, 8.5);
    EXPECT_EQ(att.step, 60);
    EXPECT_EQ(att.vertical, (DoubleArray{3, 0, 1.5, kNoFieldAttenuation}));
    expectReadsBack(att);
    const ImportedPattern noGain = ImportCsvPattern("angle,attenuation_db\n0,3\n90,0\n180,3\n");
    EXPECT_FALSE(noGain.gainKnown);
    EXPECT_EQ(noGain.frequency, 0); // valid for every band
    expectReadsBack(noGain);

    // Both polarisations over the whole circle: the catalogue gain is their sum.
    const ImportedPattern mixed = ImportPattern(testFile("mixed-free-space.csv"));
    const double total = 10 * std::log10(std::pow(10, 0.215) + std::pow(10, -0.3));
    EXPECT_NEAR(mixed.maxGain, total, 1e-9);
    EXPECT_EQ(mixed.range, 360);
    EXPECT_EQ(mixed.step, 90);
    // Elevation 90 (zenith) is file angle 270, elevation 270 (nadir) file angle 90.
    EXPECT_NEAR(at(mixed, mixed.vertical, 270), total - 2.15, 1e-9);
    EXPECT_NEAR(at(mixed, mixed.vertical, 90), total - 2.15, 1e-9);
    EXPECT_NEAR(at(mixed, mixed.vertical, 0), total + 10, 1e-9);
    EXPECT_NEAR(at(mixed, mixed.horizontal, 180), total + 3, 1e-9);
    EXPECT_EQ(mixed.horizontal.back(), mixed.horizontal.front());
    expectReadsBack(mixed);

    const ImportedPattern onlyH = ImportCsvPattern("angle,gain_dbi,polarisation\n0,1,h\n180,1,h\n");
    EXPECT_FALSE(onlyH.hasVertical);
    EXPECT_TRUE(onlyH.hasHorizontal);
    EXPECT_EQ(readBack(onlyH).Polarisation, "h");
}

TEST(PatternImport, TheGridIsTakenNotResampled) {
    // Half degrees are left out when the whole degrees form a grid; none is invented.
    std::string fine = "angle,gain_dbi\n";
    for (int k = 0; k <= 360; ++k)
        fine += PlainShortest(k * 0.5) + "," + (k == 180 ? "3" : "0") + "\n";
    const ImportedPattern p = ImportCsvPattern(fine);
    EXPECT_EQ(p.step, 1);
    EXPECT_EQ(p.vertical.size(), 181u);
    EXPECT_EQ(at(p, p.vertical, 90), 0);
    EXPECT_EQ(at(p, p.vertical, 1), 3);
}

std::string necHead(const std::string& columns = "VERTC    HORIZ") {
    return " FREQUENCY : 1.4200E+01 MHz\n"
           "\n ---------- RADIATION PATTERNS -----------\n\n"
           " ---- ANGLES -----     ----- POWER GAINS -----       ---- POLARIZATION ----\n"
           "  THETA      PHI       " +
           columns +
           "    TOTAL       AXIAL      TILT  SENSE\n"
           " DEGREES   DEGREES        DB       DB       DB       RATIO   DEGREES\n";
}

std::string necRow(const std::string& theta, const std::string& phi,
                   const std::string& gain = "2.00", const std::string& sense = "LINEAR") {
    return "  " + theta + "  " + phi + "  " + gain + " -999.99  " + gain + "  0.0000  0.00 " +
           sense + "  8.0E-01  80.00  0.0E+00  0.00\n";
}

struct Malformed {
    const char* what;
    PatternFormat format;
    std::string text;
    int line;
    const char* reason; // a part of the reason
};

TEST(PatternImport, MalformedFilesNameTheLineAndWhatWasExpected) {
    const std::string good =
        necRow("0.00", "0.00") + necRow("90.00", "0.00") + necRow("90.00", "180.00");
    const std::string ezHead = "Frequency = 14.2 MHz\nElevation Pattern  Azimuth Angle = 0.0 "
                               "deg.\n  Deg      V dB      H dB      Tot dB\n";
    const Malformed cases[] = {
        {"no pattern block", PatternFormat::Nec, " FREQUENCY : 1.4200E+01 MHz\n", 0,
         "no RADIATION PATTERNS table"},
        {"normalized only", PatternFormat::Nec,
         " FREQUENCY : 1.4200E+01 MHz\n\n ---- NORMALIZED GAIN ----\n   0.00  0.00  0.00\n", 3,
         "only a NORMALIZED GAIN table"},
        {"missing header", PatternFormat::Nec,
         " FREQUENCY : 1.4200E+01 MHz\n ---- RADIATION PATTERNS ----\n" + good, 3,
         "expected the column heads of the pattern table"},
        {"gain columns unknown", PatternFormat::Nec, necHead("GAIN1    GAIN2") + good, 6,
         "THETA PHI VERTC HORIZ TOTAL"},
        {"units line missing", PatternFormat::Nec,
         necHead().substr(0, necHead().find("\n DEGREES") + 1) + good + "\n\n\n", 7, "DEGREES"},
        {"short row", PatternFormat::Nec, necHead() + "  0.00  0.00  2.00 -999.99  2.00\n", 8,
         "short row"},
        {"too many fields", PatternFormat::Nec,
         necHead() + necRow("0.00", "0.00").substr(0, necRow("0.00", "0.00").size() - 1) + " 7\n",
         8, "too many fields"},
        {"bad number", PatternFormat::Nec, necHead() + necRow("0.00", "0.00", "2.1x"), 8,
         "the first gain \"2.1x\" is not a number"},
        {"sense word where a number belongs", PatternFormat::Nec,
         necHead() + necRow("0.00", "0.00", "2.00", "12.5"), 8, "too many fields"},
        {"theta outside the sphere", PatternFormat::Nec, necHead() + necRow("200.00", "0.00"), 8,
         "lies outside -180 ... 180"},
        {"no rows", PatternFormat::Nec, necHead() + "\n DATA CARD No: 4 EN\n", 8, "has no rows"},
        {"no frequency line", PatternFormat::Nec, necHead().substr(necHead().find('\n') + 1) + good,
         2, "without a FREQUENCY line"},
        {"frequency not a number", PatternFormat::Nec, " FREQUENCY : 1,42E+01 MHz\n" + necHead(), 1,
         "is not a positive number"},
        {"no field anywhere", PatternFormat::Nec, necHead() + necRow("0.00", "0.00", "-999.99"), 0,
         "no field in any direction"},
        {"a gap in the cut", PatternFormat::Nec,
         necHead() + necRow("0.00", "0.00") + necRow("45.00", "0.00") + necRow("90.00", "0.00") +
             necRow("90.00", "180.00"),
         0, "no sample at the elevation 135 deg"},
        {"eznec without heads", PatternFormat::Eznec, "Frequency = 14.2 MHz\nElevation Pattern\n",
         0, "no column heads"},
        {"eznec without frequency", PatternFormat::Eznec,
         ezHead.substr(ezHead.find('\n') + 1) + "0 1 1 1\n", 2, "Frequency = <number> MHz"},
        {"eznec bad frequency", PatternFormat::Eznec, "Frequency = fourteen MHz\n" + ezHead, 1,
         "Frequency = <number> MHz"},
        {"eznec azimuth pattern", PatternFormat::Eznec,
         "Frequency = 14.2 MHz\nAzimuth Pattern  Elevation angle = 10 deg.\n", 2,
         "an azimuth pattern is a horizontal cut"},
        {"eznec no elevation line", PatternFormat::Eznec,
         "Frequency = 14.2 MHz\n  Deg      V dB      H dB      Tot dB\n0 1 1 1\n", 2,
         "Elevation Pattern"},
        {"eznec short row", PatternFormat::Eznec, ezHead + "  0   1,0   2,0\n", 4, "short row"},
        {"eznec bad number", PatternFormat::Eznec, ezHead + "  0   1,0   2;0  3,0\n", 4,
         "the H dB value \"2;0\" is not a number"},
        {"eznec no rows", PatternFormat::Eznec, ezHead + "\nEnd of table\n", 5, "has no rows"},
        {"csv header", PatternFormat::Csv, "angle,gain\n0,1\n", 1,
         "expected the header angle,gain_dbi or angle,attenuation_db"},
        {"csv short row", PatternFormat::Csv, "angle,gain_dbi\n0,1\n90\n", 3, "short row"},
        {"csv too many fields", PatternFormat::Csv, "angle,gain_dbi\n0,1,v\n", 2,
         "too many fields"},
        {"csv bad angle", PatternFormat::Csv, "angle,gain_dbi\nzero,1\n", 2,
         "the angle \"zero\" is not a number"},
        {"csv decimal comma", PatternFormat::Csv, "angle;gain_dbi\n0;1,5\n", 1,
         "expected the header"},
        {"csv bad gain", PatternFormat::Csv, "angle,gain_dbi\n0,1..5\n", 2,
         "the gain_dbi \"1..5\" is not a number"},
        {"csv polarisation", PatternFormat::Csv, "angle,gain_dbi,polarisation\n0,1,x\n", 2,
         "neither v nor h"},
        {"csv no rows", PatternFormat::Csv, "angle,gain_dbi\n\n", 2, "no rows"},
        {"csv no whole degree", PatternFormat::Csv, "angle,gain_dbi\n0.5,1\n1.5,1\n", 0,
         "none of the angles of the cut is a whole degree"},
        {"csv gap", PatternFormat::Csv, "angle,gain_dbi\n0,1\n5,1\n15,1\n", 0,
         "no sample at the elevation 10 deg"},
        // One direction twice with different gains: neither may silently win.
        {"csv angle twice", PatternFormat::Csv, "angle,gain_dbi\n0,6.5\n90,1\n0,1\n180,6.5\n", 4,
         "the direction at the elevation 0 deg has another gain already on line 2"},
        {"csv angle twice in one polarisation", PatternFormat::Csv,
         "angle,gain_dbi,polarisation\n0,1,v\n0,2,h\n180,1,v\n180,2,h\n180.0,3,h\n", 6,
         "elevation 180 deg has another gain already on line 5"},
        {"nec row twice", PatternFormat::Nec,
         necHead() + necRow("0.00", "0.00") + necRow("90.00", "0.00") + necRow("90.00", "180.00") +
             necRow("90.00", "0.00", "-3.00"),
         11, "another gain already on line 9"},
        {"eznec angle twice", PatternFormat::Eznec,
         ezHead + "  0   1,0   2,0   3,0\n  90   1,0   2,0   3,0\n  0   1,0   5,0   5,0\n", 6,
         "another gain already on line 4"},
        // Gains beyond any antenna's: the catalogue and the angle file could not hold them.
        {"csv gain too large", PatternFormat::Csv, "angle,gain_dbi\n0,1e300\n180,1\n", 2,
         "the gain_dbi \"1e300\" lies above 1000 dBi"},
        {"csv attenuation too low", PatternFormat::Csv, "angle,attenuation_db\n0,-1000.5\n180,1\n",
         2, "the attenuation_db \"-1000.5\" lies below -1000 dB"},
        {"nec gain too large", PatternFormat::Nec, necHead() + necRow("0.00", "0.00", "1.0E+04"), 8,
         "the first gain \"1.0E+04\" dB lies above 1000 dBi"},
        {"eznec gain too large", PatternFormat::Eznec, ezHead + "  0   1,0   2,0   1001\n", 4,
         "the Tot dB value \"1001\" lies above 1000 dBi"},
        {"millions of lines", PatternFormat::Csv,
         "angle,gain_dbi\n" + std::string(kMaxPatternLines, '\n'), 0,
         "the file has more than 2000000 lines"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            switch (c.format) {
            case PatternFormat::Nec:
                ImportNecPattern(c.text);
                break;
            case PatternFormat::Eznec:
                ImportEznecPattern(c.text);
                break;
            case PatternFormat::Csv:
                ImportCsvPattern(c.text);
                break;
            }
            ADD_FAILURE() << "imported";
        } catch (const PatternImportError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(e.Reason().find(c.reason), std::string::npos) << e.what();
            const std::string prefix = c.line > 0 ? "line " + std::to_string(c.line) + ": " : "";
            EXPECT_EQ(e.what(), prefix + e.Reason());
        }
    }
}

TEST(PatternImport, ADirectionGivenTwiceAlikeIsOneSample) {
    // 0 and 360 are one direction; rounding to the printed decimals is no contradiction.
    const ImportedPattern p = ImportCsvPattern("angle,gain_dbi\n0,1\n90,-2\n180,1\n270,-2\n"
                                               "360,1.0\n");
    EXPECT_EQ(p.range, 360);
    EXPECT_EQ(p.vertical, (DoubleArray{0, 3, 0, 3, 0}));
    const ImportedPattern rounded =
        ImportCsvPattern("angle,gain_dbi\n0,-2.03\n90,1\n0,-2\n180,-2\n");
    EXPECT_EQ(rounded.vertical, (DoubleArray{3, 0, 3}));
    const ImportedPattern gain = ImportCsvPattern("angle,attenuation_db\n0,0\n180,3\n",
                                                  PatternImportOptions{{}, {}, 1000.0});
    EXPECT_EQ(gain.maxGain, 1000.0);
    EXPECT_THROW(ImportCsvPattern("angle,attenuation_db\n0,0\n180,3\n",
                                  PatternImportOptions{{}, {}, -1000.5}),
                 PatternImportError);
}

TEST(PatternImport, TheFrequencyOfACsvTableHasLimits) {
    const std::string table = "angle,gain_dbi\n0,1\n180,1\n";
    for (double f : {0.0, 0.1357, 299999.9})
        EXPECT_EQ(ImportCsvPattern(table, PatternImportOptions{f, {}, {}}).frequency, f);
    for (double f : {-5.0, -0.0001, 300000.0, 1e300}) {
        try {
            ImportCsvPattern(table, PatternImportOptions{f, {}, {}});
            ADD_FAILURE() << f << " MHz imported";
        } catch (const PatternImportError& e) {
            EXPECT_NE(e.Reason().find("lies outside 0 (every band) ... below 300000 MHz"),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(PatternImport, FilesAreReadWhole) {
    const ImportedPattern p =
        ImportPatternFile(RADEXA_SOURCE_DIR "/tests/data/patterns/dipole-eznec.txt");
    EXPECT_EQ(p.format, PatternFormat::Eznec);
    try {
        ImportPatternFile(RADEXA_SOURCE_DIR "/tests/data/patterns/missing.out");
        FAIL() << "a missing file imported";
    } catch (const PatternImportError& e) {
        EXPECT_EQ(e.Line(), 0);
        EXPECT_NE(e.Reason().find("missing.out"), std::string::npos) << e.what();
    }
}

TEST(PatternImport, UnknownFormatsAreRefused) {
    for (const char* text : {"", "hello\nworld\n", "[Polarisation],v\n[Bereich],180\n"}) {
        EXPECT_THROW(DetectPatternFormat(text), PatternImportError) << text;
        EXPECT_THROW(ImportPattern(text), PatternImportError) << text;
    }
}

TEST(PatternImport, DescriptionsAndNotesStayFreeText) {
    ImportedPattern p = ImportCsvPattern("angle,gain_dbi\n0,1\n180,1\n");
    p.notes.push_back("[MHz],v,14,0");
    const std::string text = AngleFileText(p, "\"[Bereich]\",5\r\nsecond line");
    const TWinkAnt w = ParseAngleData("Test", text, kUndefined);
    EXPECT_EQ(w.Range, 180);
    EXPECT_EQ(w.Step, 180);
    EXPECT_EQ(w.VertAttenuations, (DoubleArray{0, 0}));
    ASSERT_EQ(w.Notes.size(), 3u);
    EXPECT_EQ(w.Notes[0], "(Bereich),5  second line");
    EXPECT_EQ(w.Notes[2], "(MHz),v,14,0");
}

TEST(PatternImport, RealGroundNoteCountsOnlyBeforeTheSections) {
    struct Case {
        std::string text;
        bool note;
    } const cases[] = {
        {"Pattern over real ground\r\n[Polarisation],v\r\n[Bereich],0\r\n[Schrittweite],1\r\n",
         true},
        {"\"Pattern over real ground\"\n[MHz],v,0,0\n0\n", true},
        {"[Polarisation],v\n[MHz],v,0,0\nPattern over real ground\n", false},
        {"Pattern over real ground, probably\n", false},
        {std::string(kPerfectGroundNote) + "\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasRealGroundNote(c.text), c.note) << c.text;
    EXPECT_FALSE(HasRealGroundNote(ParseAngleData(
        "Plain", "Free text\n[Polarisation],v\n[Bereich],0\n[Schrittweite],1\n[MHz],v,14,0\n0\n",
        14)));
}

TEST(PlainNumbers, ReadAndWriteWithAPointWhateverTheSettings) {
    double x = 0;
    for (const char* ok : {"1.5", ".5", "-.5", "5.", "+2", "1.4200E+01", "-999.99"})
        EXPECT_TRUE(TryPlainNumber(ok, x)) << ok;
    for (const char* bad : {"", "-", "1,5", "1.5x", " 1", "inf", "nan", "+-1", "1e999"})
        EXPECT_FALSE(TryPlainNumber(bad, x)) << bad;
    EXPECT_TRUE(TryPlainNumber("-.25", x));
    EXPECT_EQ(x, -0.25);
    EXPECT_EQ(PlainFixed(-0.001, 2), "0.00");
    EXPECT_EQ(PlainFixed(7.105, 1), "7.1");
    EXPECT_EQ(PlainShortest(14.2), "14.2");
}

} // namespace
} // namespace radexa
