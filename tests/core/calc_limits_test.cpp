#include "core/antennas/angletable.h"
#include "core/calc/limits.h"
#include "core/support/textnumbers.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace radexa {
namespace {

constexpr LimitChoice kDefault{};
constexpr LimitChoice k1998{LimitSet::Icnirp1998, LimitTier::Public, GroundReflection::None};
constexpr LimitChoice k2020{LimitSet::Icnirp2020, LimitTier::Public, GroundReflection::None};
constexpr LimitChoice k2020Occ{LimitSet::Icnirp2020, LimitTier::Occupational,
                               GroundReflection::None};
constexpr LimitChoice kFcc{LimitSet::Fcc, LimitTier::Public, GroundReflection::None};
constexpr LimitChoice kFccOcc{LimitSet::Fcc, LimitTier::Occupational, GroundReflection::None};
constexpr LimitChoice kSc6{LimitSet::Sc6, LimitTier::Public, GroundReflection::None};

LimitChoice withGround(LimitChoice c, GroundReflection g) {
    c.ground = g;
    return c;
}

// The check of that name in an evaluation, or nullptr.
const LimitCheckResult* findCheck(const LimitEvaluation& e, LimitCheck check) {
    for (const LimitCheckResult& c : e.checks)
        if (c.check == check)
            return &c;
    return nullptr;
}

// The E level of one check at a fixed frequency; 0 where the set refuses or the check
// does not apply.
double levelAt(const LimitChoice& choice, LimitCheck check, double f) {
    const LimitEvaluation e = LimitLevels(choice, FrequencyChoice::Fixed(f));
    const LimitCheckResult* c = findCheck(e, check);
    return c ? c->E : 0;
}

void expectLevel(double actual, double expected, const std::string& where) {
    if (expected == 0)
        EXPECT_EQ(actual, 0) << where;
    else
        EXPECT_NEAR(actual / expected, 1, 2e-5) << where << ": " << actual;
}

TEST(LimitWords, RoundTripAndLetterCaseBlindParsing) {
    const struct {
        const char* word;
        bool ok;
        LimitSet set;
    } sets[] = {{"ICNIRP1998", true, LimitSet::Icnirp1998},
                {"icnirp2020", true, LimitSet::Icnirp2020},
                {"Fcc", true, LimitSet::Fcc},
                {"sc6", true, LimitSet::Sc6},
                {"ICNIRP 2020", false, LimitSet::Sc6},
                {"", false, LimitSet::Sc6}};
    for (const auto& c : sets) {
        LimitSet s = LimitSet::Sc6;
        EXPECT_EQ(ParseLimitSet(c.word, s), c.ok) << c.word;
        EXPECT_EQ(s, c.set) << c.word; // unchanged when refused
        EXPECT_EQ(SameTextNoCase(LimitSetWord(s), c.word), c.ok) << c.word;
    }
    LimitTier tier = LimitTier::Public;
    EXPECT_TRUE(ParseLimitTier("OCCUPATIONAL", tier));
    EXPECT_EQ(tier, LimitTier::Occupational);
    EXPECT_EQ(LimitTierWord(tier), "occupational");
    EXPECT_FALSE(ParseLimitTier("controlled", tier));
    EXPECT_EQ(LimitTierWord(LimitTier::Public), "public");

    const struct {
        const char* word;
        GroundReflection ground;
        double factor;
    } grounds[] = {{"none", GroundReflection::None, 1},
                   {"1.6", GroundReflection::Typical, 1.6},
                   {"2", GroundReflection::Full, 2}};
    for (const auto& g : grounds) {
        GroundReflection parsed = GroundReflection::Full;
        EXPECT_TRUE(ParseGround(g.word, parsed)) << g.word;
        EXPECT_EQ(parsed, g.ground);
        EXPECT_EQ(GroundWord(g.ground), g.word);
        EXPECT_EQ(GroundFieldFactor(g.ground), g.factor);
    }
    GroundReflection g = GroundReflection::None;
    EXPECT_FALSE(ParseGround("1,6", g));
    EXPECT_TRUE(ParseGround("NONE", g));

    const char* checks[] = {"ICNIRP 1998", "whole body", "local", "instantaneous", "FCC", "SC6"};
    for (const char* name : checks) {
        LimitCheck c = LimitCheck::Sc6;
        EXPECT_TRUE(ParseLimitCheck(name, c)) << name;
        EXPECT_EQ(LimitCheckName(c), name);
    }
    LimitCheck c = LimitCheck::Local;
    EXPECT_TRUE(ParseLimitCheck("Whole Body", c));
    EXPECT_EQ(c, LimitCheck::WholeBody);
}

TEST(LimitSets, NamesRangesAndTiers) {
    // The band table's set says that it keeps 27.5 V/m (Windows-1252 en dash).
    EXPECT_EQ(LimitSetName(LimitSet::Icnirp1998), "ICNIRP 1998 (band table, 27.5 V/m 10\x96"
                                                  "400 MHz)");
    EXPECT_EQ(LimitSetName(LimitSet::Fcc), "FCC \xA7"
                                           "1.1310");
    const struct {
        LimitSet set;
        double lowest, highest;
        bool occupational;
    } sets[] = {{LimitSet::Icnirp1998, 0.003, 300000, false},
                {LimitSet::Icnirp2020, 0.1, 300000, true},
                {LimitSet::Fcc, 0.3, 100000, true},
                {LimitSet::Sc6, 0.1, 150000, false}};
    for (const auto& s : sets) {
        SCOPED_TRACE(LimitSetWord(s.set));
        EXPECT_EQ(LimitSetLowest(s.set), s.lowest);
        EXPECT_EQ(LimitSetHighest(s.set), s.highest);
        EXPECT_TRUE(HasTier(s.set, LimitTier::Public));
        EXPECT_EQ(HasTier(s.set, LimitTier::Occupational), s.occupational);
        const LimitChoice occ{s.set, LimitTier::Occupational, GroundReflection::None};
        const LimitEvaluation e = LimitLevels(occ, FrequencyChoice::Band(12));
        EXPECT_EQ(e.ok(), s.occupational);
        if (!s.occupational) {
            EXPECT_EQ(e.refusal, Refusal::NoLimitTier);
            EXPECT_EQ(LimitRefusalText(e.refusal, occ),
                      LimitSetName(s.set) + " has no occupational tier!");
        }
    }
}

// Every edge of every set: the level just below, at, and just above the edge frequency
// (0 = no level). Where a level steps, the edge shows which side it belongs to: the band
// table's set takes the upper range's value, every other set the lower range's.
TEST(LimitSets, EveryEdgeOnBothSides) {
    const double wb = 61.4003; // sqrt(377 x 10)
    const struct {
        LimitChoice choice;
        LimitCheck check;
        double f, below, at, above;
    } edges[] = {
        {k1998, LimitCheck::Icnirp1998, 0.003, 0, 87, 87},
        {k1998, LimitCheck::Icnirp1998, 0.15, 87, 87, 87},
        {k1998, LimitCheck::Icnirp1998, 1, 87, 87, 87},
        {k1998, LimitCheck::Icnirp1998, 10, 27.5118, 27.5, 27.5},
        {k1998, LimitCheck::Icnirp1998, 400, 27.5, 27.5, 27.5},
        {k1998, LimitCheck::Icnirp1998, 2000, 61.4919, 61, 61},
        {k1998, LimitCheck::Icnirp1998, 300000, 61, 0, 0},

        {k2020, LimitCheck::WholeBody, 0.1, 0, 1503.56, 1503.56},
        {k2020, LimitCheck::WholeBody, 30, 27.7419, 27.7419, 27.7},
        {k2020, LimitCheck::WholeBody, 400, 27.7, 27.7, 27.5},
        {k2020, LimitCheck::WholeBody, 2000, 61.4919, 61.4919, wb},
        {k2020, LimitCheck::WholeBody, 300000, wb, wb, 0},
        {k2020, LimitCheck::Local, 0.1, 0, 3362.97, 3362.97},
        {k2020, LimitCheck::Local, 30, 62.0494, 62.0494, 62},
        {k2020, LimitCheck::Local, 400, 62, 62, 62.0623},
        {k2020, LimitCheck::Local, 2000, 123.989, 123.989, 122.801},
        {k2020, LimitCheck::Local, 6000, 122.801, 122.801, 122.881},
        {k2020, LimitCheck::Local, 300000, 86.9214, 86.9214, 0},
        {k2020, LimitCheck::Instantaneous, 0.1, 0, 83, 83},
        {k2020, LimitCheck::Instantaneous, 10, 83, 83, 0},

        {k2020Occ, LimitCheck::WholeBody, 0.1, 0, 3307.84, 3307.84},
        {k2020Occ, LimitCheck::WholeBody, 30, 61.0322, 61.0322, 61},
        {k2020Occ, LimitCheck::WholeBody, 400, 61, 61, 60},
        {k2020Occ, LimitCheck::WholeBody, 2000, 134.164, 134.164, 137.295},
        {k2020Occ, LimitCheck::WholeBody, 300000, 137.295, 137.295, 0},
        {k2020Occ, LimitCheck::Local, 0.1, 0, 7537.86, 7537.86},
        {k2020Occ, LimitCheck::Local, 30, 139.079, 139.079, 139},
        {k2020Occ, LimitCheck::Local, 400, 139, 139, 139.114},
        {k2020Occ, LimitCheck::Local, 2000, 277.926, 277.926, 274.591},
        {k2020Occ, LimitCheck::Local, 6000, 274.591, 274.591, 274.771},
        {k2020Occ, LimitCheck::Local, 300000, 194.362, 194.362, 0},
        {k2020Occ, LimitCheck::Instantaneous, 0.1, 0, 170, 170},
        {k2020Occ, LimitCheck::Instantaneous, 10, 170, 170, 0},

        {kFcc, LimitCheck::Fcc, 0.3, 0, 614, 614},
        {kFcc, LimitCheck::Fcc, 1.34, 614, 614, 614.925},
        {kFcc, LimitCheck::Fcc, 30, 27.4667, 27.4667, 27.5},
        {kFcc, LimitCheck::Fcc, 300, 27.5, 27.5, 27.4591},
        {kFcc, LimitCheck::Fcc, 1500, wb, wb, wb},
        {kFcc, LimitCheck::Fcc, 100000, wb, wb, 0},
        {kFccOcc, LimitCheck::Fcc, 0.3, 0, 614, 614},
        {kFccOcc, LimitCheck::Fcc, 3, 614, 614, 614},
        {kFccOcc, LimitCheck::Fcc, 30, 61.4, 61.4, 61.4},
        {kFccOcc, LimitCheck::Fcc, 300, 61.4, 61.4, wb},
        {kFccOcc, LimitCheck::Fcc, 1500, 137.295, 137.295, 137.295},
        {kFccOcc, LimitCheck::Fcc, 100000, 137.295, 137.295, 0},

        {kSc6, LimitCheck::Sc6, 0.1, 0, 27.46, 27.46},
        {kSc6, LimitCheck::Sc6, 20, 27.46, 27.46, 27.4596},
        {kSc6, LimitCheck::Sc6, 48, 22.0618, 22.0618, 22.06},
        {kSc6, LimitCheck::Sc6, 300, 22.06, 22.06, 22.0617},
        {kSc6, LimitCheck::Sc6, 6000, 61.4045, 61.4045, 61.4},
        {kSc6, LimitCheck::Sc6, 15000, 61.4, 61.4, 61.4},
        {kSc6, LimitCheck::Sc6, 150000, 61.4, 61.4, 0},
        {kSc6, LimitCheck::Instantaneous, 0.1, 0, 83, 83},
        {kSc6, LimitCheck::Instantaneous, 10, 83, 83, 0},
    };
    for (const auto& e : edges) {
        const std::string where = ComparisonLabel(e.choice) + " " + LimitCheckName(e.check) +
                                  " at " + std::to_string(e.f);
        expectLevel(levelAt(e.choice, e.check, e.f * (1 - 1e-9)), e.below, where + " below");
        expectLevel(levelAt(e.choice, e.check, e.f), e.at, where);
        expectLevel(levelAt(e.choice, e.check, e.f * (1 + 1e-9)), e.above, where + " above");
    }
}

TEST(LimitSets, HFieldPowerDensityAndAveragingTime) {
    const double u = kUndefined;
    const struct {
        LimitChoice choice;
        LimitCheck check;
        double f, e, h, s, minutes;
    } cases[] = {
        {k1998, LimitCheck::Icnirp1998, 145, 27.5, 0.073, 2, 6},
        {k1998, LimitCheck::Icnirp1998, 3.6, 45.853, 0.202778, u, 6},
        {k1998, LimitCheck::Icnirp1998, 9999, 61, 0.16, 10, 6},
        {k1998, LimitCheck::Icnirp1998, 10000, 61, 0.16, 10, 6}, // 68/f^1.05 only beyond 10 GHz
        {k1998, LimitCheck::Icnirp1998, 10000.001, 61, 0.16, 10, 6.06051}, // f in GHz
        {k1998, LimitCheck::Icnirp1998, 10500, 61, 0.16, 10, 5.75785},
        {k2020, LimitCheck::WholeBody, 145, 27.7, 0.073, 2, 30},
        {k2020, LimitCheck::WholeBody, 1000, 43.4813, 0.117004, 5, 30},
        {k2020, LimitCheck::WholeBody, 10000, 61.4003, u, 10, 30}, // E from S
        {k2020, LimitCheck::Local, 145, 62, 0.163, 10, 6},
        {k2020, LimitCheck::Local, 10000, 117.45, u, 36.59, 6},
        {k2020, LimitCheck::Instantaneous, 3.6, 83, 21, u, 0},
        {k2020Occ, LimitCheck::Instantaneous, 3.6, 170, 80, u, 0},
        {kFcc, LimitCheck::Fcc, 14, 58.8571, 0.156429, 9.18367, 30},
        {kFcc, LimitCheck::Fcc, 435, 33.0651, u, 2.9, 30},
        {kFccOcc, LimitCheck::Fcc, 14, 131.571, 0.349286, 45.9184, 6},
        {kFccOcc, LimitCheck::Fcc, 435, 73.9358, u, 14.5, 6},
        {kSc6, LimitCheck::Sc6, 145, 22.06, 0.05852, u, 6},
        {kSc6, LimitCheck::Sc6, 15000, 61.4, 0.163, 10, 6},
        {kSc6, LimitCheck::Sc6, 30000, 61.4, 0.163, 10, 2.61237}, // 616000/f^1.2
    };
    for (const auto& c : cases) {
        const std::string where = ComparisonLabel(c.choice) + " " + LimitCheckName(c.check) +
                                  " at " + std::to_string(c.f);
        const LimitEvaluation e = LimitLevels(c.choice, FrequencyChoice::Fixed(c.f));
        const LimitCheckResult* r = findCheck(e, c.check);
        ASSERT_NE(r, nullptr) << where;
        expectLevel(r->E, c.e, where + " E");
        for (const auto& [actual, expected, what] :
             {std::tuple{r->H, c.h, " H"}, std::tuple{r->S, c.s, " S"}})
            if (expected == u)
                EXPECT_EQ(actual, u) << where << what;
            else
                expectLevel(actual, expected, where + what);
        if (c.minutes == 0)
            EXPECT_EQ(r->AveragingMinutes, 0) << where;
        else
            expectLevel(r->AveragingMinutes, c.minutes, where + " minutes");
    }
}

TEST(LimitSets, ABandTakesTheLowestLevelOverTheBand) {
    const struct {
        LimitChoice choice;
        int band;
        LimitCheck check;
        double e;
    } cases[] = {
        {k2020, 2, LimitCheck::WholeBody, 184.672},  // 160m: 300/2^0.7 at the upper edge
        {k2020, 2, LimitCheck::Instantaneous, 83},   // below 10 MHz
        {k2020, 13, LimitCheck::WholeBody, 28.5127}, // 70cm: 1.375 sqrt(430), lower edge
        {k2020, 13, LimitCheck::Local, 64.0226},     // 70cm: 4.72 x 430^0.43
        {k2020, 14, LimitCheck::Local, 100.952},     // 23cm: lower edge 1240
        {kFcc, 2, LimitCheck::Fcc, 412},             // 160m: 824/2
        {kFcc, 13, LimitCheck::Fcc, 32.8745},        // 70cm: sqrt(377 x 430/150)
        {kFccOcc, 10, LimitCheck::Fcc, 62.0202},     // 10m: 1842/29.7
        {kSc6, 10, LimitCheck::Sc6, 24.875},         // 10m: 58.07/29.7^0.25
        {kSc6, 13, LimitCheck::Sc6, 24.9495},        // 70cm: 3.142 x 430^0.3417
    };
    for (const auto& c : cases) {
        const std::string where = ComparisonLabel(c.choice) + " " + HamBands(c.band);
        const LimitEvaluation e = LimitLevels(c.choice, FrequencyChoice::Band(c.band));
        const LimitCheckResult* r = findCheck(e, c.check);
        ASSERT_NE(r, nullptr) << where;
        expectLevel(r->E, c.e, where);
    }
    // The instantaneous check is there only where the band reaches down to 10 MHz.
    for (int band = 1; band <= kBandCount; ++band) {
        const LimitEvaluation e = LimitLevels(k2020, FrequencyChoice::Band(band));
        ASSERT_TRUE(e.ok()) << HamBands(band);
        EXPECT_EQ(findCheck(e, LimitCheck::Instantaneous) != nullptr, BandUpperEdge(band) <= 10)
            << HamBands(band);
    }
}

TEST(LimitSets, OutsideTheRangeIsRefusedNamingTheSet) {
    const struct {
        LimitChoice choice;
        FrequencyChoice frequency;
        Refusal refusal;
    } cases[] = {
        {kFcc, FrequencyChoice::Band(1), Refusal::OutsideLimitSet}, // LW below 0.3 MHz
        {kFccOcc, FrequencyChoice::Fixed(0.2999), Refusal::OutsideLimitSet},
        {kFcc, FrequencyChoice::Fixed(100001), Refusal::OutsideLimitSet},
        {k2020, FrequencyChoice::Fixed(0.09), Refusal::OutsideLimitSet},
        {kSc6, FrequencyChoice::Fixed(150001), Refusal::OutsideLimitSet},
        {k1998, FrequencyChoice::Fixed(300000), Refusal::NoLimitAtFrequency},
        {k2020, FrequencyChoice::Fixed(std::nan("")), Refusal::OutsideLimitSet},
        {k2020, FrequencyChoice::Band(0), Refusal::NoBand},
        {kSc6, FrequencyChoice::Band(19), Refusal::NoBand},
    };
    for (const auto& c : cases) {
        const LimitEvaluation e = EvaluateLimits(c.choice, c.frequency, 100, 25);
        EXPECT_EQ(e.refusal, c.refusal) << ComparisonLabel(c.choice);
        EXPECT_TRUE(e.checks.empty());
        EXPECT_EQ(e.SafetyDistance, kUndefined);
        EXPECT_EQ(e.ELimit, kUndefined);
    }
    EXPECT_EQ(LimitRefusalText(Refusal::OutsideLimitSet, kFcc),
              "FCC \xA7"
              "1.1310 gives no reference level outside 0.3 to 100000 MHz!");
    EXPECT_EQ(LimitRefusalText(Refusal::OutsideLimitSet, k2020),
              "ICNIRP 2020 gives no reference level outside 0.1 to 300000 MHz!");
    EXPECT_EQ(LimitRefusalText(Refusal::NegativePower, kFcc), "Power must not be negative!");
    // The band table's set keeps today's refusal and text.
    EXPECT_EQ(LimitRefusalText(Refusal::NoLimitAtFrequency, kDefault),
              RefusalText(Refusal::NoLimitAtFrequency));
    // The other EIRP refusals of the evaluation itself.
    EXPECT_EQ(EvaluateLimits(k2020, FrequencyChoice::Band(12), -1, 0).refusal,
              Refusal::NegativePower);
    EXPECT_EQ(EvaluateLimits(k2020, FrequencyChoice::Band(12), 1, std::nan("")).refusal,
              Refusal::OutOfRange);
}

// The default choice is the band table: level and distance equal `Calculate` bit for bit.
TEST(LimitEvaluation, DefaultEqualsTheBandTableExactly) {
    std::vector<FrequencyChoice> frequencies;
    for (int band = 1; band <= kBandCount; ++band)
        frequencies.push_back(FrequencyChoice::Band(band));
    for (double f :
         {0.003, 0.1,    0.15,  0.5,   1.0,    1.9,    3.65,   9.99,   10.0,    27.0,
          145.0, 399.99, 400.0, 433.0, 1296.0, 1999.0, 2000.0, 2400.0, 10368.0, 299999.0})
        frequencies.push_back(FrequencyChoice::Fixed(f));
    int compared = 0;
    for (const FrequencyChoice& fc : frequencies)
        for (const CalcInput in : {CalcInput{fc, 100, 0.77, 0, 0.25}, CalcInput{fc, 750, 2, 13, 1},
                                   CalcInput{fc, 5, 0, -3, 1.0 / 6}, CalcInput{fc, 0, 0, 0, 0.5}}) {
            const std::string where = std::to_string(fc.BandIDX) + " / " +
                                      std::to_string(fc.FixedFrequency) + " / " +
                                      std::to_string(in.Power);
            const CalcResult today = Calculate(in);
            ASSERT_TRUE(today.ok()) << where;
            const LimitEvaluation e = EvaluateLimits(kDefault, fc, today.EIRP, today.MeanEIRP);
            ASSERT_TRUE(e.ok()) << where;
            ASSERT_EQ(e.checks.size(), 1u);
            EXPECT_EQ(e.ELimit, today.ELimit) << where;
            EXPECT_EQ(e.SafetyDistance, today.SafetyDistance) << where;
            const LimitCalcResult under = CalculateUnderLimits(in, kDefault);
            ASSERT_TRUE(under.ok()) << where;
            for (const auto& [mine, theirs] :
                 {std::pair{under.calc.ELimit, today.ELimit},
                  std::pair{under.calc.SafetyDistance, today.SafetyDistance},
                  std::pair{under.calc.MeanEIRP, today.MeanEIRP},
                  std::pair{under.calc.NearFieldLimit, today.NearFieldLimit}})
                EXPECT_EQ(mine, theirs) << where;
            ++compared;
        }
    EXPECT_EQ(compared, 4 * (kBandCount + 20));
}

TEST(LimitEvaluation, DefaultGivenDistanceAndStationEqualTheBandTable) {
    ScopedNumberSettings point(pointSettings());
    for (int band = 1; band <= kBandCount; ++band) {
        StationSetup s;
        s.frequency = FrequencyChoice::Band(band);
        s.AntennaGain = 6;
        const StationResult today = RecalculateAtDistance(s, 7.5);
        const LimitStationResult mine = RecalculateUnderLimitsAtDistance(s, kDefault, 7.5);
        ASSERT_TRUE(mine.ok()) << HamBands(band);
        EXPECT_EQ(mine.station.Power, today.Power) << HamBands(band);
        EXPECT_EQ(mine.station.calc.SafetyDistance, today.calc.SafetyDistance) << HamBands(band);
        EXPECT_EQ(RecalculateUnderLimits(s, kDefault).station.calc.SafetyDistance,
                  Recalculate(s).calc.SafetyDistance)
            << HamBands(band);
    }
    const CalcInput in{FrequencyChoice::Fixed(433), 100, 0.5, 2, 0.25};
    const GivenDistanceResult today = CalculateAtDistance(in, std::string_view("3.3"));
    const LimitGivenDistanceResult mine =
        CalculateUnderLimitsAtDistance(in, kDefault, std::string_view("3.3"));
    EXPECT_EQ(mine.given.powerText, today.powerText);
    EXPECT_EQ(mine.given.exactPower, today.exactPower);
    EXPECT_EQ(mine.limits.SafetyDistance, today.result.SafetyDistance);
}

TEST(LimitEvaluation, TheLargestDistanceBindsAndPeakPowerIsNotAveraged) {
    // 80m, ICNIRP 2020 public: whole body 300/3.8^0.7, local 671/3.8^0.7, instantaneous 83.
    const FrequencyChoice band80 = FrequencyChoice::Band(3);
    const double peak = 400;
    for (double factor : {1.0, 0.25, 0.01}) {
        const LimitEvaluation e = EvaluateLimits(k2020, band80, peak, peak * factor);
        ASSERT_TRUE(e.ok());
        ASSERT_EQ(e.checks.size(), 3u);
        const LimitCheckResult* inst = findCheck(e, LimitCheck::Instantaneous);
        const LimitCheckResult* whole = findCheck(e, LimitCheck::WholeBody);
        ASSERT_TRUE(inst && whole);
        // The instantaneous check takes the peak EIRP whatever the mode and rhythm.
        EXPECT_EQ(inst->Eirp, peak);
        EXPECT_DOUBLE_EQ(inst->SafetyDistance, std::sqrt(30 * peak) / 83);
        EXPECT_DOUBLE_EQ(whole->SafetyDistance, std::sqrt(30 * peak * factor) / whole->E);
        EXPECT_EQ(e.checks[static_cast<std::size_t>(e.binding)].check, LimitCheck::Instantaneous);
        EXPECT_EQ(e.ELimit, 83);
        EXPECT_EQ(e.SafetyDistance, inst->SafetyDistance);
    }
    // On 2m the 30-min whole-body level (27.7 V/m) binds over the local one (62 V/m).
    const LimitEvaluation two = EvaluateLimits(k2020, FrequencyChoice::Band(12), 100, 25);
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(two.checks.size(), 2u);
    EXPECT_EQ(two.checks[static_cast<std::size_t>(two.binding)].check, LimitCheck::WholeBody);
    EXPECT_EQ(two.ELimit, 27.7);
    EXPECT_DOUBLE_EQ(two.SafetyDistance, std::sqrt(30 * 25.0) / 27.7);
    for (const LimitCheckResult& c : two.checks)
        EXPECT_LE(c.SafetyDistance, two.SafetyDistance);
}

TEST(LimitEvaluation, GroundReflectionScalesDistancesNotTheNearField) {
    const CalcInput in{FrequencyChoice::Band(12), 100, 0, 0, 0.25};
    for (const LimitChoice base : {kDefault, k2020, kFccOcc, kSc6}) {
        const LimitCalcResult none = CalculateUnderLimits(in, base);
        ASSERT_TRUE(none.ok());
        for (const auto& [ground, g] :
             {std::pair{GroundReflection::Typical, 1.6}, std::pair{GroundReflection::Full, 2.0}}) {
            const LimitChoice choice = withGround(base, ground);
            const LimitCalcResult r = CalculateUnderLimits(in, choice);
            ASSERT_TRUE(r.ok());
            EXPECT_DOUBLE_EQ(r.calc.SafetyDistance, g * none.calc.SafetyDistance);
            EXPECT_EQ(r.calc.ELimit, none.calc.ELimit);
            EXPECT_EQ(r.calc.NearFieldLimit, none.calc.NearFieldLimit);
            EXPECT_DOUBLE_EQ(LimitDistanceAtFactor(r.limits, 0.5),
                             g * LimitDistanceAtFactor(none.limits, 0.5));
            // The power for a distance falls with the square of the field factor.
            const double p0 = LimitPowerForDistance(none.limits, 10, 0.25, 0, 0);
            EXPECT_DOUBLE_EQ(LimitPowerForDistance(r.limits, 10, 0.25, 0, 0), p0 / (g * g));
        }
    }
}

TEST(LimitEvaluation, PerAngleDistancesFeedThePatternTable) {
    TWinkAnt w;
    w.VertAngles = {0, 30, 60, 90};
    w.VertAttenuations = {0, 3, 10, 25};
    const double eirp = 300, mean = 75;
    // Default: the same numbers as the band table's per-angle table.
    const LimitEvaluation def = EvaluateLimits(kDefault, FrequencyChoice::Band(12), eirp, mean);
    const PatternLists today = ComputePattern(w, Polarisation::Vertical, eirp, mean, BandLimit(12));
    const PatternLists mine = ComputePattern(w, Polarisation::Vertical, eirp, def.SafetyDistance);
    for (std::size_t k = 0; k < w.VertAngles.size(); ++k) {
        EXPECT_DOUBLE_EQ(mine.PatternDistances[k], today.PatternDistances[k]);
        EXPECT_DOUBLE_EQ(mine.PatternDistances[k],
                         LimitDistanceAtFactor(def, std::pow(10.0, -w.VertAttenuations[k] / 10)));
    }
    // Under a set with an instantaneous check the direction's distance is the largest check.
    const LimitEvaluation e = EvaluateLimits(k2020, FrequencyChoice::Band(3), eirp, mean);
    const PatternLists p = ComputePattern(w, Polarisation::Vertical, eirp, e.SafetyDistance);
    EXPECT_EQ(p.PatternDistances[0], e.SafetyDistance);
    EXPECT_DOUBLE_EQ(p.PatternDistances[2], std::sqrt(30 * eirp / 10) / 83);
    EXPECT_DOUBLE_EQ(p.PatternDistances[2], LimitDistanceAtFactor(e, 0.1));
    // No distances from a refused evaluation or from levels without EIRPs.
    EXPECT_EQ(LimitDistanceAtFactor(EvaluateLimits(kFcc, FrequencyChoice::Band(1), 1, 1), 1),
              kUndefined);
    EXPECT_EQ(LimitDistanceAtFactor(LimitLevels(k2020, FrequencyChoice::Band(3)), 1), kUndefined);
}

// The inverse: the power found for a distance meets every check there, on every band.
TEST(LimitEvaluation, GivenDistanceIsMetUnderEverySet) {
    ScopedNumberSettings point(pointSettings());
    for (const LimitChoice& base : ComparisonChoices())
        for (const GroundReflection ground : {GroundReflection::None, GroundReflection::Full})
            for (int band = 2; band <= kBandCount; ++band) {
                const LimitChoice choice = withGround(base, ground);
                const std::string where =
                    ComparisonLabel(choice) + " " + GroundWord(ground) + " " + HamBands(band);
                StationSetup s;
                s.frequency = FrequencyChoice::Band(band);
                const LimitStationResult r = RecalculateUnderLimitsAtDistance(s, choice, 5);
                ASSERT_TRUE(r.ok()) << where << " " << RefusalText(r.station.refusal);
                EXPECT_EQ(FormatCalcResult(r.station.calc, 0).EditrPS, "5.00") << where;
                EXPECT_EQ(r.limits.SafetyDistance, r.station.calc.SafetyDistance) << where;
                EXPECT_EQ(r.station.calc.ELimit, r.limits.ELimit) << where;
            }
    // The text path and its refusals are those of the band table's dialog.
    const CalcInput in{FrequencyChoice::Band(3), 100, 0, 0, 0.25};
    const LimitGivenDistanceResult bad = CalculateUnderLimitsAtDistance(in, k2020, "abc");
    EXPECT_EQ(bad.given.refusal, Refusal::DistanceNotReal);
    EXPECT_EQ(bad.limits.refusal, Refusal::DistanceNotReal);
    CalcInput noFactor = in;
    noFactor.Factor = 0;
    EXPECT_EQ(CalculateUnderLimitsAtDistance(noFactor, k2020, 5.0).given.refusal,
              Refusal::NoFactor);
    EXPECT_EQ(CalculateUnderLimitsAtDistance(in, kFcc, 5.0).given.refusal, Refusal::None);
    const CalcInput lw{FrequencyChoice::Band(1), 100, 0, 0, 0.25};
    EXPECT_EQ(CalculateUnderLimitsAtDistance(lw, kFcc, 5.0).given.refusal,
              Refusal::OutsideLimitSet);
}

// The set's frequency refusal comes before the cable page's, as the band table's does.
TEST(LimitEvaluation, StationRefusalsFollowTheSet) {
    const LimitChoice sc6Occ{LimitSet::Sc6, LimitTier::Occupational, GroundReflection::None};
    const struct {
        FrequencyChoice frequency;
        double power;
        LimitChoice choice;
        Refusal refusal;
    } cases[] = {
        {FrequencyChoice::Band(1), 100, kFcc, Refusal::OutsideLimitSet},
        {FrequencyChoice::Band(1), 100, kSc6, Refusal::None},
        {FrequencyChoice::Fixed(0.05), 100, k2020, Refusal::OutsideLimitSet},
        {FrequencyChoice::Fixed(0.05), 100, kDefault, Refusal::CableFrequencyOutOfRange},
        {FrequencyChoice::Band(12), 100, sc6Occ, Refusal::NoLimitTier},
        {FrequencyChoice::Band(12), -1, kSc6, Refusal::NegativePower},
    };
    for (const auto& c : cases) {
        StationSetup s;
        s.frequency = c.frequency;
        s.Power = c.power;
        const LimitStationResult r = RecalculateUnderLimits(s, c.choice);
        const std::string where = ComparisonLabel(c.choice) + " " + std::to_string(c.power);
        EXPECT_EQ(r.station.refusal, c.refusal) << where;
        EXPECT_EQ(r.limits.refusal, c.refusal) << where;
        EXPECT_EQ(r.limits.checks.empty(), c.refusal != Refusal::None) << where;
    }
}

TEST(CompareLimits, SixRowsInOrderWithTheirRefusals) {
    const auto choices = ComparisonChoices(GroundReflection::Typical);
    const char* labels[] = {"ICNIRP1998 public", "ICNIRP2020 public", "ICNIRP2020 occupational",
                            "FCC public",        "FCC occupational",  "SC6 public"};
    for (std::size_t i = 0; i < kComparisonRows; ++i) {
        EXPECT_EQ(ComparisonLabel(choices[i]), labels[i]);
        EXPECT_EQ(choices[i].ground, GroundReflection::Typical);
    }
    // 2m, 100 W peak, 25 W averaged: each row its own binding level.
    const auto rows = CompareLimits(FrequencyChoice::Band(12), 100, 25);
    const double levels[] = {27.5, 27.7, 61, 27.5, 61.4, 22.06};
    for (std::size_t i = 0; i < kComparisonRows; ++i) {
        ASSERT_TRUE(rows[i].ok()) << labels[i];
        EXPECT_EQ(rows[i].choice, ComparisonChoices()[i]);
        EXPECT_DOUBLE_EQ(rows[i].ELimit, levels[i]) << labels[i];
        EXPECT_DOUBLE_EQ(rows[i].SafetyDistance, std::sqrt(30 * 25.0) / levels[i]) << labels[i];
    }
    // LW lies below the FCC table: its two rows are refused, the others computed.
    const auto lw = CompareLimits(FrequencyChoice::Band(1), 100, 25);
    for (std::size_t i = 0; i < kComparisonRows; ++i)
        EXPECT_EQ(lw[i].refusal,
                  choices[i].set == LimitSet::Fcc ? Refusal::OutsideLimitSet : Refusal::None)
            << labels[i];
}

TEST(FccExemption, ThresholdsAndReasons) {
    const struct {
        FrequencyChoice frequency;
        double meanEirp, distance;
        ExemptionOutcome outcome;
        double threshold;
    } cases[] = {
        // 2m at 3 m: 3.83 x 9 = 34.47 W ERP.
        {FrequencyChoice::Band(12), 1.64 * 34.46, 3, ExemptionOutcome::Exempt, 34.47},
        {FrequencyChoice::Band(12), 1.64 * 34.48, 3, ExemptionOutcome::AboveThreshold, 34.47},
        // 20m at 10 m: 3450 x 100 / 14.35² (the band's smallest, at its upper edge).
        {FrequencyChoice::Band(6), 100, 10, ExemptionOutcome::Exempt, 1675.39},
        // 80m: lambda/2pi at 3.5 MHz is 13.63 m.
        {FrequencyChoice::Band(3), 1, 13, ExemptionOutcome::InsideNearField, 40377.4},
        {FrequencyChoice::Band(3), 1, 14, ExemptionOutcome::Exempt, 46828.3},
        // 70cm: 0.0128 x 430 x R² at the lower edge.
        {FrequencyChoice::Band(13), 1, 2, ExemptionOutcome::Exempt, 22.016},
        // Edges: 1.34, 30, 300 and 1500 MHz belong to the lower range.
        {FrequencyChoice::Fixed(0.3), 1, 200, ExemptionOutcome::Exempt, 1920 * 40000.0},
        {FrequencyChoice::Fixed(1.34), 1, 40, ExemptionOutcome::Exempt, 1920 * 1600.0},
        {FrequencyChoice::Fixed(1.3400001), 1, 40, ExemptionOutcome::Exempt, 3074163},
        {FrequencyChoice::Fixed(30), 1, 2, ExemptionOutcome::Exempt, 15.3333},
        {FrequencyChoice::Fixed(30.000001), 1, 2, ExemptionOutcome::Exempt, 15.32},
        {FrequencyChoice::Fixed(300), 1, 2, ExemptionOutcome::Exempt, 15.32},
        {FrequencyChoice::Fixed(300.0001), 1, 2, ExemptionOutcome::Exempt, 15.36},
        {FrequencyChoice::Fixed(1500), 1, 2, ExemptionOutcome::Exempt, 76.8},
        {FrequencyChoice::Fixed(1500.001), 1, 2, ExemptionOutcome::Exempt, 76.8},
        {FrequencyChoice::Fixed(100000), 1, 2, ExemptionOutcome::Exempt, 76.8},
        // No threshold below 0.3 MHz or above 100 GHz, nor for LW.
        {FrequencyChoice::Fixed(0.2999), 1, 5000, ExemptionOutcome::OutsideRange, kUndefined},
        {FrequencyChoice::Fixed(100001), 1, 2, ExemptionOutcome::OutsideRange, kUndefined},
        {FrequencyChoice::Band(1), 1, 5000, ExemptionOutcome::OutsideRange, kUndefined},
    };
    for (const auto& c : cases) {
        const std::string where = std::to_string(c.frequency.BandIDX) + " / " +
                                  std::to_string(c.frequency.FixedFrequency);
        const FccExemption x = EvaluateFccExemption(c.frequency, c.meanEirp, c.distance);
        ASSERT_TRUE(x.ok()) << where;
        EXPECT_EQ(x.outcome, c.outcome) << where;
        EXPECT_EQ(x.Exempt, c.outcome == ExemptionOutcome::Exempt) << where;
        EXPECT_DOUBLE_EQ(x.Erp, c.meanEirp / 1.64) << where;
        if (c.threshold == kUndefined)
            EXPECT_EQ(x.Threshold, kUndefined) << where;
        else
            EXPECT_NEAR(x.Threshold / c.threshold, 1, 1e-5) << where << ": " << x.Threshold;
    }
    // R at lambda/2pi itself is enough; a hair below it is not (a band: at its lower edge).
    for (const FrequencyChoice f : {FrequencyChoice::Band(2), FrequencyChoice::Band(12),
                                    FrequencyChoice::Fixed(1.34), FrequencyChoice::Fixed(1500)}) {
        const double r = EvaluateFccExemption(f, 0, 1).NearField;
        EXPECT_NEAR(r * ReferenceFrequency(f), 47.71, 0.01);
        EXPECT_EQ(EvaluateFccExemption(f, 0, r).outcome, ExemptionOutcome::Exempt) << r;
        EXPECT_EQ(EvaluateFccExemption(f, 0, r * (1 - 1e-9)).outcome,
                  ExemptionOutcome::InsideNearField)
            << r;
    }
    EXPECT_NEAR(EvaluateFccExemption(FrequencyChoice::Band(3), 1, 14).NearField, 13.6324, 1e-4);
    EXPECT_EQ(EvaluateFccExemption(FrequencyChoice::Band(0), 1, 1).refusal, Refusal::NoBand);
    EXPECT_EQ(EvaluateFccExemption(FrequencyChoice::Band(12), 1, -1).refusal,
              Refusal::NegativeDistance);
    EXPECT_EQ(EvaluateFccExemption(FrequencyChoice::Band(12), -1, 1).refusal,
              Refusal::NegativePower);
    EXPECT_EQ(
        EvaluateFccExemption(FrequencyChoice::Band(12), 1, std::numeric_limits<double>::infinity())
            .refusal,
        Refusal::OutOfRange);
    EXPECT_EQ(ExemptionOutcomeText(ExemptionOutcome::InsideNearField), "distance below lambda/2pi");
}

} // namespace
} // namespace radexa
