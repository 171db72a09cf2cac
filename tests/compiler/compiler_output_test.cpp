// Compiler output: decoded to UTF-8 chunk by chunk, and scanned for error lines, the installer and encoding hints.
#include "compiler/core/output_decoder.h"
#include "compiler/core/output_scanner.h"

#include <QString>
#include <gtest/gtest.h>

TEST(ErrorLineNumber, RecognisesOnlyTheCompilersErrorLines) {
    EXPECT_EQ(ErrorLineNumber("Error in script \"/t/a.nsi\" on line 12 -- aborting creation process"), 12);
    EXPECT_EQ(ErrorLineNumber("error in script \"a.nsi\" ON LINE 7"), 7);
    EXPECT_EQ(ErrorLineNumber("Error in script \"a.nsi\" on line    42x"), 42);
    EXPECT_EQ(ErrorLineNumber("Error in script \"a.nsi\" on line abc"), 0);
    EXPECT_FALSE(ErrorLineNumber("Error in script:\"a.nsi\" on line 3"));
    EXPECT_FALSE(ErrorLineNumber("!include: error in script: \"a.nsh\" on line 1"));
    EXPECT_FALSE(ErrorLineNumber("Error in script \"a.nsi\""));
    EXPECT_FALSE(ErrorLineNumber("Error in scr"));
    EXPECT_EQ(ErrorLineNumber("Error in script \"a\" on line 99999999999999"), INT_MAX);
}

TEST(OutputScanner, LastErrorOfABatchWinsAndAMissingNumberMeansTheFirstLine) {
    CCompileOutputScanner scanner("/tmp");
    ScanFindings findings = scanner.Feed("x\nError in script \"a\" on line 3\r\nError in script \"b\" on line 9\n");
    ASSERT_TRUE(findings.errorLine);
    EXPECT_EQ(*findings.errorLine, 8);
    findings = scanner.Feed("Error in script \"a\" on line -- aborting\n");
    ASSERT_TRUE(findings.errorLine);
    EXPECT_EQ(*findings.errorLine, 0);
    EXPECT_FALSE(scanner.Feed("nothing here\n").errorLine);
}

TEST(OutputScanner, AnErrorLineCutAcrossChunksIsStillFound) {
    const QByteArray output = "Processing script file\nInvalid command: FooBar\n"
                              "Error in script \"/tmp/s.nsi\" on line 12 -- aborting creation process\n";
    for (qsizetype cut = 0; cut <= output.size(); ++cut) {
        CCompileOutputScanner scanner("/tmp");
        ScanFindings first = scanner.Feed(QByteArrayView(output).first(cut));
        ScanFindings second = scanner.Feed(QByteArrayView(output).sliced(cut));
        const std::optional<int> line = second.errorLine ? second.errorLine : first.errorLine;
        ASSERT_TRUE(line) << "cut at " << cut;
        EXPECT_EQ(*line, 11) << "cut at " << cut;
    }
    // A last line without a line feed is examined at the end.
    CCompileOutputScanner scanner("/tmp");
    EXPECT_FALSE(scanner.Feed("Error in script \"s\" on line 5").errorLine);
    EXPECT_EQ(scanner.Finish().errorLine, 4);
}

TEST(OutputScanner, InstallerPathResolvesAgainstTheCompileFolder) {
    CCompileOutputScanner scanner("/home/u/proj");
    EXPECT_TRUE(scanner.InstallerPath().isEmpty());
    scanner.Feed("Output: \"setup.exe\"\n");
    EXPECT_EQ(scanner.InstallerPath(), "/home/u/proj/setup.exe");
    scanner.Feed("Output: \"../out//中文.exe\"\r\n");
    EXPECT_EQ(scanner.InstallerPath(), QString::fromUtf8("/home/u/out/中文.exe"));
    scanner.Feed("Output: \"/abs/x.exe\"\n");
    EXPECT_EQ(scanner.InstallerPath(), "/abs/x.exe");
    scanner.Feed("Output: \"\"\nNot Output: \"y.exe\"\n");
    EXPECT_EQ(scanner.InstallerPath(), "/abs/x.exe");
}

TEST(OutputScanner, BadEncodingHintNamesTheFileOnce) {
    CCompileOutputScanner scanner("/tmp");
    ScanFindings findings = scanner.Feed("Bad text encoding: inc/gbk.nsh:1\n");
    EXPECT_EQ(findings.hints, BadEncodingHint("inc/gbk.nsh").toUtf8());
    EXPECT_TRUE(findings.hints.contains("inc/gbk.nsh"));
    EXPECT_TRUE(findings.hints.contains("UTF-8"));
    EXPECT_TRUE(scanner.Feed("Bad text encoding: inc/gbk.nsh:7\n").hints.isEmpty());
    EXPECT_TRUE(scanner.Feed("Bad text encoding: c:x.nsh:3\n").hints.contains("c:x.nsh"));
}

namespace {
// "编译 OK 中文" in CP936.
const QByteArray kGbk("\xB1\xE0\xD2\xEB OK \xD6\xD0\xCE\xC4");
const QByteArray kUtf8 = QString::fromUtf8("编译 OK 中文").toUtf8();

// Feeds bytes cut at every position into two chunks; each cut must give the whole text.
void ExpectEverySplitDecodesTo(const QByteArray& bytes, const QByteArray& expected) {
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        COutputDecoder decoder;
        QByteArray out = decoder.Decode(bytes.left(cut));
        out += decoder.Decode(bytes.mid(cut));
        out += decoder.Finish();
        EXPECT_EQ(out, expected) << "cut at " << cut;
    }
}
}  // namespace

TEST(OutputDecoder, Utf8PassesThroughEvenWhenACharacterIsCut) {
    ExpectEverySplitDecodesTo(kUtf8, kUtf8);
    ExpectEverySplitDecodesTo("\xF0\x9F\x98\x80 emoji", "\xF0\x9F\x98\x80 emoji");
}

TEST(OutputDecoder, AnsiChunksAreCp936AndACutLeadByteWaits) {
    COutputDecoder decoder;
    EXPECT_EQ(decoder.Decode(kGbk), kUtf8);
    ExpectEverySplitDecodesTo(kGbk, kUtf8);
}

TEST(OutputDecoder, SecondByteZeroIsUtf16LittleEndian) {
    const QString text = QString::fromUtf8("Error 中文");
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    COutputDecoder decoder;
    EXPECT_EQ(decoder.Decode(utf16), text.toUtf8());
    // An odd byte left over waits for its partner.
    COutputDecoder halves;
    QByteArray out = halves.Decode(utf16.left(3));
    out += halves.Decode(utf16.mid(3));
    EXPECT_EQ(out, text.toUtf8());
}

TEST(OutputDecoder, BadBytesBecomeReplacementsAndNothingIsLost) {
    COutputDecoder decoder;
    // 0xFF is neither UTF-8 nor CP936.
    const QByteArray out = decoder.Decode("ab\xFF" "cd");
    EXPECT_EQ(out, "ab\xEF\xBF\xBD" "cd");
    // A lead byte at the very end of the output is shown, not dropped.
    COutputDecoder ending;
    QByteArray text = ending.Decode("x\xD6\xD0y\xB1");
    text += ending.Finish();
    EXPECT_EQ(text, QString::fromUtf8("x中y\uFFFD").toUtf8());
    EXPECT_TRUE(ending.Finish().isEmpty());
}
