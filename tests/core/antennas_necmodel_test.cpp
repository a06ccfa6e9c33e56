#include "core/antennas/angledata.h"
#include "core/antennas/necmodel.h"

#include "test_environment.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace radexa {
namespace {

constexpr double kPi = 3.14159265358979323846;

bool haveNec2c() {
    return ::access("/usr/bin/nec2c", X_OK) == 0;
}

#define REQUIRE_NEC2C()                                                                            \
    if (!haveNec2c())                                                                              \
    GTEST_SKIP() << "/usr/bin/nec2c is not installed (apt install nec2c)"

NecModelOptions options(NecGround ground, NecResolution resolution = NecResolution::Cut) {
    NecModelOptions o;
    o.ground = ground;
    o.resolution = resolution;
    return o;
}

ImportedPattern computed(const NecDeck& deck) {
    const NecModelResult r = ComputeNecModel(deck);
    EXPECT_TRUE(r.ok()) << r.error << "\n" << deck.text;
    return r.pattern;
}

double at(const ImportedPattern& p, const DoubleArray& values, int angle) {
    return values.at(static_cast<std::size_t>(angle / p.step));
}

// The file angle of the smallest attenuation.
int mainLobe(const ImportedPattern& p, const DoubleArray& values) {
    const auto best = std::min_element(values.begin(), values.end());
    return static_cast<int>(best - values.begin()) * p.step;
}

// The field of a thin centre-fed wire of the length (wavelengths) at the angle t from it.
double wireField(double length, double t) {
    const double half = kPi * length;
    return (std::cos(half * std::cos(t)) - std::cos(half)) / std::sin(t);
}

TEST(NecModel, FreeSpaceDipoleGivesItsGainAndTheFigureEight) {
    REQUIRE_NEC2C();
    const NecDeck deck = DipoleDeck(14.2, 10, options(NecGround::FreeSpace));
    const ImportedPattern broadside = computed(deck);
    EXPECT_GE(broadside.maxGain, 2.1);
    EXPECT_LE(broadside.maxGain, 2.2);
    EXPECT_EQ(broadside.azimuth, 90);
    EXPECT_EQ(broadside.ground, PatternGround::FreeSpace);
    EXPECT_EQ(broadside.range, 360);
    EXPECT_EQ(broadside.step, 1);
    ASSERT_EQ(broadside.horizontal.size(), 361u);
    // Across the wire the dipole radiates alike in every direction.
    for (double h : broadside.horizontal)
        EXPECT_NEAR(h, 0.0, 0.05);

    // The plane of the wire, from the full sphere: the figure eight of the textbook.
    const NecDeck sphere =
        DipoleDeck(14.2, 10, options(NecGround::FreeSpace, NecResolution::FullSphere));
    EXPECT_FALSE(sphere.azimuth.has_value());
    const NecRunResult run = RunNec2c(sphere.text);
    ASSERT_TRUE(run.ok()) << run.error;
    PatternImportOptions along;
    along.azimuth = 0;
    const ImportedPattern eight = ImportNecPattern(run.output, along);
    EXPECT_EQ(eight.step, 5);
    EXPECT_NEAR(eight.maxGain, broadside.maxGain, 0.01);
    for (int a = 5; a < 90; a += 5) {
        const double t = a * kPi / 180; // from the wire, ahead and below
        const double expected =
            -20 * std::log10(std::abs(wireField(0.48, t)) / std::abs(wireField(0.48, kPi / 2)));
        EXPECT_NEAR(at(eight, eight.vertical, a), expected, 0.3) << a;
        EXPECT_NEAR(at(eight, eight.vertical, 180 - a), expected, 0.3) << a;
        EXPECT_NEAR(at(eight, eight.vertical, 180 + a), expected, 0.3) << a;
    }
    EXPECT_GE(at(eight, eight.vertical, 0), 40.0); // along the wire
    EXPECT_GE(at(eight, eight.vertical, 180), 40.0);
    // Without an azimuth the full sphere finds the broadside plane itself.
    EXPECT_EQ(ImportNecPattern(run.output).azimuth, 90);
}

TEST(NecModel, DipoleHalfAWavelengthOverPerfectGroundPeaksNearThirtyDegrees) {
    REQUIRE_NEC2C();
    const double halfWave = 299.792458 / 14.2 / 2;
    const ImportedPattern p = computed(DipoleDeck(14.2, halfWave, options(NecGround::Perfect)));
    EXPECT_EQ(p.ground, PatternGround::Perfect);
    EXPECT_EQ(p.range, 180);
    EXPECT_EQ(p.step, 1);
    EXPECT_GT(p.maxGain, 7.0); // the ground adds up to 6 dB to the dipole
    EXPECT_LT(p.maxGain, 9.0);
    const int lobe = mainLobe(p, p.horizontal);
    EXPECT_GE(lobe, 27);
    EXPECT_LE(lobe, 33);
    EXPECT_NEAR(at(p, p.horizontal, 180 - lobe), 0.0, 0.01); // the same lobe behind
    EXPECT_GT(at(p, p.horizontal, 90), 20.0);                // a null overhead at half a wavelength
    const std::string file = AngleFileText(p);
    EXPECT_FALSE(HasRealGroundNote(file));
    const TWinkAnt w = ParseAngleData("Test", file, 14.0);
    EXPECT_EQ(w.HorAngles.back(), 180);
    EXPECT_EQ(w.HorAttenuations.size(), 181u);
}

TEST(NecModel, RealGroundTemplatesRunAndCarryTheirNotes) {
    REQUIRE_NEC2C();
    struct Case {
        const char* what;
        NecDeck deck;
        bool horizontal; // the polarisation of the main lobe
        int lobeMin, lobeMax;
        double gainMin, gainMax;
    } const cases[] = {
        {"inverted V", InvertedVDeck(7.1, 12, 110, options(NecGround::Average)), true, 45, 135, 2.0,
         9.0},
        {"elevated vertical", VerticalDeck(14.2, 4, 8, false, options(NecGround::Poor)), false, 3,
         40, -3.0, 5.0},
        {"vertical on the ground", VerticalDeck(14.2, 16, 0, true, options(NecGround::Average)),
         false, 3, 40, -5.0, 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const NecModelResult r = ComputeNecModel(c.deck);
        ASSERT_TRUE(r.ok()) << r.error << "\n" << c.deck.text;
        const ImportedPattern& p = r.pattern;
        EXPECT_EQ(p.ground, PatternGround::Real);
        EXPECT_EQ(p.range, 180);
        EXPECT_GE(p.maxGain, c.gainMin);
        EXPECT_LE(p.maxGain, c.gainMax);
        const DoubleArray& main = c.horizontal ? p.horizontal : p.vertical;
        const int lobe = mainLobe(p, main);
        EXPECT_GE(lobe, c.lobeMin);
        EXPECT_LE(lobe, c.lobeMax);
        // Over real ground nothing radiates along the ground itself.
        EXPECT_EQ(main.front(), kNoFieldAttenuation);
        const std::string file = AngleFileText(p);
        EXPECT_TRUE(HasRealGroundNote(file));
        EXPECT_NE(file.find(c.deck.description), std::string::npos);
        EXPECT_NO_THROW(ParseAngleData("Test", file, p.frequency));
    }
    const NecModelResult onGround = ComputeNecModel(cases[2].deck);
    EXPECT_NE(onGround.note.find("5 cm above"), std::string::npos);
    EXPECT_NE(AngleFileText(onGround.pattern).find("5 cm above"), std::string::npos);
    // A monopole has its null overhead.
    EXPECT_GT(at(onGround.pattern, onGround.pattern.vertical, 90), 20.0);
}

TEST(NecModel, DecksCarryGroundSourceAndPatternCards) {
    struct Case {
        NecGround ground;
        const char* groundCards;
        const char* cutCard;
    } const cases[] = {
        {NecGround::FreeSpace, "GE 0\nFR", "RP 0 361 1 1000 -180 90 1 0\n"},
        {NecGround::Perfect, "GE 1\nGN 1\nFR", "RP 0 181 1 1000 -90 90 1 0\n"},
        {NecGround::Average, "GE 1\nGN 2 0 0 0 13 0.005\nFR", "RP 0 181 1 1000 -90 90 1 0\n"},
        {NecGround::Poor, "GE 1\nGN 2 0 0 0 5 0.001\nFR", "RP 0 181 1 1000 -90 90 1 0\n"},
    };
    for (const Case& c : cases) {
        const NecDeck d = DipoleDeck(14.2, 10, options(c.ground));
        EXPECT_NE(d.text.find(c.groundCards), std::string::npos) << d.text;
        EXPECT_NE(d.text.find(c.cutCard), std::string::npos) << d.text;
        EXPECT_NE(d.text.find("FR 0 1 0 0 14.2 0\n"), std::string::npos) << d.text;
        EXPECT_NE(d.text.find("EX 0 1 11 0 1 0\n"), std::string::npos) << d.text; // the middle
        EXPECT_EQ(d.text.rfind("EN\n"), d.text.size() - 3);
        EXPECT_EQ(d.azimuth, std::optional<double>(90));
        const NecDeck full = DipoleDeck(14.2, 10, options(c.ground, NecResolution::FullSphere));
        EXPECT_NE(full.text.find(c.ground == NecGround::FreeSpace ? "RP 0 37 72 1000 0 0 5 5\n"
                                                                  : "RP 0 19 72 1000 0 0 5 5\n"),
                  std::string::npos);
    }
    const NecDeck v = VerticalDeck(14.2, 4, 5, false, options(NecGround::Average));
    EXPECT_EQ(std::count(v.text.begin(), v.text.end(), '\n'), 2 + 5 + 2 + 1 + 1 + 1 + 1);
    const NecDeck own = OwnNecDeck("CM mine\r\nCE\r\nGW 1 9 0 0 1 0 0 6 0.001\rEN", 7.1, 45.0);
    EXPECT_EQ(own.text, "CM mine\nCE\nGW 1 9 0 0 1 0 0 6 0.001\nEN\n");
    EXPECT_EQ(own.frequency, 7.1);
    EXPECT_EQ(own.azimuth, std::optional<double>(45));
}

TEST(NecModel, TemplateValuesThatGiveNoModelAreRefused) {
    const auto refused = [](auto make, const char* part) {
        try {
            make();
            ADD_FAILURE() << "accepted, expected: " << part;
        } catch (const NecModelError& e) {
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
        }
    };
    const NecModelOptions average = options(NecGround::Average);
    refused([&] { DipoleDeck(0, 10, average); }, "frequency");
    refused([&] { DipoleDeck(-3, 10, average); }, "frequency");
    refused([&] { DipoleDeck(NAN, 10, average); }, "frequency");
    refused([&] { DipoleDeck(14.2, 0, average); }, "above the ground");
    refused([&] { DipoleDeck(14.2, NAN, options(NecGround::FreeSpace)); }, "above the ground");
    // Far above any mast the cards' digits would merge a wire's ends (nec2c never ends).
    refused([&] { DipoleDeck(14.2, 1000.5, average); }, "no higher than 1000 m");
    refused([&] { DipoleDeck(14.2, 1e300, options(NecGround::FreeSpace)); }, "no higher than");
    refused([&] { InvertedVDeck(7.1, 1e6, 90, average); }, "the apex must lie no higher");
    refused([&] { VerticalDeck(14.2, 64, 1e8, false, average); }, "no higher than 1000 m");
    EXPECT_NO_THROW(VerticalDeck(14.2, 4, 1000, false, average));
    refused([&] { InvertedVDeck(7.1, 5, 90, average); }, "legs reach the ground");
    refused([&] { InvertedVDeck(7.1, 15, 0, average); }, "angle between the legs");
    refused([&] { InvertedVDeck(7.1, 15, 200, average); }, "angle between the legs");
    refused([&] { VerticalDeck(14.2, 0, 5, false, average); }, "number of radials");
    refused([&] { VerticalDeck(14.2, 65, 5, false, average); }, "number of radials");
    refused([&] { VerticalDeck(14.2, 4, 0, true, options(NecGround::FreeSpace)); },
            "needs a ground");
    NecModelOptions thick = average;
    thick.wireRadius = 0.5;
    refused([&] { DipoleDeck(14.2, 10, thick); }, "wire radius");
    // In free space the height does not matter, and a flat inverted V is a dipole.
    EXPECT_NO_THROW(DipoleDeck(14.2, 0, options(NecGround::FreeSpace)));
    EXPECT_NO_THROW(InvertedVDeck(7.1, 0, 180, options(NecGround::FreeSpace)));
}

class NecRun : public TempFolderTest {
protected:
    // An executable script in the test folder standing in for nec2c.
    std::string script(const std::string& name, const std::string& body) {
        const std::string p = put(name, "#!/bin/sh\n" + body);
        ::chmod(p.c_str(), 0755);
        return p;
    }
    // The temporary folders of the runs go into the test folder.
    void SetUp() override {
        TempFolderTest::SetUp();
        m_tmp.emplace("TMPDIR", m_dir.c_str());
    }
    void TearDown() override {
        m_tmp.reset();
        TempFolderTest::TearDown();
    }
    std::size_t runFolders() const {
        std::size_t n = 0;
        for (const std::string& e : entries())
            n += e.rfind("radexa-nec-", 0) == 0;
        return n;
    }
    std::optional<EnvironmentVariable> m_tmp;
};

TEST_F(NecRun, FailuresNameTheirCauseAndLeaveNoFolderBehind) {
    const std::atomic<bool> stopNow{true};
    struct Case {
        const char* what;
        std::string program;
        double timeout;
        std::vector<std::string> parts;
        const std::atomic<bool>* stop = nullptr;
    } const cases[] = {
        {"missing", path("no-such-nec2c"), 20, {"not found", "apt install nec2c"}},
        {"not executable", put("plain-file", "text"), 20, {"not found", "apt install nec2c"}},
        {"failing",
         script("fails", "echo 'GEOMETRY DATA CARD ERROR' > \"$4\"\n"
                         "echo 'card 3 unknown' >&2\nexit 3\n"),
         20,
         {"exit status 3", "card 3 unknown", "GEOMETRY DATA CARD ERROR"}},
        {"killed", script("killed", "kill -9 $$\n"), 20, {"ended with signal 9"}},
        {"silent", script("silent", "exit 0\n"), 20, {"wrote no output"}},
        {"hanging",
         script("hangs", "exec sleep 30\n"),
         0.2,
         {"did not finish within 0.2 s", "stopped"}},
        // The window stops a run when its dialog is closed.
        {"stopped",
         script("stopped", "exec sleep 30\n"),
         600,
         {"the computation was stopped"},
         &stopNow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NecRunOptions o;
        o.program = c.program;
        o.timeoutSeconds = c.timeout;
        o.stop = c.stop;
        const NecRunResult r = RunNec2c("CM test\nCE\nEN\n", o);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.output.empty());
        for (const std::string& part : c.parts)
            EXPECT_NE(r.error.find(part), std::string::npos) << r.error;
        EXPECT_EQ(runFolders(), 0u);
    }
}

TEST_F(NecRun, AFileSizeLimitEndsTheRunAndIsNamed) {
    // Like nec2c, the stand-in takes no notice of a failed write; a cut-off output must not
    // pass for a finished one.
    NecRunOptions o;
    o.program = script("large", "printf '%100000s' x > \"$4\"\nexit 0\n");
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    const NecRunResult r = RunNec2c("CM large\nEN\n", o);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.output.empty());
    EXPECT_NE(r.error.find("stopped by the file-size limit (ulimit -f)"), std::string::npos)
        << r.error;
    EXPECT_EQ(runFolders(), 0u);
}

TEST_F(NecRun, TheDeckAndTheArgumentsReachTheProgram) {
    // A stand-in that copies the deck (-i) into the output (-o) from its own folder.
    NecRunOptions o;
    o.program = script("copies", "[ \"$1\" = -i ] && [ \"$3\" = -o ] && [ -f \"$2\" ] || exit 9\n"
                                 "cat \"$2\" > \"$4\"\npwd >> \"$4\"\n");
    const NecRunResult r = RunNec2c("CM copied\nEN\n", o);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.output.rfind("CM copied\nEN\n" + m_dir.string() + "/radexa-nec-", 0), 0u)
        << r.output;
    EXPECT_EQ(runFolders(), 0u);
}

TEST(NecModel, EveryLayoutOfThePatternCardImportsAlike) {
    REQUIRE_NEC2C();
    // XNDA of the RP card: X = 0 major and minor axis instead of vertical and horizontal,
    // N = 1 a normalized table after the gains, D = 1 directive gains, A = 1 averaging.
    const char* const layouts[] = {"1000", "0000", "1100", "1010", "1001", "0101"};
    std::optional<ImportedPattern> first;
    for (const char* xnda : layouts) {
        SCOPED_TRACE(xnda);
        const NecRunResult run =
            RunNec2c("CM dipole\nCE\nGW 1 21 -5.07 0 10 5.07 0 10 0.001\nGE 1\nGN 1\n"
                     "FR 0 1 0 0 14.2 0\nEX 0 1 11 0 1 0\nRP 0 19 4 " +
                     std::string(xnda) + " 0 0 5 90\nEN\n");
        ASSERT_TRUE(run.ok()) << run.error;
        const ImportedPattern p = ImportNecPattern(run.output);
        EXPECT_EQ(p.azimuth, 90);
        EXPECT_EQ(p.step, 5);
        if (!first) {
            first = p;
            continue;
        }
        EXPECT_DOUBLE_EQ(p.maxGain, first->maxGain);
        ASSERT_EQ(p.horizontal.size(), first->horizontal.size());
        for (std::size_t k = 0; k < p.horizontal.size(); ++k) {
            EXPECT_NEAR(p.horizontal[k], first->horizontal[k], 0.02) << k;
            EXPECT_NEAR(p.vertical[k], first->vertical[k], 0.02) << k;
        }
    }
}

TEST_F(NecRun, OwnDecksRunAsGivenAndTheirFaultsComeBack) {
    REQUIRE_NEC2C();
    const std::string dipole = "CM own dipole\nCE\nGW 1 21 -5.07 0 10 5.07 0 10 0.001\nGE 1\n"
                               "GN 1\nFR 0 2 0 0 14.0 0.2\nEX 0 1 11 0 1 0\n";
    const NecModelResult good =
        ComputeNecModel(OwnNecDeck(dipole + "RP 0 91 1 1000 -90 90 2 0\nEN\n", 14.2));
    ASSERT_TRUE(good.ok()) << good.error;
    EXPECT_EQ(good.pattern.frequency, 14.2);
    EXPECT_EQ(good.pattern.step, 2);
    EXPECT_EQ(good.pattern.ground, PatternGround::Perfect);

    const NecModelResult noChoice =
        ComputeNecModel(OwnNecDeck(dipole + "RP 0 91 1 1000 -90 90 2 0\nEN\n"));
    EXPECT_NE(noChoice.error.find("14, 14.2 MHz"), std::string::npos) << noChoice.error;
    const NecModelResult noPattern = ComputeNecModel(OwnNecDeck(dipole + "EN\n", 14.2));
    EXPECT_NE(noPattern.error.find("no RADIATION PATTERNS table"), std::string::npos)
        << noPattern.error;
    const NecModelResult badCard =
        ComputeNecModel(OwnNecDeck("CM bad\nCE\nGW 1 21 -5 0 10\nXX 1\nEN\n"));
    EXPECT_NE(badCard.error.find("nec2c failed (exit status"), std::string::npos) << badCard.error;
    EXPECT_EQ(runFolders(), 0u);
}

} // namespace
} // namespace radexa
