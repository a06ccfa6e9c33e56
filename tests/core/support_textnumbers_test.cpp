#include "core/support/cp1252.h"
#include "core/support/textnumbers.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>

namespace radexa {
namespace {

TEST(StrToReal, AcceptsThePointAlwaysAndTheCommaOfTheSettings) {
    ScopedNumberSettings comma(commaSettings());
    const struct {
        const char* text;
        double value;
    } cases[] = {{"12.5", 12.5},
                 {"-2.15", -2.15},
                 {"0.05", 0.05},
                 {"3", 3},
                 {"1,5", 1.5},
                 {"1.05", 1.05},
                 {"   7.25", 7.25},
                 {"-0.5", -0.5},
                 {" 42 ", 42},
                 {"+3,25", 3.25},
                 {"1e3", 1000},
                 {"2,5E-1", 0.25},
                 {"1.0000000001", 1.0000000001},
                 {"-0", 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(StrToReal(c.text), c.value) << c.text;
}

std::uint64_t Bits(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// The value as the program has always computed it: the integer part by the C library, plus
// or minus the fraction's digits as an integer divided by pow(10, number of digits).
double ReferenceValue(const std::string& integerPart, const std::string& fraction) {
    const double whole = std::strtod(integerPart.c_str(), nullptr);
    const double part = static_cast<double>(std::strtoll(fraction.c_str(), nullptr, 10)) /
                        std::pow(10.0, static_cast<double>(fraction.size()));
    return integerPart.find('-') != std::string::npos ? whole - part : whole + part;
}

TEST(StrToReal, GivesTheSameBitsAsTheReferenceOverManyRandomNumbers) {
    ScopedNumberSettings comma(commaSettings());
    std::mt19937_64 random(20240607);
    auto digits = [&](std::size_t count) {
        std::string out;
        for (std::size_t i = 0; i < count; ++i)
            out += static_cast<char>('0' + random() % 10);
        return out;
    };
    const char* const signs[] = {"", "-", "+", " ", "  -"};
    for (int i = 0; i < 200000; ++i) {
        const std::string integerPart = signs[random() % 5] + digits(1 + random() % 19);
        // Up to nine digits keep the fraction a 32-bit integer; leading zeros make it longer.
        const std::string fraction =
            std::string(random() % 4 == 0 ? random() % 20 : 0, '0') + digits(1 + random() % 9);
        const std::string text = integerPart + "." + fraction;
        ASSERT_EQ(Bits(StrToReal(text)), Bits(ReferenceValue(integerPart, fraction))) << text;
        ASSERT_EQ(Bits(StrToReal(integerPart)), Bits(std::strtod(integerPart.c_str(), nullptr)))
            << integerPart;
    }
    EXPECT_EQ(Bits(StrToReal("-0.0")), Bits(-0.0));
    EXPECT_EQ(Bits(StrToReal("0.0")), Bits(0.0));
}

TEST(StrToReal, RefusesWhatIsNotANumber) {
    ScopedNumberSettings comma(commaSettings());
    for (const char* bad : {"",
                            " ",
                            "1.",
                            ".5",
                            "-.5",
                            "1.5e3",
                            "1. 5",
                            "1.5 ",
                            "abc",
                            "1,5,3",
                            "1.000.000",
                            "12a",
                            "1,5.3",
                            "1e2.5",
                            "1.-5",
                            "1.12345678901",
                            "1.2147483648",
                            "1e999",
                            "e5",
                            "1e",
                            "--1",
                            "1.+5"}) {
        EXPECT_THROW(StrToReal(bad), ConversionError) << "'" << bad << "'";
    }
}

TEST(StrToReal, CommaIsNotADecimalSeparatorUnderPointSettings) {
    ScopedNumberSettings point(pointSettings());
    EXPECT_THROW(StrToReal("1,5"), ConversionError);
    EXPECT_DOUBLE_EQ(StrToReal("1.5"), 1.5);
}

TEST(StrToReal, ErrorTextsNameTheOffendingPart) {
    ScopedNumberSettings comma(commaSettings());
    try {
        StrToReal("x1");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'x1' ist kein g\xFCltiger Gleitkommawert");
    }
    try {
        StrToReal("1.5e3");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'5e3' ist kein g\xFCltiger Integerwert");
    }
}

TEST(TextHelpers, PositionsPiecesAndComparison) {
    EXPECT_EQ(LastCharPos("a.b.c", '.'), 4);
    EXPECT_EQ(LastCharPos("abc", '.'), -1);
    EXPECT_EQ(LastCharPos("", '.'), -1);
    EXPECT_EQ(TextAfter("abcdef", 2), "cdef");
    EXPECT_EQ(TextAfter("ab", 2), "");
    EXPECT_EQ(SplitText("a;;b;", ';'), (StringArray{"a", "", "b", ""}));
    EXPECT_EQ(SplitText("abc", ';'), (StringArray{"abc"}));
    EXPECT_TRUE(SplitText("", ';').empty());
    EXPECT_TRUE(SameTextNoCase("RG213", "rg213"));
    EXPECT_FALSE(SameTextNoCase("\xD6", "\xF6")); // accented letters are not folded
    EXPECT_FALSE(SameTextNoCase("ab", "abc"));
}

TEST(TextHelpers, ArgumentsFillTheirPlaceholders) {
    const struct {
        const char* text;
        StringArray arguments;
        const char* expected;
    } cases[] = {
        {"ERP %1 W <= %2 W", {"1,5", "3"}, "ERP 1,5 W <= 3 W"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%1%1", {"x"}, "xx"},
        {"%3 has no argument", {"a"}, "%3 has no argument"},
        {"100 % sure, %0, %", {"a"}, "100 % sure, %0, %"},
        {"arguments are not searched: %1", {"%1 %2"}, "arguments are not searched: %1 %2"},
        {"", {"a"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillArguments(c.text, c.arguments), c.expected) << c.text;
}

TEST(TextHelpers, EchoedTextsAreBoundedAndStayOnOneLine) {
    const struct {
        std::string text;
        std::size_t limit;
        std::string shown;
    } cases[] = {
        {"plain \xE4 text", 300, "plain \xE4 text"},
        {"a\r\nb\tc\x1b[0m\x7F", 300, "a??b?c?[0m?"},
        {"\x81\x8D\x8F\x90\x9D\x80\x85", 300, "?????\x80\x85"}, // the undefined bytes only
        {std::string(301, 'x'), 300, std::string(300, 'x') + "\x85"},
        {std::string(300, 'x'), 300, std::string(300, 'x')},
        {"abcdef", 3, "abc\x85"},
        {"", 3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EchoText(c.text, c.limit), c.shown) << c.text;
    EXPECT_EQ(EchoText(std::string(50'000'000, 'y')).size(), kEchoLength + 1);
}

TEST(Formats, FixedPointTextAndInteger) {
    ScopedNumberSettings point(pointSettings());
    EXPECT_EQ(FormatReal("%3.2f", 27.5), "27.50");
    EXPECT_EQ(FormatReal("%7.2f", -1.005), "  -1.00"); // binary value of 1.005 lies below
    EXPECT_EQ(FormatReal("%5.0f", 2.5), "    2");
    EXPECT_EQ(FormatReal("%1.0f W", 100), "100 W");
    EXPECT_EQ(FormatPositiveReal("%3.2f", 0), "---");
    EXPECT_EQ(FormatPositiveReal("%3.2f", -1), "---");
    EXPECT_EQ(FormatPositiveReal("%3.2f", 1.234), "1.23");
    EXPECT_EQ(FormatText("%3s", "H"), "  H");
    EXPECT_EQ(FormatText("%4.4s-Band", "160m"), "160m-Band");
    EXPECT_EQ(FormatText("%4.4s-Band", "70cmX"), "70cm-Band");
    EXPECT_EQ(FormatInt("%5d", -42), "  -42");
    ScopedNumberSettings comma(commaSettings());
    EXPECT_EQ(FormatReal("%3.2f", 1234.5), "1234,50"); // no thousands separator
}

TEST(Formats, BandEdgesByRange) {
    ScopedNumberSettings point(pointSettings());
    EXPECT_EQ(FormatBandEdge(0.1357), "0.1357");
    EXPECT_EQ(FormatBandEdge(3.5), "  3.50");
    EXPECT_EQ(FormatBandEdge(144), "144.00");
    EXPECT_EQ(FormatBandEdge(2320), "2320.0");
    EXPECT_EQ(FormatBandEdge(10000), " 10000");
    EXPECT_EQ(FormatBandEdge(999.999), "1000.00"); // range chosen before rounding
    EXPECT_EQ(FormatBandEdge(-5), "    -5");
}

TEST(Formats, ToWidthAndIntegerDigits) {
    ScopedNumberSettings point(pointSettings());
    EXPECT_EQ(FormatToWidth(5, 7.5), "7.500");
    EXPECT_EQ(FormatToWidth(5, 12.25), "12.25");
    EXPECT_EQ(FormatToWidth(5, 123.4), "123.4");
    EXPECT_EQ(FormatToWidth(5, -7.5), "-7.50");
    EXPECT_EQ(FormatToWidth(3, 12345), " 12345"); // room for the point is kept
    EXPECT_EQ(IntegerDigits(0.7), 1);
    EXPECT_EQ(IntegerDigits(-999.9), 3);
    EXPECT_EQ(IntegerDigits(1000), 4);
    EXPECT_EQ(IntegerDigits(1e15), 16);
    EXPECT_EQ(IntegerDigits(std::nan("")), 1);
}

TEST(Ranges, BoundsAndPercent) {
    EXPECT_FALSE(InRange(1, 0, 1));
    EXPECT_TRUE(InRange(0, 0, 1));
    EXPECT_TRUE(InClosedRange(1, 0, 1));
    EXPECT_TRUE(WithinPercent(105, 100, 5));
    EXPECT_FALSE(WithinPercent(105.1, 100, 5));
    EXPECT_TRUE(WithinPercent(95, 100, 5));
    EXPECT_EQ(PadLeft("Hallo", 9, ' '), "    Hallo");
    EXPECT_EQ(PadLeft("twelve chars", 9, ' '), "twelve chars");
}

TEST(NumberSettingsScope, RestoresThePreviousSettings) {
    const NumberSettings before = CurrentNumberSettings();
    {
        ScopedNumberSettings program(ProgramNumberSettings(before));
        EXPECT_EQ(CurrentNumberSettings().decimalSeparator, ',');
        EXPECT_EQ(CurrentNumberSettings().thousandSeparator, '.');
        EXPECT_EQ(CurrentNumberSettings().listSeparator, before.listSeparator);
    }
    EXPECT_EQ(CurrentNumberSettings(), before);
}

TEST(Cp1252, RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE4\xF6\xA0"), "\u20AC\u00E4\u00F6\u00A0");
    EXPECT_EQ(Utf8ToCp1252("gr\u00FC\u00DF \u2013 \u4E2D"), "gr\xFC\xDF \x96 ?");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");         // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xC0\x80z"), "??z");    // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???"); // surrogate
}

TEST(Cp1252, TellsUtf8TextFromWindows1252Text) {
    const struct {
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"H\xC3\xB6he \xE2\x82\xAC \xF0\x9F\x93\xA1", true},
        {"H\xF6he", false},           // Windows-1252
        {"plain ASCII", false},       // nothing beyond ASCII: either reading is the same
        {"M\xC3\xBCller\xFC", false}, // one stray byte
        {"\xC3", false},              // cut
        {"\xED\xA0\x80", false},      // surrogate
        {"\xC0\xAF", false},          // overlong
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeUtf8(c.bytes), c.utf8) << c.bytes;
}

TEST(Cp1252, FitsOnlyTextWhoseEveryCharacterHasAByte) {
    EXPECT_TRUE(FitsCp1252("Gr\u00FC\u00DFe \u20AC \u2013 \u0178 a?b")); // '?' itself fits
    EXPECT_TRUE(FitsCp1252(""));
    EXPECT_FALSE(FitsCp1252("DL\u04161")); // Cyrillic
    EXPECT_FALSE(FitsCp1252("\xE2\x80\xAE"
                            "abc"));              // right-to-left override
    EXPECT_FALSE(FitsCp1252("\xF0\x9F\x93\xA1")); // beyond the basic plane
    EXPECT_FALSE(FitsCp1252("a\xC3"));            // malformed
}

} // namespace
} // namespace radexa
