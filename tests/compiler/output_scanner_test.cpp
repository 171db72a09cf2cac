// Error lines, the installer path and encoding hints found in the compiler's output.
#include "compiler/core/output_scanner.h"

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
