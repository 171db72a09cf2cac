// Encoding detection and display names.
#include "editor/core/encoding_detection.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> list) {
    QByteArray bytes;
    for (unsigned char b : list)
        bytes.append(char(b));
    return bytes;
}

struct DetectCase {
    const char* why;
    QByteArray bytes;
    TextEncoding encoding;
    int markLength = 0;
};

} // namespace

TEST(EncodingName, NamesEveryValueAndUnknownOutside) {
    const QString names[] = {"ANSI", "UTF-8", "UCS-2 Big Endian", "UCS-2 Little Endian", QStringLiteral("UTF-8 无BOM"),
                             "ANSI", "UCS-2 Big Endian", "UCS-2 Little Endian", "Unknown"};
    for (int value = 0; value < 9; ++value)
        EXPECT_EQ(EncodingName(value), names[value]) << value;
    EXPECT_EQ(EncodingName(-1), "Unknown");
}

TEST(DetectEncoding, MarksUtf16Utf8AndAnsi) {
    const QByteArray wide = QByteArray::fromRawData(reinterpret_cast<const char*>(u"Name \"setup\"\r\n"), 28);
    const auto U8 = TextEncoding::Utf8NoBom, Ansi = TextEncoding::Ansi;
    const DetectCase cases[] = {
        {"BE mark", Bytes({0xFE, 0xFF, 0x00, 0x41}), TextEncoding::Ucs2BigEndian, 2},
        {"LE mark", Bytes({0xFF, 0xFE, 0x41, 0x00}), TextEncoding::Ucs2LittleEndian, 2},
        {"only the UTF-8 mark", Bytes({0xEF, 0xBB, 0xBF}), TextEncoding::Utf8, 3},
        {"two bytes of the mark are none", Bytes({0xEF, 0xBB}), U8},
        {"unmarked LE by zero high bytes", wide, TextEncoding::Ucs2LittleEndianNoBom},
        {"unmarked BE", wide.mid(1) + '\0', TextEncoding::Ucs2BigEndianNoBom},
        {"a zero second byte alone is ANSI", QByteArray("A\0BCDEFGH", 9), Ansi},
        {"a zero first byte alone is ANSI", QByteArray("\0ABCDEFG", 8), Ansi},
        {"empty", {}, TextEncoding::SevenBit},
        {"ASCII", "Name \"x\"\r\nSection\r\n", TextEncoding::SevenBit},
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
    for (const DetectCase& c : cases) {
        const auto detected = DetectEncoding(c.bytes);
        EXPECT_EQ(detected.encoding, c.encoding) << c.why;
        EXPECT_EQ(detected.markLength, c.markLength) << c.why;
    }
}

TEST(DetectEncoding, FastPathFindsTheOddByteAtEveryOffset) {
    // The vector scan works in blocks; put the interesting byte at every place in and around them.
    for (int length : {15, 16, 17, 63, 64, 65, 130}) {
        for (int at = 0; at < length; ++at) {
            QByteArray bytes(length, 'x');
            bytes[at] = '\0';
            EXPECT_EQ(CheckUtf8(bytes), Utf8Check::Invalid) << length << " zero at " << at;
            bytes[at] = char(0x80);
            EXPECT_EQ(CheckUtf8(bytes), Utf8Check::Invalid) << length << " 0x80 at " << at;
            bytes[at] = char(0xC3);
            EXPECT_EQ(CheckUtf8(bytes), at + 1 < length ? Utf8Check::Invalid : Utf8Check::Utf8) << length << " at " << at;
        }
        EXPECT_EQ(CheckUtf8(QByteArray(length, 'x')), Utf8Check::SevenBit);
    }
}
