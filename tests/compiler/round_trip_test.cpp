// The test run with the real makensis and wine: installers that clean up, that forget things, and that hang.
#include "compiler/core/round_trip_logic.h"
#include "compiler/core/wine_setup.h"
#include "support/eventually.h"
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray InstallerScript(const QByteArray& name, const QByteArray& uninstallBody) {
    return "Unicode true\nTarget amd64-unicode\nName \"" + name + "\"\nOutFile \"" + name
           + ".exe\"\nInstallDir \"$PROGRAMFILES64\\" + name
           + "\"\nRequestExecutionLevel admin\n"
             "Section\n  SetOutPath \"$INSTDIR\"\n"
             "  FileOpen $0 \"$INSTDIR\\one.txt\" w\n  FileWrite $0 \"one\"\n  FileClose $0\n"
             "  FileOpen $0 \"$INSTDIR\\two.txt\" w\n  FileWrite $0 \"two\"\n  FileClose $0\n"
             "  WriteRegStr HKLM \"Software\\" + name + "\" \"Value\" \"1\"\n"
             "  WriteUninstaller \"$INSTDIR\\uninst.exe\"\n"
             "  WriteRegStr HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name
           + "\" \"UninstallString\" '\"$INSTDIR\\uninst.exe\"'\nSectionEnd\n"
             "Section \"Uninstall\"\n" + uninstallBody
           + "  Delete \"$INSTDIR\\uninst.exe\"\n  RMDir \"$INSTDIR\"\n"
             "  DeleteRegKey HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name
           + "\"\nSectionEnd\n";
}

// An installer whose message box waits for a click that never comes.
QByteArray HangingScript(const QByteArray& name) {
    return "Unicode true\nTarget amd64-unicode\nName " + name + "\nOutFile " + name
        + ".exe\nRequestExecutionLevel user\nSection\n  MessageBox MB_OK \"waiting\"\nSectionEnd\n";
}

class RoundTripTest : public ::testing::Test {
protected:
    // One pristine prefix for the whole suite; every test copies it.
    static void SetUpTestSuite() {
        s_root = std::make_unique<QTemporaryDir>();
        for (const char* folder : {"home", "user-prefix", "template"})
            QDir(s_root->path()).mkpath(folder);
        s_oldHome = qgetenv("HOME");
        qputenv("HOME", s_root->filePath("home").toUtf8());
        qputenv("WINEPREFIX", s_root->filePath("user-prefix").toUtf8());
    }
    static void TearDownTestSuite() {
        qputenv("HOME", s_oldHome);
        qunsetenv("WINEPREFIX");
        s_root.reset();
    }

    QString Build(const QByteArray& name, const QByteArray& script) {
        const QString path = m_dir.filePath(QString::fromUtf8(name) + ".nsi");
        EXPECT_TRUE(WriteBytes(path, script));
        const ToolRun makensis = RunTool("makensis", {"-V1", path}, {.workDir = m_dir.path()});
        EXPECT_EQ(makensis.exitCode, 0) << makensis.output.toStdString();
        return m_dir.filePath(QString::fromUtf8(name) + ".exe");
    }

    RoundTripOptions Options(const QString& installer) const {
        RoundTripOptions options;
        options.installerPath = installer;
        options.templateFolder = s_root->filePath("template");
        options.workRoot = m_dir.path();
        return options;
    }

    RoundTripReport RunTrip(const QString& installer, int stepLimitMs = 120000) {
        CRoundTripLogic logic;
        QSignalSpy finished(&logic, &CRoundTripLogic::Finished);
        RoundTripOptions options = Options(installer);
        options.stepLimitMs = stepLimitMs;
        options.chooseDirectory = true;
        EXPECT_TRUE(logic.Start(options));
        EXPECT_FALSE(logic.Start(options));
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 600000));
        return finished.isEmpty() ? RoundTripReport{} : finished.first().first().value<RoundTripReport>();
    }

    void ExpectNothingOfTheUsersTouched() {
        EXPECT_EQ(FolderEntries(s_root->filePath("home")), QStringList());
        EXPECT_EQ(FolderEntries(s_root->filePath("user-prefix")), QStringList());
        // The run's own folder is gone with its prefix.
        EXPECT_EQ(QDir(m_dir.path()).entryList({"scrivo-test-run-*"}, QDir::Dirs), QStringList());
    }

    static inline std::unique_ptr<QTemporaryDir> s_root;
    static inline QByteArray s_oldHome;
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(RoundTripTest, AnUninstallerThatRemovesEverythingLeavesAReportWithNothingLeft) {
    const QString installer = Build("Clean", InstallerScript("Clean",
                                                             "  Delete \"$INSTDIR\\one.txt\"\n"
                                                             "  Delete \"$INSTDIR\\two.txt\"\n"
                                                             "  DeleteRegKey HKLM \"Software\\Clean\"\n"));
    const RoundTripReport report = RunTrip(installer);
    EXPECT_EQ(report.problem, "");
    EXPECT_EQ(InstallSummary(report), "安装: 退出码 0, 写入 3 个文件, 1 个文件夹, 2 个注册表项");
    EXPECT_EQ(UninstallSummary(report), "卸载: 遗留 0 个文件, 0 个注册表项");
    EXPECT_EQ(report.uninstallString, "\"C:\\ScrivoTest\\Clean\\uninst.exe\"");
    EXPECT_EQ(RoundTripExitCode(report), 0) << RoundTripText(report).toStdString();
    ExpectNothingOfTheUsersTouched();
}

TEST_F(RoundTripTest, AnUninstallerThatForgetsAFileAndAKeyIsReportedWithExactlyThose) {
    const QString installer =
        Build("Forget", InstallerScript("Forget", "  Delete \"$INSTDIR\\one.txt\"\n"));
    const RoundTripReport report = RunTrip(installer);
    const QList<FileChange> files = {{ChangeKind::Added, "ScrivoTest/Forget", true},
                                     {ChangeKind::Added, "ScrivoTest/Forget/two.txt", false}};
    EXPECT_EQ(report.leftovers.files, files);
    const QList<RegistryChange> keys = {{ChangeKind::Added, "HKLM\\Software\\Forget", "Value", "\"1\""}};
    EXPECT_EQ(report.leftovers.registry, keys);
    EXPECT_EQ(UninstallSummary(report), "卸载: 遗留 1 个文件, 1 个文件夹, 1 个注册表项");
    EXPECT_EQ(RoundTripExitCode(report), 1);
    ExpectNothingOfTheUsersTouched();
}

TEST_F(RoundTripTest, AMessageBoxUnderSilentModeIsKilledAtTheLimit) {
    const RoundTripReport report = RunTrip(Build("Hang", HangingScript("Hang")), 4000);
    EXPECT_FALSE(report.headless) << "needs Xvfb for a window that waits";
    EXPECT_EQ(report.install.outcome, StepOutcome::TimedOut);
    EXPECT_EQ(report.uninstall.outcome, StepOutcome::NotRun);
    EXPECT_EQ(InstallSummary(report), "安装: 4 秒内没有结束，已强行结束（可能在等待输入，静默模式下不应如此）");
    EXPECT_EQ(RoundTripExitCode(report), 1);
    ExpectNothingOfTheUsersTouched();
}

TEST_F(RoundTripTest, StopEndsAHangingInstallerAndSaysItWasStopped) {
    const QString installer = Build("Wait", HangingScript("Wait"));
    CRoundTripLogic logic;
    QSignalSpy finished(&logic, &CRoundTripLogic::Finished);
    QObject::connect(&logic, &CRoundTripLogic::Progress, &logic, [&](const QString& text) {
        if (text == "正在安装…")
            logic.Stop();
    });
    ASSERT_TRUE(logic.Start(Options(installer)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 600000));
    const RoundTripReport report = finished.first().first().value<RoundTripReport>();
    EXPECT_EQ(report.install.outcome, StepOutcome::Stopped);
    EXPECT_EQ(InstallSummary(report), "安装: 已停止");
    ExpectNothingOfTheUsersTouched();
}

TEST_F(RoundTripTest, A32BitInstallerWithOnly64BitWineSaysHowToGet32BitWine) {
    const QString installer =
        Build("Small32", "Unicode true\nName Small32\nOutFile Small32.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n");
    if (FindWineSetup().runs32)
        GTEST_SKIP() << "this machine has 32-bit wine";
    const RoundTripReport report = RunTrip(installer);
    EXPECT_TRUE(report.problem.contains(Wine32InstallCommand())) << report.problem.toStdString();
    EXPECT_TRUE(report.problem.startsWith("这是 32 位安装程序，而本机只有 64 位 wine"));
    EXPECT_EQ(RoundTripExitCode(report), 2);
}
