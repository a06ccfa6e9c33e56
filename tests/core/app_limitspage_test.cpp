// The Limits page as texts: the checks' table, the exemption's line and the refusals of a
// limit set, in the window's languages and number settings.

#include "core/app/limitspage.h"

#include "core/support/numbersettings.h"
#include "test_numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace radexa {
namespace {

LimitEvaluation evaluate(LimitSet set, const FrequencyChoice& frequency) {
    LimitChoice choice;
    choice.set = set;
    return EvaluateLimits(choice, frequency, 1000, 250);
}

TEST(LimitChecksTexts, OneRowPerCheckWithTheBindingOneMarked) {
    ScopedNumberSettings comma(commaSettings());
    // ICNIRP 2020 at 7 MHz: whole body, local and instantaneous.
    const LimitEvaluation limits = evaluate(LimitSet::Icnirp2020, FrequencyChoice::Fixed(7));
    ASSERT_EQ(limits.checks.size(), 3u);
    const LimitChecksTable english = LimitChecksTexts(limits, Language::English);
    ASSERT_EQ(english.rows.size(), 3u);
    EXPECT_EQ(english.header.front(), "Check");
    EXPECT_EQ(english.header.back(), "Distance\r\n[m]");
    EXPECT_EQ(english.binding, limits.binding);
    for (std::size_t r = 0; r < english.rows.size(); ++r) {
        const StringArray& row = english.rows[r];
        ASSERT_EQ(row.size(), 6u);
        const bool binding = static_cast<int>(r) == limits.binding;
        EXPECT_EQ(row[0].size() > 2 && row[0].substr(row[0].size() - 2) == " *", binding) << row[0];
        EXPECT_NE(row[5].find(','), std::string::npos) << "decimal comma: " << row[5];
    }
    EXPECT_EQ(english.rows[2][0].rfind("instantaneous", 0), 0u);
    EXPECT_EQ(english.rows[2][4], "peak");
    EXPECT_EQ(english.rows[0][4], "30 min");
    const LimitChecksTable german = LimitChecksTexts(limits, Language::German);
    EXPECT_EQ(german.rows[0][0].rfind("Ganzk\xF6rper", 0), 0u);
    EXPECT_EQ(german.rows[2][4], "Spitze");
}

TEST(LimitChecksTexts, LevelsTheSetDoesNotGiveShowAsDashes) {
    ScopedNumberSettings comma(commaSettings());
    const LimitChecksTable table = LimitChecksTexts(
        evaluate(LimitSet::Icnirp1998, FrequencyChoice::Band(12)), Language::English);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][0], "ICNIRP 1998 *");
    EXPECT_EQ(table.rows[0][1], "27,50");
    EXPECT_EQ(LimitChecksTexts(LimitEvaluation(), Language::English).rows.size(), 0u);
}

TEST(ExemptionText, EachOutcomeInTheLanguage) {
    ScopedNumberSettings comma(commaSettings());
    FccExemption e;
    e.Erp = 1.5;
    e.Threshold = 3;
    e.NearField = 0.33;
    const struct {
        ExemptionOutcome outcome;
        Language language;
        const char* expected;
    } cases[] = {
        {ExemptionOutcome::Exempt, Language::English,
         "Exempt from evaluation: ERP 1,50 W <= threshold 3,00 W"},
        {ExemptionOutcome::AboveThreshold, Language::German,
         "Bewertung erforderlich: ERP 1,50 W > Schwelle 3,00 W"},
        {ExemptionOutcome::InsideNearField, Language::English,
         "Evaluation required: distance below lambda/2pi (0,33 m)"},
        {ExemptionOutcome::OutsideRange, Language::English,
         "Evaluation required: no exemption threshold at this frequency"},
    };
    for (const auto& c : cases) {
        e.outcome = c.outcome;
        EXPECT_EQ(ExemptionText(e, c.language), c.expected);
    }
    e.refusal = Refusal::NegativeDistance;
    EXPECT_EQ(ExemptionText(e, Language::English), "");
}

// A distance to people typed as "1e150" makes the threshold hundreds of digits long, and
// "1e300" makes it overflow: the line stays short enough to read.
TEST(ExemptionText, HugeNumbersStayShort) {
    ScopedNumberSettings comma(commaSettings());
    FccExemption e;
    e.Erp = 12.758;
    e.outcome = ExemptionOutcome::Exempt;
    const struct {
        double threshold;
        const char* shown;
    } cases[] = {
        {999999999.99, "999999999,99"},
        {3.8299e302, "3,83E+302"},
        {9.999e9, "1,00E+10"},
        {std::numeric_limits<double>::infinity(), "---"},
    };
    for (const auto& c : cases) {
        e.Threshold = c.threshold;
        EXPECT_EQ(ExemptionText(e, Language::English),
                  std::string("Exempt from evaluation: ERP 12,76 W <= threshold ") + c.shown +
                      " W");
    }
    // A safety distance of an absurd power in the table of checks.
    LimitChoice choice;
    const LimitChecksTable table = LimitChecksTexts(
        EvaluateLimits(choice, FrequencyChoice::Band(12), 1e300, 2.5e299), Language::English);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_LT(table.rows[0][5].size(), 12u) << table.rows[0][5];
    EXPECT_NE(table.rows[0][5].find("E+"), std::string::npos) << table.rows[0][5];
}

TEST(LimitRefusalMessage, NamesTheSetAndItsRangeInTheLanguage) {
    ScopedNumberSettings comma(commaSettings());
    LimitChoice fcc;
    fcc.set = LimitSet::Fcc;
    EXPECT_EQ(LimitRefusalMessage(Refusal::OutsideLimitSet, fcc, Language::English),
              "FCC \xA7"
              "1.1310 gives no reference level outside 0,3 - 100000 MHz!");
    EXPECT_EQ(LimitRefusalMessage(Refusal::OutsideLimitSet, fcc, Language::German),
              "FCC \xA7"
              "1.1310 nennt au\xDF"
              "erhalb von 0,3 - 100000 MHz keinen Referenzwert!");
    LimitChoice sc6;
    sc6.set = LimitSet::Sc6;
    EXPECT_EQ(LimitRefusalMessage(Refusal::NoLimitTier, sc6, Language::English),
              LimitSetName(LimitSet::Sc6) + " has no occupational tier!");
    EXPECT_EQ(LimitRefusalMessage(Refusal::NegativePower, fcc, Language::German),
              RefusalText(Refusal::NegativePower));
}

TEST(TrimmedNumber, ShortestForm) {
    ScopedNumberSettings comma(commaSettings());
    EXPECT_EQ(TrimmedNumber(0.1), "0,1");
    EXPECT_EQ(TrimmedNumber(300000), "300000");
    EXPECT_EQ(TrimmedNumber(0.003), "0,003");
}

TEST(AveragingText, ShortTimesAboveTenGigahertzAreNotRoundedAway) {
    ScopedNumberSettings comma(commaSettings());
    // ICNIRP 1998 above 10 GHz and Safety Code 6 above 15 GHz average over 68/f^1.05 and
    // 616000/f^1.2 minutes: at 140 GHz well under one minute.
    const struct {
        LimitSet set;
        double mhz;
        std::string text;
    } cases[] = {
        {LimitSet::Icnirp1998, 145, "6 min"},       {LimitSet::Icnirp1998, 10500, "5,76 min"},
        {LimitSet::Icnirp1998, 140000, "0,38 min"}, {LimitSet::Sc6, 140000, "0,41 min"},
        {LimitSet::Icnirp2020, 145, "30 min"},
    };
    for (const auto& c : cases) {
        const LimitChecksTable table =
            LimitChecksTexts(evaluate(c.set, FrequencyChoice::Fixed(c.mhz)), Language::English);
        ASSERT_FALSE(table.rows.empty()) << c.mhz;
        EXPECT_EQ(table.rows[0][4], c.text) << c.mhz;
    }
}

} // namespace
} // namespace radexa
