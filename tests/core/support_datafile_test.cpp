#include "core/antennas/catalogue.h"
#include "core/support/datafile.h"

#include "test_files.h"

namespace radexa {
namespace {

namespace fs = std::filesystem;

TDataFile withLines(const StringArray& lines) {
    TDataFile f("unused.txt");
    f.Lines() = lines;
    return f;
}

TEST(SplitLines, EveryLineEndCounts) {
    const struct {
        const char* text;
        StringArray lines;
    } cases[] = {{"", {}},
                 {"a", {"a"}},
                 {"a\r\nb\r\n", {"a", "b"}},
                 {"a\nb", {"a", "b"}},
                 {"a\rb\r", {"a", "b"}},
                 {"a\r\n\r\nb", {"a", "", "b"}},
                 {"a\n\rb", {"a", "", "b"}},
                 {"\n", {""}}};
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(DataFile, SectionLinesHaveABracketAtBothEnds) {
    const struct {
        const char* line;
        bool section;
        const char* name;
    } cases[] = {{"[Foo]", true, "Foo"}, {"(Foo}", true, "Foo"}, {"{Foo)", true, "Foo"},
                 {"[]", true, ""},       {"][", true, ""},       {"[", false, ""},
                 {"[Foo] x", false, ""}, {"Foo]", false, ""},    {"", false, ""},
                 {" [Foo]", false, ""}};
    for (const auto& c : cases) {
        std::string name = "untouched";
        EXPECT_EQ(TDataFile::IsSectionLine(c.line, &name), c.section) << c.line;
        if (c.section) {
            EXPECT_EQ(name, c.name) << c.line;
        }
    }
}

TEST(DataFile, SectionQueries) {
    const TDataFile f =
        withLines({"head", "[A]", "a1", "a2", "(B)", "[C]", "c1", "{A}", "a3", "[D]"});
    EXPECT_EQ(f.SectionNames(), (StringArray{"A", "B", "C", "A", "D"}));
    const struct {
        const char* name;
        bool exists;
        int index;
        const char* next;
        int lastLine;
    } cases[] = {{"A", true, 7, "B", 8}, {"B", true, 4, "C", -1}, {"C", true, 5, "A", 6},
                 {"D", true, 9, "", -1}, {"a", false, -1, "", 9}, {"E", false, -1, "", 9}};
    for (const auto& c : cases) {
        EXPECT_EQ(f.SectionExists(c.name), c.exists) << c.name;
        EXPECT_EQ(f.IndexOfSection(c.name), c.index) << c.name;
        EXPECT_EQ(f.NextSectionName(c.name), c.next) << c.name;
        EXPECT_EQ(f.LastLineOfSection(c.name), c.lastLine) << c.name;
    }
    EXPECT_EQ(withLines({}).LastLineOfSection("A"), -1);
}

TEST(DataFile, AddSectionAppendsOnlyNewNames) {
    TDataFile f = withLines({"[Foo]", "x"});
    f.AddSection("Foo");
    EXPECT_EQ(f.Lines(), (StringArray{"[Foo]", "x"}));
    f.AddSection("foo"); // names compare exactly
    f.AddSection("Bar");
    EXPECT_EQ(f.Lines(), (StringArray{"[Foo]", "x", "[foo]", "[Bar]"}));
}

TEST(DataFile, AddLineMakesTheLineTheLastOfItsSection) {
    const struct {
        StringArray before;
        const char* section;
        StringArray after;
    } cases[] = {
        {{"[A]", "a1", "[B]", "b1"}, "A", {"[A]", "a1", "new", "[B]", "b1"}},
        {{"[A]", "a1", "[B]", "b1"}, "B", {"[A]", "a1", "[B]", "b1", "new"}},
        {{"[A]", "[B]", "b1"}, "A", {"[A]", "new", "[B]", "b1"}},
        {{"[A]", "a1", "[B]"}, "B", {"[A]", "a1", "[B]", "new"}},
        {{"[A]"}, "A", {"[A]", "new"}},
        {{}, "A", {"new"}},
        {{"[A]", "a1"}, "Missing", {"[A]", "a1", "new"}},
        // a name that occurs twice: the last section of that name
        {{"[A]", "a1", "[B]", "b1", "[A]", "a2", "[C]"},
         "A",
         {"[A]", "a1", "[B]", "b1", "[A]", "a2", "new", "[C]"}},
        // the section after it has a name that occurs again later
        {{"[A]", "a1", "[B]", "b1", "[C]", "c1", "[B]", "b2"},
         "A",
         {"[A]", "a1", "new", "[B]", "b1", "[C]", "c1", "[B]", "b2"}},
        // the section after it has the empty name
        {{"[A]", "a1", "[]", "x1"}, "A", {"[A]", "a1", "new", "[]", "x1"}},
    };
    for (const auto& c : cases) {
        TDataFile f = withLines(c.before);
        f.AddLine(c.section, "new");
        EXPECT_EQ(f.Lines(), c.after) << c.section << " in " << c.before.size() << " lines";
    }
}

using DataFileOnDisk = TempFolderTest;

// What the own-antenna dialog does with the user file.
bool saveAntenna(const std::string& file, const std::string& category, const std::string& record) {
    TDataFile f(file);
    if (!f.Load())
        return false;
    if (!f.SectionExists(category))
        f.AddSection(category);
    f.AddLine(category, record);
    return f.Save();
}

TEST_F(DataFileOnDisk, SavingAnAntennaKeepsTheRestOfTheFile) {
    const std::string user = put("AntUser.txt", "[Foo]\nA,Yagi,14,7,3,#\r[Bar]\r\nB,Dip,7,2,1,#");
    ASSERT_TRUE(saveAntenna(user, "Foo", "C,Loop,#"));
    ASSERT_TRUE(saveAntenna(user, "Foo", "D,Loop,#"));
    ASSERT_TRUE(saveAntenna(user, "foo", "E,Loop,#"));
    EXPECT_EQ(slurp(user), "[Foo]\r\nA,Yagi,14,7,3,#\r\nC,Loop,#\r\nD,Loop,#\r\n[Bar]\r\n"
                           "B,Dip,7,2,1,#\r\n[foo]\r\nE,Loop,#\r\n");
    const TAntennen cat("", user);
    EXPECT_EQ(cat.GetManufacturers(), (StringArray{"Foo", "Bar", "foo"}));
    EXPECT_EQ(cat.FindAntenna("D", "Foo"), 2);
}

TEST_F(DataFileOnDisk, AMissingFileLoadsEmptyAndIsCreatedBySave) {
    const std::string user = path("AntUser.txt");
    ASSERT_TRUE(saveAntenna(user, "MYCLUB", "MyAnt,MyAntTyp,10,3,1,#"));
    EXPECT_EQ(slurp(user), "[MYCLUB]\r\nMyAnt,MyAntTyp,10,3,1,#\r\n");
}

TEST_F(DataFileOnDisk, SaveReleasesTheLinesOnlyWhenWritten) {
    TDataFile f(path("out.txt"));
    f.Lines() = {"[A]", "x"};
    ASSERT_TRUE(f.Save());
    EXPECT_TRUE(f.Lines().empty());
    EXPECT_EQ(slurp(path("out.txt")), "[A]\r\nx\r\n");
    // That a failed save keeps them is checked by the FailingFiles tests.
}

TEST_F(DataFileOnDisk, AFailedSaveLeavesTheOldFileAsItWas) {
    // A folder in the place of the file cannot be replaced by a file.
    const std::string target = path("AntUser.txt");
    fs::create_directories(fs::path(target) / "inside");
    TDataFile f(target);
    f.Lines() = {"new"};
    std::string error;
    EXPECT_FALSE(f.Save(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(fs::path(target) / "inside"));
    EXPECT_EQ(entries(), std::vector<std::string>{"AntUser.txt"}); // no temporary file left
}

TEST_F(DataFileOnDisk, AFileThatCannotBeReadIsNotTakenForAnEmptyOne) {
    // Saving after such a load would throw away the operator's antennas.
    fs::create_directories(path("AntUser.txt"));
    TDataFile f(path("AntUser.txt"));
    std::string error;
    EXPECT_FALSE(f.Load(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(saveAntenna(path("AntUser.txt"), "A", "x,y,#"));
}

} // namespace
} // namespace radexa
