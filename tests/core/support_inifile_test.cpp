#include "core/support/inifile.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

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
    EXPECT_EQ(ini.text(), "[Own]\r\nkeep=me\r\n; note\r\n[Fensterpositionen]\r\nLeft=120\r\nTop=80\r\n");
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

} // namespace
} // namespace radexa
