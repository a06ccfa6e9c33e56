#include "core/calc/bands.h"
#include "core/support/textnumbers.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radexa {
namespace {

TEST(BandTable, EdgesNamesLimitsAndFrequencyTexts) {
    ScopedNumberSettings point(pointSettings());
    const struct {
        int idx;
        const char* name;
        double lower, upper;
        const char* limit;
        const char* text; // each edge right-aligned in six characters
    } rows[] = {
        {1, "LW", 0.1357, 0.1378, "87.00", "0.1357 - 0.1378"},
        {2, "160m", 1.81, 2.0, "61.52", "  1.81 -   2.00"},
        {3, "80m", 3.5, 3.8, "44.63", "  3.50 -   3.80"},
        {4, "40m", 7.0, 7.2, "32.42", "  7.00 -   7.20"},
        {5, "30m", 10.1, 10.15, "27.50", " 10.10 -  10.15"},
        {6, "20m", 14.0, 14.35, "27.50", " 14.00 -  14.35"},
        {7, "17m", 18.068, 18.168, "27.50", " 18.07 -  18.17"},
        {8, "15m", 21.0, 21.45, "27.50", " 21.00 -  21.45"},
        {9, "12m", 24.89, 24.99, "27.50", " 24.89 -  24.99"},
        {10, "10m", 28.0, 29.7, "27.50", " 28.00 -  29.70"},
        {11, "6m", 50.0, 51.0, "27.50", " 50.00 -  51.00"},
        {12, "2m", 144.0, 146.0, "27.50", "144.00 - 146.00"},
        {13, "70cm", 430.0, 440.0, "28.51", "430.00 - 440.00"},
        {14, "23cm", 1240.0, 1300.0, "48.42", "1240.0 - 1300.0"},
        {15, "13cm", 2320.0, 2450.0, "61.00", "2320.0 - 2450.0"},
        {16, "9cm", 3400.0, 3475.0, "61.00", "3400.0 - 3475.0"},
        {17, "6cm", 5650.0, 5950.0, "61.00", "5650.0 - 5950.0"},
        {18, "3cm", 10000.0, 10500.0, "61.00", " 10000 -  10500"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(HamBands(r.idx), r.name);
        EXPECT_EQ(BandFromName(r.name), r.idx);
        EXPECT_DOUBLE_EQ(BandLowerEdge(r.idx), r.lower);
        EXPECT_DOUBLE_EQ(BandUpperEdge(r.idx), r.upper);
        EXPECT_EQ(FormatReal("%3.2f", BandLimit(r.idx)), r.limit);
        EXPECT_EQ(BandEdgesText(r.idx), r.text);
    }
}

TEST(BandTable, IndexOutsideTheTableIsUndefined) {
    for (int idx : {0, -1, 19, 1000}) {
        SCOPED_TRACE(idx);
        EXPECT_EQ(BandLowerEdge(idx), kUndefined);
        EXPECT_EQ(BandUpperEdge(idx), kUndefined);
        EXPECT_EQ(BandLimit(idx), kUndefined);
        EXPECT_EQ(HamBands(idx), "");
    }
    EXPECT_EQ(BandFromName("2M"), 12); // letter-case-blind, like the list lookups
    EXPECT_EQ(BandFromName("2 m"), 0);
    EXPECT_EQ(BandFromName(""), 0);
}

TEST(BandLimit, TheEdgeWithTheLowestLevelDecides) {
    // Below 10 MHz the limit falls with frequency: the upper edge decides.
    EXPECT_DOUBLE_EQ(BandLimit(2), 87 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(BandLimit(4), 87 / std::sqrt(7.2));
    // Between 400 and 2000 MHz it rises: the lower edge decides.
    EXPECT_DOUBLE_EQ(BandLimit(13), 1.375 * std::sqrt(430.0));
    EXPECT_DOUBLE_EQ(BandLimit(14), 1.375 * std::sqrt(1240.0));
}

TEST(BandLimit, TheScanRunsFromTheLowerEdgeInEightHundredStepsThenTheUpperEdge) {
    DoubleArray seen;
    ForEachBandScanPoint(144, 146, [&](double f) { seen.push_back(f); });
    ASSERT_GE(seen.size(), 801u);
    ASSERT_LE(seen.size(), 802u); // 800 steps, one more where the sum falls short of 146
    EXPECT_EQ(seen.front(), 144);
    EXPECT_EQ(seen.back(), 146);
    EXPECT_NEAR(seen[1] - seen[0], 2.0 / 800, 1e-12);
    for (std::size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_LT(seen[i], 146) << i;
    // A band without width is looked at once at each edge.
    seen.clear();
    ForEachBandScanPoint(10, 10, [&](double f) { seen.push_back(f); });
    EXPECT_EQ(seen, (DoubleArray{10, 10}));
}

TEST(EFieldLimit, RangesIncludeTheLowerBoundOnly) {
    const struct {
        double f, limit;
    } cases[] = {
        {0.003, 87},
        {0.0029, 0},
        {0.15, 87},
        {0.9999, 87},
        {1, 87},
        {10, 27.5},
        {9.99, 87 / std::sqrt(9.99)},
        {400, 27.5},
        {399.99, 27.5},
        {1999, 1.375 * std::sqrt(1999.0)},
        {2000, 61},
        {299999.9, 61},
        {300000, 0},
        {0, 0},
        {-5, 0},
        {1e9, 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(EFieldLimit(c.f), c.limit) << c.f;
    ScopedNumberSettings point(pointSettings());
    EXPECT_EQ(FormatReal("%3.2f", EFieldLimit(9.99)), "27.53");
    EXPECT_EQ(FormatReal("%3.2f", EFieldLimit(1999)), "61.48");
}

TEST(Modes, TextsAndLookup) {
    const char* texts[] = {"PS", "CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "Alle"};
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(ModeText(i), texts[i]);
        EXPECT_EQ(ModeFromText(texts[i]), i);
    }
    EXPECT_EQ(ModeText(9), "NV ");
    EXPECT_EQ(ModeText(-1), "NV ");
    const struct {
        const char* text;
        int idx;
    } lookups[] = {{"  SSB  ", 2},           {"\tCW\r\n", 1},          {"ssb", kUndefinedIndex},
                   {"All", kUndefinedIndex}, {"NV ", kUndefinedIndex}, {"", kUndefinedIndex},
                   {"S SB", kUndefinedIndex}};
    for (const auto& l : lookups)
        EXPECT_EQ(ModeFromText(l.text), l.idx) << "'" << l.text << "'";
    // The radio group's item "All" is shown as the text "Alle".
    EXPECT_EQ(ModeText(static_cast<int>(ModeItems().size())), "Alle");
}

TEST(ModulationFactor, ByModeAndFactorTable) {
    // Columns: FCC, BNetzA, unity; modes 1 to 8 and two outside.
    const struct {
        int mode;
        double fcc, bnetza, unity;
    } rows[] = {{1, 0.4, 1.0, 1.0},  {2, 0.5, 1.0, 1.0}, {3, 0.5, 0.38, 1.0}, {4, 1.0, 1.0, 1.0},
                {5, 1.0, 0.38, 1.0}, {6, 1.0, 1.0, 1.0}, {7, 1.0, 1.0, 1.0},  {8, 1.0, 1.0, 1.0},
                {0, 1.0, 1.0, 1.0},  {9, 1.0, 1.0, 1.0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.mode);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "FCC"), r.fcc);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "fcc"), r.fcc);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "BNetzA (Germany)"), r.bnetza);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "BNETZA"), r.bnetza);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "1"), r.unity);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "other"), 1.0);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, ""), 1.0);
        EXPECT_DOUBLE_EQ(ModulationFactor(r.mode, "BNetz"), 1.0);
    }
}

TEST(Factors, DutyCycleAndResultingFactor) {
    ScopedNumberSettings point(pointSettings());
    const char* shown[] = {"1.00", "0.83", "0.67", "0.50", "0.33", "0.17"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(RhythmItems()[static_cast<std::size_t>(i)].substr(0, 3),
                  "TX" + std::to_string(6 - i));
        EXPECT_EQ(FormatReal("%3.2f", DutyCycle(i)), shown[i]);
    }
    EXPECT_EQ(DutyCycle(-1), kUndefined);
    EXPECT_EQ(DutyCycle(6), kUndefined);

    const struct {
        const char* mode;
        const char* table;
        const char* rhythm;
        double modeFactor, dutyCycle, factor;
    } cases[] = {
        {"SSB", "FCC", "TX3 RX3", 0.5, 0.5, 0.25},
        {"FM", "FCC", "TX6 RX0", 1.0, 1.0, 1.0},
        {"AM", "BNetzA (Germany)", "TX6 RX0", 0.38, 1.0, 0.38},
        {"CW", "BNetzA (Germany)", "TX3 RX3", 1.0, 0.5, 0.5},
        {"TV", "1", "TX1 RX5", 1.0, 1.0 / 6, 1.0 / 6},
        {"CW", "FCC", "TX4 RX2", 0.4, 2.0 / 3, 0.4 * 2 / 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.table + " " + c.rhythm);
        int mode = 0, rhythm = -1;
        for (std::size_t i = 0; i < ModeItems().size(); ++i)
            if (ModeItems()[i] == c.mode)
                mode = static_cast<int>(i) + 1;
        for (std::size_t i = 0; i < RhythmItems().size(); ++i)
            if (RhythmItems()[i] == c.rhythm)
                rhythm = static_cast<int>(i);
        const Factors f = ComputeFactors(mode, c.table, rhythm);
        EXPECT_DOUBLE_EQ(f.ModeFactor, c.modeFactor);
        EXPECT_DOUBLE_EQ(f.DutyCycle, c.dutyCycle);
        EXPECT_DOUBLE_EQ(f.Factor, c.factor);
    }
}

} // namespace
} // namespace radexa
