// "scrivo --test-run": the whole round trip without a display, its JSON report and exit codes.
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
ToolRun RunScrivo(const QTemporaryDir& dir, const QStringList& arguments) {
    QProcessEnvironment environment = WithoutDisplay(dir.filePath("home"));
    environment.insert("TMPDIR", dir.path());
    return RunTool(QStringLiteral(SCRIVO_BINARY_DIR "/scrivo"), arguments,
                   {.environment = environment, .stdoutOnly = true, .timeoutMs = 600000});
}
}  // namespace

TEST(TestRunCommand, RunsWithoutADisplayAndPrintsAJsonReport) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("home");
    const QString script = dir.filePath("clean.nsi");
    ASSERT_TRUE(WriteBytes(script,
                           "Unicode true\nTarget amd64-unicode\nName Clean\nOutFile clean.exe\n"
                           "RequestExecutionLevel admin\nSection\n  WriteRegStr HKCU \"Software\\Clean\" \"v\" \"1\"\n"
                           "  WriteUninstaller \"$WINDIR\\clean-u.exe\"\n"
                           "  WriteRegStr HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Clean\" "
                           "UninstallString \"$WINDIR\\clean-u.exe\"\nSectionEnd\nSection Uninstall\n"
                           "  DeleteRegKey HKCU \"Software\\Clean\"\n"
                           "  DeleteRegKey HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Clean\"\n"
                           "  Delete \"$WINDIR\\clean-u.exe\"\nSectionEnd\n"));
    const ToolRun run = RunScrivo(dir, {"--test-run", "--json", script});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.output).object();
    EXPECT_EQ(report["exitCode"].toInt(), 0);
    const QJsonArray registry = report["install"].toObject()["registry"].toArray();
    ASSERT_EQ(registry.size(), 2) << run.output.toStdString();
    EXPECT_EQ(registry[0].toObject()["key"].toString(), "HKCU\\Software\\Clean");
    EXPECT_EQ(report["uninstall"].toObject()["files"].toArray(), QJsonArray());
    EXPECT_EQ(FolderEntries(dir.filePath("home")), QStringList());
    // The run removed its prefix from the temporary folder.
    EXPECT_EQ(QDir(dir.path()).entryList({"scrivo-test-run-*"}, QDir::Dirs), QStringList());
}

TEST(TestRunCommand, AScriptThatCannotBeBuiltOrFoundCannotRun) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("home");
    EXPECT_EQ(RunScrivo(dir, {"--test-run", dir.filePath("missing.nsi")}).exitCode, 2);
    const QString broken = dir.filePath("broken.nsi");
    ASSERT_TRUE(WriteBytes(broken, "NotACommand\n"));
    EXPECT_EQ(RunScrivo(dir, {"--test-run", broken}).exitCode, 2);
}
