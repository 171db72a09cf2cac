// Detection of what a file's bytes are: marks, unmarked UTF-16, UTF-8 and the ANSI code page.
#include "text/core/text_detection.h"

#include "support/test_files.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> list) {
    QByteArray bytes;
    for (unsigned char b : list)
        bytes.append(char(b));
    return bytes;
}

}  // namespace

TEST(DetectText, MarksUtf16Utf8AndAnsi) {
    struct Case {
        const char* why;
        QByteArray bytes;
        TextCharset charset;
        int markLength = 0;
    };
    const QByteArray wide = Utf16(QStringLiteral("Name \"setup\"\r\n"), false);
    const auto U8 = TextCharset::Utf8, Ansi = TextCharset::AnsiCodePage;
    const Case cases[] = {
        {"BE mark", Bytes({0xFE, 0xFF, 0x00, 0x41}), TextCharset::Utf16BigEndian, 2},
        {"LE mark", Bytes({0xFF, 0xFE, 0x41, 0x00}), TextCharset::Utf16LittleEndian, 2},
        {"only the UTF-8 mark", Bytes({0xEF, 0xBB, 0xBF}), U8, 3},
        {"two bytes of the mark are none", Bytes({0xEF, 0xBB}), U8},
        {"unmarked LE by zero high bytes", wide, TextCharset::Utf16LittleEndian},
        {"unmarked BE", wide.mid(1) + '\0', TextCharset::Utf16BigEndian},
        {"a zero second byte alone is ANSI", QByteArray("A\0BCDEFGH", 9), Ansi},
        {"a zero first byte alone is ANSI", QByteArray("\0ABCDEFG", 8), Ansi},
        {"empty", {}, TextCharset::SevenBit},
        {"ASCII", "Name \"x\"\r\nSection\r\n", TextCharset::SevenBit},
        {"Chinese UTF-8", QStringLiteral("; 中文注释\r\n").toUtf8(), U8},
        {"GBK", "; \xd6\xd0\xce\xc4\r\n", Ansi},
        {"E0 lead", Bytes({0xE0, 0xA0, 0x80}), U8},
        {"emoji", QStringLiteral("emoji 😀 end").toUtf8(), U8},
        {"U+10FFFF", Bytes({0xF4, 0x8F, 0xBF, 0xBF}), U8},
        {"editor's lone surrogate", Bytes({'a', 0xED, 0xA0, 0x80}), U8},
        {"zero byte in UTF-8", QByteArray("\xC3\xA9\0x", 4), Ansi},
        {"stray continuation", Bytes({'a', 0x80, 'b'}), Ansi},
        {"overlong C0", Bytes({0xC0, 0x80, 'b'}), Ansi},
        {"overlong C1", Bytes({0xC1, 0xBF, 'b'}), Ansi},
        {"overlong three-byte", Bytes({0xE0, 0x80, 0x80}), Ansi},
        {"overlong four-byte", Bytes({0xF0, 0x80, 0x80, 0x80}), Ansi},
        {"beyond U+10FFFF", Bytes({0xF4, 0x90, 0x80, 0x80}), Ansi},
        {"F5 lead", Bytes({0xF5, 0x80, 0x80, 0x80}), Ansi},
        {"broken inside the buffer", Bytes({0xE4, 0xB8, 'a'}), Ansi},
        {"cut tail C3", Bytes({'a', 'b', 0xC3}), U8},
        {"cut tail E4 B8", Bytes({'a', 0xE4, 0xB8}), U8},
        {"cut tail F0 9F 98", Bytes({'a', 0xF0, 0x9F, 0x98}), U8},
        {"broken before the end", Bytes({'a', 0xE4, 'b'}), Ansi},
    };
    for (const Case& c : cases) {
        const DetectedText detected = DetectText(c.bytes);
        EXPECT_EQ(detected.charset, c.charset) << c.why;
        EXPECT_EQ(detected.markLength, c.markLength) << c.why;
    }
}

TEST(LooksLikeUtf16, WantsMostlyZeroHighBytesAndFewZeroLowBytes) {
    const QString latin = QStringLiteral("Section \"Main\"\r\n");
    EXPECT_TRUE(LooksLikeUtf16(Utf16(latin, false), ByteOrder::LittleEndian));
    EXPECT_TRUE(LooksLikeUtf16(Utf16(latin, true), ByteOrder::BigEndian));
    EXPECT_FALSE(LooksLikeUtf16(Utf16(latin, true), ByteOrder::LittleEndian));
    EXPECT_FALSE(LooksLikeUtf16(QByteArray(16, '\0'), ByteOrder::LittleEndian));
    EXPECT_FALSE(LooksLikeUtf16("A", ByteOrder::LittleEndian));
    // Chinese has no zero high bytes: too little evidence for the guess.
    EXPECT_FALSE(LooksLikeUtf16(Utf16(QStringLiteral("中文注释"), false), ByteOrder::LittleEndian));
}
