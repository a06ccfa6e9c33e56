#include "core/antennas/angledata.h"
#include "core/antennas/angletable.h"

#include "test_files.h"
#include "test_numbers.h"

#include <cmath>

namespace radexa {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "[Polarisation],vh\n[Bereich],90\n[Schrittweite],30\n";
const std::string kHeadV = "[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n";

TWinkAnt parse(const std::string& text, double reference = 14.0) {
    return ParseAngleData("Example MyAnt", text, reference);
}

TEST(AngleData, ReadsKeysAndAnAcceptedSection) {
    const TWinkAnt w = parse(kHead + "[MHz],v,14,0\n0,1.5,6,20\n[MHz],h,28,0\n5\n");
    EXPECT_EQ(w.Title, "Example MyAnt");
    EXPECT_EQ(w.Polarisation, "vh");
    EXPECT_EQ(w.Range, 90);
    EXPECT_EQ(w.Step, 30);
    EXPECT_EQ(w.VertAngles, (SmallIntArray{0, 30, 60, 90}));
    EXPECT_EQ(w.VertAttenuations, (DoubleArray{0, 1.5, 6, 20}));
    EXPECT_EQ(w.VertFrequency, 14);
    EXPECT_EQ(w.VertSecond, 0);
    EXPECT_TRUE(w.HorAngles.empty());
    EXPECT_TRUE(w.HorAttenuations.empty());
}

TEST(AngleData, QuotesLineEndsAndFreeTextDoNotChangeTheResult) {
    const TWinkAnt plain = parse(kHead + "[MHz],v,14,2.5\n0,1.5\n6,20\n[MHz],h,0,1\n3,4\n");
    const std::string variants[] = {
        "\"[Polarisation]\",\"vh\"\r\n\"[Bereich]\",\"90\"\r\n\"[Schrittweite]\",\"30\"\r\n"
        "\"[MHz]\",\"v\",\"14\",\"2.5\"\r\n\"0\",\"1.5\"\r\n\"6\",\"20\"\r\n"
        "\"[MHz]\",\"h\",\"0\",\"1\"\r\n\"3\",\"4\"\r\n",
        "Made by hand\r[Polarisation],vh\r[Bereich],90\r[Schrittweite],30\r[MHz],v,14,2.5\r0,1.5\r"
        "6,20\r[MHz],h,0,1\r3,4",
        "[Bereich],45\n[Polarisation],hv\n" + kHead +
            "note [MHz] in free text\n"
            "[MHz],v,14,2.5\n0,1.5\n\n6,20\n[MHz],h,0,1\n3,4\n",
    };
    for (const std::string& text : variants) {
        const TWinkAnt w = parse(text);
        EXPECT_EQ(w.Polarisation, plain.Polarisation);
        EXPECT_EQ(w.Range, plain.Range);
        EXPECT_EQ(w.Step, plain.Step);
        EXPECT_EQ(w.VertAngles, plain.VertAngles);
        EXPECT_EQ(w.VertAttenuations, plain.VertAttenuations);
        EXPECT_EQ(w.VertSecond, 2.5);
        EXPECT_EQ(w.HorAngles, (SmallIntArray{0, 30}));
        EXPECT_EQ(w.HorAttenuations, (DoubleArray{3, 4}));
    }
}

TEST(AngleData, ValueLinesContinueTheAngles) {
    const TWinkAnt w = parse("[Polarisation],v\n[Bereich],60\n[Schrittweite],15\n"
                             "[MHz],14,0\n0,1,3\n6,10\n");
    EXPECT_EQ(w.VertAngles, (SmallIntArray{0, 15, 30, 45, 60}));
    EXPECT_EQ(w.VertAttenuations, (DoubleArray{0, 1, 3, 6, 10}));
}

TEST(AngleData, SectionsFitByFrequencyAndTheLastAcceptedOneWins) {
    const struct {
        const char* sections;
        double reference;
        DoubleArray vertical; // attenuations of the section kept
        double frequency;
    } cases[] = {
        {"[MHz],v,14,0\n1\n[MHz],v,0,0\n2\n", 14, {2}, 0},
        {"[MHz],v,0,0\n2\n[MHz],v,14,0\n1\n", 14, {1}, 14},
        {"[MHz],v,15,0\n3\n", 14, {3}, 15},     // 7 % above
        {"[MHz],v,16,0\n3\n", 14, {}, 0},       // 14 % above
        {"[MHz],v,12.6,0\n3\n", 14, {3}, 12.6}, // the bounds are included
        {"[MHz],v,15.4,0\n3\n", 14, {3}, 15.4},
        {"[MHz],v,14,0\n1\n[MHz],v,28,0\n2\n", 14, {1}, 14},
        {"[MHz],v,14,0\n1\n", kUndefined, {}, 0}, // fixed frequency: only 0 MHz fits
        {"[MHz],v,14,0\n1\n[MHz],v,0,0\n5\n", kUndefined, {5}, 0},
    };
    for (const auto& c : cases) {
        const TWinkAnt w = parse(kHeadV + c.sections, c.reference);
        EXPECT_EQ(w.VertAttenuations, c.vertical) << c.sections;
        EXPECT_EQ(w.VertFrequency, c.frequency) << c.sections;
        EXPECT_TRUE(w.HorAngles.empty());
    }
}

TEST(AngleData, SectionsWithoutLetterTakeTheFilesPolarisation) {
    const TWinkAnt h = parse("[Polarisation],h\n[Bereich],30\n[Schrittweite],15\n"
                             "[MHz],14,1\n0,2\n[MHz],0,2\n0,3,9\n");
    EXPECT_TRUE(h.VertAngles.empty());
    EXPECT_EQ(h.HorAttenuations, (DoubleArray{0, 3, 9}));
    EXPECT_EQ(h.HorSecond, 2);
    EXPECT_EQ(PreselectedPolarisation(h), Polarisation::Horizontal);
    EXPECT_EQ(ClickedPolarisation(h, Polarisation::Vertical), Polarisation::Horizontal);

    // A letter other than v or h makes its sections count for neither polarisation.
    const TWinkAnt x = parse("[Polarisation],x\n[Bereich],30\n[Schrittweite],15\n"
                             "[MHz],14,1\n0,2\n[MHz],v,14,1\n5\n");
    EXPECT_EQ(x.VertAttenuations, (DoubleArray{5}));
    EXPECT_TRUE(x.HorAngles.empty());
}

TEST(AngleData, PolarisationChoiceFollowsTheDeclaredLetters) {
    using P = Polarisation;
    const struct {
        const char* letters;
        P preselected, afterVertical, afterHorizontal;
    } cases[] = {{"vh", P::Vertical, P::Vertical, P::Horizontal},
                 {"hv", P::Horizontal, P::Vertical, P::Horizontal}, // the main one first
                 {"v", P::Vertical, P::Vertical, P::Vertical},
                 {"h", P::Horizontal, P::Horizontal, P::Horizontal},
                 {"V", P::Horizontal, P::Vertical, P::Vertical}};
    for (const auto& c : cases) {
        TWinkAnt w;
        w.Polarisation = c.letters;
        EXPECT_EQ(PreselectedPolarisation(w), c.preselected) << c.letters;
        EXPECT_EQ(ClickedPolarisation(w, P::Vertical), c.afterVertical) << c.letters;
        EXPECT_EQ(ClickedPolarisation(w, P::Horizontal), c.afterHorizontal) << c.letters;
    }
}

TEST(AngleData, MalformedFilesNameTheLine) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"[Polarisation],v\n[Schrittweite],30\n[MHz],v,14,0\n0\n", 0}, // no [Bereich]
        {"[Polarisation],v\n[Bereich],90\n[MHz],v,14,0\n0\n", 0},      // no step
        {"[Polarisation],v\n[Bereich],9x\n[Schrittweite],30\n", 2},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],3.5\n", 3},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],40000\n", 3},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite]\n", 3},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz]\n0\n", 4},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],,14,0\n0\n", 4},
        {"[Polarisation],\n[Bereich],90\n[Schrittweite],30\n[MHz],14,0\n0\n", 4},
        {"[Bereich],90\n[Schrittweite],30\n[MHz],14,0\n0\n", 3},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v\n0\n", 4},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14\n0\n", 4},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14,x\n0\n", 4},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14,0\n0,1\n2,x\n", 6},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14,0\n0,1,\n", 5},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14,0\n0,,1\n", 5},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,14,0\n0\n[Bereich],90\n", 6},
        // a section that does not fit is read all the same
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],v,99,0\n0\n1x\n", 6},
        // an uppercase letter is no polarisation but a frequency that does not convert
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],30\n[MHz],V,14,0\n0\n", 4},
        // the angles must stay 16-bit numbers
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],16384\n[MHz],v,14,0\n0,1\n2\n", 6},
    };
    for (const auto& c : cases) {
        try {
            parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const AngleDataError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text << "\n" << e.what();
            EXPECT_EQ(e.Title(), "Example MyAnt");
            EXPECT_FALSE(e.Reason().empty());
        }
    }
}

TEST(AngleData, MessagesSayWhatToChange) {
    const struct {
        std::string text;
        int line;
        const char* reason; // a piece of it
    } cases[] = {
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite],0\n[MHz],v,14,0\n0\n", 3,
         "[Schrittweite] must be a positive number of degrees, not 0"},
        {"[Polarisation],v\n[Bereich],90\n[Schrittweite], -10\n[MHz],v,14,0\n0\n", 3,
         "positive number of degrees, not -10"},
        {kHeadV + "[MHz],v,14,0\n0\n[Schrittweite],10\n", 6,
         "[Schrittweite] stands after the first section (line 4); move it before the first "
         "[MHz] line"},
        {kHeadV + "[MHz],v,14,0\n0\n\"[Polarisation]\",\"h\"\n", 6, "[Polarisation] stands after"},
        {kHead + "[MHz],v,14,0\n0\n", 1,
         "[Polarisation] names h, but no section is for h: add a section \"[MHz],h,<MHz>,<gain>\" "
         "or take h out of [Polarisation]"},
        {"[Polarisation],hv\n[Bereich],90\n[Schrittweite],30\n[MHz],14,0\n0\n", 1,
         "no section is for v"},
        {kHeadV + "[MHz],v,14,0\n0,1,\n", 5, "the line ends with a comma; remove the last comma"},
        {kHeadV + "[MHz],v,14,0\n0,,1\n", 5, "two commas without an attenuation between them"},
        {kHeadV + "[MHz],v,14,0\n0\n-5000\n", 6,
         "the attenuation \"-5000\" is below -1000 dB: its EIRP and distance would not be finite"},
        {kHeadV + "[MHz],v,14,0\n0,-1000.5\n", 5, "below -1000 dB"},
        // a quoted text of any length is named by its start only
        {kHeadV + "[MHz],v,14,0\n" + std::string(100000, 'x') + "\n", 5, "xxx\x85\""},
    };
    for (const auto& c : cases) {
        try {
            parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const AngleDataError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(e.Reason().find(c.reason), std::string::npos) << e.what();
            EXPECT_LT(e.Reason().size(), 500u);
        }
    }
    // The lowest attenuation allowed, and a byte-order mark before the first key.
    const TWinkAnt w = parse("\xEF\xBB\xBF" + kHeadV + "[MHz],v,14,0\n0,-1000\n");
    EXPECT_EQ(w.Polarisation, "v");
    EXPECT_EQ(w.VertAttenuations, (DoubleArray{0, -1000}));
    const PatternLists p = ComputePattern(w, Polarisation::Vertical, 1e6, 1e6, 0.01);
    EXPECT_TRUE(std::isfinite(p.PatternEirp[1]) && std::isfinite(p.PatternDistances[1]));
}

TEST(AngleData, IntegerKeysAcceptSignsAndBlanks) {
    const TWinkAnt w =
        parse("[Polarisation],v\n[Bereich], 360 \n[Schrittweite],+10\n[MHz],v,14,0\n0,1,2\n");
    EXPECT_EQ(w.Range, 360);
    EXPECT_EQ(w.VertAngles, (SmallIntArray{0, 10, 20}));
}

TEST(AngleData, FileNamesAndTitles) {
    EXPECT_EQ(AngleFileName("ang", "Example", "MyAnt"),
              (fs::path("ang") / "Example MyAnt.ang").string());
    EXPECT_EQ(AngleFileName("", "Example", "My 2.5 Ant"), "Example My 2.5 Ant.ang");
    EXPECT_EQ(AngleFileName("ang", "..", "/etc/passwd"), "");
    EXPECT_EQ(AngleFileName("ang", "a\\b", "x"), "");
    EXPECT_EQ(AngleFileName("ang", std::string("a\0b", 3), "x"), "");
    EXPECT_EQ(AngleFileTitle("/opt/radexa/ang/Example My 2.5 Ant.ang"), "Example My 2.5 Ant");
    EXPECT_EQ(AngleFileTitle("C:\\Radexa\\ang\\Example MyAnt.ang"), "Example MyAnt");
}

using AngleFiles = TempFolderTest;

TEST_F(AngleFiles, ReadsAFileAndReportsAFaultWithItsTitle) {
    const std::string good = AngleFileName(m_dir.string(), "Example", "MyAnt");
    std::ofstream(good, std::ios::binary) << kHeadV << "[MHz],v,14,0\r\n0,3\r\n";
    const TWinkAnt w = ReadAngleFile(good, 14.0);
    EXPECT_EQ(w.Title, "Example MyAnt");
    EXPECT_EQ(w.VertAttenuations, (DoubleArray{0, 3}));

    const std::string bad = AngleFileName(m_dir.string(), "Example", "Broken");
    std::ofstream(bad, std::ios::binary) << kHeadV << "[MHz],v,14,0\r\n0,3,\r\n";
    try {
        ReadAngleFile(bad, 14.0);
        ADD_FAILURE();
    } catch (const AngleDataError& e) {
        EXPECT_EQ(e.Title(), "Example Broken");
        EXPECT_EQ(e.Line(), 5);
        EXPECT_EQ(std::string(e.what()).rfind("Example Broken, line 5: ", 0), 0u) << e.what();
    }
}

// Angle data with a 0 dB and a 3 dB direction for both polarisations.
TWinkAnt patternData() {
    return parse(kHead + "[MHz],v,14,0\n0,3,10\n[MHz],h,14,0\n20\n");
}

TEST(Pattern, AttenuationScalesEirpAndDistance) {
    const double eirp = 200, meanEirp = 100, limit = 27.5;
    const PatternLists p =
        ComputePattern(patternData(), Polarisation::Vertical, eirp, meanEirp, limit);
    EXPECT_EQ(p.PatternAngles, (SmallIntArray{0, 30, 60}));
    EXPECT_EQ(p.PatternAttenuations, (DoubleArray{0, 3, 10}));
    ASSERT_EQ(p.PatternEirp.size(), 3u);
    ASSERT_EQ(p.PatternDistances.size(), 3u);
    const double mainDistance = std::sqrt(30 * meanEirp) / limit;
    EXPECT_DOUBLE_EQ(p.PatternEirp[0], eirp);
    EXPECT_DOUBLE_EQ(p.PatternDistances[0], mainDistance);
    EXPECT_NEAR(p.PatternEirp[1] / eirp, 0.501, 0.001);
    EXPECT_NEAR(p.PatternDistances[1] / mainDistance, 0.708, 0.001);
    EXPECT_DOUBLE_EQ(p.PatternEirp[2], eirp / 10);
    EXPECT_DOUBLE_EQ(p.PatternDistances[2], mainDistance / std::sqrt(10.0));

    const PatternLists h =
        ComputePattern(patternData(), Polarisation::Horizontal, eirp, meanEirp, limit);
    EXPECT_EQ(h.PatternAngles, (SmallIntArray{0}));
    EXPECT_DOUBLE_EQ(h.PatternEirp[0], 2);
}

TEST(Pattern, NoAcceptedSectionGivesEmptyLists) {
    const TWinkAnt w = parse(kHeadV + "[MHz],v,28,0\n0,3\n");
    const PatternLists p = ComputePattern(w, Polarisation::Vertical, 100, 50, 27.5);
    EXPECT_TRUE(p.PatternAngles.empty());
    EXPECT_TRUE(p.PatternEirp.empty());
    EXPECT_TRUE(p.PatternDistances.empty());
    EXPECT_TRUE(AngleTableRows(p).empty());
}

TEST(Pattern, GridTexts) {
    EXPECT_EQ(AngleTableHeader(), (StringArray{"Angle", "Attenuation", "EIRP", "Distance"}));
    EXPECT_EQ(AngleTableHeader("Winkel;D\xE4mpfung;EIRP;Abstand"),
              (StringArray{"Winkel", "D\xE4mpfung", "EIRP", "Abstand"}));

    const PatternLists p = ComputePattern(patternData(), Polarisation::Vertical, 1000, 400, 27.5);
    const std::vector<StringArray> point = AngleTableRows(p);
    EXPECT_EQ(point, (std::vector<StringArray>{{"    0", "   0.00", "1000.00", "   3.98"},
                                               {"   30", "   3.00", " 501.19", "   2.82"},
                                               {"   60", "  10.00", " 100.00", "   1.26"}}));
    ScopedNumberSettings scoped(commaSettings());
    EXPECT_EQ(AngleTableRows(p)[1], (StringArray{"   30", "   3,00", " 501,19", "   2,82"}));
}

TEST(Pattern, WithoutALimitThereIsNoDistance) {
    for (const double limit : {0.0, kUndefined}) {
        const PatternLists p =
            ComputePattern(patternData(), Polarisation::Vertical, 100, 50, limit);
        ASSERT_EQ(p.PatternDistances.size(), 3u);
        EXPECT_EQ(p.PatternDistances[0], kUndefined);
        EXPECT_EQ(AngleTableRows(p)[0][3], "    ---");
        EXPECT_DOUBLE_EQ(p.PatternEirp[0], 100);
    }
}

} // namespace
} // namespace radexa
