// LocateDiagnostics: recorded errors and warnings put at the line the user has to change.
#include "compiler/core/diagnostic_locator.h"
#include "compiler/core/output_pipeline.h"

#include "support/nsis_dir.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString Scenario(const QString& name) { return QStringLiteral(SCRIVO_TEST_DATA "/compiler/diagnostics/") + name; }

QList<Diagnostic> ParseAndLocate(const QByteArray& output, const LocateContext& context) {
    COutputPipeline pipeline(context.compileFolder);
    pipeline.Feed(output);
    pipeline.Finish();
    QList<Diagnostic> found = pipeline.TakeDiagnostics();
    LocateDiagnostics(found, context);
    return found;
}

struct Place {
    QString file;  // relative to the scenario's folder; empty for none
    int line;
    const char* message = nullptr;  // checked when given
};

struct LocateCase {
    const char* name;  // folder/script of the recorded output
    QList<Place> places;
};

const LocateCase kCases[] = {
    {"deep/deep", {{"lib/a/c.nsh", 3}}},
    {"macro/macro", {{"lib/macros.nsh", 5}}},
    {"chained/chained", {{"chained.nsi", 4}}},
    {"directives/directives", {{"directives.nsi", 2}, {"directives.nsi", 3}}},
    {"missing/missing", {{"missing.nsi", 2}}},
    // A GBK script read from standard input: the macro is found through
    // !addincludedir, and nothing is placed in "<stdin>".
    {"incdir/incdir", {{"extra/gbkinc.nsh", 3}}},
    // LogicLib's own macros are passed over for the line that used ${If}.
    {"logiclib/logiclib", {{"logiclib.nsi", 3}}},
    {"warnings/warnings",
     {{"warnings.nsi", 5},
      {"lib.nsh", 3},
      {"warnings.nsi", 9},
      {"lib.nsh", 4},
      {"warnings.nsi", 6},
      {"lib.nsh", 2},
      {"warnings.nsi", 3}}},
    // The line that says what failed, not the last usage line nor an unrelated earlier one.
    {"usage/file", {{"file.nsi", 3, "File: \"app.exe\" -> no files found."}}},
    {"usage/compressor", {{"compressor.nsi", 2, "Usage: SetCompressor [/FINAL] [/SOLID] (zlib|bzip2|lzma)"}}},
    {"usage/xpstyle", {{"xpstyle.nsi", 2, "Usage: XPStyle (on|off)"}}},
    {"usage/strcpy", {{"strcpy.nsi", 6, "StrCpy expects 2-4 parameters, got 5."}}},
    // A macro's line is a line of its body; a language string is no place.
    {"places/places",
     {{"lib.nsh", 4, "6000: unknown variable/constant \"undefinedvar\" detected, ignoring"},
      {"", 0,
       "6000: unknown variable/constant \"nosuchvar\" detected, ignoring (LangString DESC_SecMain:1033)"}}},
    {"outfile/outfile", {{"", 0, "Can't open output file \"nosuchdir/outfile.exe\""}}},
    // Warning 9000 is printed in the summary only.
    {"insecure/insecure",
     {{"insecure.nsi", 3, "6000: unknown variable/constant \"nosuch\" detected, ignoring"},
      {"", 0,
       "9000: Insecure filename \"setup.exe\", Windows will unsafely load compatibility shims into the process."}}},
    // The uninstaller's labels come first; a used label and an inactive !ifdef branch are passed over.
    {"labels/labels",
     {{"labels.nsi", 15, "6012: label \"done\" not used"},
      {"labels.nsi", 20},
      {"labels.nsi", 27},
      {"labels.nsi", 8},
      {"labels.nsi", 21}}},
    // Which branch of an !if makensis read is not known here: no place rather than a wrong one.
    {"labels/undecided", {{"", 0}, {"", 0}}},
    {"macrofunc/macrofunc",
     {{"macrofunc.nsi", 3, "6010: uninstall function \"un.Trim\" not referenced - zeroing code (0-2) out"},
      {"macrofunc.nsi", 3}}},
    {"include/parens", {{"My (x86) dir/paren.nsh", 3, "6000: unknown variable/constant \"inparens\" detected, ignoring"}}},
};
}  // namespace

TEST(LocateDiagnostics, PutsEveryRecordedDiagnosticWhereTheUserMustLook) {
    for (const LocateCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QString folder = Scenario(QString::fromLatin1(c.name).section(u'/', 0, 0));
        const QString base = Scenario(QString::fromLatin1(c.name));
        const QList<Diagnostic> found =
            ParseAndLocate(ReadBytes(base + ".out"), {base + ".nsi", folder, NsisDir(), {}});
        ASSERT_EQ(found.size(), c.places.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            const Place& want = c.places[i];
            EXPECT_EQ(found[i].file.toStdString(), want.file.isEmpty() ? "" : QDir(folder).filePath(want.file).toStdString()) << i;
            EXPECT_EQ(found[i].line, want.line) << i;
            if (want.message) {
                EXPECT_EQ(found[i].message.toStdString(), want.message) << i;
            }
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

TEST(LocateDiagnostics, FollowsTheFolderMakensisCompiledInAndTheSymbolsGivenToIt) {
    QTemporaryDir editorFolder, scriptFolder;
    // With -NOCD makensis stays in the editor's folder: includes are found there.
    ASSERT_TRUE(WriteBytes(editorFolder.filePath("h.nsh"), "Function f\n  done:\nFunctionEnd\n"));
    ASSERT_TRUE(WriteBytes(scriptFolder.filePath("s.nsi"), "!include \"h.nsh\"\nSection\n  done:\n  NoMacro\nSectionEnd\n"
                                                           "!ifndef FROM_SETTINGS\nVar v\n!else\nVar v\n!endif\n"));
    const QList<Diagnostic> found = ParseAndLocate(
        "warning 6012: label \"done\" not used\nwarning 6012: label \"done\" not used\n"
        "warning 6012: label \"gone\" not used\n"
        "warning 6001: Variable \"v\" not referenced or never set, wasting memory!\n"
        "Invalid command: \"x\"\nError in macro Missing on macroline 2\nError in script \"<stdin>\" on line 4\n",
        {scriptFolder.filePath("s.nsi"), editorFolder.path(), NsisDir(), {"FROM_SETTINGS=1"}});
    const QList<Place> want = {{editorFolder.filePath("h.nsh"), 2},
                               {scriptFolder.filePath("s.nsi"), 3},
                               {"", 0},
                               {scriptFolder.filePath("s.nsi"), 9},
                               // A macro that cannot be found leaves the line that inserted it.
                               {scriptFolder.filePath("s.nsi"), 4}};
    ASSERT_EQ(found.size(), want.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].file, want[i].file) << i;
        EXPECT_EQ(found[i].line, want[i].line) << i;
    }
}
