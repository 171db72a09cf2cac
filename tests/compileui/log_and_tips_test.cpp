// The compile log's look and read-only text, and command tips and completion in a real editor view.
#include "compile_fixture.h"

#include "editor/core/command_tips.h"
#include "editor/ui/command_tipper.h"

namespace {

bool WaitForTips(CommandTipSource& tips) {
    for (int i = 0; i < 500 && !tips.HasFinished(); ++i)
        QTest::qWait(20);
    return tips.HasFinished();
}

}  // namespace

TEST_F(CompileFrameTest, LogIsGreyWithoutMarginsAndRefusesTyping) {
    CCompileLogCtrl* log = Compiler().Log();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(m_frame->LogPane()->isAncestorOf(log));
    EXPECT_EQ(log->Send(Sci::SCI_GETREADONLY), 1);
    EXPECT_EQ(log->Send(Sci::SCI_GETHSCROLLBAR), 0);
    EXPECT_EQ(log->Send(Sci::SCI_GETCARETLINEVISIBLE), 1);
    EXPECT_EQ(log->Send(Sci::SCI_GETCARETLINEBACK), 0xE1E1E1);
    EXPECT_EQ(log->Send(Sci::SCI_GETCODEPAGE), Sci::SC_CP_UTF8);
    EXPECT_EQ(log->Send(Sci::SCI_STYLEGETBACK, 0), 0xC8C8C8);
    EXPECT_EQ(log->Send(Sci::SCI_STYLEGETBACK, 32), 0xC8C8C8);

    m_frame->OnCommand(Cmd::ToggleLog);
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

TEST_F(CompileFrameTest, UsageTipsOnDwellAndTypingAndCompletionInListOrder) {
    CommandTipSource& tips = Compiler().Tips();
    ASSERT_TRUE(WaitForTips(tips));
    const auto table = tips.Table();
    for (const char* command : {"exec", "abort", "file", "addbrandingimage"})
        EXPECT_TRUE(table->contains(command)) << command;
    EXPECT_EQ(UsageTip(*table, "EXEC"), "Usage: Exec command_line");

    Docs().NewBlank();
    CScrivoView* view = Docs().ActiveView();
    QsciScintillaBase* editor = view->Editor();
    view->AppendText("  Abort \"x\"\n");
    const auto tipShown = [view] { return view->Send(Sci::SCI_CALLTIPACTIVE) != 0; };
    const std::pair<int, bool> dwells[] = {{4, true}, {1, false}, {3, true}};  // 1 is a blank
    for (auto [position, shown] : dwells) {
        Q_EMIT editor->SCN_DWELLSTART(position, 0, 0);
        EXPECT_EQ(tipShown(), shown) << position;
    }
    Q_EMIT editor->SCN_DWELLEND(3, 0, 0);
    EXPECT_FALSE(tipShown());
    Q_EMIT editor->SCN_DWELLSTART(-1, 0, 0);
    EXPECT_FALSE(tipShown());

    editor->setFocus();
    view->Send(Sci::SCI_DOCUMENTEND);
    QTest::keyClicks(editor, "Exec ");
    EXPECT_TRUE(tipShown());
    EXPECT_EQ(view->Send(Sci::SCI_CALLTIPPOSSTART), 17);
    EXPECT_EQ(view->Send(Sci::SCI_STYLEGETBACK, 38), long(kTipBackColour));
    QTest::keyClicks(editor, "nothing ");  // a word the compiler does not know closes the tip
    EXPECT_FALSE(tipShown());

    char current[64] = {};
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "$");
    ASSERT_NE(view->Send(Sci::SCI_AUTOCACTIVE), 0);
    EXPECT_EQ(view->Send(Sci::SCI_AUTOCGETMAXHEIGHT), 20);
    editor->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, uintptr_t(0), current);
    // The registers $0..$R9 are left out; $INSTDIR follows them in the list.
    EXPECT_STREQ(current, "$INSTDIR");
    view->Send(Sci::SCI_AUTOCCANCEL);

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "sec");
    ASSERT_NE(view->Send(Sci::SCI_AUTOCACTIVE), 0);
    editor->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, uintptr_t(0), current);
    EXPECT_EQ(QByteArray(current).first(3).toLower(), "sec");
    view->Send(Sci::SCI_AUTOCCANCEL);

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "qqq");
    EXPECT_EQ(view->Send(Sci::SCI_AUTOCACTIVE), 0);
}

class NoCompilerTest : public CompileFrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_config->Base().CompilePath = m_dir.filePath(QStringLiteral("no-makensis"));
        m_frame.reset();
        m_frame = std::make_unique<CMainFrame>(*m_config, m_prompter, QUrl());
        m_frame->show();
    }
};

TEST_F(NoCompilerTest, NoTipEverShowsCompletionWorksAndCompileAsks) {
    ASSERT_TRUE(WaitForTips(Compiler().Tips()));
    EXPECT_TRUE(Compiler().Tips().Table()->isEmpty());
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("x.nsi"), HelloScript()), false));
    CScrivoView* view = Docs().ActiveView();
    view->Editor()->setFocus();
    QTest::keyClicks(view->Editor(), "Exec ");
    EXPECT_EQ(view->Send(Sci::SCI_CALLTIPACTIVE), 0);
    QTest::keyClicks(view->Editor(), "Sec");
    EXPECT_NE(view->Send(Sci::SCI_AUTOCACTIVE), 0);

    ASSERT_TRUE(Docs().Save(Docs().ActiveDocument()));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    m_frame->OnCommand(Cmd::Compile);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, MissingCompilerText());
    EXPECT_FALSE(Logic().IsCompiling());
    EXPECT_FALSE(m_frame->IsLogShown());
}
