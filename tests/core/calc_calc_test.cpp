#include "core/calc/calc.h"
#include "core/support/textnumbers.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace radexa {
namespace {

// The start-up station: "2m", 100 W, "SSB", "TX3 RX3", "FCC", RG213 of 10 m, 0 dB, 0 dBi.
CalcInput startupInput() {
    const StationResult s = Recalculate(StationSetup{});
    CalcInput in;
    in.TotalAtt = s.cable.TotalAtt;
    in.Factor = s.factors.Factor;
    return in;
}

void expectTexts(const CalcTexts& t, const char* eps, const char* antIn, const char* eirp,
                 const char* rps, const char* nahfeld, const char* gain) {
    EXPECT_EQ(t.EditEps, eps);
    EXPECT_EQ(t.EditAntIn, antIn);
    EXPECT_EQ(t.EditEIRP, eirp);
    EXPECT_EQ(t.EditrPS, rps);
    EXPECT_EQ(t.EditrNahfeld, nahfeld);
    EXPECT_EQ(t.EditGain, gain);
}

TEST(SmallFunctions, DecibelsAndNearField) {
    EXPECT_DOUBLE_EQ(Pow10dB(0), 1);
    EXPECT_DOUBLE_EQ(Pow10dB(10), 10);
    EXPECT_DOUBLE_EQ(Pow10dB(-20), 0.01);
    EXPECT_NEAR(Pow10dB(3), 1.99526, 1e-5);
    EXPECT_NEAR(NearField(145), 0.3290583, 1e-7); // 299792500 / 145e6 / 2 pi
    EXPECT_NEAR(NearField(144), 0.3313435, 1e-7);
}

TEST(Calculate, StartupStation) {
    ScopedNumberSettings point(pointSettings());
    const StationResult s = Recalculate(StationSetup{});
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(FormatReal("%6.4f", s.cable.TotalAtt), "0.7730");
    EXPECT_DOUBLE_EQ(s.factors.Factor, 0.25);
    EXPECT_DOUBLE_EQ(s.Power, 100);
    expectTexts(FormatCalcResult(s.calc, 0), "27.50", "83.70", "83.70", "0.91", "0.33", "0.00");
    EXPECT_DOUBLE_EQ(s.calc.MeanEIRP, s.calc.EIRP * 0.25);
}

TEST(Calculate, GivenDistanceRoundsThePowerAndRecalculates) {
    ScopedNumberSettings point(pointSettings());
    const GivenDistanceResult g = CalculateAtDistance(startupInput(), std::string_view("10"));
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(g.powerText, "12047.64");
    EXPECT_DOUBLE_EQ(g.Power, 12047.64);
    EXPECT_NE(g.exactPower, g.Power);
    EXPECT_EQ(FormatCalcResult(g.result, 0).EditrPS, "10.00");
    // Rounded to two decimals, the distance is met to within that rounding, not exactly.
    EXPECT_NEAR(g.result.SafetyDistance, 10, 1e-5);
}

TEST(Calculate, GivenDistanceUsesTheProgramNumberSettings) {
    ScopedNumberSettings program(ProgramNumberSettings(pointSettings()));
    const GivenDistanceResult g = CalculateAtDistance(startupInput(), std::string_view("10,0"));
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(g.powerText, "12047,64");
    EXPECT_DOUBLE_EQ(g.Power, 12047.64);
}

TEST(Calculate, GivenDistanceIsMetOnEveryBand) {
    ScopedNumberSettings point(pointSettings());
    for (int band = 1; band <= kBandCount; ++band) {
        StationSetup s;
        s.frequency = FrequencyChoice::Band(band);
        const StationResult r = RecalculateAtDistance(s, 5);
        ASSERT_TRUE(r.ok()) << HamBands(band);
        EXPECT_EQ(FormatCalcResult(r.calc, 0).EditrPS, "5.00") << HamBands(band);
    }
}

TEST(Calculate, GivenDistanceRefusals) {
    const CalcInput ok = startupInput();
    CalcInput noFactor = ok;
    noFactor.Factor = 0;
    const struct {
        CalcInput input;
        const char* distance;
        Refusal refusal;
    } cases[] = {
        {ok, "abc", Refusal::DistanceNotReal},
        {ok, ".5", Refusal::DistanceNotReal},
        {ok, "-1", Refusal::NegativeDistance},
        {ok, "1e200", Refusal::OutOfRange},
        {noFactor, "10", Refusal::NoFactor},
        {{FrequencyChoice::Fixed(0), 100, 0, 0, 0.25}, "10", Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Band(0), 100, 0, 0, 0.25}, "10", Refusal::NoBand},
        {{FrequencyChoice::Band(12), 100, 1e300, 0, 0.25}, "10", Refusal::OutOfRange},
    };
    for (const auto& c : cases) {
        const GivenDistanceResult g = CalculateAtDistance(c.input, std::string_view(c.distance));
        EXPECT_EQ(g.refusal, c.refusal) << c.distance;
        EXPECT_EQ(g.result.refusal, c.refusal) << c.distance;
        EXPECT_TRUE(g.powerText.empty()) << c.distance;
    }
    // Distance 0 needs no power at all; the window shows "---" as for power 0.
    const GivenDistanceResult zero = CalculateAtDistance(ok, 0.0);
    ASSERT_TRUE(zero.ok());
    EXPECT_EQ(zero.Power, 0);
    ScopedNumberSettings point(pointSettings());
    EXPECT_EQ(FormatCalcResult(zero.result, 0).EditrPS, "---");
}

TEST(Calculate, PowerZeroShowsNoDistance) {
    ScopedNumberSettings point(pointSettings());
    CalcInput in = startupInput();
    in.Power = 0;
    const CalcResult r = Calculate(in);
    ASSERT_TRUE(r.ok());
    expectTexts(FormatCalcResult(r, 0), "27.50", "0.00", "0.00", "---", "0.33", "0.00");
}

TEST(Calculate, GainAndAttenuationScaleThePower) {
    CalcInput in = startupInput();
    in.TotalAtt = 0;
    const CalcResult base = Calculate(in);
    in.AntennaGain = 3;
    const CalcResult gain = Calculate(in);
    EXPECT_NEAR(gain.EIRP / base.EIRP, 2, 2 - std::pow(10, 0.3) + 1e-12);
    EXPECT_DOUBLE_EQ(gain.AntInPower, base.AntInPower);
    in.AntennaGain = 0;
    in.TotalAtt = 3;
    const CalcResult att = Calculate(in);
    EXPECT_NEAR(base.AntInPower / att.AntInPower, 2, 2 - std::pow(10, 0.3) + 1e-12);
    // Safety distance follows the square root of the mean EIRP.
    EXPECT_NEAR(gain.SafetyDistance / base.SafetyDistance, std::sqrt(Pow10dB(3)), 1e-12);
}

TEST(Calculate, FixedFrequencyUsesTheSingleLimit) {
    ScopedNumberSettings point(pointSettings());
    const struct {
        double f;
        const char *eps, *nahfeld;
    } cases[] = {{145, "27.50", "0.33"},
                 {1.9, "63.12", "25.11"},
                 {0.003, "87.00", "15904.49"},
                 {299999, "61.00", "0.00"},
                 {430, "28.51", "0.11"}};
    for (const auto& c : cases) {
        CalcInput in = startupInput();
        in.frequency = FrequencyChoice::Fixed(c.f);
        const CalcResult r = Calculate(in);
        ASSERT_TRUE(r.ok()) << c.f;
        const CalcTexts t = FormatCalcResult(r, 0);
        EXPECT_EQ(t.EditEps, c.eps) << c.f;
        EXPECT_EQ(t.EditrNahfeld, c.nahfeld) << c.f;
    }
    EXPECT_EQ(FormatBandEdge(145), "145.00");
}

TEST(Calculate, LimitAndNearFieldDependOnTheFrequencyAlone) {
    for (const FrequencyChoice fc : {FrequencyChoice::Band(2), FrequencyChoice::Band(13),
                                     FrequencyChoice::Fixed(1.9), FrequencyChoice::Fixed(5000)}) {
        const CalcResult ref = Calculate({fc, 100, 0, 0, 1});
        for (const CalcInput in : {CalcInput{fc, 0, 0, 0, 1}, CalcInput{fc, 5000, 6, 12, 0.1},
                                   CalcInput{fc, 1, 0, -20, 0.25}}) {
            const CalcResult r = Calculate(in);
            ASSERT_TRUE(r.ok());
            EXPECT_DOUBLE_EQ(r.ELimit, ref.ELimit);
            EXPECT_DOUBLE_EQ(r.NearFieldLimit, ref.NearFieldLimit);
        }
    }
}

TEST(Calculate, UndefinedInputsAreRefused) {
    ScopedNumberSettings point(pointSettings());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        CalcInput input;
        Refusal refusal;
    } cases[] = {
        {{FrequencyChoice::Band(12), -1, 0, 0, 0.25}, Refusal::NegativePower},
        {{FrequencyChoice::Band(12), -1e-9, 0, 0, 0.25}, Refusal::NegativePower},
        {{FrequencyChoice::Fixed(0.0029), 100, 0, 0, 0.25}, Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Fixed(300000), 100, 0, 0, 0.25}, Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Fixed(0), 100, 0, 0, 0.25}, Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Fixed(-145), 100, 0, 0, 0.25}, Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Band(0), 100, 0, 0, 0.25}, Refusal::NoBand},
        {{FrequencyChoice::Band(19), 100, 0, 0, 0.25}, Refusal::NoBand},
        {{FrequencyChoice::Band(12), 100, 0, 0, -0.5}, Refusal::NoFactor},
        {{FrequencyChoice::Band(12), 1e308, 0, 10, 0.25}, Refusal::OutOfRange},
        {{FrequencyChoice::Band(12), nan, 0, 0, 0.25}, Refusal::OutOfRange},
        {{FrequencyChoice::Band(12), 100, 0, 1e300, 0.25}, Refusal::OutOfRange},
    };
    for (const auto& c : cases) {
        const CalcResult r = Calculate(c.input);
        EXPECT_EQ(r.refusal, c.refusal) << c.input.Power << " " << c.input.frequency.FixedFrequency;
        EXPECT_FALSE(RefusalText(r.refusal).empty());
        const CalcTexts t = FormatCalcResult(r, 0);
        expectTexts(t, "---", "---", "---", "---", "---", "0.00");
    }
}

TEST(Calculate, ExtremeButDefinedInputsGiveFiniteNumbers) {
    // Whatever is not refused comes out as finite numbers: no NaN, no infinity.
    int computed = 0;
    for (double power : {0.0, 1e-300, 1.0, 1e300})
        for (double att : {0.0, 400.0, 1e300, -300.0})
            for (double gain : {-1e300, -40.0, 0.0, 30.0})
                for (double factor : {0.0, 1.0 / 6, 1.0}) {
                    const CalcResult r =
                        Calculate({FrequencyChoice::Band(1), power, att, gain, factor});
                    if (!r.ok()) {
                        EXPECT_EQ(r.refusal, Refusal::OutOfRange);
                        continue;
                    }
                    ++computed;
                    for (double v : {r.ELimit, r.AntInPower, r.EIRP, r.MeanEIRP, r.SafetyDistance,
                                     r.NearFieldLimit})
                        EXPECT_TRUE(std::isfinite(v)) << power << " " << att << " " << gain;
                }
    EXPECT_GT(computed, 100);
}

TEST(Recalculate, CableAndFrequencyRefusalsReachTheStation) {
    const struct {
        StationSetup setup;
        Refusal refusal;
    } cases[] = {
        {{FrequencyChoice::Fixed(0.05), 100, 2, 3, "FCC", 7, 10, 0, 0},
         Refusal::CableFrequencyOutOfRange},
        {{FrequencyChoice::Fixed(50000), 100, 2, 3, "FCC", 7, 0.5, 0, 0},
         Refusal::CableFrequencyOutOfRange},
        {{FrequencyChoice::Fixed(50000), 100, 2, 3, "FCC", 7, 0, 0, 0}, Refusal::None},
        {{FrequencyChoice::Fixed(400000), 100, 2, 3, "FCC", 7, 10, 0, 0},
         Refusal::NoLimitAtFrequency},
        {{FrequencyChoice::Band(6), 100, 2, 3, "FCC", 7, -1, 0, 0},
         Refusal::CableLengthNotPositive},
        {{FrequencyChoice::Band(6), 100, 2, 3, "FCC", 0, 10, 0, 0}, Refusal::NoCable},
        {{FrequencyChoice::Band(6), 100, 2, 9, "FCC", 7, 10, 0, 0}, Refusal::NoFactor},
        {{FrequencyChoice::Band(6), -5, 2, 3, "FCC", 7, 10, 0, 0}, Refusal::NegativePower},
        {{FrequencyChoice::Fixed(0.12), 100, 2, 3, "FCC", 7, 10, 0, 0}, Refusal::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Recalculate(c.setup).refusal, c.refusal)
            << c.setup.frequency.FixedFrequency << " " << c.setup.CableLength;
}

TEST(Recalculate, CableLossIsTakenAtTheReferenceFrequency) {
    StationSetup s;
    s.frequency = FrequencyChoice::Band(6); // "20m", lower edge 14.0 MHz
    s.CableIDX = CableFromName("RG58");
    s.CableLength = 100;
    const StationResult r = Recalculate(s);
    ASSERT_TRUE(r.ok());
    EXPECT_DOUBLE_EQ(r.cable.AttFreq, 14.0);
    EXPECT_DOUBLE_EQ(r.cable.TotalAtt, CableAttenuation(s.CableIDX, 14.0));
    s.frequency = FrequencyChoice::Fixed(14.2);
    EXPECT_DOUBLE_EQ(Recalculate(s).cable.AttFreq, 14.2);
}

} // namespace
} // namespace radexa
