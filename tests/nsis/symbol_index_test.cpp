// The symbol index on multi-file projects, and its case rules checked against the real makensis.
#include "nsis/core/include_search.h"
#include "nsis/core/symbol_index.h"
#include "support/nsis_dir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kData = QStringLiteral(SCRIVO_TEST_DATA "/nsis");

NsisSymbolIndex IndexOf(const QString& script, const QHash<QString, QString>& open = {}) {
    static const QString nsisDir = NsisDir();
    return NsisSymbolIndex::Build({script}, open, MakeIncludeResolver(nsisDir));
}

// Where the definitions of the symbol named at (line, column) of file are: "file:line" relative to root.
std::vector<std::string> DefinitionsAt(const NsisSymbolIndex& index, const QString& file, int line, int column,
                                       const QString& root) {
    std::vector<std::string> places;
    const std::optional<NsisSymbolUse> use = index.UseAt(file, line, column);
    if (!use)
        return {"nothing at the position"};
    for (const NsisSymbolUse& d : index.Definitions(index.IdOf(*use))) {
        const QString name = d.place.file.startsWith(root) ? QDir(root).relativeFilePath(d.place.file)
                                                           : QFileInfo(d.place.file).fileName();
        places.push_back(QStringLiteral("%1:%2").arg(name).arg(d.place.line + 1).toStdString());
    }
    return places;
}

NsisSymbolId FunctionId(const QString& name) {
    NsisSymbolId id;
    id.key = NsisSymbolKey(name);
    return id;
}

}  // namespace

// Each probe compiles, or fails, as makensis matches names; the index groups the same uses.
TEST(NsisSymbolCase, ProbesAgreeWithMakensis) {
    struct Case {
        const char* script;
        bool compiles;
        int line;  // 1-based line of a use
        int column;
        int definitions;  // the index's definitions of that use
    };
    const Case cases[] = {
        {"function_called_in_other_case", true, 8, 9, 1},
        {"function_defined_twice_in_other_case", false, 4, 10, 2},
        {"macro_inserted_in_other_case", true, 7, 16, 1},
        {"macro_defined_twice_in_other_case", false, 4, 8, 2},
        {"define_tested_in_other_case", true, 5, 9, 1},
        {"define_defined_twice_in_other_case", false, 4, 9, 2},
        {"variable_declared_twice_in_other_case", false, 4, 5, 2},
        {"label_jumped_to_in_other_case", true, 5, 8, 1},
        {"label_in_two_functions", true, 10, 8, 1},
        {"label_of_other_function", false, 8, 8, 0},
        {"langstring_set_twice_in_other_case", false, 4, 12, 2},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const Case& c : cases) {
        const QString source = kData + QStringLiteral("/case/%1.nsi").arg(QLatin1String(c.script));
        const QString copy = folder.filePath(QFileInfo(source).fileName());
        ASSERT_TRUE(QFile::copy(source, copy)) << c.script;
        EXPECT_EQ(
            RunTool(QStringLiteral("makensis"), {QStringLiteral("-WX"), QStringLiteral("-V1"), copy}).exitCode == 0,
            c.compiles)
            << c.script;
        const NsisSymbolIndex index = IndexOf(copy);
        EXPECT_EQ(DefinitionsAt(index, copy, c.line - 1, c.column, folder.path()).size(), std::size_t(c.definitions))
            << c.script;
    }
}

TEST(NsisSymbolIndex, FindsDefinitionsAcrossTheIncludeTree) {
    const QString root = kData + QStringLiteral("/project");
    const QString main = root + QStringLiteral("/main.nsi");
    const NsisSymbolIndex index = IndexOf(main);
    using Places = std::vector<std::string>;
    struct Case {
        const char* what;
        int line;  // 1-based
        int column;
        Places expected;
    };
    const Case cases[] = {
        {"function two levels down by a backslash path", 30, 10, {"sub/lib/funcs.nsh:4"}},
        {"macro of a header", 31, 18, {"sub/level1.nsh:6"}},
        {"variable of a header inside a string", 19, 12, {"sub/level1.nsh:4"}},
        {"language string", 19, 40, {"main.nsi:14"}},
        {"define under !ifdef and !else", 19, 26, {"main.nsi:9", "main.nsi:11"}},
        {"page callback", 15, 14, {"main.nsi:18"}},
        {"label of this function", 24, 11, {"main.nsi:26"}},
        {"label of the same name in the section", 33, 12, {"main.nsi:34"}},
        {"LogicLib's ${If}", 23, 5, {}},
    };
    for (const Case& c : cases) {
        Places found = DefinitionsAt(index, main, c.line - 1, c.column, root);
        if (QString::fromLatin1(c.what).contains(u"LogicLib")) {
            ASSERT_EQ(found.size(), 1u) << c.what;
            EXPECT_TRUE(QString::fromStdString(found[0]).startsWith(u"LogicLib.nsh:")) << found[0];
            continue;
        }
        EXPECT_EQ(found, c.expected) << c.what;
    }
    // A macro in one header inserted by a macro of another.
    EXPECT_EQ(DefinitionsAt(index, root + QStringLiteral("/sub/level1.nsh"), 6, 18, root),
              Places{"sub/lib/funcs.nsh:8"});
}

TEST(NsisSymbolIndex, ReferencesSkipCommentsAndKeepStrings) {
    const QString main = kData + QStringLiteral("/project/main.nsi");
    const NsisSymbolIndex index = IndexOf(main);
    const std::optional<NsisSymbolUse> use = index.UseAt(main, 18, 12);
    ASSERT_TRUE(use);
    std::vector<int> lines;
    int definitions = 0;
    for (const NsisSymbolUse& u : index.References(index.IdOf(*use))) {
        definitions += u.definition;
        if (u.place.file == main)
            lines.push_back(u.place.line + 1);
    }
    EXPECT_EQ(definitions, 1);
    EXPECT_EQ(lines, (std::vector<int>{19, 23, 32}));
}

TEST(NsisSymbolIndex, CyclesAndMissingIncludesEndOnlyTheirBranch) {
    const QString main = kData + QStringLiteral("/broken/main.nsi");
    const NsisSymbolIndex index = IndexOf(main);
    EXPECT_EQ(index.Files().size(), 3);
    for (const char* name : {"InA", "InB", "AfterMissing"})
        EXPECT_EQ(index.Definitions(FunctionId(QString::fromLatin1(name))).size(), 1u) << name;
}

TEST(NsisSymbolIndex, OpenTextsStandForTheFilesOnDisk) {
    const QString root = kData + QStringLiteral("/project");
    const QString funcs = root + QStringLiteral("/sub/lib/funcs.nsh");
    const NsisSymbolIndex before = IndexOf(root + QStringLiteral("/main.nsi"));
    const NsisSymbolIndex after = NsisSymbolIndex::Build(
        {root + QStringLiteral("/main.nsi")}, {{funcs, QStringLiteral("Function CopyFiles\nFunctionEnd\n")}},
        MakeIncludeResolver(NsisDir()), {}, &before);
    const NsisSymbolId installFiles = FunctionId(QStringLiteral("InstallFiles"));
    EXPECT_EQ(before.Definitions(installFiles).size(), 1u);
    EXPECT_TRUE(after.Definitions(installFiles).empty());
    EXPECT_EQ(after.Definitions(FunctionId(QStringLiteral("CopyFiles"))).size(), 1u);
}

// The settings' symbols reach the include paths as makensis expands them: names in any case,
// a value naming another symbol, backslashes; makensis compiles the project only with them.
TEST(NsisSymbolIndex, SettingsSymbolsExpandInIncludePaths) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString source = kData + QStringLiteral("/defines");
    for (const QString& name : {QStringLiteral("main.nsi"), QStringLiteral("lib/deep/tools.nsh")}) {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QFileInfo(name).path()));
        ASSERT_TRUE(QFile::copy(source + u'/' + name, folder.filePath(name))) << name.toStdString();
    }
    const QString main = folder.filePath(QStringLiteral("main.nsi"));
    const QHash<QString, QString> symbols{{QStringLiteral("LIBDIR"), QStringLiteral("lib\\${PART}")},
                                          {QStringLiteral("PART"), QStringLiteral("deep")}};
    const ToolRun makensis =
        RunTool(QStringLiteral("makensis"),
                {QStringLiteral("-V1"), QStringLiteral("-DLIBDIR=lib\\${PART}"), QStringLiteral("-DPART=deep"), main});
    EXPECT_EQ(makensis.exitCode, 0) << makensis.output.toStdString();

    const NsisSymbolIndex index =
        NsisSymbolIndex::Build({main}, {}, MakeIncludeResolver(NsisDir(), symbols), symbols.keys());
    EXPECT_EQ(DefinitionsAt(index, main, 6, 8, folder.path()), std::vector<std::string>{"lib/deep/tools.nsh:2"});
    const NsisSymbolIndex without = NsisSymbolIndex::Build({main}, {}, MakeIncludeResolver(NsisDir()));
    EXPECT_EQ(without.Files().size(), 1);
}

// Names are kept once per file as UTF-8; places still count UTF-16 units.
TEST(NsisSymbolIndex, NonAsciiNamesKeepTheirPlaces) {
    const QString script = QDir::cleanPath(kData + QStringLiteral("/open.nsi"));
    const QString name = QStringLiteral("安装\U00020000");
    const QString text = QStringLiteral("Function %1\nFunctionEnd\nSection\n  Call %1\nSectionEnd\n").arg(name);
    const NsisSymbolIndex index = IndexOf(script, {{script, text}});
    const std::optional<NsisSymbolUse> use = index.UseAt(script, 3, 10);
    ASSERT_TRUE(use);
    EXPECT_EQ(use->name, name);
    EXPECT_EQ(use->place.column, 7);
    EXPECT_EQ(use->place.length, 4);
    EXPECT_EQ(index.References(index.IdOf(*use)).size(), 2u);
}

TEST(NsisSymbolIndex, DefinitionTipTakesTheCommentsDirectlyAbove) {
    const QString text = QStringLiteral("; not this\n\n; Copies the files.\n# twice\nFunction InstallFiles\r\nFunctionEnd\n");
    EXPECT_EQ(DefinitionWithComments(text, 4),
              (QStringList{QStringLiteral("; Copies the files."), QStringLiteral("# twice"),
                           QStringLiteral("Function InstallFiles")}));
    EXPECT_EQ(DefinitionWithComments(text, 5), QStringList{QStringLiteral("FunctionEnd")});
    EXPECT_TRUE(DefinitionWithComments(text, 9).isEmpty());
}
