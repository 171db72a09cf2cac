// Conversions between CP936 and UTF-8 through iconv: replacements, growth, pieces, characters iconv drops.
#include "text/core/ansi_code_page.h"
#include "text/core/iconv_converter.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

struct ToAnsi {
    QByteArray bytes;
    bool lossy = false;
};

ToAnsi Convert(const QByteArray& utf8) {
    ToAnsi result;
    result.lossy = true;  // must be cleared when nothing is lost
    EXPECT_TRUE(Utf8ToAnsi(utf8, result.bytes, result.lossy));
    return result;
}

QByteArray Tag(char32_t c) { return QString::fromUcs4(&c, 1).toUtf8(); }

}  // namespace

TEST(AnsiCodePage, UndecodableBytesBecomeReplacementAndReadingGoesOn) {
    QByteArray utf8;
    ASSERT_TRUE(
        AnsiToUtf8("a\xff"
                   "b\xb0",
                   utf8));  // FF is no GBK byte; B0 is cut short at the end
    EXPECT_EQ(utf8,
              QByteArray("a\xEF\xBF\xBD"
                         "b\xEF\xBF\xBD"));
}

TEST(AnsiCodePage, APieceLeavesACutCharacterForTheNext) {
    QByteArray utf8;
    EXPECT_EQ(AnsiPieceToUtf8("x\xd6\xd0y\xb1", utf8), 4);
    EXPECT_EQ(utf8, QStringLiteral("x中y").toUtf8());
    EXPECT_EQ(AnsiPieceToUtf8("\xff"
                              "a",
                              utf8),
              2);
    EXPECT_EQ(utf8, QStringLiteral("x中y\uFFFDa").toUtf8());
}

TEST(AnsiCodePage, EveryCharacterWithoutAMappingIsOneQuestionMarkAndLossy) {
    struct Case {
        const char* why;
        QByteArray utf8;
        QByteArray ansi;
        bool lossy;
    };
    const Case cases[] = {
        {"plain", "plain", "plain", false},
        {"Chinese", QStringLiteral("中文").toUtf8(), "\xd6\xd0\xce\xc4", false},
        {"emoji", QStringLiteral("中😀x").toUtf8(), "\xd6\xd0?x", true},
        {"editor's lone surrogate", "\xED\xA0\x80y", "?y", true},
        {"cut at the end", "y\xE4\xB8", "y?", true},
        {"broken in the middle",
         "\xE4\xB8"
         "ab",
         "?ab", true},
        // Each broken sequence is its longest correct start: an overlong form is no character at all.
        {"overlong, one per byte",
         "\xE0\x80\x80"
         "z",
         "???z", true},
        {"tag characters iconv would drop", "a" + Tag(0xE0000) + "b" + Tag(0xE0041) + Tag(0xE007F), "a?b??", true},
        {"a tag after a cut sequence", "\xE4\xB8" + Tag(0xE0001) + "c", "??c", true},
    };
    for (const Case& c : cases) {
        const ToAnsi result = Convert(c.utf8);
        EXPECT_EQ(result.bytes, c.ansi) << c.why;
        EXPECT_EQ(result.lossy, c.lossy) << c.why;
    }
}

TEST(AnsiCodePage, LargeInputGrowsTheOutputAsNeeded) {
    // The euro sign is one byte in CP936 but three in UTF-8: the output outgrows the first guess.
    const QByteArray ansi(100000, '\x80');
    QByteArray utf8;
    ASSERT_TRUE(AnsiToUtf8(ansi, utf8));
    EXPECT_EQ(utf8, QString(100000, QChar(0x20AC)).toUtf8());
    const ToAnsi back = Convert(utf8);
    EXPECT_EQ(back.bytes, ansi);
    EXPECT_FALSE(back.lossy);
}

TEST(IconvConverter, ExactConversionFailsWholeAndLeavesTheOutputAsItWas) {
    QByteArray out = "kept";
    EXPECT_TRUE(ConvertExactly("GB18030", "UTF-8", Tag(0xE0041), out));
    EXPECT_EQ(out.size(), 4 + 4);  // GB18030 has four bytes for it
    out = "kept";
    EXPECT_FALSE(ConvertExactly(kAnsiCodePage, "UTF-8", "ok" + QStringLiteral("😀").toUtf8(), out));
    EXPECT_EQ(out, "kept");
    EXPECT_FALSE(ConvertExactly("UTF-8", kAnsiCodePage, "\xd6", out));
    EXPECT_FALSE(ConvertExactly("NO-SUCH-CODE-PAGE", "UTF-8", "x", out));
    EXPECT_EQ(out, "kept");
    EXPECT_FALSE(IconvConverter("NO-SUCH-CODE-PAGE", "UTF-8").IsOpen());
}
