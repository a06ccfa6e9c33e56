#include "fakes.h"

#include "gui/support/text.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

TEST(WindowEdge, TextsCrossAsWindows1252) {
    EXPECT_EQ(fromQ(QString::fromUtf8("Gr\u00F6\u00DFe \u20AC")), "Gr\xF6\xDF"
                                                                  "e \x80");
    EXPECT_EQ(toQ("L\xE4nge"), QString::fromUtf8("L\u00E4nge"));
}

TEST(PlatformSeam, TestsReplaceTheDialogs) {
    testing::FakeDialogs fake;
    EXPECT_EQ(&dialogs(), &fake);
    fake.textAnswers.push_back(QString("10"));
    EXPECT_EQ(dialogs().textInput(nullptr, "c", "p", "x").value(), "10");
    EXPECT_EQ(fake.asked.front(), "c|p|x");
}

} // namespace
} // namespace radexa
