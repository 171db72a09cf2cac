// Histories, the find text taken from a selection, and go-to targets.
#include "editor/core/find_replace_logic.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(History, NewestFirstAtMostTwenty) {
    QStringList h;
    EXPECT_TRUE(AddToHistory(h, u"one"_s));
    EXPECT_FALSE(AddToHistory(h, u"one"_s));
    EXPECT_FALSE(AddToHistory(h, {}));
    EXPECT_TRUE(AddToHistory(h, u"One"_s));  // case counts
    EXPECT_TRUE(AddToHistory(h, u"one"_s));  // moves up, no duplicate
    EXPECT_EQ(h, (QStringList{u"one"_s, u"One"_s}));
    for (int i = 0; i < 20; ++i)
        AddToHistory(h, QString::number(i));
    ASSERT_EQ(h.size(), kHistorySize);
    EXPECT_EQ(h.first(), u"19"_s);
    EXPECT_EQ(h.last(), u"0"_s);  // "one" and "One" pushed out, oldest first
}

TEST(FindTextFromSelection, CutAtFirstLineBreak) {
    EXPECT_EQ(FindTextFromSelection(u"ab\r\ncd"_s), u"ab"_s);
    EXPECT_EQ(FindTextFromSelection(u"ab\ncd\rx"_s), u"ab\ncd"_s);  // a CR wins over an earlier LF
    EXPECT_EQ(FindTextFromSelection(u"ab\ncd"_s), u"ab"_s);
    EXPECT_EQ(FindTextFromSelection(u"abc"_s), u"abc"_s);
}

TEST(GoToLineTarget, EmptyPastEndAndHugeNumbers) {
    EXPECT_EQ(GoToLineTarget({}, 10), 0);
    EXPECT_EQ(GoToLineTarget(u"0"_s, 10), 0);
    EXPECT_EQ(GoToLineTarget(u"4"_s, 10), 3);
    EXPECT_EQ(GoToLineTarget(u"10"_s, 10), 9);
    EXPECT_EQ(GoToLineTarget(u"11"_s, 10), 9);
    EXPECT_EQ(GoToLineTarget(u"18446744073709551615"_s, 10), 9);
    EXPECT_EQ(GoToLineTarget(u"99999999999999999999"_s, 10), 9);  // twenty digits
    EXPECT_EQ(GoToLineTarget(u"5"_s, 0), 0);
}
