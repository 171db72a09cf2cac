// Tests of the number, colour and keyword-class texts of the XML files.
#include "config/core/xml_values.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ParseDecimal, FollowsTheValRules) {
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("12ab"), -1);
    EXPECT_EQ(ParseDecimal(" -3"), -3);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("16771304"), 16771304);
    EXPECT_EQ(ParseDecimal("-"), -1);
    EXPECT_EQ(ParseDecimal("   "), -1);
    EXPECT_EQ(ParseDecimal("4 "), -1);
    EXPECT_EQ(ParseDecimal("0x10"), -1);
    EXPECT_EQ(ParseDecimal("1.5"), -1);
}

TEST(ParseDecimal, OutOfRangeIsMalformed) {
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseDecimal("2147483648"), -1);
    EXPECT_EQ(ParseDecimal("99999999999999999999999999"), -1);
}

TEST(ParseUnsigned32, AcceptsTheWholeUnsignedRangeOnly) {
    EXPECT_EQ(ParseUnsigned32("4294967295"), 4294967295u);
    EXPECT_EQ(ParseUnsigned32(" 17"), 17u);
    EXPECT_FALSE(ParseUnsigned32("4294967296"));
    EXPECT_FALSE(ParseUnsigned32("-1"));
    EXPECT_FALSE(ParseUnsigned32(""));
    EXPECT_FALSE(ParseUnsigned32("12ab"));
}

TEST(RgbColour, ReadsRedFirstAndStoresRedLow) {
    EXPECT_EQ(ParseRgbColour("FF0000"), 0x0000FF);
    EXPECT_EQ(ParseRgbColour("ff0000"), 0x0000FF);
    EXPECT_EQ(ParseRgbColour("00FF00"), 0x00FF00);
    EXPECT_EQ(ParseRgbColour("0000FF"), 0xFF0000);
    EXPECT_EQ(ParseRgbColour("123456"), 0x563412);
    EXPECT_EQ(ParseRgbColour(""), 0);
    EXPECT_EQ(ParseRgbColour("red"), -1);
    EXPECT_EQ(ParseRgbColour("GG0000"), -1);
    EXPECT_EQ(ParseRgbColour("1FFFFFF"), -1);
}

TEST(RgbColour, WritesBackWhatWasRead) {
    EXPECT_EQ(FormatRgbColour(0x0000FF), "FF0000");
    EXPECT_EQ(FormatRgbColour(0), "000000");
    for (const char* text : {"FF0000", "00FF00", "0000FF", "123456", "ABCDEF", "000001"})
        EXPECT_EQ(FormatRgbColour(ParseRgbColour(text)), QByteArray(text)) << text;
}

TEST(KeywordClassFromName, KnowsTheNamesExactly) {
    EXPECT_EQ(KeywordClassFromName("instre1"), 0);
    EXPECT_EQ(KeywordClassFromName("instre2"), 1);
    EXPECT_EQ(KeywordClassFromName("type1"), 2);
    EXPECT_EQ(KeywordClassFromName("type5"), 6);
    EXPECT_EQ(KeywordClassFromName("0"), 0);
    EXPECT_EQ(KeywordClassFromName("8"), 8);
    EXPECT_EQ(KeywordClassFromName("9"), -1);
    EXPECT_EQ(KeywordClassFromName("type6"), -1);
    EXPECT_EQ(KeywordClassFromName("Instre1"), -1);
    EXPECT_EQ(KeywordClassFromName("08"), -1);
    EXPECT_EQ(KeywordClassFromName(""), -1);
    EXPECT_EQ(KeywordClassFromName(nullptr), -1);
}
