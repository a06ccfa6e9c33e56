#include "core/support/inifile.h"

#include "test_files.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

namespace fs = std::filesystem;

TEST(IniFile, ReadsIntegersWithDefaultsForWhatIsMissingOrNotANumber) {
    const IniFile ini("; comment\r\n[Fensterpositionen]\r\nLeft=250\r\nTop= -30 \r\n"
                      "[Other]\nLeft=1\nBroken=12px\nEmpty=\nHuge=99999999999\r");
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "Left", 100), 250);
    EXPECT_EQ(ini.readInteger("fensterpositionen", "TOP", 100), -30);
    EXPECT_EQ(ini.readInteger("Other", "Broken", 100), 100);
    EXPECT_EQ(ini.readInteger("Other", "Empty", 100), 100);
    EXPECT_EQ(ini.readInteger("Other", "Huge", 100), 100);
    EXPECT_EQ(ini.readInteger("Missing", "Left", 100), 100);
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "Width", 7), 7);
}

TEST(IniFile, WritingKeepsOtherContentAndCreatesWhatIsMissing) {
    IniFile ini("[Own]\r\nkeep=me\r\n; note\r\n[Fensterpositionen]\r\nLeft=5\r\n");
    ini.writeInteger("Fensterpositionen", "Left", 120);
    ini.writeInteger("Fensterpositionen", "Top", 80);
    EXPECT_EQ(ini.text(),
              "[Own]\r\nkeep=me\r\n; note\r\n[Fensterpositionen]\r\nLeft=120\r\nTop=80\r\n");
    IniFile fresh;
    fresh.writeInteger("Fensterpositionen", "Left", 100);
    const IniFile reread(fresh.text());
    EXPECT_EQ(reread.readInteger("Fensterpositionen", "Left", 0), 100);
}

TEST(IniFile, SurvivesBytesThatAreNoIniFile) {
    std::string junk;
    for (int i = 0; i < 512; ++i)
        junk += static_cast<char>((i * 37) & 0xFF);
    const IniFile ini(junk + "[\r\n]\r\n[]\r\n=\r\n[a");
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "Left", 100), 100);
    EXPECT_FALSE(ini.text().empty());
}

TEST(IniFile, TheFirstOfManyKeysAndSectionsOfOneNameCounts) {
    std::string text = "[Fensterpositionen]\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "K" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "k7=duplicate\r\n[other]\r\nx=1\r\n[FENSTERPOSITIONEN]\r\nLeft=5\r\nleft=6\r\n";
    IniFile ini(text);
    EXPECT_EQ(ini.readInteger("fensterpositionen", "k7", 0), 7);
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "K19999", 0), 19999);
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "LEFT", 0), 5);
    ini.writeInteger("FensterPositionen", "left", 99);
    ini.writeInteger("New", "Top", 1);
    const IniFile reread(ini.text());
    EXPECT_EQ(reread.readInteger("Fensterpositionen", "Left", 0), 99);
    EXPECT_EQ(reread.readInteger("new", "top", 0), 1);
    EXPECT_EQ(reread.readInteger("Other", "X", 0), 1);
    EXPECT_EQ(reread.text(), ini.text());
    EXPECT_EQ(ini.text().find("duplicate"), std::string::npos);
}

TEST(IniFile, OnlyWholeLinesWithinTheLimitAreRead) {
    const struct {
        std::string bytes;
        std::size_t limit;
        std::string kept;
    } cases[] = {
        {"a=1\r\nb=2\r\n", 10, "a=1\r\nb=2\r\n"}, // all of it fits
        {"a=1\r\nb=2\r\nc", 10, "a=1\r\nb=2\r\n"},
        {"a=1\r\nb=222\r\n", 10, "a=1\r\n"}, // b's line does not end within
        {"a=1\nb=22\r\n", 9, "a=1\nb=22\r"},
        {"abcdefghijk", 10, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniTextWithin(c.bytes, c.limit), c.kept) << c.bytes;
}

using IniFileOnDisk = TempFolderTest;

TEST_F(IniFileOnDisk, AHugeSettingsFileIsReadOnlyAsFarAsTheLimit) {
    std::string text = "[Fensterpositionen]\r\nLeft=250\r\n";
    while (text.size() < kIniReadLimit - 4)
        text += "; filler\r\n";
    text += "Top=80\r\n" + std::string(10 << 20, 'x') + "\r\nTop=90\r\n";
    const std::string file = put("Radexa.ini", text);
    std::string error;
    const IniFile ini = ReadIniFile(file, &error);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "Left", 0), 250);
    EXPECT_EQ(ini.readInteger("Fensterpositionen", "Top", 0), 0); // its line ends beyond
    EXPECT_LE(ini.text().size(), kIniReadLimit);

    fs::create_directory(path("folder.ini"));
    EXPECT_EQ(ReadIniFile(path("folder.ini"), &error).text(), "");
    EXPECT_NE(error.find(path("folder.ini")), std::string::npos) << error;
    EXPECT_EQ(ReadIniFile(path("missing.ini")).text(), "");
}

} // namespace
} // namespace radexa
