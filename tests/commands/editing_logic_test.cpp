// The comment walk and the text transformations on plain script text.
#include "editor/core/comment_lines.h"
#include "editor/core/text_transform.h"

#include <gtest/gtest.h>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Applies an edit the way the editor does and returns the new text.
std::string Apply(const std::string& text, const CommentEdit& edit) {
    return text.substr(0, std::size_t(edit.start)) + edit.replacement.toStdString() +
           text.substr(std::size_t(edit.end));
}

struct Walk {
    std::string text;
    std::optional<std::pair<long, long>> selection;
};

Walk WalkLines(const std::string& text, long s, long e, CommentMode mode) {
    const CommentEdit edit = CommentLines(text, s, e, mode);
    return {Apply(text, edit), edit.selection};
}

}  // namespace

TEST(CommentLines, EmptySelectionCommentsCaretLineAndSelectsIt) {
    const std::string text = "l1\nl2\nl3\nl4\nline5\nl6\n";
    const long caret = long(text.find("line5")) + 2;
    const Walk w = WalkLines(text, caret, caret, CommentMode::Comment);
    EXPECT_EQ(w.text, "l1\nl2\nl3\nl4\n;line5\nl6\n");
    ASSERT_TRUE(w.selection);
    EXPECT_EQ(w.selection->first, long(text.find("line5")));
    EXPECT_EQ(w.selection->second, long(text.find("line5")) + 6);
}

TEST(CommentLines, SelectionEndingAtLineStartIncludesThatLine) {
    const std::string text = "a\r\nb\r\nc\r\n";
    const Walk w = WalkLines(text, 0, 3, CommentMode::Comment);  // ends at the start of "b"
    EXPECT_EQ(w.text, ";a\r\n;b\r\nc\r\n");
    ASSERT_TRUE(w.selection);
    EXPECT_EQ(*w.selection, (std::pair<long, long>{0, 6}));  // to the end of ";b"
}

TEST(CommentLines, UncommentOnlyAfterSpaces) {
    EXPECT_EQ(WalkLines("  ;x\n", 0, 0, CommentMode::Uncomment).text, "  x\n");
    EXPECT_EQ(WalkLines("\t;x\n", 0, 0, CommentMode::Uncomment).text, "\t;x\n");
    EXPECT_EQ(WalkLines("x;y\n", 0, 0, CommentMode::Uncomment).text, "x;y\n");
    // One ';' per line, never a second.
    EXPECT_EQ(WalkLines(";;x\n", 0, 0, CommentMode::Uncomment).text, ";x\n");
}

TEST(CommentLines, UncommentOverLinesKeepsSelectionOnWholeLines) {
    const std::string text = ";a\nb\n ;c\nd";
    const Walk w = WalkLines(text, 1, long(text.find('c')), CommentMode::Uncomment);
    EXPECT_EQ(w.text, "a\nb\n c\nd");
    ASSERT_TRUE(w.selection);
    EXPECT_EQ(*w.selection, (std::pair<long, long>{0, 6}));
}

TEST(CommentLines, EmptySelectionUncommentLeavesNoSelection) {
    const CommentEdit edit = CommentLines(";abc", 2, 2, CommentMode::Uncomment);
    EXPECT_EQ(Apply(";abc", edit), "abc");
    EXPECT_FALSE(edit.selection);
    EXPECT_EQ(edit.changedLines, 1);
}

TEST(CommentLines, NothingToUncommentIsNoEdit) {
    const CommentEdit edit = CommentLines("abc\ndef", 0, 5, CommentMode::Uncomment);
    EXPECT_EQ(edit.changedLines, 0);
    EXPECT_EQ(edit.start, edit.end);
    EXPECT_TRUE(edit.replacement.isEmpty());
}

TEST(CommentLines, ReversedSelectionWalksTheSameLines) {
    EXPECT_EQ(WalkLines("a\nb\nc", 4, 0, CommentMode::Comment).text, ";a\n;b\n;c");
}

TEST(CommentLines, MixedLineBreaks) {
    EXPECT_EQ(WalkLines("a\rb\nc\r\nd", 0, 7, CommentMode::Comment).text, ";a\r;b\n;c\r\n;d");
}

TEST(ToggleComment, AnyCommentedLineUncomments) {
    const std::string text = "a\n;b\nc\n";
    ASSERT_EQ(ToggleCommentMode(text, 0, 5), CommentMode::Uncomment);
    EXPECT_EQ(WalkLines(text, 0, 5, CommentMode::Uncomment).text, "a\nb\nc\n");
    EXPECT_EQ(ToggleCommentMode("a\n\n  \nb", 0, 6), CommentMode::Comment);
    EXPECT_EQ(ToggleCommentMode("a\n  ;b", 0, 0), CommentMode::Comment);  // only the caret's line counts
}

TEST(TransformText, CaseChanges) {
    EXPECT_EQ(TransformText(u"aB1é"_s, TransformKind::Invert), u"Ab1é"_s);
    EXPECT_EQ(TransformText(u"AB1É"_s, TransformKind::Lower), u"ab1é"_s);
    // One unit for one unit: the selection afterwards covers the same text.
    EXPECT_EQ(TransformText(u"straße"_s, TransformKind::Upper).size(), 6);
}


TEST(InsertTexts, ColourAndFileName) {
    EXPECT_EQ(ColourText(0x0080FF), u"FF8000"_s);  // orange, red in the low byte
    EXPECT_EQ(ColourText(0x0A0B0C), u"0C0B0A"_s);
    EXPECT_EQ(FileNameText(u"/tmp/a b/c.ini"_s), u"\"/tmp/a b/c.ini\""_s);
}
