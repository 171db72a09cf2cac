// The compile commands in the frame with the real makensis: log, installer path, error jump, stop, run.
#include "compile_fixture.h"
#include "support/eventually.h"

#include "app/ui/frame_status_bar.h"
#include "compiler/core/installer_runner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

namespace {

// A script whose twelfth line holds an unknown command.
const QByteArray kBrokenOnLine12 = "Name \"Broken\"\nOutFile \"broken.exe\"\nRequestExecutionLevel user\nSection\n"
    + QByteArray("  DetailPrint \"line\"\n").repeated(7) + "  NotACommand here\n"
    + QByteArray("  DetailPrint \"line\"\n").repeated(67) + "SectionEnd\n";

// A "wine" first on PATH that writes its arguments to a file. Broken, it
// cannot be started at all, so every attempt to run an installer shows at
// once as the program's "cannot run" message instead of as a process to wait for.
class FakeWine {
public:
    FakeWine() : m_oldPath(qgetenv("PATH")) {
        EXPECT_TRUE(WriteExecutable(Program(), ("#!/bin/sh\necho \"$@\" > '" + Marker() + "'\n").toUtf8()));
        qputenv("PATH", m_dir.path().toUtf8() + ':' + m_oldPath);
    }
    ~FakeWine() { qputenv("PATH", m_oldPath); }

    QString Marker() const { return m_dir.filePath(QStringLiteral("ran")); }
    void Break() { EXPECT_TRUE(WriteExecutable(Program(), "#!/nonexistent/interpreter\n")); }

private:
    QString Program() const { return m_dir.filePath(QStringLiteral("wine")); }

    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

// How often the program tried to start an installer through the broken wine.
int StartAttempts(const ScriptedPrompter& prompter) {
    return int(prompter.MessageTexts().filter(QStringLiteral("无法运行安装程序“")).size());
}

// Lets a compile sleeping in SleepingLine() go on.
void WakeSleeper(const QString& pidFile) { ::kill(WrittenPid(pidFile), SIGTERM); }

}  // namespace

TEST_F(CompileFrameTest, GoodScriptBuildsRecordsItsInstallerAndTakesTheCompressor) {
    const QString script = Script(QStringLiteral("hello.nsi"), HelloScript());
    EXPECT_FALSE(LogShown(*m_frame));
    ASSERT_NE(OpenAndCompile(script), nullptr);
    EXPECT_TRUE(LogShown(*m_frame));
    EXPECT_TRUE(FrameActions(*m_frame).Action(Cmd::ToggleLog)->isChecked());
    EXPECT_TRUE(Enabled(Cmd::StopCompile));
    for (int id : {Cmd::Compile, Cmd::CompileRun, Cmd::RunInstaller})
        EXPECT_FALSE(Enabled(id)) << id;

    ASSERT_TRUE(WaitForCompile());
    EXPECT_TRUE(LogText().startsWith("CommandLine=/usr/bin/makensis -- " + script.toUtf8() + "\n\n"))
        << LogText().constData();
    const QString installer = m_dir.filePath(QStringLiteral("hello.exe"));
    EXPECT_EQ(Compiler().InstallerOf(Docs().ActiveView()), installer);
    for (int id : {Cmd::Compile, Cmd::RunInstaller})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(Cmd::StopCompile));
    EXPECT_TRUE(m_prompter.Messages().empty());

    // Running it without wine says so.
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    FrameActions(*m_frame).Action(Cmd::RunInstaller)->trigger();
    qputenv("PATH", path);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, NoWineMessage());
    EXPECT_EQ(m_prompter.Messages()[0].icon, PromptIcon::Warning);

    // The next compile takes the compressor chosen in the menu.
    m_frame->OnCommand(Cmd::CompressorFirst + 6);  // LZMA (solid)
    m_frame->OnCommand(Cmd::Compile);
    ASSERT_TRUE(WaitForCompile());
    EXPECT_TRUE(LogText().startsWith("CommandLine=/usr/bin/makensis '-XSetCompressor /FINAL /SOLID lzma' -- "))
        << LogText().left(200).constData();
}

TEST_F(CompileFrameTest, ErrorLineMovesOnlyTheActiveEditorFiveLinesBelowTheTop) {
    CScrivoView* view = OpenAndCompile(Script(QStringLiteral("late.nsi"), SleepingLine() + kBrokenOnLine12));
    ASSERT_NE(view, nullptr);
    m_frame->OnCommand(Cmd::StartPage);
    ASSERT_EQ(FrameActiveView(*m_frame), nullptr);
    ASSERT_EVENTUALLY(WrittenPid(SleeperPidFile()) != 0);
    WakeSleeper(SleeperPidFile());
    ASSERT_TRUE(WaitForCompile());
    // The error line came while no editor was active, so no jump is pending.
    EXPECT_TRUE(LogText().contains("Error in script"));
    EXPECT_EQ(CaretLine(*view), 0);

    view = OpenAndCompile(Script(QStringLiteral("broken.nsi"), kBrokenOnLine12));
    ASSERT_NE(view, nullptr);
    view->Call().GotoLine(60);
    ASSERT_TRUE(WaitForCompile());
    ASSERT_EVENTUALLY(CaretLine(*view) == 11);
    EXPECT_EQ(view->Call().FirstVisibleLine(), 6);
    EXPECT_FALSE(Enabled(Cmd::RunInstaller));
}

TEST_F(CompileFrameTest, CompileAndRunStartsOnlyAFreshlyBuiltInstaller) {
    FakeWine wine;
    // Another tab takes over when the compiled one closes; the result must not reach it.
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("other.nsi"), HelloScript()), false));
    const QString script = Script(QStringLiteral("run.nsi"), HelloScript());
    CScrivoView* view = OpenAndCompile(script, Cmd::CompileRun);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(WaitForCompile());
    // Edited and saved in the program, so no question about a change on disk comes between.
    const auto rewrite = [&](const QByteArray& text) {
        view->Call().SetText(text);
        ASSERT_TRUE(Docs().Save(Docs().ActiveDocument()));
    };
    const QString installer = m_dir.filePath(QStringLiteral("hello.exe"));
    ASSERT_EVENTUALLY(QFile::exists(wine.Marker()));
    EXPECT_EQ(ReadBytes(wine.Marker()).trimmed(), installer.toUtf8());
    wine.Break();

    // Stopped: the old installer stays recorded, nothing starts, not even
    // through F9, whose key arrives while its item is disabled.
    rewrite(SleepingLine() + HelloScript());
    m_frame->OnCommand(Cmd::CompileRun);
    ASSERT_EVENTUALLY(WrittenPid(SleeperPidFile()) != 0);
    m_frame->OnCommand(Cmd::RunInstaller);
    m_frame->OnCommand(Cmd::StopCompile);
    ASSERT_TRUE(WaitForCompile(5000));
    EXPECT_EQ(StartAttempts(m_prompter), 0);
    EXPECT_EQ(Compiler().InstallerOf(Docs().ActiveView()), installer);
    EXPECT_TRUE(Enabled(Cmd::RunInstaller));

    // Failed: the recorded installer is cleared, nothing starts.
    rewrite(kBrokenOnLine12);
    m_frame->OnCommand(Cmd::CompileRun);
    ASSERT_TRUE(WaitForCompile());
    EXPECT_EQ(StartAttempts(m_prompter), 0);
    EXPECT_TRUE(Compiler().InstallerOf(Docs().ActiveView()).isEmpty());

    // Closed while compiling: left alone, nothing starts, the reopened document has no installer.
    QFile::remove(SleeperPidFile());
    rewrite(SleepingLine() + HelloScript());
    m_frame->OnCommand(Cmd::CompileRun);
    ASSERT_EVENTUALLY(WrittenPid(SleeperPidFile()) != 0);
    m_frame->OnCommand(Cmd::Close);
    WakeSleeper(SleeperPidFile());
    ASSERT_TRUE(WaitForCompile());
    EXPECT_EQ(StartAttempts(m_prompter), 0);
    EXPECT_TRUE(Compiler().InstallerOf(Docs().ActiveView()).isEmpty());
    ASSERT_TRUE(Docs().OpenDocument(script, false));
    EXPECT_TRUE(Compiler().InstallerOf(Docs().ActiveView()).isEmpty());
}

TEST_F(CompileFrameTest, EscapeStopsALongCompile) {
    CScrivoView* view = OpenAndCompile(Script(QStringLiteral("slow.nsi"), SleepingLine() + HelloScript()));
    ASSERT_NE(view, nullptr);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    view->Call().Widget()->setFocus();
    ASSERT_EVENTUALLY(WrittenPid(SleeperPidFile()) != 0);  // makensis is sleeping now
    ASSERT_TRUE(Logic().IsCompiling());
    // What Escape closes first is the view's own test.
    QTest::keyClick(view->Call().Widget(), Qt::Key_Escape);
    ASSERT_TRUE(WaitForCompile(5000));
    for (int id : {Cmd::Compile, Cmd::CompileRun})
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : {Cmd::StopCompile, Cmd::RunInstaller})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(CompileFrameTest, StartOptionAndHandOverCompileTheActiveDocument) {
    const QString first = Script(QStringLiteral("first.nsi"), HelloScript());
    m_frame->OpenInitialDocuments(CommandLine{true, first});
    ASSERT_TRUE(Logic().IsCompiling());
    ASSERT_TRUE(WaitForCompile());
    EXPECT_EQ(Compiler().InstallerOf(Docs().ActiveView()), m_dir.filePath(QStringLiteral("hello.exe")));

    const QString second = Script(QStringLiteral("second.nsi"), kBrokenOnLine12);
    m_frame->OnHandOver(HandOverMessage{true, second});
    ASSERT_TRUE(Logic().IsCompiling());
    ASSERT_TRUE(WaitForCompile());
    EXPECT_EQ(Docs().ActiveView()->Path(), second);
    EXPECT_TRUE(LogText().contains("second.nsi"));
    m_frame->OnHandOver(HandOverMessage{false, first});
    EXPECT_FALSE(Logic().IsCompiling());
}

TEST_F(CompileFrameTest, CompileKeyOnAHeaderSaysHowAndOffersTheScriptThatIncludesIt) {
    using namespace Qt::StringLiterals;
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"parts"_s)));
    ASSERT_TRUE(WriteBytes(m_dir.filePath(u"parts/inc.nsh"_s), "!define GREETING hi\n"));
    const QString script = Script(u"main.nsi"_s, "!include \"parts/inc.nsh\"\n" + HelloScript());
    ASSERT_TRUE(Docs().OpenDocument(script, false));
    ASSERT_TRUE(Docs().OpenDocument(m_dir.filePath(u"parts/inc.nsh"_s), false));
    ASSERT_FALSE(Enabled(Cmd::Compile));
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    QAbstractScrollArea* header = Docs().ActiveView()->Call().Widget();
    header->setFocus();

    m_prompter.QueueAnswer(PromptAnswer::No);
    QTest::keyClick(header, Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(FrameStatus(*m_frame)->PartText(0), u"头文件 (.nsh) 不能单独编译，请编译包含它的 .nsi 脚本"_s);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_TRUE(m_prompter.Messages()[0].text.contains(u"“main.nsi”"_s)) << m_prompter.Messages()[0].text.toStdString();
    EXPECT_FALSE(Logic().IsCompiling());

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    QTest::keyClick(header, Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(Docs().ActiveView()->Path(), script);
    ASSERT_TRUE(WaitForCompile());
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(u"hello.exe"_s))) << LogText().constData();
}
