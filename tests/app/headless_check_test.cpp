// `scrivo --check`: the real program run without a display on scripts in a temporary folder.
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct CheckRun {
    int exitCode = -1;
    QString out;
};

class HeadlessCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QDir root(m_dir.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("lib/a")));
        const std::pair<const char*, const char*> files[] = {
            {"clean.nsi", "OutFile \"clean.exe\"\nSection\nSectionEnd\n"},
            // The error lies three includes deep, inside a macro.
            {"deep.nsi", "OutFile \"deep.exe\"\n!include \"lib/a.nsh\"\nSection\nSectionEnd\n"},
            {"lib/a.nsh", "; a\n!include \"lib/a/b.nsh\"\n"},
            {"lib/a/b.nsh", "; b\n!include \"lib/a/c.nsh\"\n"},
            {"lib/a/c.nsh", "; c\n!macro Bad\n  Bogus\n!macroend\n!insertmacro Bad\n"},
            // One warning with a place, one (9000, named in the summary only) without.
            {"warned.nsi", "OutFile \"setup.exe\"\nSection\n  DetailPrint \"$nosuch\"\nSectionEnd\n"},
        };
        for (const auto& [path, text] : files)
            ASSERT_TRUE(WriteBytes(root.filePath(QString::fromUtf8(path)), text));
    }

    // The program copied into a folder of its own, with its settings changed as given.
    QString OwnProgram(const QList<std::pair<QString, QString>>& settings) const {
        const QDir program(m_dir.filePath(QStringLiteral("program")));
        if (!program.mkpath(QStringLiteral(".")) || !QFile::copy(QStringLiteral(SCRIVO_BINARY_DIR "/scrivo"), program.filePath("scrivo"))
            || !QFile::setPermissions(program.filePath("scrivo"), QFile::ReadOwner | QFile::ExeOwner))
            return {};
        for (const char* name : {"langs.xml", "stylers.xml"})
            QFile::copy(QStringLiteral(SCRIVO_RESOURCES "/") + name, program.filePath(QString::fromLatin1(name)));
        QString config = QString::fromUtf8(ReadBytes(QStringLiteral(SCRIVO_RESOURCES "/config.xml")));
        for (const auto& [name, value] : settings)
            config.replace(QRegularExpression(QStringLiteral("<%1 Val=\"[^\"]*\"").arg(name)),
                           QStringLiteral("<%1 Val=\"%2\"").arg(name, value));
        return WriteBytes(program.filePath("config.xml"), config.toUtf8()) ? program.filePath("scrivo") : QString();
    }

    CheckRun Check(const QStringList& args, const QString& binary = QStringLiteral(SCRIVO_BINARY_DIR "/scrivo")) const {
        QProcessEnvironment environment = WithoutDisplay(m_dir.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("home")));
        const ToolRun run = RunTool(binary, QStringList{QStringLiteral("--check")} + args,
                                    {.workDir = m_dir.path(), .environment = environment, .stdoutOnly = true});
        return {run.exitCode, QString::fromUtf8(run.output)};
    }

    QTemporaryDir m_dir;
};
}  // namespace

TEST_F(HeadlessCheckTest, PrintsEachDiagnosticWithItsChainAndExitsByTheOutcome) {
    const struct {
        QStringList args;
        int exitCode;
        QString out;  // %1: the folder
    } cases[] = {
        {{"clean.nsi"}, 0, "编译成功\n"},
        {{"deep.nsi"},
         1,
         "%1/lib/a/c.nsh:3: error: Invalid command: \"Bogus\"\n"
         "%1/lib/a/c.nsh:5: note: 在此插入宏\n"
         "%1/lib/a/b.nsh:2: note: 在此包含\n"
         "%1/lib/a.nsh:2: note: 在此包含\n"
         "%1/deep.nsi:2: note: 在此包含\n"
         "编译失败：1 个错误，0 个警告\n"},
        {{"warned.nsi"},
         0,
         "%1/warned.nsi:3: warning: 6000: unknown variable/constant \"nosuch\" detected, ignoring\n"
         "warning: 9000: Insecure filename \"setup.exe\", Windows will unsafely load compatibility shims into the "
         "process.\n"
         "编译成功：2 个警告\n"},
        {{"missing.nsi"}, 2, ""},
        {{}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CheckRun run = Check(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out.toStdString(), QString(c.out).replace(QStringLiteral("%1"), m_dir.path()).toStdString());
    }
    // A clean check writes the installer where the script says.
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("clean.exe"))));
}

TEST_F(HeadlessCheckTest, JsonIsOneDocumentWithTheSameDiagnostics) {
    const CheckRun run = Check({QStringLiteral("--json"), QStringLiteral("deep.nsi")});
    EXPECT_EQ(run.exitCode, 1);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(report.value("exitCode").toInt(), 1);
    EXPECT_EQ(report.value("errors").toInt(), 1);
    EXPECT_EQ(report.value("summary").toString(), QStringLiteral("编译失败：1 个错误，0 个警告"));
    const QJsonObject first = report.value("diagnostics").toArray().at(0).toObject();
    EXPECT_EQ(first.value("severity").toString(), QStringLiteral("error"));
    EXPECT_EQ(first.value("file").toString(), m_dir.filePath(QStringLiteral("lib/a/c.nsh")));
    EXPECT_EQ(first.value("line").toInt(), 3);
    EXPECT_EQ(first.value("frames").toArray().size(), 5);
}

TEST_F(HeadlessCheckTest, TheSettingsCompilerSymbolsAndNoCdApply) {
    // Found only with the symbol from the settings, and with -NOCD from the folder the check runs in.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    ASSERT_TRUE(WriteBytes(m_dir.filePath(QStringLiteral("sub/s.nsi")),
                           "!ifndef GREETING\n!error \"no symbol\"\n!endif\n!include \"here.nsh\"\n"
                           "OutFile \"s.exe\"\nSection\nSectionEnd\n"));
    ASSERT_TRUE(WriteBytes(m_dir.filePath(QStringLiteral("here.nsh")), "; beside the working folder\n"));
    const QString program = OwnProgram({{"Defs", "/DGREETING=hi"}, {"DisNsi", "1"}});
    ASSERT_FALSE(program.isEmpty());
    const CheckRun run = Check({QStringLiteral("sub/s.nsi")}, program);
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("s.exe"))));

    ASSERT_TRUE(QFile::remove(program));
    const QString noCompiler = OwnProgram({{"CompilePath", m_dir.filePath(QStringLiteral("no/makensis"))}});
    EXPECT_EQ(Check({QStringLiteral("clean.nsi")}, noCompiler).exitCode, 2);
}
