// The comment walk and the text transformations on plain script text.
#include "editor/core/comment_lines.h"
#include "editor/core/text_transform.h"

#include <gtest/gtest.h>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr long kNoSelection = -1, kAnySelection = -2;

struct CommentCase {
    const char* text;
    long start, end;
    CommentMode mode;
    const char* expected;
    int changedLines;
    long selStart = kAnySelection, selEnd = kAnySelection;
};

constexpr auto C = CommentMode::Comment, U = CommentMode::Uncomment;

const CommentCase kCommentCases[] = {
    // An empty selection comments the caret's line and selects it.
    {"l1\nl2\nl3\nl4\nline5\nl6\n", 14, 14, C, "l1\nl2\nl3\nl4\n;line5\nl6\n", 1, 12, 18},
    // A selection ending at a line's start includes that line.
    {"a\r\nb\r\nc\r\n", 0, 3, C, ";a\r\n;b\r\nc\r\n", 2, 0, 6},
    {"a\nb\nc", 4, 0, C, ";a\n;b\n;c", 3},  // reversed
    {"a\rb\nc\r\nd", 0, 7, C, ";a\r;b\n;c\r\n;d", 4},
    // The empty line after the last break lies within the selection.
    {"  x\n  x\n", 0, 8, C, ";  x\n;  x\n;", 3},
    // Uncomment only after spaces, one ';' per line.
    {"  ;x\n", 0, 0, U, "  x\n", 1, kNoSelection},
    {"\t;x\n", 0, 0, U, "\t;x\n", 0},
    {"x;y\n", 0, 0, U, "x;y\n", 0},
    {";;x\n", 0, 0, U, ";x\n", 1},
    {";abc", 2, 2, U, "abc", 1, kNoSelection},
    {";a\nb\n ;c\nd", 1, 8, U, "a\nb\n c\nd", 2, 0, 6},  // whole lines stay selected
    {"abc\ndef", 0, 5, U, "abc\ndef", 0},
};

}  // namespace

TEST(CommentLines, WalksTheSelectedLines) {
    for (const CommentCase& c : kCommentCases) {
        SCOPED_TRACE(c.text);
        const std::string text = c.text;
        const CommentEdit edit = CommentLines(text, c.start, c.end, c.mode);
        EXPECT_EQ(text.substr(0, std::size_t(edit.start)) + edit.replacement.toStdString()
                      + text.substr(std::size_t(edit.end)),
                  c.expected);
        EXPECT_EQ(edit.changedLines, c.changedLines);
        if (c.changedLines == 0) {
            EXPECT_EQ(edit.start, edit.end);  // no edit, so no undo step and no modified flag
            EXPECT_TRUE(edit.replacement.isEmpty());
        }
        if (c.selStart == kNoSelection) {
            EXPECT_FALSE(edit.selection);
        } else if (c.selStart != kAnySelection) {
            EXPECT_EQ(edit.selection, (std::pair<long, long>{c.selStart, c.selEnd}));
        }
    }
}

TEST(ToggleComment, AnyCommentedLineUncomments) {
    EXPECT_EQ(ToggleCommentMode("a\n;b\nc\n", 0, 5), CommentMode::Uncomment);
    EXPECT_EQ(ToggleCommentMode("a\n\n  \nb", 0, 6), CommentMode::Comment);
    EXPECT_EQ(ToggleCommentMode("a\n  ;b", 0, 0), CommentMode::Comment);  // only the caret's line counts
}

TEST(TransformText, CaseChangesAndInsertedTexts) {
    EXPECT_EQ(TransformText(u"aB1é"_s, TransformKind::Invert), u"Ab1é"_s);
    EXPECT_EQ(TransformText(u"AB1É"_s, TransformKind::Lower), u"ab1é"_s);
    // One unit for one unit: the selection afterwards covers the same text.
    EXPECT_EQ(TransformText(u"straße"_s, TransformKind::Upper).size(), 6);
    EXPECT_EQ(ColourText(0x0080FF), u"FF8000"_s);  // orange, red in the low byte
    EXPECT_EQ(ColourText(0x0A0B0C), u"0C0B0A"_s);
    EXPECT_EQ(FileNameText(u"/tmp/a b/c.ini"_s), u"\"/tmp/a b/c.ini\""_s);
}
