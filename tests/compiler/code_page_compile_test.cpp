// Scripts in legacy code pages compiled by the real makensis: the installer holds the text the author wrote.
#include "compile_helpers.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CodePageCompile, AWindows1252ScriptBuildsAnInstallerWithItsOwnText) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("latin.nsi"));
    // Uncompressed and Unicode, so the installer holds the name as UTF-16.
    const QString text = QStringLiteral(
        "Unicode true\nSetCompress off\nName \"Café ©\"\nOutFile \"latin.exe\"\n"
        "RequestExecutionLevel user\nSection\nSectionEnd\n");
    ASSERT_TRUE(WriteBytes(script, text.toLatin1()));
    CCompileLogLogic logic;
    const CompileRun run = RunCompile(logic, [&] { return logic.Start(Settings(), script, CodePage::Windows1252); });
    ASSERT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    const QByteArray installer = ReadBytes(dir.filePath(QStringLiteral("latin.exe")));
    EXPECT_TRUE(installer.contains(Utf16(QStringLiteral("Café ©"), false)));
    EXPECT_FALSE(installer.contains(Utf16(QStringLiteral("Caf\u00C3"), false)));
}

TEST(CodePageCompile, EverySampleScriptCompilesAsDetected) {
    const QDir samples(QStringLiteral(SCRIVO_TEST_DATA "/editor/encodings"));
    const QStringList names = samples.entryList({QStringLiteral("*.nsi")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QTemporaryDir dir;
        const QString script = dir.filePath(name);
        ASSERT_TRUE(QFile::copy(samples.filePath(name), script));
        CCompileLogLogic logic;
        const CompileRun run = RunCompile(logic, [&] { return logic.Start(Settings(), script); });
        EXPECT_EQ(run.result.exitCode, 0) << name.toStdString() << "\n" << run.log.toStdString();
    }
}
