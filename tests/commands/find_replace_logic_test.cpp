// Search ranges, wrap, counting, replace-all arithmetic, histories and go-to targets on plain text.
#include "editor/core/find_replace_logic.h"

#include <gtest/gtest.h>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// A finder over a std::string, forwards and backwards, as the editor searches.
class TextFinder {
public:
    std::string text;
    std::string needle;
    int calls = 0;

    MatchFinder Finder() {
        return [this](long from, long to) -> std::optional<TextMatch> {
            ++calls;
            const long n = long(needle.size());
            if (from <= to) {
                const auto at = text.find(needle, std::size_t(from));
                if (at == std::string::npos || long(at) + n > to)
                    return std::nullopt;
                return TextMatch{long(at), long(at) + n};
            }
            if (from - n < to)
                return std::nullopt;
            const auto at = text.rfind(needle, std::size_t(from - n));
            if (at == std::string::npos || long(at) < to)
                return std::nullopt;
            return TextMatch{long(at), long(at) + n};
        };
    }
    MatchReplacer Replacer(const std::string& with) {
        return [this, with](const TextMatch& m) {
            text.replace(std::size_t(m.start), std::size_t(m.end - m.start), with);
            return long(with.size());
        };
    }
};

CaretState At(long caret, long length) { return {caret, caret, caret, length}; }

}  // namespace

TEST(FindText, DownFromCaretAndWrap) {
    TextFinder f{"x ab ab y", "ab"};
    const long L = long(f.text.size());
    EXPECT_EQ(FindText(f.Finder(), At(0, L), true, false)->start, 2);
    EXPECT_EQ(FindText(f.Finder(), At(3, L), true, false)->start, 5);
    // After the last match: nothing without wrap, the first with it.
    EXPECT_FALSE(FindText(f.Finder(), At(8, L), true, false));
    EXPECT_EQ(FindText(f.Finder(), At(8, L), true, true)->start, 2);
}

TEST(FindText, SelectionBoundsTheSearch) {
    TextFinder f{"ab ab ab", "ab"};
    const long L = long(f.text.size());
    // Up with the middle match selected starts at its start, so finds the first one.
    EXPECT_EQ(FindText(f.Finder(), CaretState{5, 3, 5, L}, false, false)->start, 0);
    // Down past the selection.
    EXPECT_EQ(FindText(f.Finder(), CaretState{3, 3, 5, L}, true, false)->start, 6);
    // Up from the first match wraps to the last one.
    EXPECT_EQ(FindText(f.Finder(), CaretState{2, 0, 2, L}, false, true)->start, 6);
    EXPECT_FALSE(FindText(f.Finder(), CaretState{2, 0, 2, L}, false, false));
}

TEST(FindText, NotFoundWithWrapSearchesOnlyTwice) {
    TextFinder f{"abc", "zz"};
    EXPECT_FALSE(FindText(f.Finder(), At(1, 3), true, true));
    EXPECT_EQ(f.calls, 2);
}

TEST(CountMatches, NonOverlapping) {
    TextFinder f{"aaaa", "aa"};
    EXPECT_EQ(CountMatches(f.Finder(), 4), 2);
    TextFinder none{"abc", "x"};
    EXPECT_EQ(CountMatches(none.Finder(), 3), 0);
}

TEST(ReplaceAll, ReplacementContainingTheSearchTextStops) {
    TextFinder f{"aaa", "a"};
    const ReplaceAllResult r = ReplaceAllIn(f.Finder(), f.Replacer("bb"), 0, 3);
    EXPECT_EQ(f.text, "bbbbbb");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.lastEnd, 6);

    TextFinder grow{"a-a", "a"};
    ReplaceAllIn(grow.Finder(), grow.Replacer("aa"), 0, 3);
    EXPECT_EQ(grow.text, "aa-aa");
}

TEST(ReplaceAll, OnlyInsideTheRange) {
    TextFinder f{"aaaaa", "a"};
    ReplaceAllIn(f.Finder(), f.Replacer("xy"), 1, 3);
    EXPECT_EQ(f.text, "axyxyaa");
    TextFinder shrink{"abababab", "ab"};
    ReplaceAllIn(shrink.Finder(), shrink.Replacer(""), 2, 6);
    EXPECT_EQ(shrink.text, "abab");
}

TEST(ReplaceAll, EmptyRangeDoesNothing) {
    TextFinder f{"aaa", "a"};
    EXPECT_EQ(ReplaceAllIn(f.Finder(), f.Replacer("b"), 2, 2).count, 0);
    EXPECT_EQ(f.text, "aaa");
}

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

TEST(CentreScroll, PutsLineInTheMiddle) {
    EXPECT_EQ(CentreScroll(100, 20, 0), 90);
    EXPECT_EQ(CentreScroll(5, 20, 50), -55);
    EXPECT_TRUE(LineOnScreen(70, 50, 70));
    EXPECT_FALSE(LineOnScreen(71, 50, 70));
}
