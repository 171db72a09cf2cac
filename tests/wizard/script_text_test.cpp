// Free texts in the generated script: escaped for NSIS, compiled, and shown as the user typed them.
#include "compile_script.h"
#include "wizard/core/install_entries.h"
#include "wizard/core/nsis_text.h"
#include "wizard/core/script_generator.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard_cases.h"

#include <gtest/gtest.h>

namespace {
struct Escape {
    const char* typed;
    const char* installTime;
    const char* compileTime;
    const char* fileName;
};
}  // namespace

TEST(ScriptText, EscapesForEachKindOfString) {
    const Escape cases[] = {
        {"Demo", "Demo", "Demo", "Demo"},
        {"My \"best\" $APP", "My $\\\"best$\\\" $$APP", "My $\\\"best$\\\" $APP", "My best $$APP"},
        {"one\r\ntwo\nthree\rfour", "one$\\r$\\ntwo$\\r$\\nthree$\\r$\\nfour",
         "one$\\r$\\ntwo$\\r$\\nthree$\\r$\\nfour", "onetwothreefour"},
        {"a\tb $$", "a$\\tb $$$$", "a$\\tb $$", "ab $$$$"},
        {" C:\\x/y*?<>|: ", " C:\\x/y*?<>|: ", " C:\\x/y*?<>|: ", "Cxy"},
    };
    for (const Escape& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        EXPECT_EQ(InstallTimeText(typed), QString::fromUtf8(c.installTime)) << c.typed;
        EXPECT_EQ(CompileTimeText(typed), QString::fromUtf8(c.compileTime)) << c.typed;
        EXPECT_EQ(ProductFileName(typed), QString::fromUtf8(c.fileName)) << c.typed;
    }
    EXPECT_EQ(CommentText("a\r\nb\nc"), QStringLiteral("a b c"));
}

TEST(ScriptText, QuotesDollarsAndLineBreaksCompileAndReachTheInstaller) {
    WizardData data;
    data.appName = QStringLiteral("My \"best\" $APP");
    data.appVersion = QStringLiteral("1.0 \"beta\"");
    data.appPublisher = QStringLiteral("$Money & Co");
    data.appWebSite = QStringLiteral("http://x.example/?a=\"1\"");
    data.brandingText = QStringLiteral("Built by \"us\" for $5");
    data.installDir = DefaultInstallDir(data.appName);
    data.licenseFile.clear();
    data.allowComponents = true;
    data.allowStartMenuChange = false;
    data.groups[0].name = QStringLiteral("Main \"core\" $files");
    data.groups[0].description = QStringLiteral("First line \"quoted\"\r\nSecond line $HOME");
    AddEntries(data.groups[0], FileEntries(wizard_cases::AppFile("app.exe"), "$INSTDIR", OverwriteMode::IfNewer));
    EnterShortcutPage(data);
    data.installVersion = QStringLiteral("1.2.3.4");
    data.statItemName = QStringLiteral("two\nlines");

    const QString script = GenerateScript(data);
    EXPECT_TRUE(script.contains("!define PRODUCT_NAME \"My $\\\"best$\\\" $$APP\"\r\n"));
    EXPECT_TRUE(script.contains("InstallDir \"$PROGRAMFILES\\My best $$APP\"\r\n"));
    EXPECT_TRUE(script.contains(
        "  CreateShortCut \"$SMPROGRAMS\\My best $$APP\\My best $$APP.lnk\" \"$INSTDIR\\app.exe\"\r\n"));
    EXPECT_TRUE(script.contains(
        "  !insertmacro MUI_DESCRIPTION_TEXT ${SEC01} \"First line $\\\"quoted$\\\"$\\r$\\nSecond line $$HOME\"\r\n"));

    const ScriptBuild build = CompileScript(script);
    ASSERT_EQ(build.exitCode, 0) << build.output.toStdString();
    EXPECT_FALSE(build.output.contains("Error", Qt::CaseInsensitive)) << build.output.toStdString();
    EXPECT_FALSE(build.output.contains("unknown variable", Qt::CaseInsensitive)) << build.output.toStdString();
    // The version resource keeps the texts as makensis resolved them.
    EXPECT_TRUE(build.installer.contains(Utf16(QStringLiteral("My \"best\" $APP"), false)));
    EXPECT_TRUE(build.installer.contains(Utf16(QStringLiteral("$Money & Co(http://x.example/?a=\"1\")"), false)));
}
