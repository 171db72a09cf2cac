// The settings pages' value rules: symbol rows of `Defs`, tab width, font and size choices, box search, compiler check.
#include "config/core/compiler_check.h"
#include "config/core/settings_rules.h"
#include "config/core/symbol_defs.h"
#include "support/test_files.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SymbolDefsTest, RowsFromDefsLines) {
    const struct {
        QString defs;
        std::vector<SymbolDef> rows;
    } cases[] = {
        {u""_s, {}},
        {u"/DVER=1.0\n/DDEBUG"_s, {{u"VER"_s, u"1.0"_s}, {u"DEBUG"_s, {}}}},
        // No name before the "=": the row keeps the value.
        {u"=x"_s, {{{}, u"x"_s}}},
        {u"/D=x"_s, {{{}, u"x"_s}}},
        // Only the first "=" divides; the value keeps the others and its blanks.
        {u"/DA=b=c\n/DPATH=C:\\Program Files"_s, {{u"A"_s, u"b=c"_s}, {u"PATH"_s, u"C:\\Program Files"_s}}},
        {u"/DEMPTY=\n\n/DX"_s, {{u"EMPTY"_s, {}}, {u"X"_s, {}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDefs(c.defs), c.rows) << c.defs.toStdString();
}

TEST(SymbolDefsTest, DefsFromRowsAndBack) {
    const std::vector<SymbolDef> rows = {{u"VER"_s, u"1.0"_s}, {u"DEBUG"_s, {}}, {u"名称"_s, u"值 有空格"_s}};
    const QString defs = JoinDefs(rows);
    EXPECT_EQ(defs, u"/DVER=1.0\n/DDEBUG\n/D名称=值 有空格"_s);
    EXPECT_EQ(ParseDefs(defs), rows);
    EXPECT_EQ(JoinDefs({}), QString());
}

TEST(SettingsRulesTest, TabWidthBelowOneIsStoredAsFour) {
    const std::pair<QString, int> cases[] = {
        {u"8"_s, 8}, {u"1"_s, 1}, {u"0"_s, 4}, {u""_s, 4}, {u"-3"_s, 4}, {u"99999999999"_s, 4}, {u"12"_s, 12},
    };
    for (const auto& [text, stored] : cases)
        EXPECT_EQ(TabSizeFromText(text), stored) << text.toStdString();
}

TEST(SettingsRulesTest, FontBoxHasAnEmptyEntryThenEachFamilyOnceSorted) {
    EXPECT_EQ(
        FontChoices({u"Noto Sans"_s, u"DejaVu Sans"_s, u"dejavu sans"_s, u"WenQuanYi Micro Hei"_s, u"Abyssinica"_s}),
        (QStringList{u""_s, u"Abyssinica"_s, u"DejaVu Sans"_s, u"Noto Sans"_s, u"WenQuanYi Micro Hei"_s}));
    EXPECT_EQ(FontChoices({}), QStringList{u""_s});
    EXPECT_EQ(FontSizeChoices().size(), 17);
    EXPECT_EQ(FontSizeChoices().first(), u""_s);
    EXPECT_EQ(FontSizeChoices().last(), u"28"_s);
}

TEST(SettingsRulesTest, BoxSearchFindsTheFirstEntryStartingWithTheText) {
    const QStringList sizes = FontSizeChoices();
    const std::pair<QString, int> cases[] = {
        {u"10"_s, int(sizes.indexOf(u"10"_s))},
        {u"1"_s, int(sizes.indexOf(u"10"_s))},  // a prefix: "1" finds "10" first
        {u"5"_s, int(sizes.indexOf(u"5"_s))},
        {u"0"_s, -1},
        {u"-1"_s, -1},
        {u""_s, 0},
    };
    for (const auto& [text, index] : cases)
        EXPECT_EQ(FindPrefix(sizes, text), index) << text.toStdString();
    EXPECT_EQ(FindPrefix({u""_s, u"DejaVu Sans"_s, u"DejaVu Sans Mono"_s}, u"dejavu sans m"_s), 2);
}

TEST(CompilerCheckTest, OnlyAProgramThatAnswersVersionRuns) {
    const QString makensis = QStandardPaths::findExecutable(u"makensis"_s);
    ASSERT_FALSE(makensis.isEmpty());
    const CompilerCheck real = CheckCompiler(makensis, 30000);
    EXPECT_TRUE(real.Runs());
    EXPECT_TRUE(real.version.startsWith(u'v')) << real.version.toStdString();

    QTemporaryDir dir;
    const QString failing = dir.filePath(u"failing"_s);
    ASSERT_TRUE(WriteExecutable(failing, "#!/bin/sh\nexit 3\n"));
    const QString plain = dir.filePath(u"makensis.txt"_s);
    ASSERT_TRUE(WriteBytes(plain, "not a program"));
    const QString broken = dir.filePath(u"broken"_s);
    ASSERT_TRUE(WriteExecutable(broken,
                                "\x7F"
                                "ELF garbage"));
    const struct {
        QString path;
        CompilerProblem problem;
    } cases[] = {
        {dir.filePath(u"missing"_s), CompilerProblem::Missing},
        {dir.path(), CompilerProblem::Missing},
        {plain, CompilerProblem::NotExecutable},
        {failing, CompilerProblem::Failed},
        {broken, CompilerProblem::DidNotStart},
    };
    for (const auto& c : cases) {
        const CompilerCheck check = CheckCompiler(c.path, 30000);
        EXPECT_EQ(check.problem, c.problem) << c.path.toStdString();
        EXPECT_FALSE(check.Runs());
    }
    EXPECT_EQ(CheckCompiler(failing, 30000).exitCode, 3);
}

TEST(CompilerCheckTest, AProgramThatNeverAnswersIsStopped) {
    QTemporaryDir dir;
    const QString silent = dir.filePath(u"silent"_s);
    const QString pidFile = dir.filePath(u"pid"_s);
    // Reads its input first: with a terminal to read it would wait for the user.
    ASSERT_TRUE(WriteExecutable(silent, "#!/bin/sh\ncat\necho $$ > '" + pidFile.toUtf8() + "'\nexec sleep 600\n"));
    EXPECT_EQ(CheckCompiler(silent, 1000).problem, CompilerProblem::NoAnswer);
    const pid_t pid = WrittenPid(pidFile);
    ASSERT_NE(pid, 0);
    EXPECT_FALSE(IsAlive(pid));
}
