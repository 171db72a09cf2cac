// The editor view: NSIS set-up, line-number margin, styles, folding, delayed scrolling and Escape.
#include "support/eventually.h"
#include "view_fixture.h"

#include "app/ui/command_actions.h"
#include "config/core/lexer_type.h"
#include "editor/ui/scintilla_call.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <tuple>

namespace {

using Sc = ScintillaCall;

int EightWidth(const CScrivoView& view) {
    return view.Call().TextWidth(Sc::kStyleLineNumber, "8");
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
    // (setting, value, expected); TabSpace is on, so no tabs.
    const ScintillaCall& call = m_view->Call();
    const std::tuple<const char*, long, long> settings[] = {{"lexer", call.Lexer(), Sc::kLexerContainer},
                                                            {"code page", call.CodePage(), Sc::kCodePageUtf8},
                                                            {"fold margin", call.MarginWidthN(2), 14},
                                                            {"mark margin", call.MarginWidthN(1), 0},
                                                            {"dwell time", call.MouseDwellTime(), 200},
                                                            {"tab width", call.TabWidth(), 4},
                                                            {"tabs", call.UseTabs(), 0},
                                                            {"caret line", call.CaretLineVisible(), 1},
                                                            {"caret line colour", call.CaretLineBack(), 16771304}};
    for (const auto& [setting, value, expected] : settings)
        EXPECT_EQ(value, expected) << setting;
    // The shipped keywords reach the lexer, and the section folds.
    m_view->AppendText("Section \"a\"\nSetOutPath $INSTDIR\nSectionEnd\n");
    m_view->Call().Colourise(0, -1);
    EXPECT_EQ(m_view->Call().StyleAt(0), 9);
    EXPECT_EQ(m_view->Call().StyleAt(m_view->Call().PositionFromLine(1)), 5);
    EXPECT_EQ(m_view->Call().FoldLevel(0), Sc::kFoldLevelBase | Sc::kFoldLevelHeaderFlag);
    EXPECT_EQ(m_view->Call().FoldLevel(3), Sc::kFoldLevelBase);
}

TEST_F(ViewTest, LineNumberMarginGrowsWithTheDigitsOnScreen) {
    const long onScreen = m_view->Call().LinesOnScreen();
    ASSERT_GT(onScreen, 0);
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 3 * EightWidth(*m_view) + 8);
    m_view->AppendText(Lines(1200));
    m_view->Call().SetFirstVisibleLine((998 - onScreen));
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 3 * EightWidth(*m_view) + 8);
    m_view->Call().SetFirstVisibleLine((999 - onScreen));
    EXPECT_EQ(m_view->TextView()->LineNumberWidth(), 4 * EightWidth(*m_view) + 8);
    m_view->repaint();
    Settle();
    EXPECT_EQ(m_view->Call().MarginWidthN(0), 4 * EightWidth(*m_view) + 8);

    m_config->Base().ShowLineNumber = 0;
    m_view->ApplySettings();
    EXPECT_EQ(m_view->Call().MarginWidthN(0), 0);
}

TEST_F(ViewTest, StyleZeroAlsoSetsTheDefaultAndCallTipStyles) {
    m_view->TextView()->SetStyle(WordsStyle{
        .styleId = 0, .foreColour = 0x123456, .backColour = 0x654321, .fontStyle = kFontBold, .fontSize = 13});
    for (int number : {0, 32, 38}) {
        EXPECT_EQ(m_view->Call().StyleGetFore(number), 0x123456) << number;
        EXPECT_EQ(m_view->Call().StyleGetBack(number), 0x654321) << number;
        EXPECT_TRUE(m_view->Call().StyleGetBold(number)) << number;
    }
    // Font style -1 and size 0 leave what is there; the colour mask picks the colours.
    const WordsStyle partial{.styleId = 5,
                             .foreColour = 0x00FF00,
                             .backColour = 0x0000FF,
                             .colourFlags = kApplyBackColour,
                             .fontStyle = -1,
                             .fontSize = 0};
    const long foreBefore = m_view->Call().StyleGetFore(5);
    m_view->Call().StyleSetItalic(5, 1);
    m_view->Call().StyleSetSize(5, 17);
    m_view->TextView()->SetStyle(partial);
    EXPECT_EQ(m_view->Call().StyleGetFore(5), foreBefore);
    EXPECT_EQ(m_view->Call().StyleGetBack(5), 0x0000FF);
    EXPECT_TRUE(m_view->Call().StyleGetItalic(5));
    EXPECT_EQ(m_view->Call().StyleGetSize(5), 17);
    EXPECT_NE(m_view->Call().StyleGetBack(32), 0x0000FF);
}

TEST_F(ViewTest, FoldMarginClickFoldsWithoutModifying) {
    const QString path = Script(QStringLiteral("fold.nsi"), "Section \"a\"\n  DetailPrint \"x\"\nSectionEnd\n");
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    CScrivoView* view = Docs().ActiveView();
    view->Call().Colourise(0, -1);
    ASSERT_TRUE(view->Call().FoldLevel(0) & Sc::kFoldLevelHeaderFlag);
    Q_EMIT view->Call().MarginClicked(0, 2);
    EXPECT_FALSE(view->Call().FoldExpanded(0));
    EXPECT_FALSE(view->Call().LineVisible(1));
    EXPECT_FALSE(view->IsModified());
    Q_EMIT view->Call().MarginClicked(0, 2);
    EXPECT_TRUE(view->Call().LineVisible(1));
}

TEST_F(ViewTest, ScrollToLinePutsTheLineFiveBelowTheTopAfterADelay) {
    m_view->AppendText(Lines(300));
    m_view->ScrollToLine(150);
    EXPECT_EQ(m_view->Call().FirstVisibleLine(), 0);  // not yet
    ASSERT_EVENTUALLY(m_view->Call().FirstVisibleLine() == 145);
    EXPECT_EQ(m_view->Call().LineFromPosition(m_view->Call().CurrentPos()), 150);
}

TEST_F(ViewTest, EscapeClosesTheListThenTheTipThenReachesTheFrame) {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    StartSleepingCompile();
    m_view = Docs().ActiveView();
    m_view->Call().Widget()->setFocus();
    QSignalSpy commands(&FrameActions(*m_frame), &CommandActions::Triggered);

    // The list and the tip never show together: each replaces the other.
    m_view->Call().AutoCShow(0, "Section SectionEnd");
    ASSERT_TRUE(m_view->Call().AutoCActive());
    QTest::keyClick(m_view->Call().Widget(), Qt::Key_Escape);
    EXPECT_FALSE(m_view->Call().AutoCActive());
    EXPECT_EQ(commands.count(), 0);
    m_view->Call().CallTipShow(0, "Section [/o] name");
    ASSERT_TRUE(m_view->Call().CallTipActive());
    QTest::keyClick(m_view->Call().Widget(), Qt::Key_Escape);
    EXPECT_FALSE(m_view->Call().CallTipActive());
    EXPECT_EQ(commands.count(), 0);
    QTest::keyClick(m_view->Call().Widget(), Qt::Key_Escape);
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
    EXPECT_EQ(view->Call().ModEventMask() & (Sc::kModInsertText | Sc::kModDeleteText), 0);
    QSignalSpy settled(&Docs(), &DocumentSet::TextSettled);
    ASSERT_FALSE(view->IsModified());

    QTest::keyClicks(view->Call().Widget(), QStringLiteral("a"));
    EXPECT_EQ(view->Text(), "aName x\n");
    EXPECT_TRUE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));

    view->Call().Undo();
    EXPECT_FALSE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));

    QTest::keyClick(view->Call().Widget(), Qt::Key_Delete);
    EXPECT_EQ(view->Text(), "ame x\n");
    EXPECT_TRUE(view->IsModified());
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_EQ(settled.count(), 3);
}

TEST_F(ViewTest, ContextMenuOverTheTextIsTheEditMenu) {
    QWidget* viewport = m_view->Call().Widget()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(viewport, &event);
    QMenu* menu = FrameActions(*m_frame).EditMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->title(), QStringLiteral("编辑(&E)"));
    menu->hide();
}
