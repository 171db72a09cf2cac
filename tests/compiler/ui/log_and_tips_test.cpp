// The compile log's look and read-only text, tips and completion in a real view, and a missing compiler.
#include "compile_fixture.h"

#include "editor/core/command_tips.h"
#include "editor/ui/command_tipper.h"

TEST_F(CompileFrameTest, LogIsGreyWithoutMarginsAndRefusesTyping) {
    CCompileLogCtrl* log = Compiler().Log();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(m_frame->isAncestorOf(log));
    const std::tuple<unsigned, unsigned long, long> looks[] = {{Sci::SCI_GETREADONLY, 0, 1},
                                                               {Sci::SCI_GETHSCROLLBAR, 0, 0},
                                                               {Sci::SCI_GETCARETLINEVISIBLE, 0, 1},
                                                               {Sci::SCI_GETCARETLINEBACK, 0, 0xE1E1E1},
                                                               {Sci::SCI_GETCODEPAGE, 0, Sci::SC_CP_UTF8},
                                                               {Sci::SCI_STYLEGETBACK, 0, 0xC8C8C8},
                                                               {Sci::SCI_STYLEGETBACK, 32, 0xC8C8C8}};
    for (auto [message, argument, expected] : looks)
        EXPECT_EQ(log->Send(message, argument), expected) << message << " " << argument;

    m_frame->OnCommand(Cmd::ToggleLog);
    ASSERT_TRUE(LogShown(*m_frame));
    // It opens with room for some lines of output.
    Settle();
    EXPECT_GE(log->height(), 9 * m_frame->fontMetrics().lineSpacing());
    log->Append(QByteArray("line\n").repeated(200));
    log->repaint();
    Settle();
    for (unsigned long margin = 0; margin < 4; ++margin)
        EXPECT_EQ(log->Send(Sci::SCI_GETMARGINWIDTHN, margin), 0) << margin;

    log->ScrollToEnd();
    const long first = log->Send(Sci::SCI_GETFIRSTVISIBLELINE);
    EXPECT_GE(first + log->Send(Sci::SCI_LINESONSCREEN), 200);

    log->setFocus();
    QTest::keyClicks(log->Editor(), "typed");
    EXPECT_FALSE(log->Text().contains("typed"));
    log->Clear();
    EXPECT_TRUE(log->Text().isEmpty());
    EXPECT_EQ(log->Send(Sci::SCI_GETREADONLY), 1);
}

// The tip and completion rules are the tips logic's own tests; here they reach a real view.
TEST_F(CompileFrameTest, UsageTipsOnDwellAndTypingAndCompletionReachTheView) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return Compiler().Tips().HasFinished(); }, 10000));
    Docs().NewBlank();
    CScrivoView* view = Docs().ActiveView();
    QsciScintillaBase* editor = view->Editor();
    view->AppendText("  Abort \"x\"\n");
    const auto tipShown = [view] { return view->Send(Sci::SCI_CALLTIPACTIVE) != 0; };
    Q_EMIT editor->SCN_DWELLSTART(4, 0, 0);
    EXPECT_TRUE(tipShown());
    Q_EMIT editor->SCN_DWELLEND(4, 0, 0);
    EXPECT_FALSE(tipShown());

    editor->setFocus();
    view->Send(Sci::SCI_DOCUMENTEND);
    QTest::keyClicks(editor, "Exec ");
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(view->Send(Sci::SCI_CALLTIPPOSSTART), 17);
    EXPECT_EQ(view->Send(Sci::SCI_STYLEGETBACK, 38), long(kTipBackColour));
    QTest::keyClicks(editor, "nothing ");  // a word the compiler does not know closes the tip
    EXPECT_FALSE(tipShown());

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "$");
    ASSERT_NE(view->Send(Sci::SCI_AUTOCACTIVE), 0);
    EXPECT_EQ(view->Send(Sci::SCI_AUTOCGETMAXHEIGHT), 20);
    char current[64] = {};
    editor->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, uintptr_t(0), current);
    EXPECT_STREQ(current, "$INSTDIR");
    view->Send(Sci::SCI_AUTOCCANCEL);

    // A tip for a word near the window's right edge is moved left to end at that edge.
    view->AppendText(QByteArray(150, ' ') + "Abort \"x\"\n");
    const long far = view->Send(Sci::SCI_POSITIONFROMLINE, view->Send(Sci::SCI_GETLINECOUNT) - 2) + 152;
    Q_EMIT editor->SCN_DWELLSTART(int(far), 0, 0);
    ASSERT_TRUE(tipShown());
    QWidget* tip = nullptr;
    for (QWidget* child : editor->findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible() && QByteArray(child->metaObject()->className()).contains("CallTip"))
            tip = child;  // the newest: ended tips linger until their deferred deletion
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->geometry().right(), m_frame->geometry().right());
    EXPECT_GT(tip->geometry().right(), m_frame->geometry().center().x());
    Q_EMIT editor->SCN_DWELLEND(int(far), 0, 0);
}

TEST_F(CompileFrameTest, MissingCompilerAsksAndCompilesNothing) {
    m_config->Base().CompilePath = m_dir.filePath(QStringLiteral("no-makensis"));
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("x.nsi"), HelloScript()), false));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    m_frame->OnCommand(Cmd::Compile);
    EXPECT_EQ(m_prompter.MessageTexts(), QStringList{MissingCompilerText()});
    EXPECT_FALSE(Logic().IsCompiling());
    EXPECT_FALSE(LogShown(*m_frame));
}

TEST_F(CompileFrameTest, LogColoursAnOutputCommentEndingInABackslash) {
    CCompileLogCtrl* log = Compiler().Log();
    EXPECT_EQ(log->Send(Sci::SCI_GETLEXER), Sci::SCLEX_CONTAINER);
    log->Append("; echoed \\\nOutFile a.exe\nOutFile b.exe\n");
    log->Send(Sci::SCI_COLOURISE, 0, -1);
    const long styles[] = {1, 1, 5};
    for (unsigned long line = 0; line < 3; ++line)
        EXPECT_EQ(log->Send(Sci::SCI_GETSTYLEAT, (unsigned long)log->Send(Sci::SCI_POSITIONFROMLINE, line)),
                  styles[line])
            << line;
}
