#include "core/calc/cable.h"
#include "core/support/textnumbers.h"
#include "core/support/types.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace radexa {
namespace {

TEST(CableAttenuation, InterpolatesInTheLogarithmOfTheFrequency) {
    ScopedNumberSettings point(pointSettings());
    const struct {
        const char* cable;
        double f;
        const char* shown; // "%3.2f"
    } cases[] = {
        {"RG213", 144, "7.73"},          {"RG58", 14, "5.67"},
        {"RG213", 430, "15.02"},         {"H2000", 1240, "14.86"},
        {"Aircom plus", 0.1357, "0.23"}, {"RG213", 10000, "142.03"},
        {"EcoFlex 15", 0.15, "0.22"},
    };
    for (const auto& c : cases) {
        const int idx = CableFromName(c.cable);
        ASSERT_GT(idx, 0) << c.cable;
        EXPECT_EQ(FormatReal("%3.2f", CableAttenuation(idx, c.f)), c.shown)
            << c.cable << " at " << c.f;
    }
    const int rg213 = CableFromName("RG213");
    EXPECT_NEAR(CableAttenuation(rg213, 144), 7.72977, 5e-6);
    // Halfway in the logarithm between 100 and 200 MHz lies the mean of the two values.
    EXPECT_NEAR(CableAttenuation(rg213, std::sqrt(100.0 * 200.0)), (6.12 + 9.18) / 2, 1e-12);
}

TEST(CableAttenuation, TablePointsGiveTheTableValue) {
    const struct {
        const char* cable;
        double f, value;
    } cases[] = {
        {"RG213", 0.1, 0.344},         {"RG213", 100, 6.12},    {"RG213", 5000, 79.7},
        {"RG213", 10000, 142.0333},    {"RG213", 20000, 266.7}, {"Aircom plus", 0.2, 0.24},
        {"H2000", 20000, 31.0},        {"RG174", 1, 2.68},      {"EcoFlex 10", 2000, 21.2},
        {"Aircell 7", 10000, 90.3333}, {"RG220", 0.5, 0.13},    {"H100", 50, 2.9},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(CableAttenuation(CableFromName(c.cable), c.f), c.value, 1e-12)
            << c.cable << " at " << c.f;
}

TEST(CableAttenuation, NoValueOutsideTheTable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double f : {0.0999, 20000.001, 0.0, -5.0, 1e9, nan})
        EXPECT_EQ(CableAttenuation(7, f), kUndefined) << f;
    for (int idx : {0, 11, -1})
        EXPECT_EQ(CableAttenuation(idx, 144), kUndefined) << idx;
    EXPECT_EQ(CableName(1), "Aircom plus");
    EXPECT_EQ(CableName(10), "EcoFlex 15");
    EXPECT_EQ(CableName(11), "");
    EXPECT_EQ(CableFromName("rg213"), 7);
    EXPECT_EQ(CableFromName("RG 213"), 0);
}

TEST(UpdateCable, RefusesInTheOrderOfTheFields) {
    ScopedNumberSettings program(ProgramNumberSettings(pointSettings()));
    const struct {
        const char* length;
        const char* plug;
        int cable;
        double f;
        Refusal refusal;
    } cases[] = {
        {"abc", "0", 7, 144, Refusal::CableLengthNotReal},
        {"", "0", 7, 144, Refusal::CableLengthNotReal},
        {"1.5e3", "0", 7, 144, Refusal::CableLengthNotReal},
        {"abc", "-1", 7, 144, Refusal::CableLengthNotReal},
        {"-3", "0", 7, 144, Refusal::CableLengthNotPositive},
        {"-3", "x", 7, 144, Refusal::CableLengthNotPositive},
        {"10", "x", 7, 144, Refusal::AttenuationNotPositive},
        {"10", "", 7, 144, Refusal::AttenuationNotPositive},
        {"10", "-0.5", 7, 144, Refusal::AttenuationNotPositive},
        {"10", "0", 0, 144, Refusal::NoCable},
        {"10", "0", 7, 0.05, Refusal::CableFrequencyOutOfRange},
        {"0,001", "0", 7, 50000, Refusal::CableFrequencyOutOfRange},
        {"0", "0", 7, 50000, Refusal::None}, // no cable, no cable loss
        {"-0", "2", 7, 0.05, Refusal::None},
        {"1e308", "0", 7, 144, Refusal::OutOfRange},
        {"10", "0", 7, 144, Refusal::None},
        {"0", "0", 7, 144, Refusal::None},
        {"2,5", "1.5", 7, 144, Refusal::None},
    };
    for (const auto& c : cases) {
        const CableValues v = UpdateCableValues(c.cable, c.f, c.length, c.plug);
        EXPECT_EQ(v.refusal, c.refusal) << "'" << c.length << "' '" << c.plug << "' " << c.f;
        if (!v.ok()) {
            EXPECT_EQ(v.TotalAtt, 0);
        } else if (c.f > kCableHighestFrequency || c.f < kCableLowestFrequency) {
            EXPECT_EQ(v.CableAtt100, kUndefined);
            EXPECT_EQ(v.CableAtt, 0);
            EXPECT_FALSE(std::signbit(v.CableLength)); // shown as 0,00, not -0,00
        }
    }
}

TEST(UpdateCable, CombinesCableAndOtherLosses) {
    ScopedNumberSettings point(pointSettings());
    const struct {
        const char* cable;
        double f, length, plug;
        const char *att100, *cableAtt, *total;
    } cases[] = {
        {"RG213", 144, 10, 0, "7.73", "0.77", "0.77"},
        {"RG213", 144, 25, 0, "7.73", "1.93", "1.93"},
        {"RG58", 14, 20, 0.5, "5.67", "1.13", "1.63"},
        {"RG174", 1240, 0, 0, "108.03", "0.00", "0.00"},
        {"H2000", 1240, 0, 1.25, "14.86", "0.00", "1.25"},
    };
    for (const auto& c : cases) {
        const CableValues v = ComputeCable(CableFromName(c.cable), c.f, c.length, c.plug);
        ASSERT_TRUE(v.ok()) << c.cable;
        EXPECT_EQ(FormatReal("%3.2f", v.CableAtt100), c.att100) << c.cable;
        EXPECT_EQ(FormatReal("%3.2f", v.CableAtt), c.cableAtt) << c.cable;
        EXPECT_EQ(FormatReal("%3.2f", v.TotalAtt), c.total) << c.cable;
        EXPECT_DOUBLE_EQ(v.AttFreq, c.f);
    }
    const CableValues startup = ComputeCable(kStartupCable, 144, 10, 0);
    EXPECT_EQ(FormatReal("%6.4f", startup.TotalAtt), "0.7730");
}

TEST(UpdateCable, MessagesOfTheRefusals) {
    EXPECT_EQ(RefusalText(Refusal::CableLengthNotReal), "Cable length must be a real number");
    EXPECT_EQ(RefusalText(Refusal::CableLengthNotPositive),
              "Cable length must be a positive real number!");
    EXPECT_EQ(RefusalText(Refusal::AttenuationNotPositive),
              "Attenuation must be a positive real number!");
    EXPECT_EQ(RefusalText(Refusal::None), "");
}

} // namespace
} // namespace radexa
