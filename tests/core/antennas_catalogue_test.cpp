#include "core/antennas/catalogue.h"

#include "test_files.h"
#include "test_numbers.h"

namespace radexa {
namespace {

TEST(Catalogue, ManufacturerComesFromTheSectionLine) {
    const struct {
        const char* line;
        const char* manufacturer;
    } cases[] = {{"[Foo]", "Foo"},       {"[Foo)", "Foo"},     {"{Foo]", "Foo"}, {"[Foo}", "Foo"},
                 {"[Foo] x", "[Foo] x"}, {"[Foo", "[Foo"},     {"[]", ""},       {"[", "["},
                 {"[Foo] ", "[Foo] "},   {"[[Foo]]", "[Foo]"}, {"[A,B]", "A,B"}, {"(Foo)", "Foo"},
                 {"}Foo{", "Foo"}};
    for (const auto& c : cases) {
        const TAntennen cat = TAntennen::FromTexts(std::string(c.line) + "\nAnt,Yagi,#\n");
        ASSERT_EQ(cat.Count(), 1) << c.line;
        EXPECT_EQ(cat.Manufacturers()[0], c.manufacturer) << c.line;
    }
}

TEST(Catalogue, RecordLinesBeforeAnySectionHaveTheEmptyManufacturer) {
    const TAntennen cat = TAntennen::FromTexts("Ant,Yagi,#\n[Foo]\nB,Dipole,#\n");
    ASSERT_EQ(cat.Count(), 2);
    EXPECT_EQ(cat.Manufacturers(), (StringArray{"", "Foo"}));
    EXPECT_EQ(cat.GetManufacturers(), (StringArray{"", "Foo"}));
}

TEST(Catalogue, RecordFieldsBecomePointLists) {
    const struct {
        const char* line;
        DoubleArray frequencies, gains;
        StringArray elements;
    } cases[] = {
        {"MyAnt,Yagi,14.2,7.5,3,21.3,8.1,3,#", {14.2, 21.3}, {7.5, 8.1}, {"3", "3"}},
        {"MyAnt,Yagi,#", {}, {}, {}},
        {"MyAnt,Yagi", {}, {}, {}},
        {"MyAnt,Yagi,14.2,7.5,3", {14.2}, {7.5}, {}}, // no terminator
        {"MyAnt,Yagi,14.2,abc,3,21.2,8,3,#", {14.2, 21.2}, {8}, {"3", "3"}},
        {"MyAnt,Yagi,x,7.5,3,#", {}, {7.5}, {"3"}},
        {"MyAnt,Yagi,14.2,7.5, 3 el ,#", {14.2}, {7.5}, {" 3 el "}}, // elements kept as text
        {"MyAnt,Yagi,14.2,7.5,3,21.3,", {14.2, 21.3}, {7.5}, {"3"}}, // empty terminator
        {"MyAnt,Yagi, 14.2,-2.15,1,#", {14.2}, {-2.15}, {"1"}},
        {"MyAnt,Yagi,,,,#", {}, {}, {""}},
    };
    for (const auto& c : cases) {
        const TAntennen cat = TAntennen::FromTexts(std::string("[M]\n") + c.line);
        ASSERT_EQ(cat.Count(), 1) << c.line;
        EXPECT_EQ(cat.Names()[0], "MyAnt") << c.line;
        EXPECT_EQ(cat.Types()[0], "Yagi") << c.line;
        EXPECT_EQ(cat.Data()[0].Frequencies, c.frequencies) << c.line;
        EXPECT_EQ(cat.Data()[0].Gains, c.gains) << c.line;
        EXPECT_EQ(cat.Data()[0].Elements, c.elements) << c.line;
    }
}

TEST(Catalogue, BlanksBelongToTheFieldsAndNumbersFollowTheSettings) {
    ScopedNumberSettings scoped(commaSettings());
    const TAntennen cat = TAntennen::FromTexts(" My Ant , Yagi ,144.3,11.5,6,#");
    ASSERT_EQ(cat.Count(), 1);
    EXPECT_EQ(cat.Names()[0], " My Ant ");
    EXPECT_EQ(cat.Types()[0], " Yagi ");
    EXPECT_EQ(cat.Data()[0].Frequencies, (DoubleArray{144.3}));
}

TEST(Catalogue, BlankLinesAndLinesWithoutCommaAreSkipped) {
    const TAntennen cat = TAntennen::FromTexts(
        "[M]\n\nA,Yagi,#\njust text\n   \n(Foo\nB,Dipole,7.1,2.1,1,#\n(C),Yagi,#\n");
    EXPECT_EQ(cat.Names(), (StringArray{"A", "B", "(C)"}));
    EXPECT_EQ(cat.Manufacturers(), (StringArray{"M", "M", "M"}));
    EXPECT_EQ(cat.Data()[1].Frequencies, (DoubleArray{7.1}));
}

TEST(Catalogue, AllLineEndsGiveTheSameCatalogue) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const std::string e(eol);
        const TAntennen cat =
            TAntennen::FromTexts("[A]" + e + "X,Yagi,14,7,3,#" + e + "[B]" + e + "Y,Dip,7,2,1,#");
        EXPECT_EQ(cat.Manufacturers(), (StringArray{"A", "B"})) << cat.Count();
        EXPECT_EQ(cat.Names(), (StringArray{"X", "Y"}));
        EXPECT_EQ(cat.Data()[1].Elements, (StringArray{"1"}));
    }
}

TEST(Catalogue, EmptyTextsGiveAnEmptyCatalogue) {
    const TAntennen cat = TAntennen::FromTexts("", "");
    EXPECT_EQ(cat.Count(), 0);
    EXPECT_TRUE(cat.GetManufacturers().empty());
    EXPECT_EQ(cat.FindAntenna("", ""), -99);
}

TEST(Catalogue, ManufacturersAreDistinctExactlyInOrderOfFirstAppearance) {
    const TAntennen cat = TAntennen::FromTexts("[Foo]\na,t,#\n[Bar]\nb,t,#\n[FOO]\nc,t,#\n"
                                               "[Foo]\nd,t,#\n[Bar]\ne,t,#\n");
    EXPECT_EQ(cat.GetManufacturers(), (StringArray{"Foo", "Bar", "FOO"}));
}

TEST(Catalogue, GetNamesIgnoresLetterCaseAndAppends) {
    const TAntennen cat = TAntennen::FromTexts(
        "[Foo]\na,t,#\n[Bar]\nb,t,#\n[FOO]\nc,t,#\n[Foo]\na,t,#\n[F\xD6O]\nd,t,#\n");
    for (const char* m : {"Foo", "FOO", "foo"}) {
        StringArray names{"kept"};
        cat.GetNames(m, names);
        EXPECT_EQ(names, (StringArray{"kept", "a", "c", "a"})) << m;
    }
    StringArray accented;
    cat.GetNames("f\xF6o", accented); // letters with diacritics are not folded
    EXPECT_TRUE(accented.empty());
}

TEST(Catalogue, FindAntennaGivesTheLastMatchingEntry) {
    const TAntennen cat = TAntennen::FromTexts(
        "[Foo]\nYagi3,t,#\nDipole,t,#\n[Bar]\nYagi3,t,#\n[foo]\nYAGI3,t,#\n[Foo]\nLoop,t,#\n");
    const struct {
        const char* name;
        const char* manufacturer;
        int index;
    } cases[] = {{"Yagi3", "Foo", 3},     {"yagi3", "FOO", 3}, {"Yagi3", "Bar", 2},
                 {"Dipole", "Foo", 1},    {"Loop", "foo", 4},  {"Loop", "Bar", -99},
                 {"Nothing", "Foo", -99}, {"Yagi", "Foo", -99}};
    for (const auto& c : cases)
        EXPECT_EQ(cat.FindAntenna(c.name, c.manufacturer), c.index)
            << c.name << " / " << c.manufacturer;
}

TEST(Catalogue, UserFileFollowsTheCatalogueFile) {
    const TAntennen cat =
        TAntennen::FromTexts("[Foo]\nA,Yagi,14,7,3,#\n[Bar]\nB,Dip,7,2,1,#\n",
                             "[Foo]\nA,Own,14,9,4,#\nC,Own,21,5,2,#\n[Mine]\nD,Own,#\n");
    EXPECT_EQ(cat.GetManufacturers(), (StringArray{"Foo", "Bar", "Mine"}));
    StringArray names;
    cat.GetNames("Foo", names);
    EXPECT_EQ(names, (StringArray{"A", "A", "C"}));
    const int a = cat.FindAntenna("A", "Foo");
    ASSERT_EQ(a, 2); // the user's entry wins
    EXPECT_EQ(cat.Types()[2], "Own");
    EXPECT_EQ(cat.Data()[2].Gains, (DoubleArray{9}));
}

TEST(Catalogue, UserLinesBeforeTheirFirstSectionContinueTheLastCatalogueSection) {
    // Both files are one sequence of lines, read in one pass.
    const TAntennen cat = TAntennen::FromTexts("[Foo]\nA,t,#", "B,t,#\n");
    EXPECT_EQ(cat.Manufacturers(), (StringArray{"Foo", "Foo"}));
}

using CatalogueFiles = TempFolderTest;

TEST_F(CatalogueFiles, ReadsBothFiles) {
    const std::string cat = put("Antennas.txt", "[Foo]\r\nA,Yagi,14,7,3,#\r\n");
    const std::string user = put("AntUser.txt", "[Mine]\r\nB,Own,7,2,1,#\r\n");
    const TAntennen both(cat, user);
    EXPECT_EQ(both.Names(), (StringArray{"A", "B"}));
    EXPECT_EQ(both.GetManufacturers(), (StringArray{"Foo", "Mine"}));
    const TAntennen catalogueOnly(cat, "");
    EXPECT_EQ(catalogueOnly.Names(), (StringArray{"A"}));
}

TEST(PointChoice, FirstPointWithTheSmallestDeviationWithinTenPercent) {
    const struct {
        DoubleArray frequencies;
        double reference;
        int expected;
    } cases[] = {
        {{14.0, 14.2}, 14.0, 0},
        {{14.2, 14.0}, 14.0, 1},
        {{14.2, 16.0}, 14.0, 0},
        {{16.0}, 14.0, -1},
        {{27.125, 28.875}, 28.0, 0}, // both deviate by 1/32
        {{28.875, 27.125}, 28.0, 0},
        {{109.0}, 100.0, 0},
        {{91.0}, 100.0, 0},
        {{111.0}, 100.0, -1},
        {{89.0}, 100.0, -1},
        {{50.0, 111.0, 95.0, 104.0}, 100.0, 3},
        {{144.0, 432.0}, 145.0, 0},
        {{144.0, 432.0}, 430.0, 1},
        {{}, 14.0, -1},
        {{14.0}, 0.0, -1},        // no reference frequency
        {{14.0}, kUndefined, -1}, // no band
    };
    for (const auto& c : cases) {
        RData data;
        data.Frequencies = c.frequencies;
        data.Gains.assign(c.frequencies.size(), 2.0);
        EXPECT_EQ(FindFittingPoint(data, c.reference), c.expected)
            << c.reference << " with " << c.frequencies.size() << " points";
    }
}

TEST(PointChoice, PointsAfterADroppedNumberAreNotPaired) {
    const struct {
        const char* line;
        double reference;
        int count, fitting;
    } cases[] = {
        {"A,t,14,7,3,21,8,3,#", 21, 2, 1},
        {"A,t,14,x,3,21,8,3,#", 21, 0, -1}, // the gain 8 must not be taken for 14 MHz
        {"A,t,x,7,3,21,8,3,#", 21, 0, -1},  // nor 7 for 21 MHz
        {"A,t,14,7,3,21,x,3,#", 14, 1, 0},
        {"A,t,14,7,3,x,8,3,28,9,3,#", 28, 1, -1},
        {"A,t,14,7,3", 14, 1, 0}, // no terminator: the point still has frequency and gain
    };
    for (const auto& c : cases) {
        const TAntennen cat = TAntennen::FromTexts(c.line);
        EXPECT_EQ(PointCount(cat.Data()[0]), c.count) << c.line;
        EXPECT_EQ(FindFittingPoint(cat.Data()[0], c.reference), c.fitting) << c.line;
        EXPECT_EQ(PointListLines(cat.Data()[0]).size(), static_cast<std::size_t>(c.count));
    }
}

TEST(PointChoice, PointLinesHaveFixedColumns) {
    const struct {
        double frequency, gain;
        const char* elements;
        const char* point;
        const char* comma;
    } cases[] = {
        {14.2, 7.5, "3", " 14.20 7.500   3", " 14,20 7,500   3"},
        {0.1357, 0, "1", "0.1357 0.000   1", "0,1357 0,000   1"},
        {144.0, 12.25, "10", "144.00 12.25  10", "144,00 12,25  10"},
        {2320.0, -2.15, "1", "2320.0 -2.15   1", "2320,0 -2,15   1"},
        {10368.0, 123.4, "1234", " 10368 123.4 1234", " 10368 123,4 1234"},
        {3.5, 2.14, "", "  3.50 2.140    ", "  3,50 2,140    "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatPointLine(c.frequency, c.gain, c.elements), c.point);
        ScopedNumberSettings scoped(commaSettings());
        EXPECT_EQ(FormatPointLine(c.frequency, c.gain, c.elements), c.comma);
    }
}

TEST(PointChoice, PointListShowsEveryPointAndBlanksForAMissingElementCount) {
    const TAntennen cat = TAntennen::FromTexts("A,t,14.2,7.5,3,21.3,8.1,4,#");
    EXPECT_EQ(PointListLines(cat.Data()[0]), (StringArray{" 14.20 7.500   3", " 21.30 8.100   4"}));
    const TAntennen noTerminator = TAntennen::FromTexts("A,t,14.2,7.5,3,21.3,8.1,4");
    EXPECT_EQ(PointListLines(noTerminator.Data()[0]),
              (StringArray{" 14.20 7.500   3", " 21.30 8.100    "}));
}

} // namespace
} // namespace radexa
