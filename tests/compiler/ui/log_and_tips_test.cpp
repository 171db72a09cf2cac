// The compile log's look and read-only text, tips and completion in a real view, and a missing compiler.
#include "compile_fixture.h"

#include "editor/core/command_tips.h"
#include "editor/ui/command_tipper.h"

TEST_F(CompileFrameTest, LogIsGreyWithoutMarginsAndRefusesTyping) {
    CCompileLogCtrl* log = Compiler().Log();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(m_frame->isAncestorOf(log));
    const ScintillaCall& call = log->Call();
    const std::tuple<const char*, long, long> looks[] = {{"read-only", call.ReadOnly(), 1},
                                                         {"scroll bar", call.HScrollBar(), 0},
                                                         {"caret line", call.CaretLineVisible(), 1},
                                                         {"caret line colour", call.CaretLineBack(), 0xE1E1E1},
                                                         {"code page", call.CodePage(), Sc::kCodePageUtf8},
                                                         {"style 0 back", call.StyleGetBack(0), 0xC8C8C8},
                                                         {"style 32 back", call.StyleGetBack(32), 0xC8C8C8}};
    for (const auto& [look, value, expected] : looks)
        EXPECT_EQ(value, expected) << look;

    m_frame->OnCommand(Cmd::ToggleLog);
    ASSERT_TRUE(LogShown(*m_frame));
    // It opens with room for some lines of output.
    Settle();
    EXPECT_GE(log->height(), 9 * m_frame->fontMetrics().lineSpacing());
    log->Append(QByteArray("line\n").repeated(200));
    log->repaint();
    Settle();
    for (int margin = 0; margin < 4; ++margin)
        EXPECT_EQ(log->Call().MarginWidthN(margin), 0) << margin;

    log->ScrollToEnd();
    const long first = log->Call().FirstVisibleLine();
    EXPECT_GE(first + log->Call().LinesOnScreen(), 200);

    log->setFocus();
    QTest::keyClicks(log->Call().Widget(), "typed");
    EXPECT_FALSE(log->Text().contains("typed"));
    log->Clear();
    EXPECT_TRUE(log->Text().isEmpty());
    EXPECT_TRUE(log->Call().ReadOnly());
}

// The tip and completion rules are the tips logic's own tests; here they reach a real view.
TEST_F(CompileFrameTest, UsageTipsOnDwellAndTypingAndCompletionReachTheView) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return Compiler().Tips().HasFinished(); }, 10000));
    Docs().NewBlank();
    CScrivoView* view = Docs().ActiveView();
    QAbstractScrollArea* editor = view->Call().Widget();
    view->AppendText("  Abort \"x\"\n");
    const auto tipShown = [view] { return view->Call().CallTipActive(); };
    Q_EMIT view->Call().DwellStarted(4);
    EXPECT_TRUE(tipShown());
    Q_EMIT view->Call().DwellEnded();
    EXPECT_FALSE(tipShown());

    editor->setFocus();
    view->Call().DocumentEnd();
    QTest::keyClicks(editor, "Exec ");
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(view->Call().CallTipPosStart(), 17);
    EXPECT_EQ(view->Call().StyleGetBack(38), long(kTipBackColour));
    QTest::keyClicks(editor, "nothing ");  // a word the compiler does not know closes the tip
    EXPECT_FALSE(tipShown());

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "$");
    ASSERT_TRUE(view->Call().AutoCActive());
    EXPECT_EQ(view->Call().AutoCGetMaxHeight(), 20);
    EXPECT_EQ(view->Call().AutoCGetCurrentText(), "$INSTDIR");
    view->Call().AutoCCancel();

    // A tip for a word near the window's right edge is moved left to end at that edge.
    view->AppendText(QByteArray(150, ' ') + "Abort \"x\"\n");
    const Sc::Position far = view->Call().PositionFromLine(view->Call().LineCount() - 2) + 152;
    Q_EMIT view->Call().DwellStarted(far);
    ASSERT_TRUE(tipShown());
    QWidget* tip = nullptr;
    for (QWidget* child : editor->findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible() && QByteArray(child->metaObject()->className()).contains("CallTip"))
            tip = child;  // the newest: ended tips linger until their deferred deletion
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->geometry().right(), m_frame->geometry().right());
    EXPECT_GT(tip->geometry().right(), m_frame->geometry().center().x());
    Q_EMIT view->Call().DwellEnded();
}

TEST_F(CompileFrameTest, LogColoursAnOutputCommentEndingInABackslash) {
    CCompileLogCtrl* log = Compiler().Log();
    EXPECT_EQ(log->Call().Lexer(), Sc::kLexerContainer);
    log->Append("; echoed \\\nOutFile a.exe\nOutFile b.exe\n");
    log->Call().Colourise(0, -1);
    const long styles[] = {1, 1, 5};
    for (unsigned long line = 0; line < 3; ++line)
        EXPECT_EQ(log->Call().StyleAt(log->Call().PositionFromLine(line)),
                  styles[line])
            << line;
}
