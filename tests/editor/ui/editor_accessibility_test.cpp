// What a screen reader gets from the editor: text, offsets, caret, selection and edits near the end of a large script.
#include "view_fixture.h"

#include "editor/ui/text_change_log.h"


#include <QAccessible>

namespace {


const QString kChineseLine = QStringLiteral("; 安装程序的说明 \U0001F600 结束\r\n");

// Multi-byte text throughout, so offsets, bytes and characters all differ.
QByteArray LargeScript() {
    QByteArray script;
    for (int i = 0; i < 40000; ++i)
        script += i % 50 == 0 ? "; 注释 \xF0\x9F\x93\xA6 第几行\r\n" : "  DetailPrint \"step\"\r\n";
    return script + kChineseLine.toUtf8() + "Section 主程序\r\nSectionEnd\r\n";
}

}  // namespace

class EditorAccessibilityTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        m_script = LargeScript();
        m_view->Call().SetText(m_script);
        m_reference = QString::fromUtf8(m_script);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_view->Call().Widget());
        ASSERT_NE(accessible, nullptr);
        m_textInterface = accessible->textInterface();
        m_editable = accessible->editableTextInterface();
        ASSERT_NE(m_textInterface, nullptr);
        ASSERT_NE(m_editable, nullptr);
    }
    // The slow way: the byte position of a UTF-16 offset, counted from the start.
    long BytesBefore(int offset) const { return m_reference.left(offset).toUtf8().size(); }

    QByteArray m_script;
    QString m_reference;
    QAccessibleTextInterface* m_textInterface = nullptr;
    QAccessibleEditableTextInterface* m_editable = nullptr;
};

TEST_F(EditorAccessibilityTest, AnswersTextAndOffsetsOfAChineseLineNearTheEnd) {
    const int lineStart = int(m_reference.lastIndexOf(kChineseLine));
    const int emoji = int(m_reference.lastIndexOf(QStringLiteral("\U0001F600")));
    const int section = int(m_reference.lastIndexOf(QStringLiteral("Section 主")));
    ASSERT_GT(lineStart, 0);
    EXPECT_EQ(m_textInterface->characterCount(), m_reference.size());
    EXPECT_EQ(m_textInterface->text(lineStart, lineStart + 12), m_reference.mid(lineStart, 12));

    const struct {
        const char* what;
        int offset;
        QAccessible::TextBoundaryType boundary;
        int which;  // -1 before, 0 at, 1 after
        QString text;
        int start;
    } cases[] = {
        {"line at", lineStart + 4, QAccessible::LineBoundary, 0, kChineseLine, lineStart},
        {"line before", section, QAccessible::LineBoundary, -1, kChineseLine, lineStart},
        {"line after", emoji, QAccessible::LineBoundary, 1, QStringLiteral("Section 主程序\r\n"), section},
        {"surrogate pair at", emoji, QAccessible::CharBoundary, 0, QStringLiteral("\U0001F600"), emoji},
        {"after the pair", emoji, QAccessible::CharBoundary, 1, QStringLiteral(" "), emoji + 2},
        {"before the pair", emoji, QAccessible::CharBoundary, -1, QStringLiteral(" "), emoji - 1},
        {"chinese character", lineStart + 3, QAccessible::CharBoundary, 0, QStringLiteral("装"), lineStart + 3},
        {"word", section + 2, QAccessible::WordBoundary, 0, QStringLiteral("Section"), section},
        {"last character", int(m_reference.size()) - 1, QAccessible::CharBoundary, 0, QStringLiteral("\n"),
         int(m_reference.size()) - 1},
    };
    for (const auto& c : cases) {
        int start = -1;
        int end = -1;
        const QString text = c.which < 0   ? m_textInterface->textBeforeOffset(c.offset, c.boundary, &start, &end)
                             : c.which > 0 ? m_textInterface->textAfterOffset(c.offset, c.boundary, &start, &end)
                                           : m_textInterface->textAtOffset(c.offset, c.boundary, &start, &end);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_EQ(start, c.start) << c.what;
        EXPECT_EQ(end, c.start + c.text.size()) << c.what;
    }
}

TEST_F(EditorAccessibilityTest, MovesCaretAndSelectionByCharacterOffsets) {
    const int emoji = int(m_reference.lastIndexOf(QStringLiteral("\U0001F600")));
    m_textInterface->setCursorPosition(emoji + 2);
    EXPECT_EQ(m_view->Call().CurrentPos(), BytesBefore(emoji + 2));
    EXPECT_EQ(m_textInterface->cursorPosition(), emoji + 2);

    EXPECT_EQ(m_textInterface->selectionCount(), 0);
    m_textInterface->setSelection(0, emoji - 3, emoji + 2);
    int start = -1;
    int end = -1;
    m_textInterface->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(emoji - 3, emoji + 2));
    EXPECT_EQ(m_view->Call().SelectionStart(), BytesBefore(emoji - 3));
    EXPECT_EQ(m_textInterface->selectionCount(), 1);
}

TEST_F(EditorAccessibilityTest, EditsByOffsets) {
    const int emoji = int(m_reference.lastIndexOf(QStringLiteral("\U0001F600")));
    m_editable->insertText(emoji, QStringLiteral("中"));
    m_editable->deleteText(emoji + 1, emoji + 3);
    m_editable->replaceText(0, 2, QStringLiteral("文"));
    QString expected = m_reference;
    expected.replace(emoji, 2, QStringLiteral("中")).replace(0, 2, QStringLiteral("文"));
    EXPECT_EQ(QString::fromUtf8(m_view->Text()), expected);
}

// What a reader is told of edits: this component tells of an insertion before
// it is made and without its text, so the log reads it once made.
TEST_F(EditorAccessibilityTest, LogsInsertedAndRemovedTextAtTheirOffsets) {
    ScintillaCall& call = m_view->Call();
    TextChangeLog log(call, [&call](long position) { return int(QString::fromUtf8(call.GetTextRange(0, position)).size()); });
    QObject::connect(&call, &ScintillaCall::Modified, &call,
                     [&log](int type, std::string_view text, long position, long length) {
                         log.Record(type, text, position, length);
                     });
    const int emoji = int(m_reference.lastIndexOf(QStringLiteral("\U0001F600")));
    m_editable->insertText(emoji, QStringLiteral("中文"));
    m_editable->deleteText(emoji + 2, emoji + 4);
    call.Undo();
    const std::vector<TextChange> expected{{true, emoji, QStringLiteral("中文")},
                                           {false, emoji + 2, QStringLiteral("\U0001F600")},
                                           {true, emoji + 2, QStringLiteral("\U0001F600")}};
    EXPECT_EQ(log.Take(), expected);
    EXPECT_TRUE(log.Take().empty());
}
