// The editor view: NSIS set-up, line-number margin, styles, folding, delayed scrolling and Escape.
#include "support/eventually.h"
#include "view_fixture.h"

#include "app/ui/command_actions.h"
#include "config/core/lexer_type.h"
#include "editor/ui/qsci_base.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

using Sci = QsciScintillaBase;

int EightWidth(const CScrivoView& view) {
    return int(view.Editor()->SendScintilla(Sci::SCI_TEXTWIDTH, uintptr_t(33), "8"));
}

QByteArray Lines(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "DetailPrint \"line\"\n";
    return text;
}

}  // namespace

TEST_F(ViewTest, UsesOurNsisLexerWithFoldingAndUtf8) {
    EXPECT_TRUE(CScrivoView::NsisLexerAvailable());
    // (message, argument, value); TabSpace is on, so no tabs.
    const long settings[][3] = {{Sci::SCI_GETLEXER, 0, Sci::SCLEX_CONTAINER},
                                {Sci::SCI_GETCODEPAGE, 0, Sci::SC_CP_UTF8},
                                {Sci::SCI_GETMARGINWIDTHN, 2, 14},
                                {Sci::SCI_GETMARGINWIDTHN, 1, 0},
                                {Sci::SCI_GETMOUSEDWELLTIME, 0, 200},
                                {Sci::SCI_GETTABWIDTH, 0, 4},
                                {Sci::SCI_GETUSETABS, 0, 0},
                                {Sci::SCI_GETCARETLINEVISIBLE, 0, 1},
                                {Sci::SCI_GETCARETLINEBACK, 0, 16771304}};
    for (const auto& [message, argument, value] : settings)
        EXPECT_EQ(m_view->Send(unsigned(message), (unsigned long)argument), value) << message;
    // The shipped keywords reach the lexer, and the section folds.
    m_view->AppendText("Section \"a\"\nSetOutPath $INSTDIR\nSectionEnd\n");
    m_view->Send(Sci::SCI_COLOURISE, 0, -1);
    EXPECT_EQ(m_view->Send(Sci::SCI_GETSTYLEAT, 0), 9);
    EXPECT_EQ(m_view->Send(Sci::SCI_GETSTYLEAT, m_view->Send(Sci::SCI_POSITIONFROMLINE, 1)), 5);
    EXPECT_EQ(m_view->Send(Sci::SCI_GETFOLDLEVEL, 0), Sci::SC_FOLDLEVELBASE | Sci::SC_FOLDLEVELHEADERFLAG);
    EXPECT_EQ(m_view->Send(Sci::SCI_GETFOLDLEVEL, 3), Sci::SC_FOLDLEVELBASE);
}

TEST_F(ViewTest, LineNumberMarginGrowsWithTheDigitsOnScreen) {
    const long onScreen = m_view->Send(Sci::SCI_LINESONSCREEN);
    ASSERT_GT(onScreen, 0);
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 3 * EightWidth(*m_view) + 8);
    m_view->AppendText(Lines(1200));
    m_view->Send(Sci::SCI_SETFIRSTVISIBLELINE, (unsigned long)(998 - onScreen));
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 3 * EightWidth(*m_view) + 8);
    m_view->Send(Sci::SCI_SETFIRSTVISIBLELINE, (unsigned long)(999 - onScreen));
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 4 * EightWidth(*m_view) + 8);
    m_view->repaint();
    Settle();
    EXPECT_EQ(m_view->Send(Sci::SCI_GETMARGINWIDTHN, 0), 4 * EightWidth(*m_view) + 8);

    m_config->Base().ShowLineNumber = 0;
    m_view->ApplySettings();
    EXPECT_EQ(m_view->Send(Sci::SCI_GETMARGINWIDTHN, 0), 0);
}

TEST_F(ViewTest, StyleZeroAlsoSetsTheDefaultAndCallTipStyles) {
    m_view->TextView()->SetStyle(WordsStyle{
        .styleId = 0, .foreColour = 0x123456, .backColour = 0x654321, .fontStyle = kFontBold, .fontSize = 13});
    for (int number : {0, 32, 38}) {
        EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETFORE, number), 0x123456) << number;
        EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETBACK, number), 0x654321) << number;
        EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETBOLD, number), 1) << number;
    }
    // Font style -1 and size 0 leave what is there; the colour mask picks the colours.
    const WordsStyle partial{.styleId = 5,
                             .foreColour = 0x00FF00,
                             .backColour = 0x0000FF,
                             .colourFlags = kApplyBackColour,
                             .fontStyle = -1,
                             .fontSize = 0};
    const long foreBefore = m_view->Send(Sci::SCI_STYLEGETFORE, 5);
    m_view->Send(Sci::SCI_STYLESETITALIC, 5, 1);
    m_view->Send(Sci::SCI_STYLESETSIZE, 5, 17);
    m_view->TextView()->SetStyle(partial);
    EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETFORE, 5), foreBefore);
    EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETBACK, 5), 0x0000FF);
    EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETITALIC, 5), 1);
    EXPECT_EQ(m_view->Send(Sci::SCI_STYLEGETSIZE, 5), 17);
    EXPECT_NE(m_view->Send(Sci::SCI_STYLEGETBACK, 32), 0x0000FF);
}

TEST_F(ViewTest, FoldMarginClickFoldsWithoutModifying) {
    const QString path = Script(QStringLiteral("fold.nsi"), "Section \"a\"\n  DetailPrint \"x\"\nSectionEnd\n");
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    CScrivoView* view = Docs().ActiveView();
    view->Send(Sci::SCI_COLOURISE, 0, -1);
    ASSERT_TRUE(view->Send(Sci::SCI_GETFOLDLEVEL, 0) & Sci::SC_FOLDLEVELHEADERFLAG);
    Q_EMIT view->Editor()->SCN_MARGINCLICK(0, 0, 2);
    EXPECT_EQ(view->Send(Sci::SCI_GETFOLDEXPANDED, 0), 0);
    EXPECT_EQ(view->Send(Sci::SCI_GETLINEVISIBLE, 1), 0);
    EXPECT_FALSE(view->IsModified());
    Q_EMIT view->Editor()->SCN_MARGINCLICK(0, 0, 2);
    EXPECT_EQ(view->Send(Sci::SCI_GETLINEVISIBLE, 1), 1);
}

TEST_F(ViewTest, ScrollToLinePutsTheLineFiveBelowTheTopAfterADelay) {
    m_view->AppendText(Lines(300));
    m_view->ScrollToLine(150);
    EXPECT_EQ(m_view->Send(Sci::SCI_GETFIRSTVISIBLELINE), 0);  // not yet
    ASSERT_EVENTUALLY(m_view->Send(Sci::SCI_GETFIRSTVISIBLELINE) == 145);
    EXPECT_EQ(m_view->Send(Sci::SCI_LINEFROMPOSITION, m_view->Send(Sci::SCI_GETCURRENTPOS)), 150);
}

TEST_F(ViewTest, EscapeClosesTheListThenTheTipThenReachesTheFrame) {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    StartSleepingCompile();
    m_view = Docs().ActiveView();
    m_view->Editor()->setFocus();
    QSignalSpy commands(&FrameActions(*m_frame), &CommandActions::Triggered);

    // The list and the tip never show together: each replaces the other.
    m_view->Editor()->SendScintilla(Sci::SCI_AUTOCSHOW, uintptr_t(0), "Section SectionEnd");
    ASSERT_NE(m_view->Send(Sci::SCI_AUTOCACTIVE), 0);
    QTest::keyClick(m_view->Editor(), Qt::Key_Escape);
    EXPECT_EQ(m_view->Send(Sci::SCI_AUTOCACTIVE), 0);
    EXPECT_EQ(commands.count(), 0);
    m_view->Editor()->SendScintilla(Sci::SCI_CALLTIPSHOW, uintptr_t(0), "Section [/o] name");
    ASSERT_NE(m_view->Send(Sci::SCI_CALLTIPACTIVE), 0);
    QTest::keyClick(m_view->Editor(), Qt::Key_Escape);
    EXPECT_EQ(m_view->Send(Sci::SCI_CALLTIPACTIVE), 0);
    EXPECT_EQ(commands.count(), 0);
    QTest::keyClick(m_view->Editor(), Qt::Key_Escape);
    EXPECT_EQ(commands.count(), 1);
    ASSERT_EVENTUALLY(!FrameCompiler(*m_frame).IsCompiling());
}

TEST_F(FrameTest, ABurstOfEditsGivesTheOutlineOneNoticeOnceTheTextRests) {
    QWidget host;
    CScrivoView view(*m_config, m_prompter, &host, ViewTimings{.settleMs = 20});
    QSignalSpy settled(&view, &CScrivoView::TextSettled);
    view.AppendText("Name x\n");
    view.AppendText("Name y\n");  // restarts the wait
    EXPECT_EQ(settled.count(), 0);
    ASSERT_TRUE(settled.wait(5000));
    EXPECT_EQ(settled.count(), 1);
}

TEST_F(ViewTest, TypingDeletingAndUndoEachModifyAndWakeTheOutline) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("typed.nsi"), "Name x\n"), false));
    CScrivoView* view = Docs().ActiveView();
    // The costly after-change notices stay off; the view hears of edits before they happen.
    EXPECT_EQ(view->Send(Sci::SCI_GETMODEVENTMASK) & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT), 0);
    QSignalSpy settled(&Docs(), &DocumentSet::TextSettled);
    ASSERT_FALSE(view->IsModified());

    QTest::keyClicks(view->Editor(), QStringLiteral("a"));
    EXPECT_EQ(view->Text(), "aName x\n");
    EXPECT_TRUE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));

    view->Send(Sci::SCI_UNDO);
    EXPECT_FALSE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));

    QTest::keyClick(view->Editor(), Qt::Key_Delete);
    EXPECT_EQ(view->Text(), "ame x\n");
    EXPECT_TRUE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_EQ(settled.count(), 3);
}

TEST_F(ViewTest, ContextMenuOverTheTextIsTheEditMenu) {
    QWidget* viewport = m_view->Editor()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(viewport, &event);
    QMenu* menu = FrameActions(*m_frame).EditMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->title(), QStringLiteral("编辑(&E)"));
    menu->hide();
}

TEST_F(ViewTest, CommandsAreColouredInAnyLetterCase) {
    m_view->AppendText("CreateShortcut a\nCreateShortCut b\nNotACommand c\n");
    m_view->Send(Sci::SCI_COLOURISE, 0, -1);
    const auto lineStyle = [&](int line) {
        return m_view->Send(Sci::SCI_GETSTYLEAT, m_view->Send(Sci::SCI_POSITIONFROMLINE, line));
    };
    EXPECT_NE(lineStyle(0), lineStyle(2));
    EXPECT_EQ(lineStyle(1), lineStyle(0));
}

TEST_F(ViewTest, EditorsGetThePlainAccessibleInterface) {
    // The component's own interface counts every character before the caret on each caret move.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_view->Editor());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible->textInterface(), nullptr);
}
