// Tests of the number, colour and keyword-class texts of the XML files.
#include "config/core/xml_values.h"

#include <gtest/gtest.h>

#include <climits>

TEST(XmlValues, DecimalFollowsTheValRules) {
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("12ab"), -1);
    EXPECT_EQ(ParseDecimal(" -3"), -3);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    for (const char* bad : {"-", "   ", "4 ", "0x10", "1.5", "2147483648", "99999999999999999999"})
        EXPECT_EQ(ParseDecimal(bad), -1) << bad;
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
}

TEST(XmlValues, ColoursAreReadRedFirstAndStoredRedLow) {
    EXPECT_EQ(ParseRgbColour("FF0000"), 0x0000FF);
    EXPECT_EQ(ParseRgbColour("ff0000"), 0x0000FF);
    EXPECT_EQ(ParseRgbColour("123456"), 0x563412);
    EXPECT_EQ(ParseRgbColour(""), 0);
    for (const char* bad : {"red", "GG0000", "1FFFFFF", " "})
        EXPECT_EQ(ParseRgbColour(bad), -1) << bad;
    for (const char* text : {"FF0000", "00FF00", "0000FF", "ABCDEF", "000001"})
        EXPECT_EQ(FormatRgbColour(ParseRgbColour(text)), QByteArray(text)) << text;
}

TEST(XmlValues, KeywordClassNamesAreExact) {
    EXPECT_EQ(KeywordClassFromName("instre1"), 0);
    EXPECT_EQ(KeywordClassFromName("instre2"), 1);
    EXPECT_EQ(KeywordClassFromName("type1"), 2);
    EXPECT_EQ(KeywordClassFromName("type5"), 6);
    EXPECT_EQ(KeywordClassFromName("8"), 8);
    for (const char* bad : {"9", "type6", "Instre1", "08", ""})
        EXPECT_EQ(KeywordClassFromName(bad), -1) << bad;
    EXPECT_EQ(KeywordClassFromName(nullptr), -1);
}
