// Scripts with a statistics line build with the stock makensis; the user's file stays as it is.
#include "compiler/compile_helpers.h"
#include "support/test_files.h"
#include "wizard/core/script_generator.h"
#include "wizard/wizard_cases.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class StatCompile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QTemporaryDir m_dir;
    CCompileLogLogic m_logic;
};

}  // namespace

TEST_F(StatCompile, WizardScriptWithANumberBuildsItsInstaller) {
    WizardData data = wizard_cases::ModernSimple();
    data.statNumber = u"7KFBDS3C"_s;
    data.statItemName = u"演示安装"_s;
    const QString script = m_dir.filePath(u"setup.nsi"_s);
    const QByteArray text = GenerateScript(data).toUtf8();
    ASSERT_TRUE(text.contains("\nKorvaneID 7KFBDS3C "));
    ASSERT_TRUE(WriteBytes(script, text));

    const CompileRun run = Compile(m_logic, Settings(), script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result.exitCode, 0) << run.log.toStdString();
    EXPECT_FALSE(run.result.installerPath.isEmpty());
    EXPECT_TRUE(QFile::exists(run.result.installerPath)) << run.result.installerPath.toStdString();
    EXPECT_EQ(ReadBytes(script), text);
}

TEST_F(StatCompile, EachEncodingAndLaterErrorsKeepTheirLines) {
    const QByteArray good =
        "Name \"统计\"\nOutFile out.exe\n  KorvaneID 7KFBDS3C     /*  安装统计项名称：【演示】  */\n"
        "RequestExecutionLevel user\nSection\n!ifndef KorvaneID\n!error \"no number\"\n!endif\n"
        "DetailPrint \"${KorvaneID}\"\nSectionEnd\n";
    const QByteArray broken = "Name x\nOutFile out.exe\nKorvaneID 7KFBDS3C\nRequestExecutionLevel user\nBadCommand\n";
    struct Case {
        const char* name;
        QByteArray (*encode)(const QByteArray&);
    };
    const Case cases[] = {
        {"UTF-8", [](const QByteArray& t) { return t; }},
        {"UTF-16 with mark",
         [](const QByteArray& t) { return QByteArray("\xFF\xFE", 2) + Utf16(QString::fromUtf8(t), false); }},
        {"ANSI", ToGbk},
    };
    const QString script = m_dir.filePath(u"stat.nsi"_s);
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(script, c.encode(good)));
        const CompileRun built = Compile(m_logic, Settings(), script);
        EXPECT_EQ(built.result.exitCode, 0) << c.name << built.log.toStdString();
        EXPECT_TRUE(QFile::exists(m_dir.filePath(u"out.exe"_s))) << c.name;
        EXPECT_EQ(ReadBytes(script), c.encode(good)) << c.name;
        QFile::remove(m_dir.filePath(u"out.exe"_s));

        ASSERT_TRUE(WriteBytes(script, c.encode(broken)));
        const CompileRun failed = Compile(m_logic, Settings(), script);
        EXPECT_NE(failed.result.exitCode, 0) << c.name;
        EXPECT_EQ(failed.errorLines.value(failed.errorLines.size() - 1, -1), 4) << c.name << failed.log.toStdString();
        EXPECT_FALSE(failed.log.contains("KorvaneID")) << c.name << failed.log.toStdString();
    }
}
