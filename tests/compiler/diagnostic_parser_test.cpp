// CDiagnosticParser on outputs recorded from the real makensis (tests/data/compiler/diagnostics/record.sh).
#include "compiler/core/diagnostic_parser.h"

#include "support/test_files.h"

#include <gtest/gtest.h>

namespace {
QString Recorded(const QString& name) {
    return QStringLiteral(SCRIVO_TEST_DATA "/compiler/diagnostics/%1/%1.out").arg(name);
}

QList<Diagnostic> Parse(QByteArrayView output) {
    CDiagnosticParser parser;
    parser.Feed(output);
    parser.Finish();
    return parser.TakeDiagnostics();
}

struct Expected {
    DiagnosticSeverity severity;
    QString message;
    QString file;  // as makensis printed it
    int line;
    int frames;
};

struct ParseCase {
    const char* name;
    QList<Expected> diagnostics;
};

constexpr auto E = DiagnosticSeverity::Error;
constexpr auto W = DiagnosticSeverity::Warning;

const ParseCase kCases[] = {
    {"deep", {{E, "Invalid command: \"BogusCommand\"", "lib/a/c.nsh", 3, 4}}},
    // Until the macro is located the place is the line that inserted it.
    {"macro", {{E, "Invalid command: \"NoSuchInstruction\"", "macro.nsi", 5, 2}}},
    {"chained", {{E, "Invalid command: \"BadInner\"", "chained.nsi", 10, 3}}},
    {"directives",
     {{W, "!warning: check this", "directives.nsi", 2, 0}, {E, "!error: stop here", "directives.nsi", 3, 1}}},
    {"missing", {{E, "!include: could not find: \"nothere.nsh\"", "missing.nsi", 2, 1}}},
    {"incdir", {{E, "Invalid command: \"WrongHere\"", "<stdin>", 6, 2}}},
    {"warnings",
     {{W, "6000: unknown variable/constant \"nosuch\" detected, ignoring", "warnings.nsi", 5, 0},
      {W, "6010: install function \"HeaderFunc\" not referenced - zeroing code (0-1) out", "", 0, 0},
      {W, "6010: install function \"UnusedFunc\" not referenced - zeroing code (4-5) out", "", 0, 0},
      {W, "6012: label \"header_label\" not used", "", 0, 0},
      {W, "6012: label \"unused_label\" not used", "", 0, 0},
      {W, "6001: Variable \"HeaderVar\" not referenced or never set, wasting memory!", "", 0, 0},
      {W, "6001: Variable \"UnusedVar\" not referenced or never set, wasting memory!", "", 0, 0}}},
};
}  // namespace

TEST(DiagnosticParser, ReadsEveryRecordedOutput) {
    for (const ParseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QByteArray output = ReadBytes(Recorded(c.name));
        const QList<Diagnostic> found = Parse(output);
        ASSERT_EQ(found.size(), c.diagnostics.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            const Expected& want = c.diagnostics[i];
            EXPECT_EQ(found[i].severity, want.severity) << i;
            EXPECT_EQ(found[i].message, want.message) << i;
            EXPECT_EQ(found[i].file, want.file) << i;
            EXPECT_EQ(found[i].line, want.line) << i;
            EXPECT_EQ(found[i].frames.size(), want.frames) << i;
            // Every line it came from is a line of the output, for the log's double-click.
            for (const QString& source : found[i].sourceLines)
                EXPECT_TRUE(output.contains(source.toUtf8() + '\n')) << source.toStdString();
        }
    }
}

TEST(DiagnosticParser, KeepsTheChainInnermostFirst) {
    const QList<Diagnostic> found = Parse(ReadBytes(Recorded("chained")));
    ASSERT_EQ(found.size(), 1);
    const QList<DiagnosticFrame> want = {{{}, "Inner", 2}, {{}, "Outer", 1}, {"chained.nsi", {}, 10}};
    ASSERT_EQ(found[0].frames.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i) {
        EXPECT_EQ(found[0].frames[i].file, want[i].file);
        EXPECT_EQ(found[0].frames[i].macro, want[i].macro);
        EXPECT_EQ(found[0].frames[i].line, want[i].line);
    }
}

TEST(DiagnosticParser, GivesTheSameResultWhereverTheOutputIsCut) {
    for (const ParseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QByteArray output = ReadBytes(Recorded(c.name));
        const QList<Diagnostic> whole = Parse(output);
        for (qsizetype cut = 0; cut <= output.size(); ++cut) {
            CDiagnosticParser parser;
            parser.Feed(QByteArrayView(output).first(cut));
            parser.Feed(QByteArrayView(output).sliced(cut));
            parser.Finish();
            ASSERT_EQ(parser.Diagnostics(), whole) << "cut at " << cut;
        }
    }
}

TEST(DiagnosticParser, ReadsLinesNoRecordingHolds) {
    struct {
        const char* output;
        QList<Expected> diagnostics;
    } cases[] = {
        // An "Error: " line with no chain after it is an error without a place.
        {"Error: invalid script: never had OutFile command\nError - aborting creation process\n",
         {{E, "invalid script: never had OutFile command", "", 0, 0}}},
        // ... and with a chain after it, that chain's message.
        {"Error: command IntCmp not valid outside Section or Function\r\n"
         "Error in macro _= on macroline 1\r\nError in script \"b.nsi\" on line 3 -- aborting\r\n",
         {{E, "command IntCmp not valid outside Section or Function", "b.nsi", 3, 2}}},
        // The usage line explains the message; it is not the message.
        {"DetailPrint expects 1 parameters, got 2.\nUsage: DetailPrint message\n"
         "Error in script \"a b.nsi\" on line 6 -- aborting creation process",
         {{E, "DetailPrint expects 1 parameters, got 2.", "a b.nsi", 6, 1}}},
        // A warning repeated in the summary counts once; the summary's end is found.
        {"warning 6012: label \"x\" not used\n\n1 warning:\n  6012: label \"x\" not used\n\nwarning: !warning: late "
         "(a.nsi:4)\n",
         {{W, "6012: label \"x\" not used", "", 0, 0}, {W, "!warning: late", "a.nsi", 4, 0}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const QList<Diagnostic> found = Parse(c.output);
        ASSERT_EQ(found.size(), c.diagnostics.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].severity, c.diagnostics[i].severity);
            EXPECT_EQ(found[i].message, c.diagnostics[i].message);
            EXPECT_EQ(found[i].file, c.diagnostics[i].file);
            EXPECT_EQ(found[i].line, c.diagnostics[i].line);
            EXPECT_EQ(found[i].frames.size(), c.diagnostics[i].frames);
        }
    }
}
