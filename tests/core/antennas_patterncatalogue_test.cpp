#include "core/antennas/angledata.h"
#include "core/antennas/catalogue.h"
#include "core/antennas/patterncatalogue.h"

#include "test_environment.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <optional>

namespace radexa {
namespace {

namespace fs = std::filesystem;

TEST(AngleDataFolders, ProgramFolderFirstThenTheOperatorsOwn) {
    {
        EnvironmentVariable data("XDG_DATA_HOME", "/data/home");
        EnvironmentVariable home("HOME", "/home/op");
        EXPECT_EQ(UserAngleDataFolder(), "/data/home/radexa/ang");
        EXPECT_EQ(AngleDataFolders("/opt/radexa/ang"),
                  (StringArray{"/opt/radexa/ang", "/data/home/radexa/ang"}));
        EXPECT_EQ(AngleDataFolders(""), (StringArray{"/data/home/radexa/ang"}));
    }
    {
        // A relative XDG_DATA_HOME is not used, as the XDG rules say.
        EnvironmentVariable data("XDG_DATA_HOME", "relative/data");
        EnvironmentVariable home("HOME", "/home/op");
        EXPECT_EQ(UserAngleDataFolder(), "/home/op/.local/share/radexa/ang");
    }
    {
        EnvironmentVariable data("XDG_DATA_HOME", nullptr);
        EnvironmentVariable home("HOME", nullptr);
        EXPECT_EQ(UserAngleDataFolder(), "");
        EXPECT_EQ(AngleDataFolders("/opt/radexa/ang"), (StringArray{"/opt/radexa/ang"}));
    }
}

class PatternCatalogue : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::create_directories(m_dir / "program" / "ang");
        m_data.emplace("XDG_DATA_HOME", (m_dir / "data").c_str());
    }
    void TearDown() override {
        m_data.reset();
        TempFolderTest::TearDown();
    }
    std::string programAng() const { return path("program/ang"); }
    std::string userAng() const { return path("data/radexa/ang"); }
    std::string userFile() const { return path("AntUser.txt"); }

    static ImportedPattern pattern() {
        ImportedPattern p;
        p.frequency = 14.2;
        p.maxGain = 7.1;
        p.range = 180;
        p.step = 90;
        p.hasHorizontal = true;
        p.horizontal = {kNoFieldAttenuation, 12.15, kNoFieldAttenuation};
        p.ground = PatternGround::Real;
        p.notes = {"Imported for the test", std::string(kRealGroundNote)};
        return p;
    }
    static ImportedAntennaEntry entry(const std::string& manufacturer = "DL1ABC",
                                      const std::string& name = "Dipole 10m high") {
        return {manufacturer, name, "NEC model", "1"};
    }

    std::optional<EnvironmentVariable> m_data;
};

TEST_F(PatternCatalogue, FindsTheFirstFolderThatHoldsTheFile) {
    const StringArray folders{programAng(), userAng()};
    fs::create_directories(userAng());
    EXPECT_EQ(FindAngleFile(folders, "Example", "MyAnt"), "");
    put("data/radexa/ang/Example MyAnt.ang", "x");
    EXPECT_EQ(FindAngleFile(folders, "Example", "MyAnt"), userAng() + "/Example MyAnt.ang");
    put("program/ang/Example MyAnt.ang", "x");
    EXPECT_EQ(FindAngleFile(folders, "Example", "MyAnt"), programAng() + "/Example MyAnt.ang");
    // What stands there but is no file is found, so that reading it says why.
    fs::create_directories(m_dir / "program/ang/Example Folder.ang");
    EXPECT_EQ(FindAngleFile(folders, "Example", "Folder"), programAng() + "/Example Folder.ang");
    EXPECT_THROW(ReadAngleFile(programAng() + "/Example Folder.ang", 14), AngleDataError);
    EXPECT_EQ(FindAngleFile(folders, "Example", "../MyAnt"), "");
}

TEST_F(PatternCatalogue, NewFilesGoWhereTheOperatorCanWrite) {
    std::string error;
    EXPECT_EQ(WritableAngleDataFolder(programAng(), &error), programAng());
    EXPECT_FALSE(fs::exists(userAng()));
    // No program folder, or a file in its place: the operator's folder, made on the way.
    EXPECT_EQ(WritableAngleDataFolder(path("missing/ang"), &error), userAng());
    EXPECT_TRUE(fs::is_directory(userAng()));
    put("plain", "x");
    EXPECT_EQ(WritableAngleDataFolder(path("plain"), &error), userAng());
    // The operator's folder cannot be made where a file stands.
    EnvironmentVariable data("XDG_DATA_HOME", path("plain").c_str());
    EXPECT_EQ(WritableAngleDataFolder(path("missing/ang"), &error), "");
    EXPECT_NE(error.find("cannot be made"), std::string::npos) << error;
}

TEST_F(PatternCatalogue, SavesTheEntryAndItsAngleFile) {
    put("AntUser.txt", "[DL1ABC]\r\nLoop,Magnetic loop,7.1,-1.5,1,#\r\n");
    const SavedImport saved =
        SaveImportedAntenna(userFile(), programAng(), entry(), pattern(), "Dipole from the test");
    ASSERT_TRUE(saved.ok()) << saved.error;
    EXPECT_EQ(saved.angleFile, programAng() + "/DL1ABC Dipole 10m high.ang");
    EXPECT_EQ(slurp(userFile()), "[DL1ABC]\r\nLoop,Magnetic loop,7.1,-1.5,1,#\r\n"
                                 "Dipole 10m high,NEC model,14.2,7.10,1,#\r\n");

    const TAntennen catalogue = TAntennen::FromTexts({}, slurp(userFile()));
    const int index = catalogue.FindAntenna("Dipole 10m high", "DL1ABC");
    ASSERT_GE(index, 0);
    EXPECT_EQ(catalogue.Data()[index].Gains, (DoubleArray{7.1}));
    const std::string found = FindAngleFile(
        AngleDataFolders(programAng()), catalogue.Manufacturers()[index], catalogue.Names()[index]);
    EXPECT_EQ(found, saved.angleFile);
    const TWinkAnt w = ReadAngleFile(found, 14.0);
    EXPECT_EQ(w.Title, "DL1ABC Dipole 10m high");
    EXPECT_EQ(w.HorAttenuations, pattern().horizontal);
    EXPECT_EQ(w.Notes.front(), "Dipole from the test");
    EXPECT_TRUE(HasRealGroundNote(w));

    // The same entry again is refused, and nothing changes.
    const std::string before = slurp(userFile());
    const SavedImport again = SaveImportedAntenna(userFile(), programAng(), entry(), pattern());
    EXPECT_NE(again.error.find("exists already"), std::string::npos) << again.error;
    EXPECT_EQ(slurp(userFile()), before);
}

TEST_F(PatternCatalogue, AProgramFolderOfAnotherOwnerSendsTheFileToTheOperatorsFolder) {
    const SavedImport saved =
        SaveImportedAntenna(userFile(), path("not-there/ang"), entry(), pattern());
    ASSERT_TRUE(saved.ok()) << saved.error;
    EXPECT_EQ(saved.angleFile, userAng() + "/DL1ABC Dipole 10m high.ang");
    EXPECT_EQ(slurp(userFile()), "[DL1ABC]\r\nDipole 10m high,NEC model,14.2,7.10,1,#\r\n");
}

TEST_F(PatternCatalogue, ANamedFolderIsWrittenOrNothingIs) {
    // The folder the operator named is the only one: a missing one is no reason to write
    // into the operator's own folder, and a file there of the same name does not count.
    const SavedImport missing =
        SaveImportedAntenna(userFile(), path("not-there/ang"), entry(), pattern(), {}, true);
    EXPECT_EQ(missing.error, "The angle folder \"" + path("not-there/ang") + "\" is no folder");
    EXPECT_FALSE(fs::exists(userAng()));
    EXPECT_FALSE(fs::exists(userFile()));
    fs::create_directories(userAng());
    put("data/radexa/ang/DL1ABC Dipole 10m high.ang", "the operator's own");
    const SavedImport named =
        SaveImportedAntenna(userFile(), programAng(), entry(), pattern(), {}, true);
    ASSERT_TRUE(named.ok()) << named.error;
    EXPECT_EQ(named.angleFile, programAng() + "/DL1ABC Dipole 10m high.ang");
    EXPECT_EQ(slurp(userAng() + "/DL1ABC Dipole 10m high.ang"), "the operator's own");
}

TEST_F(PatternCatalogue, ANameAtTheFileNameLimitIsSaved) {
    const SavedImport saved = SaveImportedAntenna(
        userFile(), programAng(), entry(std::string(123, '\xE4'), "abcd"), pattern());
    ASSERT_TRUE(saved.ok()) << saved.error;
    EXPECT_TRUE(fs::exists(saved.angleFile));
}

TEST_F(PatternCatalogue, RefusalsLeaveNothingBehind) {
    struct Case {
        const char* what;
        ImportedAntennaEntry entry;
        std::optional<ImportedPattern> pattern;
        const char* part;
    };
    ImportedPattern noFrequency = pattern();
    noFrequency.frequency = 0;
    ImportedPattern noGain = pattern();
    noGain.gainKnown = false;
    const Case cases[] = {
        {"semicolon", entry("DL1ABC", "Dipole;1"), {}, "must not contain"},
        {"slash", entry("DL1ABC", "Dipole/1"), {}, "must not contain"},
        {"backslash", entry("DL1\\ABC"), {}, "must not contain"},
        {"comma", entry("DL1ABC", "Dipole, 1"), {}, "must not contain"},
        {"line break", entry("DL1ABC", "Dipole\n1"), {}, "must not contain"},
        {"empty name", entry("DL1ABC", ""), {}, "The name must not be empty"},
        {"empty manufacturer", entry(""), {}, "The manufacturer must not be empty"},
        {"bracket", entry("DL1ABC", "[Dipole]"), {}, "must not begin with"},
        // 124 letters ä (two bytes each in UTF-8), a blank, 3 bytes and ".ang": 256 bytes.
        {"too long for a file name",
         entry(std::string(124, '\xE4'), "abc"),
         {},
         "too long for the angle file's name (256 bytes; at most 255)"},
        {"no frequency", entry(), noFrequency, "no frequency"},
        {"no gain", entry(), noGain, "no gain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SavedImport saved =
            SaveImportedAntenna(userFile(), programAng(), c.entry, c.pattern.value_or(pattern()));
        EXPECT_NE(saved.error.find(c.part), std::string::npos) << saved.error;
        EXPECT_EQ(saved.angleFile, "");
    }
    EXPECT_TRUE(fs::is_empty(programAng()));
    EXPECT_FALSE(fs::exists(userFile()));
}

TEST_F(PatternCatalogue, AnExistingAngleFileOrEntryIsNotReplaced) {
    // A shipped file of the same name in the program folder would win over the new one.
    put("program/ang/Generic Wire Dipole 20m.ang", "shipped");
    const SavedImport shipped = SaveImportedAntenna(userFile(), programAng(),
                                                    entry("Generic Wire", "Dipole 20m"), pattern());
    EXPECT_NE(shipped.error.find("An angle file for this antenna exists already"),
              std::string::npos)
        << shipped.error;
    EXPECT_EQ(slurp(programAng() + "/Generic Wire Dipole 20m.ang"), "shipped");
    // An entry of that name in the antenna file, letter case aside.
    put("AntUser.txt", "[dl1abc]\r\ndipole 10M HIGH,Dipole,14.2,2.15,1,#\r\n");
    const SavedImport listed = SaveImportedAntenna(userFile(), programAng(), entry(), pattern());
    EXPECT_NE(listed.error.find("exists already in"), std::string::npos) << listed.error;
    EXPECT_EQ(entries(), (std::vector<std::string>{"AntUser.txt", "program"}));
    EXPECT_EQ(fs::directory_iterator(programAng())->path().filename(),
              "Generic Wire Dipole 20m.ang");
}

TEST_F(PatternCatalogue, AnAntennaFileThatCannotBeWrittenTakesTheAngleFileBack) {
    // The antenna file lies in a folder that does not exist: its write fails after the
    // angle file was written, which then goes again.
    const SavedImport saved =
        SaveImportedAntenna(path("gone/AntUser.txt"), programAng(), entry(), pattern());
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.error.find("gone/AntUser.txt"), std::string::npos) << saved.error;
    EXPECT_TRUE(fs::is_empty(programAng()));
    // An antenna file that exists but cannot be read is left alone, and so is the folder.
    fs::create_directories(m_dir / "folder.txt");
    const SavedImport unreadable =
        SaveImportedAntenna(path("folder.txt"), programAng(), entry(), pattern());
    EXPECT_FALSE(unreadable.ok());
    EXPECT_TRUE(fs::is_empty(programAng()));
}

} // namespace
} // namespace radexa
