// COutputPipeline on outputs recorded from the real makensis (diagnostics/record.sh) and on lines they lack.
#include "compiler/core/output_pipeline.h"

#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>
#include <climits>
#include <optional>

namespace {
struct Reading {
    QByteArray log;
    std::optional<int> errorLine;  // the last one reported
    QString installer;
    QList<Diagnostic> diagnostics;
};

void Take(COutputPipeline& pipeline, Reading& reading) {
    const OutputReading taken = pipeline.TakeReading();
    reading.log += taken.logText;
    if (taken.errorLine)
        reading.errorLine = taken.errorLine;
}

// The output fed in the pieces that cuts mark, taking what was read after each.
Reading Read(QByteArrayView output, const QString& compileFolder, std::optional<qsizetype> cut = {}) {
    COutputPipeline pipeline(compileFolder);
    Reading reading;
    if (cut) {
        pipeline.Feed(output.first(*cut));
        Take(pipeline, reading);
        output = output.sliced(*cut);
    }
    pipeline.Feed(output);
    Take(pipeline, reading);
    pipeline.Finish();
    Take(pipeline, reading);
    // What was reported is not reported again.
    EXPECT_TRUE(pipeline.TakeReading().IsEmpty());
    reading.installer = pipeline.InstallerPath();
    reading.diagnostics = pipeline.TakeDiagnostics();
    return reading;
}

// "E file:line message < frame < frame", frames innermost first.
QString Describe(const Diagnostic& d) {
    QString text = d.severity == DiagnosticSeverity::Error ? QStringLiteral("E ") : QStringLiteral("W ");
    if (!d.file.isEmpty() || d.line > 0)
        text += QStringLiteral("%1:%2 ").arg(d.file).arg(d.line);
    text += d.message;
    for (const DiagnosticFrame& frame : d.frames)
        text +=
            QStringLiteral(" < %1:%2").arg(frame.macro.isEmpty() ? frame.file : "macro " + frame.macro).arg(frame.line);
    return text;
}

std::string Describe(const QList<Diagnostic>& diagnostics) {
    QStringList described;
    for (const Diagnostic& d : diagnostics)
        described << Describe(d);
    return described.join(u'\n').toStdString();
}

struct Case {
    const char* output;  // a recording's name under compiler/diagnostics, or the output itself
    QStringList diagnostics;
    std::optional<int> errorLine = {};  // 0-based, the last
    QString installer = {};             // relative to the folder makensis compiled in
    QByteArray log = {};                // when it is not the output itself
};

const QString kFolder = QStringLiteral("/home/u/proj");

QString Recording(const char* name) {
    return QStringLiteral(SCRIVO_TEST_DATA "/compiler/diagnostics/%1.out").arg(name);
}

const QByteArray kHintedLog = "Processing script file: \"encoding.nsi\" (UTF8)\nBad text encoding: legacy.nsh:1\n"
                               + BadEncodingHint("legacy.nsh").toUtf8()
                               + "!include: error in script: \"legacy.nsh\" on line 1\n"
                                 "Error in script \"encoding.nsi\" on line 4 -- aborting creation process\n";

const Case kRecorded[] = {
    {"deep/deep",
     {R"(E lib/a/c.nsh:3 Invalid command: "BogusCommand" < lib/a/c.nsh:3 < lib/a/b.nsh:2 < lib/a.nsh:2 < deep.nsi:2)"},
     1},
    // Until the macro is located the place is the line that inserted it.
    {"macro/macro", {R"(E macro.nsi:5 Invalid command: "NoSuchInstruction" < macro Broken:2 < macro.nsi:5)"}, 4},
    {"chained/chained",
     {R"(E chained.nsi:10 Invalid command: "BadInner" < macro Inner:2 < macro Outer:1 < chained.nsi:10)"},
     9},
    {"directives/directives",
     {"W directives.nsi:2 !warning: check this", "E directives.nsi:3 !error: stop here < directives.nsi:3"},
     2},
    {"missing/missing", {R"(E missing.nsi:2 !include: could not find: "nothere.nsh" < missing.nsi:2)"}, 1},
    {"incdir/incdir", {R"(E <stdin>:6 Invalid command: "WrongHere" < macro FromDir:2 < <stdin>:6)"}, 5},
    {"logiclib/logiclib",
     {"E logiclib.nsi:3 command IntCmp not valid outside Section or Function < macro _=:1 < macro _If:9 < "
      "logiclib.nsi:3"},
     2},
    // A GBK header: the hint follows the line that names it.
    {"encoding/encoding",
     {"E legacy.nsh:1 Bad text encoding: legacy.nsh:1 < legacy.nsh:1 < encoding.nsi:4"},
     3,
     {},
     kHintedLog},
    // The line that says what failed, not the usage line, unless there is none.
    {"usage/file", {R"(E file.nsi:3 File: "app.exe" -> no files found. < file.nsi:3)"}, 2},
    {"usage/strcpy", {"E strcpy.nsi:6 StrCpy expects 2-4 parameters, got 5. < strcpy.nsi:6"}, 5},
    {"usage/compressor",
     {"E compressor.nsi:2 Usage: SetCompressor [/FINAL] [/SOLID] (zlib|bzip2|lzma) < compressor.nsi:2"},
     1},
    {"usage/xpstyle", {"E xpstyle.nsi:2 Usage: XPStyle (on|off) < xpstyle.nsi:2"}, 1},
    {"outfile/outfile", {R"(E Can't open output file "nosuchdir/outfile.exe")"}, {}, "nosuchdir/outfile.exe"},
    {"warnings/warnings",
     {R"(W warnings.nsi:5 6000: unknown variable/constant "nosuch" detected, ignoring)",
      R"(W 6010: install function "HeaderFunc" not referenced - zeroing code (0-1) out)",
      R"(W 6010: install function "UnusedFunc" not referenced - zeroing code (4-5) out)",
      R"(W 6012: label "header_label" not used)", R"(W 6012: label "unused_label" not used)",
      R"(W 6001: Variable "HeaderVar" not referenced or never set, wasting memory!)",
      R"(W 6001: Variable "UnusedVar" not referenced or never set, wasting memory!)"},
     {},
     "warnings.exe"},
    // A folder's parentheses are not a place's.
    {"include/parens",
     {R"(W My (x86) dir/paren.nsh:3 6000: unknown variable/constant "inparens" detected, ignoring)"},
     {},
     "parens.exe"},
    // Warning 9000 is printed in the summary only.
    {"insecure/insecure",
     {R"(W insecure.nsi:3 6000: unknown variable/constant "nosuch" detected, ignoring)",
      R"(W 9000: Insecure filename "setup.exe", Windows will unsafely load compatibility shims into the process.)"},
     {},
     "setup.exe"},
    {"labels/labels",
     {R"(W 6012: label "done" not used)",
      R"(W 6010: install function "Fourth" not referenced - zeroing code (7-8) out)",
      R"(W 6010: install function "Cond" not referenced - zeroing code (8-9) out)", R"(W 6012: label "done" not used)",
      R"(W 6012: label "done" not used)"},
     {},
     "labels.exe"},
    {"labels/undecided",
     {R"(W 6010: install function "Cond" not referenced - zeroing code (0-1) out)", R"(W 6012: label "done" not used)"},
     {},
     "undecided.exe"},
    {"macrofunc/macrofunc",
     {R"(W 6010: uninstall function "un.Trim" not referenced - zeroing code (0-2) out)",
      R"(W 6010: install function "Trim" not referenced - zeroing code (0-2) out)"},
     {},
     "macrofunc.exe"},
    // A macro's line stays a line of its body; a language string is no place.
    {"places/places",
     {R"(W 6000: unknown variable/constant "undefinedvar" detected, ignoring < macro SetIt:2)",
      R"(W 6000: unknown variable/constant "nosuchvar" detected, ignoring (LangString DESC_SecMain:1033))"},
     {},
     "places.exe"},
};

const Case kWritten[] = {
    {"Error in script \"/t/a.nsi\" on line 12 -- aborting creation process\n", {"E /t/a.nsi:12  < /t/a.nsi:12"}, 11},
    {"error in script \"a.nsi\" ON LINE 7\r\n", {"E a.nsi:7  < a.nsi:7"}, 6},
    {"Error in script \"a.nsi\" on line    42x\n", {"E a.nsi:42  < a.nsi:42"}, 41},
    // A missing number leads to the first line.
    {"Error in script \"a.nsi\" on line abc\n", {"E a.nsi:0  < a.nsi:0"}, 0},
    // A last line without a line feed is read at the end.
    {"Error in script \"a\" on line 99999999999999", {"E a:2147483647  < a:2147483647"}, INT_MAX - 1},
    // The number after the file, whatever the file's name holds.
    {"Error in script \"/p/on line 3/a.nsi\" on line 7 -- aborting\n",
     {"E /p/on line 3/a.nsi:7  < /p/on line 3/a.nsi:7"},
     6},
    // The jump needs no quoted file, a diagnostic does.
    {"Error in script on line 5\n", {}, 4},
    {"Error in script:\"a.nsi\" on line 3\n!include: error in script: \"a.nsh\" on line 1\nError in script \"a.nsi\"\n"
     "Error in scr\n",
     {R"(E a.nsh:1 Error in script:"a.nsi" on line 3 < a.nsh:1)"}},
    // The last error line wins.
    {"x\nError in script \"a\" on line 3\r\nError in script \"b\" on line 9\n", {"E a:3 x < a:3", "E b:9  < b:9"}, 8},
    {"Output: \"setup.exe\"\n", {}, {}, "setup.exe"},
    {"Output: \"../out//中文.exe\"\r\n", {}, {}, "../out/中文.exe"},
    {"Output: \"/abs/x.exe\"\nOutput: \"\"\nNot Output: \"y.exe\"\n", {}, {}, "/abs/x.exe"},
    // Each file is named once; a hint after an unfinished last line brings its own line feed.
    {"Bad text encoding: inc/gbk.nsh:1\nBad text encoding: inc/gbk.nsh:7\nBad text encoding: c:x.nsh:3",
     {},
     {},
     {},
     "Bad text encoding: inc/gbk.nsh:1\n" + BadEncodingHint("inc/gbk.nsh").toUtf8()
         + "Bad text encoding: inc/gbk.nsh:7\nBad text encoding: c:x.nsh:3\n" + BadEncodingHint("c:x.nsh").toUtf8()},
    // An "Error: " line with no chain after it is an error without a place ...
    {"Error: invalid script: never had OutFile command\nError - aborting creation process\n",
     {"E invalid script: never had OutFile command"}},
    // ... and with a chain after it, that chain's message.
    {"Error: command IntCmp not valid outside Section or Function\r\n"
     "Error in macro _= on macroline 1\r\nError in script \"b.nsi\" on line 3 -- aborting\r\n",
     {"E b.nsi:3 command IntCmp not valid outside Section or Function < macro _=:1 < b.nsi:3"},
     2},
    // The usage line explains the message; it is not the message.
    {"DetailPrint expects 1 parameters, got 2.\nUsage: DetailPrint message\n"
     "Error in script \"a b.nsi\" on line 6 -- aborting creation process",
     {"E a b.nsi:6 DetailPrint expects 1 parameters, got 2. < a b.nsi:6"},
     5},
    // A warning repeated in the summary counts once; the summary's end is found.
    {"warning 6012: label \"x\" not used\n\n1 warning:\n  6012: label \"x\" not used\n\nwarning: !warning: late "
     "(a.nsi:4)\n",
     {R"(W 6012: label "x" not used)", "W a.nsi:4 !warning: late"}},
    {"", {}},
};

void ExpectReading(const Reading& reading, const Case& c, const QByteArray& output, const QString& folder) {
    EXPECT_EQ(Describe(reading.diagnostics), c.diagnostics.join(u'\n').toStdString());
    EXPECT_EQ(reading.errorLine, c.errorLine);
    EXPECT_EQ(reading.installer,
              c.installer.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).filePath(c.installer)));
    EXPECT_EQ(reading.log, c.log.isEmpty() ? output : c.log);
}

// Wherever the pipe cuts the output, everything read is the same.
void ExpectEveryCutReadsAlike(const QByteArray& output, const QString& folder, const Reading& whole) {
    for (qsizetype cut = 0; cut <= output.size(); ++cut) {
        const Reading cutRead = Read(output, folder, cut);
        ASSERT_EQ(cutRead.log, whole.log) << "cut at " << cut;
        ASSERT_EQ(cutRead.errorLine, whole.errorLine) << "cut at " << cut;
        ASSERT_EQ(cutRead.installer, whole.installer) << "cut at " << cut;
        ASSERT_EQ(cutRead.diagnostics, whole.diagnostics) << "cut at " << cut;
    }
}
}  // namespace

TEST(OutputPipeline, ReadsEveryRecordedOutputWheneverItIsCut) {
    for (const Case& c : kRecorded) {
        SCOPED_TRACE(c.output);
        const QByteArray output = ReadBytes(Recording(c.output));
        const QString folder = QFileInfo(Recording(c.output)).absolutePath();
        const Reading whole = Read(output, folder);
        ExpectReading(whole, c, output, folder);
        // Every line a diagnostic came from is a line of the output, for the log's double-click.
        for (const Diagnostic& d : whole.diagnostics) {
            for (const QString& source : d.sourceLines)
                EXPECT_TRUE(output.contains(source.toUtf8() + '\n')) << source.toStdString();
        }
        ExpectEveryCutReadsAlike(output, folder, whole);
    }
}

TEST(OutputPipeline, ReadsLinesNoRecordingHoldsWhereverTheyAreCut) {
    for (const Case& c : kWritten) {
        SCOPED_TRACE(c.output);
        const Reading whole = Read(c.output, kFolder);
        ExpectReading(whole, c, c.output, kFolder);
        ExpectEveryCutReadsAlike(c.output, kFolder, whole);
    }
}

TEST(OutputPipeline, AnEndlessLineIsReadInPiecesCutAtTheSamePlacesHoweverItArrives) {
    const QByteArray output =
        QByteArray(3 * COutputPipeline::kMaxLine + 5, 'x') + "\nError in script \"a\" on line 2\n";
    const Reading whole = Read(output, kFolder);
    COutputPipeline pipeline(kFolder);
    for (qsizetype at = 0; at < output.size(); at += 10240)
        pipeline.Feed(QByteArrayView(output).sliced(at, std::min<qsizetype>(10240, output.size() - at)));
    pipeline.Finish();
    const OutputReading chunked = pipeline.TakeReading();
    EXPECT_EQ(chunked.logText, output);
    EXPECT_EQ(chunked.errorLine, 1);
    EXPECT_EQ(pipeline.TakeDiagnostics(), whole.diagnostics);
}
