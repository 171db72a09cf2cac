// The compile worker against Debian's real makensis, on scripts in temporary folders.
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_runner.h"
#include "compiler/core/output_scanner.h"
#include "editor/core/ansi_conversion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {
const QString kMakensis = QStringLiteral("/usr/bin/makensis");

struct CompileRun {
    bool startedSignal = false;
    bool finished = false;
    QByteArray log;
    QList<int> errorLines;
    CompileResult result;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ToGbk(const QByteArray& utf8) {
    QByteArray out;
    bool lossy = false;
    Utf8ToAnsi(utf8, out, lossy);
    return out;
}

// A script whose lines are numbered from 1 as makensis counts them.
QByteArray HelloScript(const QByteArray& outFile = "hello.exe") {
    return "Name \"Hello\"\n"
           "OutFile \"" + outFile + "\"\n"
           "RequestExecutionLevel user\n"
           "Section\n"
           "  DetailPrint \"hi\"\n"
           "SectionEnd\n";
}

// Starts a compile and runs the event loop until it finishes; onStart runs
// once the first text has arrived.
CompileRun Compile(CCompileLogLogic& logic, const CompileSettings& settings, const QString& script,
                   const std::function<void(CCompileLogLogic&)>& onFirstText = {}) {
    CompileRun run;
    QEventLoop loop;
    QObject::connect(&logic, &CCompileLogLogic::CompileStarted, &loop, [&] { run.startedSignal = true; });
    QObject::connect(&logic, &CCompileLogLogic::TextReady, &loop, [&](const QByteArray& text) {
        const bool first = run.log.isEmpty();
        run.log += text;
        if (first && onFirstText)
            onFirstText(logic);
    });
    QObject::connect(&logic, &CCompileLogLogic::ErrorLine, &loop, [&](int line) { run.errorLines << line; });
    QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& result) {
        run.result = result;
        run.finished = true;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!logic.Start(settings, script))
        return run;
    loop.exec();
    return run;
}

CompileSettings Settings(int compressor = 0, const QString& defs = {}) {
    CompileSettings settings;
    settings.compilerPath = kMakensis;
    settings.compressor = compressor;
    settings.defs = defs;
    return settings;
}

// A killed process whose parent is gone stays a zombie until init reaps it.
bool IsAlive(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] != 'Z';
}

QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}
}  // namespace

TEST(CompileLogLogic, GoodScriptBuildsAndReportsItsInstaller) {
    QTemporaryDir dir;
    const QString script = dir.filePath("hello world.nsi");
    WriteFile(script, HelloScript());
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.startedSignal);
    EXPECT_FALSE(logic.IsCompiling());
    EXPECT_TRUE(run.log.startsWith(
        ("CommandLine=/usr/bin/makensis -- '" + script + "'\n\n").toUtf8()));
    EXPECT_TRUE(run.log.contains("Output: \"hello.exe\""));
    EXPECT_TRUE(run.log.contains("Total size:"));
    EXPECT_TRUE(run.errorLines.isEmpty());
    EXPECT_TRUE(run.result.started);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_EQ(run.result.installerPath, dir.filePath("hello.exe"));
    EXPECT_TRUE(QFile::exists(run.result.installerPath));
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), run.result.installerPath);
    EXPECT_TRUE(ComputeCompileCommandStates(script, logic.IsCompiling(), run.result.installerPath).runInstaller);

    // A second compile shows only its own output.
    const CompileRun again = Compile(logic, Settings(), script);
    EXPECT_EQ(again.log.count("CommandLine="), 1);
    EXPECT_EQ(again.result.exitCode, 0);
}

TEST(CompileLogLogic, LogHoldsExactlyWhatTheCompilerPrints) {
    QTemporaryDir dir;
    const QString script = dir.filePath("chatty.nsi");
    QByteArray text = "!verbose 4\n";
    for (int i = 0; i < 5000; ++i)
        text += "!echo \"第 " + QByteArray::number(i) + " 行 output line\"\n";
    WriteFile(script, text + HelloScript());

    QProcess direct;
    direct.setProcessChannelMode(QProcess::MergedChannels);
    direct.setProcessEnvironment(MakensisEnvironment(QProcessEnvironment::systemEnvironment()));
    direct.start(kMakensis, {"--", script});
    ASSERT_TRUE(direct.waitForFinished(60000));
    const QByteArray expected = direct.readAll();
    ASSERT_GT(expected.count('\n'), 5000);
    // makensis names an installer that already exists by its full path.
    ASSERT_TRUE(QFile::remove(dir.filePath("hello.exe")));
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);
    const qsizetype outputStart = run.log.indexOf("\n\n") + 2;
    EXPECT_EQ(run.log.mid(outputStart), expected);
}

TEST(CompileLogLogic, ErrorOnLine12IsReportedAndClearsTheInstaller) {
    QTemporaryDir dir;
    const QString script = dir.filePath("broken.nsi");
    QByteArray text = HelloScript();
    for (int line = 7; line <= 11; ++line)
        text += "; filler\n";
    text += "NoSuchCommand 1 2\n";
    WriteFile(script, text);
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_EQ(run.errorLines.last(), 11);
    EXPECT_NE(run.result.exitCode, 0);
    EXPECT_TRUE(run.result.NextInstallerPath("/old.exe").isEmpty());
    // Compile and run after the failure runs nothing, not even an earlier build.
    const QString earlier = dir.filePath("earlier.exe");
    WriteFile(earlier, "MZ");
    EXPECT_EQ(RunInstaller(run.result.NextInstallerPath(earlier), "/usr/bin/true"),
              RunInstallerResult::NoInstaller);
    EXPECT_TRUE(run.log.contains("Error in script"));
}

TEST(CompileLogLogic, StopEndsASleepingCompileAndWhatItStartedWithinASecond) {
    QTemporaryDir dir;
    const QString script = dir.filePath("sleepy.nsi");
    WriteFile(script, "Name x\nOutFile x.exe\n!system \"echo $$ > sleeper.pid; exec sleep 30\"\n"
                      "Section\nSectionEnd\n");
    CCompileLogLogic logic;
    QElapsedTimer sinceStop;
    const CompileRun run = Compile(logic, Settings(), script, [&](CCompileLogLogic& running) {
        // Wait until the compiler has reached the sleep.
        QTimer::singleShot(300, &running, [&running, &sinceStop] {
            EXPECT_FALSE(running.Start(Settings(), "/tmp/other.nsi"));  // one compile at a time
            sinceStop.start();
            running.Stop();
        });
    });
    ASSERT_TRUE(run.finished);
    EXPECT_LT(sinceStop.elapsed(), 1000);
    EXPECT_TRUE(run.result.stopped);
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), "/old.exe");
    EXPECT_FALSE(logic.IsCompiling());

    QFile pidFile(dir.filePath("sleeper.pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t sleeper = static_cast<pid_t>(pidFile.readAll().trimmed().toInt());
    ASSERT_GT(sleeper, 0);
    QElapsedTimer reaped;
    reaped.start();
    while (IsAlive(sleeper) && reaped.elapsed() < 1000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(IsAlive(sleeper)) << "the sleep that !system started still runs";

    // Stop while idle does nothing.
    logic.Stop();
    EXPECT_FALSE(logic.IsCompiling());
}

TEST(CompileLogLogic, DefsWithBlanksReachTheScriptWhole) {
    QTemporaryDir dir;
    const QString script = dir.filePath("defs.nsi");
    WriteFile(script, "!if \"${TITLE}\" != \"My App 2\"\n  !error \"TITLE arrived cut\"\n!endif\n"
                      "!ifndef FLAG\n  !error \"FLAG missing\"\n!endif\n" + HelloScript("${TITLE}.exe"));
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(0, "/DTITLE=My App 2\r\n/DFLAG\n"), script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, dir.filePath("My App 2.exe"));
}

TEST(CompileLogLogic, EachCompressorChoiceOverridesTheScript) {
    QTemporaryDir dir;
    const QString script = dir.filePath("packed.nsi");
    WriteFile(script, "SetCompressor bzip2\n" + HelloScript());
    const std::vector<const char*> expected = {
        "Using bzip2 compression.", "Using zlib compression.", "Using zlib (compress whole) compression.",
        "Using bzip2 compression.", "Using bzip2 (compress whole) compression.", "Using lzma compression.",
        "Using lzma (compress whole) compression.", "Using zlib compression."};
    CCompileLogLogic logic;
    for (int index = 0; index < static_cast<int>(expected.size()); ++index) {
        const CompileRun run = Compile(logic, Settings(index), script);
        EXPECT_TRUE(run.log.contains(expected[static_cast<size_t>(index)])) << index;
        EXPECT_EQ(run.result.exitCode, 0) << index;
    }
}

TEST(CompileLogLogic, GbkScriptWithChineseTextCompilesAndLeavesNothingBehind) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    WriteFile(dir.filePath("common.nsh"), "!define FROM_INCLUDE 1\n");
    const QString script = dir.filePath("安装.nsi");
    WriteFile(script, ToGbk("; 这是中文注释\n"
                            "Name \"测试程序\"\n"
                            "OutFile \"out/安装程序.exe\"\n"
                            "!include \"common.nsh\"\n"
                            "!ifndef FROM_INCLUDE\n  !error \"include missed\"\n!endif\n"
                            "RequestExecutionLevel user\n"
                            "Section \"主程序\"\n"
                            "  DetailPrint \"你好\"\n"
                            "SectionEnd\n"));
    const QStringList before = FolderEntries(dir.path());
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, dir.filePath("out/安装程序.exe"));
    EXPECT_TRUE(QFile::exists(run.result.installerPath));
    EXPECT_EQ(FolderEntries(dir.path()), before);
    EXPECT_EQ(FolderEntries(dir.filePath("out")), QStringList{"安装程序.exe"});

    // An error in such a script still names its line.
    WriteFile(script, ToGbk("; 注释\nName \"测试\"\nOutFile x.exe\nBadCommand\n"));
    const CompileRun broken = Compile(logic, Settings(), script);
    ASSERT_FALSE(broken.errorLines.isEmpty());
    EXPECT_EQ(broken.errorLines.last(), 3);

    // UCS-2 without a mark takes the same way.
    const QString wide = QString::fromUtf8("; 宽字符\n" + HelloScript("out/wide.exe"));
    WriteFile(script, QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2));
    const CompileRun unmarked = Compile(logic, Settings(), script);
    EXPECT_EQ(unmarked.result.installerPath, dir.filePath("out/wide.exe")) << unmarked.log.toStdString();
    EXPECT_TRUE(unmarked.log.contains("CommandLine=/usr/bin/makensis -\n"));
}

TEST(CompileLogLogic, ANonUtf8IncludeGetsAHintNamingIt) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("legacy.nsh"), ToGbk("; 旧文件\n"));
    const QString script = dir.filePath("main.nsi");
    WriteFile(script, "!include \"legacy.nsh\"\n" + HelloScript());
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);
    EXPECT_NE(run.result.exitCode, 0);
    EXPECT_TRUE(run.log.contains(BadEncodingHint("legacy.nsh").toUtf8())) << run.log.toStdString();
}

TEST(CompileLogLogic, ChinesePathsCompileUnderANonUtf8Locale) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("中文目录"));
    const QString script = dir.filePath("中文目录/脚本.nsi");
    WriteFile(script, HelloScript());
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C");
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, Settings(), script);
    qputenv("LC_ALL", saved);
    if (saved.isEmpty())
        qunsetenv("LC_ALL");
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_EQ(run.result.installerPath, dir.filePath("中文目录/hello.exe"));
}

TEST(CompileLogLogic, AMissingCompilerIsSaidInTheLogAndChangesNothing) {
    QTemporaryDir dir;
    const QString script = dir.filePath("a.nsi");
    WriteFile(script, HelloScript());
    CompileSettings settings = Settings();
    settings.compilerPath = dir.filePath("no-makensis");
    CCompileLogLogic logic;
    const CompileRun run = Compile(logic, settings, script);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.log.startsWith("CommandLine="));
    EXPECT_TRUE(run.log.contains("无法启动编译器"));
    EXPECT_FALSE(run.result.started);
    EXPECT_EQ(run.result.NextInstallerPath("/old.exe"), "/old.exe");
}

TEST(CompileLogLogic, DestroyingDuringACompileEndsTheCompiler) {
    QTemporaryDir dir;
    const QString script = dir.filePath("sleepy.nsi");
    WriteFile(script, "!system \"sleep 30\"\n" + HelloScript());
    QElapsedTimer timer;
    {
        CCompileLogLogic logic;
        ASSERT_TRUE(logic.Start(Settings(), script));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        timer.start();
    }
    EXPECT_LT(timer.elapsed(), 1000);
}
