#include "core/antennas/ownantennapoint.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

TEST(OwnAntennaPoint, NumbersAreStoredWithTheDecimalPoint) {
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"7,5", "7.5"},
        {" 14,2 ", "14.2"},
        {"-0,5", "-0.5"},
        {"7.5", "7.5"},
        {"144", "144"},
        {"", ""},
        // Not one decimal comma: left for the check to refuse.
        {"1.000,5", "1.000,5"},
        {"1,2,3", "1,2,3"},
        {"abc", "abc"},
    };
    for (const auto& c : cases) {
        const OwnAntennaPoint p = StoredOwnAntennaPoint({c.typed, c.typed, "3,5 "});
        EXPECT_EQ(p.frequency, c.stored) << c.typed;
        EXPECT_EQ(p.gain, c.stored) << c.typed;
        EXPECT_EQ(p.elements, "3,5 ") << "the element count stays as typed";
    }
}

TEST(OwnAntennaPoint, EachPointIsJudgedByTheRulesOfTheFile) {
    using Field = OwnAntennaProblem::Field;
    using Fault = OwnAntennaProblem::Fault;
    const struct {
        OwnAntennaPoint point;
        Field field;
        Fault fault;
    } cases[] = {
        {{"14.2", "7.5", "3"}, Field::None, Fault::None},
        {{"14.2", "-1", ""}, Field::None, Fault::None},
        {{"", "7.5", "3"}, Field::Frequency, Fault::NotANumber},
        {{"14.2", "abc", "3"}, Field::Gain, Fault::NotANumber},
        {{"14.2", "7,5", "3"}, Field::Gain, Fault::Separator}, // as typed, not as stored
        {{"14.2", "7.5", "3,5"}, Field::Elements, Fault::Separator},
    };
    for (const auto& c : cases) {
        const OwnAntennaProblem p = CheckOwnAntennaPoint(c.point, 4);
        EXPECT_EQ(p.field, c.field) << c.point.frequency << " " << c.point.gain;
        EXPECT_EQ(p.fault, c.fault) << c.point.frequency << " " << c.point.gain;
        if (!p.ok()) {
            EXPECT_EQ(p.point, 4);
        }
    }
    EXPECT_EQ(OwnAntennaProblemText("English", CheckOwnAntennaPoint({"1", "x", "1"}, 2)),
              "\"Gain [dBi]\" of point 3 is not a number: x");
    EXPECT_TRUE(CheckOwnAntennaPoint(StoredOwnAntennaPoint({"14,2", "7,5", "3"}), 0).ok());
}

TEST(OwnAntennaPoint, RemoveButtonSpeaksTheDialogLanguage) {
    const struct {
        const char* language;
        std::string button;
    } cases[] = {{"Deutsch", "Punkt &entfernen"},
                 {"English", "&Remove Point"},
                 {"French", "&Remove Point"},
                 {"Swedish", "Ta &bort punkt"}};
    for (const auto& c : cases)
        EXPECT_EQ(OwnPointDialogText(c.language, OwnPointText::ButRemovePoint), c.button);
    // Windows-1252 bytes: the Swedish a-umlaut is one byte.
    EXPECT_NE(OwnPointDialogText("Swedish", OwnPointText::RemovePointHint).find('\xE4'),
              std::string::npos);
}

} // namespace
} // namespace radexa
