// Encoding detection and display names.
#include "editor/core/encoding_detection.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> list)
{
    QByteArray bytes;
    for (unsigned char b : list)
        bytes.append(char(b));
    return bytes;
}

TextEncoding Detect(const QByteArray& bytes) { return DetectEncoding(bytes).encoding; }

} // namespace

TEST(EncodingName, NamesEveryValueAndUnknownOutside)
{
    EXPECT_EQ(EncodingName(0), "ANSI");
    EXPECT_EQ(EncodingName(1), "UTF-8");
    EXPECT_EQ(EncodingName(2), "UCS-2 Big Endian");
    EXPECT_EQ(EncodingName(3), "UCS-2 Little Endian");
    EXPECT_EQ(EncodingName(4), QStringLiteral("UTF-8 无BOM"));
    EXPECT_EQ(EncodingName(5), "ANSI");
    EXPECT_EQ(EncodingName(6), "UCS-2 Big Endian");
    EXPECT_EQ(EncodingName(7), "UCS-2 Little Endian");
    EXPECT_EQ(EncodingName(8), "Unknown");
    EXPECT_EQ(EncodingName(-1), "Unknown");
}

TEST(DetectEncoding, MarksComeFirstWithTheirLengths)
{
    auto be = DetectEncoding(Bytes({0xFE, 0xFF, 0x00, 0x41}));
    EXPECT_EQ(be.encoding, TextEncoding::Ucs2BigEndian);
    EXPECT_EQ(be.markLength, 2);
    auto le = DetectEncoding(Bytes({0xFF, 0xFE, 0x41, 0x00}));
    EXPECT_EQ(le.encoding, TextEncoding::Ucs2LittleEndian);
    EXPECT_EQ(le.markLength, 2);
    // A file of only the UTF-8 mark.
    auto utf8 = DetectEncoding(Bytes({0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(utf8.markLength, 3);
    // Two bytes of the UTF-8 mark are not a mark (n must exceed 2).
    EXPECT_EQ(Detect(Bytes({0xEF, 0xBB})), TextEncoding::Utf8NoBom);
}

TEST(DetectEncoding, UnmarkedUtf16ByItsZeroHighBytes)
{
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char*>(u"Name \"setup\"\r\n"), 28);
    const auto detected = DetectEncoding(text);
    EXPECT_EQ(detected.encoding, TextEncoding::Ucs2LittleEndianNoBom);
    EXPECT_EQ(detected.markLength, 0);
    EXPECT_EQ(Detect(text.mid(1) + '\0'), TextEncoding::Ucs2BigEndianNoBom);
    // A zero second byte alone does not make UTF-16: ASCII with zero bytes is ANSI.
    EXPECT_EQ(Detect(QByteArray("A\0BCDEFGH", 9)), TextEncoding::Ansi);
    EXPECT_EQ(Detect(QByteArray("\0ABCDEFG", 8)), TextEncoding::Ansi);
}

TEST(DetectEncoding, SevenBitUtf8AndAnsi)
{
    EXPECT_EQ(Detect({}), TextEncoding::SevenBit);
    EXPECT_EQ(Detect("Name \"x\"\r\nSection\r\n"), TextEncoding::SevenBit);
    EXPECT_EQ(Detect(QStringLiteral("; 中文注释\r\n").toUtf8()), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect("; \xd6\xd0\xce\xc4\r\n"), TextEncoding::Ansi); // GBK "中文"
    // Sequences led by E0 and four-byte sequences are UTF-8.
    EXPECT_EQ(Detect(Bytes({0xE0, 0xA0, 0x80})), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect(QStringLiteral("emoji 😀 end").toUtf8()), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect(Bytes({0xF4, 0x8F, 0xBF, 0xBF})), TextEncoding::Utf8NoBom);
    // The editor's own form of a lone surrogate reads back as UTF-8.
    EXPECT_EQ(Detect(Bytes({'a', 0xED, 0xA0, 0x80})), TextEncoding::Utf8NoBom);
    // A zero byte anywhere makes UTF-8 invalid.
    EXPECT_EQ(Detect(QByteArray("\xC3\xA9\0x", 4)), TextEncoding::Ansi);
}

TEST(DetectEncoding, RefusesMalformedUtf8ButAcceptsACutTail)
{
    EXPECT_EQ(Detect(Bytes({'a', 0x80, 'b'})), TextEncoding::Ansi);              // stray continuation
    EXPECT_EQ(Detect(Bytes({0xC0, 0x80, 'b'})), TextEncoding::Ansi);             // overlong two-byte
    EXPECT_EQ(Detect(Bytes({0xC1, 0xBF, 'b'})), TextEncoding::Ansi);             // overlong two-byte
    EXPECT_EQ(Detect(Bytes({0xE0, 0x80, 0x80})), TextEncoding::Ansi);            // overlong three-byte
    EXPECT_EQ(Detect(Bytes({0xF0, 0x80, 0x80, 0x80})), TextEncoding::Ansi);      // overlong four-byte
    EXPECT_EQ(Detect(Bytes({0xF4, 0x90, 0x80, 0x80})), TextEncoding::Ansi);      // beyond U+10FFFF
    EXPECT_EQ(Detect(Bytes({0xF5, 0x80, 0x80, 0x80})), TextEncoding::Ansi);
    EXPECT_EQ(Detect(Bytes({0xE4, 0xB8, 'a'})), TextEncoding::Ansi);             // broken inside the buffer
    // A sequence cut by the end of the buffer counts as UTF-8 when what is there is a valid beginning.
    EXPECT_EQ(Detect(Bytes({'a', 'b', 0xC3})), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect(Bytes({'a', 0xE4, 0xB8})), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect(Bytes({'a', 0xF0, 0x9F, 0x98})), TextEncoding::Utf8NoBom);
    EXPECT_EQ(Detect(Bytes({'a', 0xE4, 'b'})), TextEncoding::Ansi);
}

TEST(DetectEncoding, FastPathFindsTheOddByteAtEveryOffset)
{
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
