// Compiler output decoded to UTF-8 chunk by chunk, and the outcome of a compile.
#include "compiler/core/compile_outcome.h"
#include "compiler/core/output_decoder.h"
#include "support/test_files.h"

#include <QString>
#include <gtest/gtest.h>

namespace {
// "编译 OK 中文" in CP936.
const QByteArray kGbk("\xB1\xE0\xD2\xEB OK \xD6\xD0\xCE\xC4");
const QByteArray kUtf8 = QString::fromUtf8("编译 OK 中文").toUtf8();

QByteArray DecodeInPieces(const QByteArray& bytes, std::initializer_list<qsizetype> cuts) {
    COutputDecoder decoder;
    QByteArray out;
    qsizetype from = 0;
    for (const qsizetype cut : cuts) {
        out += decoder.Decode(bytes.mid(from, cut - from));
        from = cut;
    }
    out += decoder.Decode(bytes.mid(from));
    out += decoder.Finish();
    return out;
}

// Feeds bytes cut at every position, into two chunks and, when short enough,
// into three; every way must give the whole text.
void ExpectEverySplitDecodesTo(const QByteArray& bytes, const QByteArray& expected) {
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        ASSERT_EQ(DecodeInPieces(bytes, {cut}), expected) << "cut at " << cut;
        for (qsizetype second = cut; bytes.size() <= 128 && second <= bytes.size(); ++second)
            ASSERT_EQ(DecodeInPieces(bytes, {cut, second}), expected) << "cuts at " << cut << ", " << second;
    }
}
}  // namespace

TEST(OutputDecoder, TheEncodingIsDecidedOnceSoNoCutChangesTheText) {
    struct Case {
        const char* why;
        QByteArray output;
        QString text;
    };
    const QString log =
        QStringLiteral("MakeNSIS v3\nOutput: \"/home/u/模块.exe\"\nError in script \"模块.nsi\" on line 3\n");
    const Case cases[] = {
        {"UTF-8 with a character cut anywhere", kUtf8, QString::fromUtf8(kUtf8)},
        {"UTF-8 beyond the basic plane", "\xF0\x9F\x98\x80 emoji", QStringLiteral("😀 emoji")},
        {"CP936 whose lead byte waits when cut", kGbk, QString::fromUtf8(kUtf8)},
        {"UTF-8", log.toUtf8(), log},
        // 模块 is C4 A3 BF E9 in CP936, and C4 A3 alone is valid UTF-8.
        {"CP936 that starts like UTF-8", "MakeNSIS v3\nOutput: \"/home/u/\xC4\xA3\xBF\xE9.exe\"\nError \xC4\xA3\n",
         QStringLiteral("MakeNSIS v3\nOutput: \"/home/u/模块.exe\"\nError 模\n")},
        // Later UTF-8 that is broken stays UTF-8, with a replacement.
        {"UTF-8 then a bad byte", "a\n\xE4\xB8\xAD\n\xC4\xA3\xBF\n", QStringLiteral("a\n中\nģ\uFFFD\n")},
        {"UTF-16 whose later units have no zero byte", Utf16(QStringLiteral("OK\n安装 😀\n"), false),
         QStringLiteral("OK\n安装 😀\n")},
        {"UTF-16 with a lone surrogate", Utf16(QStringLiteral("OK ") + QChar(0xD800) + QStringLiteral("x"), false),
         QStringLiteral("OK \uFFFDx")},
        {"a line longer than the decision reads", QByteArray(5000, '\xD6') + "\n", QString(2500, QChar(0x79CD)) + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ExpectEverySplitDecodesTo(c.output, c.text.toUtf8());
    }
}

TEST(OutputDecoder, AsciiBeforeTheDecidingLineIsShownAtOnce) {
    COutputDecoder decoder;
    EXPECT_EQ(decoder.Decode("Processing config\nSection \xE4\xB8"), "Processing config\nSection ");
    EXPECT_EQ(decoder.Decode("\xAD\n"), "\xE4\xB8\xAD\n");
    EXPECT_EQ(decoder.Decode("ok\n"), "ok\n");
}

TEST(OutputDecoder, BadBytesBecomeReplacementsAndNothingIsLost) {
    // 0xFF is neither UTF-8 nor CP936.
    EXPECT_EQ(DecodeInPieces("ab\xFF"
                             "cd\n",
                             {}),
              "ab\xEF\xBF\xBD"
              "cd\n");
    // A lead byte at the very end of the output is shown, not dropped.
    COutputDecoder ending;
    QByteArray text = ending.Decode("x\xD6\xD0y\xB1");
    text += ending.Finish();
    EXPECT_EQ(text, QString::fromUtf8("x中y\uFFFD").toUtf8());
    EXPECT_TRUE(ending.Finish().isEmpty());
    // So is a cut UTF-8 character, and half a UTF-16 unit.
    EXPECT_EQ(DecodeInPieces("a\n\xC3\xA9\n\xE4\xB8", {}), "a\n\xC3\xA9\n\xEF\xBF\xBD");
    EXPECT_EQ(DecodeInPieces(Utf16("OK", false) + "x", {}), "OK\xEF\xBF\xBD");
}

TEST(CompileOutcome, EveryFailureHasAnErrorAndTheSummaryCountsEveryWarning) {
    const Diagnostic warning{DiagnosticSeverity::Warning, QStringLiteral("9000: x"), {}, {}, 0, {}, {}};
    const Diagnostic error{DiagnosticSeverity::Error, QStringLiteral("Invalid command"), {}, {}, 0, {}, {}};
    const struct {
        CompileResult result;
        const char* text;
        qsizetype diagnostics;
    } cases[] = {
        {{true, false, 0, {}, {warning, warning}}, "编译成功：2 个警告", 2},
        {{true, false, 0, {}, {}}, "编译成功", 0},
        // makensis failed without an error line: the failure is named all the same.
        {{true, false, 3, {}, {warning}}, "编译失败：1 个错误，1 个警告", 2},
        {{true, false, 1, {}, {error}}, "编译失败：1 个错误，0 个警告", 1},
        {{true, true, -1, {}, {}}, "编译已停止", 0},
        {{false, false, -1, {}, {}}, "编译失败：无法启动编译器", 0},
    };
    for (const auto& c : cases) {
        CompileResult result = c.result;
        AddFailureDiagnostic(result);
        EXPECT_EQ(CompileOutcomeText(result).toStdString(), c.text);
        EXPECT_EQ(result.diagnostics.size(), c.diagnostics) << c.text;
    }
}
