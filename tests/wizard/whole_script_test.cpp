// Whole generated scripts: compared with reviewed expected files and built by the installed makensis.
#include "wizard/core/script_generator.h"
#include "compile_script.h"
#include "support/test_files.h"
#include "wizard_cases.h"

#include <gtest/gtest.h>

namespace {
// The form in which stock makensis accepts a script: it knows no KorvaneID command.
WizardData Compilable(WizardData data) {
    data.removeMode = RemoveMode::Simple;
    data.statNumber.clear();
    return data;
}

class GeneratedScript : public ::testing::TestWithParam<wizard_cases::Case> {};
}  // namespace

TEST_P(GeneratedScript, MatchesReviewedTextAndBuildsWithoutError) {
    const wizard_cases::Case& c = GetParam();
    // The expected files name the test data folder "@DATA@" so that they hold no machine's path.
    const QByteArray actual = GenerateScript(c.make()).replace(wizard_cases::DataDir(), "@DATA@").toUtf8();
    const QByteArray expected = ReadBytes(wizard_cases::DataDir() + "/" + c.name + ".nsi");
    if (actual != expected) {
        // Left beside the build for a diff against the expected file.
        WriteBytes(QStringLiteral(SCRIVO_BINARY_DIR "/") + c.name + ".actual.nsi", actual);
    }
    EXPECT_EQ(actual, expected) << c.name;

    const ScriptBuild build = CompileScript(GenerateScript(Compilable(c.make())));
    EXPECT_EQ(build.exitCode, 0) << build.output.toStdString();
    EXPECT_TRUE(build.installerWritten);
    EXPECT_FALSE(build.output.contains("Error", Qt::CaseInsensitive)) << build.output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, GeneratedScript, ::testing::ValuesIn(wizard_cases::All()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompiledScript, SafeModeStopsOnlyAtTheMissingInstallLog) {
    // Debian's makensis is built without NSIS_CONFIG_LOG, so "LogSet on" is the one line it refuses.
    WizardData data = Compilable(wizard_cases::ModernFull());
    data.removeMode = RemoveMode::Safe;
    const QString script = GenerateScript(data);
    const ScriptBuild build = CompileScript(script);
    EXPECT_NE(build.exitCode, 0);
    EXPECT_FALSE(build.installerWritten);
    const qsizetype logLine = script.left(script.indexOf("  LogSet on")).count("\r\n") + 1;
    EXPECT_TRUE(build.output.contains("Error: LogSet specified, NSIS_CONFIG_LOG not defined."))
        << build.output.toStdString();
    EXPECT_TRUE(build.output.contains(QStringLiteral("on line %1 -- aborting").arg(logLine)))
        << build.output.toStdString();
    EXPECT_EQ(build.output.count("Error"), 2) << build.output.toStdString();  // the message and the abort note

    QString withoutLog = script;
    withoutLog.replace("  LogSet on", ";  LogSet on");
    const ScriptBuild rest = CompileScript(withoutLog);
    EXPECT_EQ(rest.exitCode, 0) << rest.output.toStdString();
}
