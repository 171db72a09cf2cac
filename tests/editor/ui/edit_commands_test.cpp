// The editing commands through the frame on the active editor: comments, case, quotes, inserts, keys.
#include "support/commands_fixture.h"

#include <QtTest/QTest>

TEST_F(FrameCommandsTest, CommentCommandsAreOneUndoStepAndToggleNeedsTheFocus) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("a\n;b\nc");
    Select(0, 6);
    m_frame->OnCommand(Cmd::Comment);
    EXPECT_EQ(Text(), ";a\n;;b\n;c");
    EXPECT_EQ(Selection(), (std::pair<long, long>{0, 9}));
    m_frame->OnCommand(Cmd::Uncomment);
    EXPECT_EQ(Text(), "a\n;b\nc");
    m_frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(Text(), ";a\n;;b\n;c");
    m_frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(Text(), "a\n;b\nc");
    EXPECT_FALSE(Call().CanUndo());
    m_frame->OnCommand(Cmd::Redo);
    EXPECT_EQ(Text(), ";a\n;;b\n;c");

    m_frame->OnCommand(Cmd::CommentKey);  // not shown: nothing happens
    EXPECT_EQ(Text(), ";a\n;;b\n;c");
    ShowActive();
    ASSERT_TRUE(Editor().hasFocus() || Editor().viewport()->hasFocus());
    SetText("a\n;b\nc");
    Select(0, 6);
    QTest::keyClick(&Editor(), Qt::Key_Semicolon, Qt::ControlModifier);
    EXPECT_EQ(Text(), "a\nb\nc");
    QTest::keyClick(&Editor(), Qt::Key_Semicolon, Qt::ControlModifier);
    EXPECT_EQ(Text(), ";a\n;b\n;c");
    QTest::keyClick(&Editor(), Qt::Key_Backspace, Qt::AltModifier);  // undo
    EXPECT_EQ(Text(), "a\nb\nc");
}

TEST_F(FrameCommandsTest, TransformsAndInsertsLeaveTheResultSelected) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("x aB1é y");
    Select(2, 7);  // "aB1é": é takes two bytes
    m_frame->OnCommand(Cmd::InvertCase);
    EXPECT_EQ(Text(), "x Ab1é y");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 7}));
    m_frame->OnCommand(Cmd::UpperCase);
    m_frame->OnCommand(Cmd::QuoteSelection);
    EXPECT_EQ(Text(), "x \"AB1É\" y");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 9}));
    m_frame->OnCommand(Cmd::Delete);
    EXPECT_EQ(Text(), "x  y");
    m_frame->OnCommand(Cmd::QuoteSelection);  // nothing selected: a pair
    EXPECT_EQ(Text(), "x \"\" y");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 4}));
    m_frame->OnCommand(Cmd::SelectAll);
    EXPECT_EQ(Selection(), (std::pair<long, long>{0, 6}));

    // The colour goes in at the caret, after the selected text; the start page takes none.
    m_prompter.QueueColour(0x0080FF);
    m_frame->OnCommand(Cmd::StartPage);
    m_frame->OnCommand(Cmd::InsertColour);
    m_frame->OnCommand(Cmd::InsertFileName);
    m_frame->OnCommand(Cmd::GoToLine);
    EXPECT_TRUE(m_prompter.FileRequests().empty());
    Docs().Activate(0);
    SetText("Color sel end");
    Select(6, 9);
    m_frame->OnCommand(Cmd::InsertColour);
    EXPECT_EQ(Text(), "Color selFF8000 end");
    m_frame->OnCommand(Cmd::InsertColour);  // cancelled
    EXPECT_EQ(Text(), "Color selFF8000 end");

    SetText("File ");
    Call().GotoPos(5);
    m_prompter.QueueFiles({u"/tmp/my dir/app.exe"_s});
    m_frame->OnCommand(Cmd::InsertFileName);
    EXPECT_EQ(Text(), "File \"/tmp/my dir/app.exe\"");
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_TRUE(m_prompter.FileRequests()[0].filter.startsWith(u"All Files"_s));
}
