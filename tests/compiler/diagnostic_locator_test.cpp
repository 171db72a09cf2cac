// LocateDiagnostics: recorded errors and warnings put at the line the user has to change.
#include "compiler/core/diagnostic_locator.h"
#include "compiler/core/diagnostic_parser.h"

#include "support/nsis_dir.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString Scenario(const QString& name) { return QStringLiteral(SCRIVO_TEST_DATA "/compiler/diagnostics/") + name; }

QList<Diagnostic> ParseAndLocate(const QByteArray& output, const LocateContext& context) {
    CDiagnosticParser parser;
    parser.Feed(output);
    parser.Finish();
    QList<Diagnostic> found = parser.TakeDiagnostics();
    LocateDiagnostics(found, context);
    return found;
}

struct Place {
    QString file;  // relative to the scenario's folder; empty for none
    int line;
};

struct LocateCase {
    const char* name;
    QList<Place> places;
};

const LocateCase kCases[] = {
    {"deep", {{"lib/a/c.nsh", 3}}},
    {"macro", {{"lib/macros.nsh", 5}}},
    {"chained", {{"chained.nsi", 4}}},
    {"directives", {{"directives.nsi", 2}, {"directives.nsi", 3}}},
    {"missing", {{"missing.nsi", 2}}},
    // A GBK script read from standard input: the macro is found through
    // !addincludedir, and nothing is placed in "<stdin>".
    {"incdir", {{"extra/gbkinc.nsh", 3}}},
    // LogicLib's own macros are passed over for the line that used ${If}.
    {"logiclib", {{"logiclib.nsi", 3}}},
    {"warnings",
     {{"warnings.nsi", 5},
      {"lib.nsh", 3},
      {"warnings.nsi", 9},
      {"lib.nsh", 4},
      {"warnings.nsi", 6},
      {"lib.nsh", 2},
      {"warnings.nsi", 3}}},
};
}  // namespace

TEST(LocateDiagnostics, PutsEveryRecordedDiagnosticWhereTheUserMustLook) {
    for (const LocateCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QString folder = Scenario(c.name);
        const QList<Diagnostic> found = ParseAndLocate(ReadBytes(folder + u'/' + c.name + ".out"),
                                                       {folder + u'/' + c.name + ".nsi", folder, NsisDir()});
        ASSERT_EQ(found.size(), c.places.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].file.toStdString(), QDir(folder).filePath(c.places[i].file).toStdString()) << i;
            EXPECT_EQ(found[i].line, c.places[i].line) << i;
        }
    }
}

TEST(NsisFolder, AgreesWithMakensisAndYieldsToTheEnvironment) {
    EXPECT_EQ(NsisFolder(QStringLiteral("/usr/bin/makensis"), {}), NsisDir());
    QTemporaryDir own;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("NSISDIR"), own.path());
    EXPECT_EQ(NsisFolder(QStringLiteral("/usr/bin/makensis"), environment), own.path());
}

TEST(LocateDiagnostics, FollowsTheFolderMakensisCompiledInAndTellsRepeatedNamesApart) {
    QTemporaryDir editorFolder, scriptFolder;
    // With -NOCD makensis stays in the editor's folder: includes are found there.
    ASSERT_TRUE(WriteBytes(editorFolder.filePath("h.nsh"), "Function f\n  done:\nFunctionEnd\n"));
    ASSERT_TRUE(WriteBytes(scriptFolder.filePath("s.nsi"),
                           "!include \"h.nsh\"\n!include \"h.nsh\"\nSection\n  done:\n  NoMacro\nSectionEnd\n"));
    const QList<Diagnostic> found = ParseAndLocate(
        "warning 6012: label \"done\" not used\nwarning 6012: label \"done\" not used\n"
        "warning 6012: label \"done\" not used\nwarning 6012: label \"gone\" not used\n"
        "Invalid command: \"x\"\nError in macro Missing on macroline 2\nError in script \"<stdin>\" on line 5\n",
        {scriptFolder.filePath("s.nsi"), editorFolder.path(), NsisDir()});
    const QList<Place> want = {{editorFolder.filePath("h.nsh"), 2},
                               {scriptFolder.filePath("s.nsi"), 4},
                               {scriptFolder.filePath("s.nsi"), 4},
                               {"", 0},
                               // A macro that cannot be found leaves the line that inserted it.
                               {scriptFolder.filePath("s.nsi"), 5}};
    ASSERT_EQ(found.size(), want.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].file, want[i].file) << i;
        EXPECT_EQ(found[i].line, want[i].line) << i;
    }
}
