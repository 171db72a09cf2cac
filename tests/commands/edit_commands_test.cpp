// The editing commands on a real editing component.
#include "commands_fixture.h"
#include "editor/ui/edit_commands.h"

#include <QApplication>

using Sci = QsciScintillaBase;

class EditCommandsTest : public EditorTest {};


TEST_F(EditCommandsTest, CommentManyLinesIsOneUndoStep) {
    SetText("a\nb\nc\nd");
    Select(0, 7);
    EditCommands::CommentLines(*m_editor, CommentMode::Comment);
    EXPECT_EQ(Text(), ";a\n;b\n;c\n;d");
    EXPECT_EQ(Selection(), (std::pair<long, long>{0, 11}));
    EditCommands::CommentLines(*m_editor, CommentMode::Uncomment);
    EXPECT_EQ(Text(), "a\nb\nc\nd");
    Send(Sci::SCI_UNDO);
    EXPECT_EQ(Text(), ";a\n;b\n;c\n;d");
}


TEST_F(EditCommandsTest, ToggleNeedsAFocusedVisibleEditor) {
    SetText("a\n;b\nc");
    Select(0, 6);
    EditCommands::ToggleComment(*m_editor);  // not shown: nothing happens
    EXPECT_EQ(Text(), "a\n;b\nc");

    m_editor->show();
    m_editor->activateWindow();
    m_editor->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(m_editor->hasFocus() || m_editor->viewport()->hasFocus());
    EditCommands::ToggleComment(*m_editor);
    EXPECT_EQ(Text(), "a\nb\nc");
    EditCommands::ToggleComment(*m_editor);
    EXPECT_EQ(Text(), ";a\n;b\n;c");
}

TEST_F(EditCommandsTest, TransformKeepsTheResultSelected) {
    SetText("x aB1é y");
    Select(2, 7);  // "aB1é": é takes two bytes
    EditCommands::TransformSelection(*m_editor, TransformKind::Invert);
    EXPECT_EQ(Text(), "x Ab1é y");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 7}));
    EditCommands::TransformSelection(*m_editor, TransformKind::Upper);
    EXPECT_EQ(Text(), "x AB1É y");
    EditCommands::TransformSelection(*m_editor, TransformKind::Quote);
    EXPECT_EQ(Text(), "x \"AB1É\" y");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 9}));
}

TEST_F(EditCommandsTest, QuoteWithEmptySelectionInsertsAPair) {
    SetText("ab");
    Send(Sci::SCI_GOTOPOS, 1);
    EditCommands::TransformSelection(*m_editor, TransformKind::Quote);
    EXPECT_EQ(Text(), "a\"\"b");
    EXPECT_EQ(Selection(), (std::pair<long, long>{1, 3}));
}

TEST_F(EditCommandsTest, InsertColourAtCaretKeepsSelectedText) {
    SetText("Color sel end");
    Select(6, 9);  // "sel", caret at its end
    m_prompter.QueueColour(0x0080FF);
    EditCommands::InsertColour(*m_editor, m_prompter);
    EXPECT_EQ(Text(), "Color selFF8000 end");
    // Cancelled: nothing.
    EditCommands::InsertColour(*m_editor, m_prompter);
    EXPECT_EQ(Text(), "Color selFF8000 end");
}

TEST_F(EditCommandsTest, InsertFileNameQuotesThePath) {
    SetText("File ");
    Send(Sci::SCI_GOTOPOS, 5);
    m_prompter.QueueFiles({QStringLiteral("/tmp/my dir/app.exe")});
    EditCommands::InsertFileName(*m_editor, m_prompter);
    EXPECT_EQ(Text(), "File \"/tmp/my dir/app.exe\"");
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_TRUE(m_prompter.FileRequests()[0].filter.startsWith(QStringLiteral("All Files")));
}

TEST_F(EditCommandsTest, MillionLineSelectionIsOneEdit) {
    QByteArray text;
    text.reserve(4'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        text += "  x\n";
    SetText(text);
    Send(Sci::SCI_SELECTALL);
    EditCommands::CommentLines(*m_editor, CommentMode::Comment);
    // The empty line after the last break is commented too: it lies within the selection.
    EXPECT_EQ(Send(Sci::SCI_GETLENGTH), long(text.size()) + 1'000'001);
    EXPECT_EQ(Send(Sci::SCI_GETCHARAT, (unsigned long)(Send(Sci::SCI_POSITIONFROMLINE, 999'999))), ';');
    EditCommands::CommentLines(*m_editor, CommentMode::Uncomment);
    EXPECT_EQ(Text(), text);
    Send(Sci::SCI_UNDO);
    Send(Sci::SCI_UNDO);
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(Send(Sci::SCI_CANUNDO));
}
