// The compile worker against Debian's real makensis, on scripts in temporary folders.
#include "compile_helpers.h"
#include "support/eventually.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/output_pipeline.h"
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CompileLogLogic : public ::testing::Test {
protected:
    QString Script(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(WriteBytes(m_dir.filePath(name), bytes)) << name.toStdString();
        return m_dir.filePath(name);
    }

    QTemporaryDir m_dir;
    CCompileLogLogic m_logic;
};
}  // namespace

TEST_F(CompileLogLogic, GoodScriptBuildsAndReportsItsInstaller) {
    const QString script = Script("hello world.nsi", HelloScript());
    const CompileRun run = Compile(m_logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.startedSignal);
    EXPECT_FALSE(m_logic.IsCompiling());
    EXPECT_TRUE(run.log.startsWith(("CommandLine=/usr/bin/makensis -- '" + script + "'\n\n").toUtf8()));
    EXPECT_TRUE(run.log.contains("Output: \"hello.exe\""));
    EXPECT_TRUE(run.log.contains("Total size:"));
    EXPECT_TRUE(run.errorLines.isEmpty());
    EXPECT_TRUE(run.result.started);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_EQ(run.result.installerPath, m_dir.filePath("hello.exe"));
    EXPECT_TRUE(QFile::exists(run.result.installerPath));
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), run.result.installerPath);

    // A second compile shows only its own output.
    const CompileRun again = Compile(m_logic, Settings(), script);
    EXPECT_EQ(again.log.count("CommandLine="), 1);
    EXPECT_EQ(again.result.exitCode, 0);
}

TEST_F(CompileLogLogic, LogHoldsExactlyWhatTheCompilerPrints) {
    QByteArray text = "!verbose 4\n";
    for (int i = 0; i < 5000; ++i)
        text += "!echo \"第 " + QByteArray::number(i) + " 行 output line\"\n";
    const QString script = Script("chatty.nsi", text + HelloScript());

    const QByteArray expected = RunTool(kMakensis, {"--", script},
                                        {.environment = MakensisEnvironment(QProcessEnvironment::systemEnvironment())})
                                    .output;
    ASSERT_GT(expected.count('\n'), 5000);
    // makensis names an installer that already exists by its full path.
    ASSERT_TRUE(QFile::remove(m_dir.filePath("hello.exe")));
    const CompileRun run = Compile(m_logic, Settings(), script);
    const qsizetype outputStart = run.log.indexOf("\n\n") + 2;
    EXPECT_EQ(run.log.mid(outputStart), expected);
}

TEST_F(CompileLogLogic, ErrorOnLine12IsReportedAndClearsTheInstaller) {
    // Lines 7 to 11 are filler.
    const QString script =
        Script("broken.nsi", HelloScript() + QByteArray("; filler\n").repeated(5) + "NoSuchCommand 1 2\n");
    const CompileRun run = Compile(m_logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_EQ(run.errorLines.last(), 11);
    EXPECT_NE(run.result.exitCode, 0);
    EXPECT_TRUE(run.result.NextInstallerPath("/old.exe").isEmpty());
    EXPECT_TRUE(run.log.contains("Error in script"));
}

TEST_F(CompileLogLogic, StopEndsASleepingCompileAndWhatItStarted) {
    const QString script = Script("sleepy.nsi",
                                  "Name x\nOutFile x.exe\n!system \"echo $$ > sleeper.pid; exec sleep 30\"\n"
                                  "Section\nSectionEnd\n");
    const QString pidPath = m_dir.filePath("sleeper.pid");
    const CompileRun run = Compile(m_logic, Settings(), script, [&](CCompileLogLogic& running) {
        // Stop once the compiler has reached the sleep.
        auto* poll = new QTimer(&running);
        QObject::connect(poll, &QTimer::timeout, &running, [&running, poll, pidPath] {
            if (WrittenPid(pidPath) == 0)
                return;
            poll->deleteLater();
            EXPECT_FALSE(running.Start(Settings(), "/tmp/other.nsi"));  // one compile at a time
            running.Stop();
        });
        poll->start(10);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.result.stopped);
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), "/old.exe");
    EXPECT_FALSE(m_logic.IsCompiling());

    const pid_t sleeper = WrittenPid(pidPath);
    ASSERT_GT(sleeper, 0);
    ASSERT_EVENTUALLY(!IsAlive(sleeper)) << "the sleep that !system started still runs";

    // Stop while idle does nothing.
    m_logic.Stop();
    EXPECT_FALSE(m_logic.IsCompiling());
}

TEST_F(CompileLogLogic, DefsWithBlanksReachTheScriptWhole) {
    const QString script = Script("defs.nsi",
                                  "!if \"${TITLE}\" != \"My App 2\"\n  !error \"TITLE arrived cut\"\n!endif\n"
                                  "!ifndef FLAG\n  !error \"FLAG missing\"\n!endif\n"
                                      + HelloScript("${TITLE}.exe"));
    const CompileRun run = Compile(m_logic, Settings(0, "/DTITLE=My App 2\r\n/DFLAG\n"), script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, m_dir.filePath("My App 2.exe"));
}

TEST_F(CompileLogLogic, EachCompressorChoiceOverridesTheScript) {
    const QString script = Script("packed.nsi", "SetCompressor bzip2\n" + HelloScript());
    const std::vector<const char*> expected = {"Using bzip2 compression.",
                                               "Using zlib compression.",
                                               "Using zlib (compress whole) compression.",
                                               "Using bzip2 compression.",
                                               "Using bzip2 (compress whole) compression.",
                                               "Using lzma compression.",
                                               "Using lzma (compress whole) compression.",
                                               "Using zlib compression."};
    for (int index = 0; index < static_cast<int>(expected.size()); ++index) {
        const CompileRun run = Compile(m_logic, Settings(index), script);
        EXPECT_TRUE(run.log.contains(expected[static_cast<size_t>(index)])) << index;
        EXPECT_EQ(run.result.exitCode, 0) << index;
    }
}

TEST_F(CompileLogLogic, GbkScriptWithChineseTextCompilesAndLeavesNothingBehind) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("out"));
    Script("common.nsh", "!define FROM_INCLUDE 1\n");
    const QString script = Script("安装.nsi",
                                  ToGbk("; 这是中文注释\nName \"测试程序\"\nOutFile \"out/安装程序.exe\"\n"
                                        "!include \"common.nsh\"\n"
                                        "!ifndef FROM_INCLUDE\n  !error \"include missed\"\n!endif\n"
                                        "RequestExecutionLevel user\n"
                                        "Section \"主程序\"\n  DetailPrint \"你好\"\nSectionEnd\n"));
    const QStringList before = FolderEntries(m_dir.path());
    const CompileRun run = Compile(m_logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, m_dir.filePath("out/安装程序.exe"));
    EXPECT_TRUE(QFile::exists(run.result.installerPath));
    EXPECT_EQ(FolderEntries(m_dir.path()), before);
    EXPECT_EQ(FolderEntries(m_dir.filePath("out")), QStringList{"安装程序.exe"});

    // An error in such a script still names its line.
    WriteBytes(script, ToGbk("; 注释\nName \"测试\"\nOutFile x.exe\nBadCommand\n"));
    const CompileRun broken = Compile(m_logic, Settings(), script);
    ASSERT_FALSE(broken.errorLines.isEmpty());
    EXPECT_EQ(broken.errorLines.last(), 3);

    // UCS-2 without a mark takes the same way.
    const QString wide = QString::fromUtf8("; 宽字符\n" + HelloScript("out/wide.exe"));
    WriteBytes(script, Utf16(wide, false));
    const CompileRun unmarked = Compile(m_logic, Settings(), script);
    EXPECT_EQ(unmarked.result.installerPath, m_dir.filePath("out/wide.exe")) << unmarked.log.toStdString();
    EXPECT_TRUE(unmarked.log.contains("CommandLine=/usr/bin/makensis -\n"));

    // A GBK file it includes cannot be read by makensis: the log names it.
    Script("legacy.nsh", ToGbk("; 旧文件\n"));
    const CompileRun hinted =
        Compile(m_logic, Settings(), Script("main.nsi", "!include \"legacy.nsh\"\n" + HelloScript()));
    EXPECT_NE(hinted.result.exitCode, 0);
    EXPECT_TRUE(hinted.log.contains(BadEncodingHint("legacy.nsh").toUtf8())) << hinted.log.toStdString();
}

TEST_F(CompileLogLogic, ChinesePathsCompileUnderANonUtf8Locale) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("中文目录"));
    const QString script = Script("中文目录/脚本.nsi", HelloScript());
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C");
    const CompileRun run = Compile(m_logic, Settings(), script);
    qputenv("LC_ALL", saved);
    if (saved.isEmpty())
        qunsetenv("LC_ALL");
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, m_dir.filePath("中文目录/hello.exe"));
}

TEST_F(CompileLogLogic, AMissingCompilerIsSaidInTheLogAndChangesNothing) {
    const QString script = Script("a.nsi", HelloScript());
    CompileSettings settings = Settings();
    settings.compilerPath = m_dir.filePath("no-makensis");
    const CompileRun run = Compile(m_logic, settings, script);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.log.startsWith("CommandLine="));
    EXPECT_TRUE(run.log.contains("无法启动编译器"));
    EXPECT_FALSE(run.result.started);
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), "/old.exe");
}

TEST_F(CompileLogLogic, DestroyingDuringACompileEndsTheCompiler) {
    const QString script = Script("sleepy.nsi", "!system \"echo $$ > sleeper.pid; exec sleep 30\"\n" + HelloScript());
    const QString pidPath = m_dir.filePath("sleeper.pid");
    {
        CCompileLogLogic logic;
        ASSERT_TRUE(logic.Start(Settings(), script));
        ASSERT_EVENTUALLY(WrittenPid(pidPath) != 0);
    }
    ASSERT_EVENTUALLY(!IsAlive(WrittenPid(pidPath))) << "the compile outlived its driver";
}
