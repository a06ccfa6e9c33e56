// The checks of an own antenna before it is appended to the user antenna file.
#include "core/antennas/ownantenna.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

OwnAntenna Good() {
    return {"Yagi 5", "Yagi", "DL1ABC", {{"14.2", "7.5", "3"}}};
}

TEST(OwnAntennaCheck, TextsThatWouldBreakTheFilesAreRefusedWithTheirField) {
    ScopedNumberSettings point(pointSettings());
    using Field = OwnAntennaProblem::Field;
    using Fault = OwnAntennaProblem::Fault;
    const struct {
        void (*change)(OwnAntenna&);
        Field field;
        Fault fault;
    } cases[] = {
        {[](OwnAntenna&) {}, Field::None, Fault::None},
        {[](OwnAntenna& a) { a.name = "Yagi;5"; }, Field::Name, Fault::Semicolon},
        {[](OwnAntenna& a) { a.category = ";"; }, Field::Category, Fault::Semicolon},
        {[](OwnAntenna& a) { a.type = "Yagi;Quad"; }, Field::None, Fault::None}, // not in line 2
        {[](OwnAntenna& a) { a.name = "Yagi,5"; }, Field::Name, Fault::Separator},
        {[](OwnAntenna& a) { a.name = "[x"; }, Field::Name, Fault::BeginsWithBracket},
        {[](OwnAntenna& a) { a.points[0].gain = "x"; }, Field::Gain, Fault::NotANumber},
    };
    for (const auto& c : cases) {
        OwnAntenna a = Good();
        c.change(a);
        const OwnAntennaProblem p = CheckOwnAntenna(a);
        EXPECT_EQ(p.field, c.field) << a.name << " " << a.type << " " << a.category;
        EXPECT_EQ(p.fault, c.fault) << a.name << " " << a.type << " " << a.category;
    }
}

TEST(OwnAntennaCheck, TheWarningNamesTheFieldInEachLanguageAndBoundsTheText) {
    OwnAntenna a = Good();
    a.category = "DL;1";
    const OwnAntennaProblem p = CheckOwnAntenna(a);
    EXPECT_EQ(OwnAntennaProblemText("Deutsch", p),
              "\"Kategorie (Empfehlung: Eig. Rufzeichen)\" darf kein Semikolon (;) enthalten, es "
              "trennt in Stationsdateien Name und Hersteller: DL;1");
    EXPECT_EQ(OwnAntennaProblemText("Swedish", p)
                  .rfind("\"Kategori (t.ex. Din anropssignal)\" f\xE5r "
                         "inte inneh\xE5lla semikolon",
                         0),
              0u);
    a = Good();
    a.name = std::string(10000, 'n') + "\r\n,";
    const std::string warning = OwnAntennaProblemText("English", CheckOwnAntenna(a));
    EXPECT_LT(warning.size(), 400u);
    EXPECT_EQ(warning.back(), '\x85');
    EXPECT_EQ(warning.find('\n'), std::string::npos);
}

} // namespace
} // namespace radexa
