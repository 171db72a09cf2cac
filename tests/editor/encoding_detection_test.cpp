// A file's detected encoding as the document's TextEncoding, whole and a piece at a time, and the display names.
#include "editor/core/encoding_detection.h"
#include "editor/core/utf8_reader.h"

#include "support/test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(EncodingName, NamesEveryValueAndUnknownOutside) {
    const QString names[] = {"ANSI",
                             "UTF-8",
                             "UCS-2 Big Endian",
                             "UCS-2 Little Endian",
                             QStringLiteral("UTF-8 无BOM"),
                             "ANSI",
                             "UCS-2 Big Endian",
                             "UCS-2 Little Endian",
                             "Unknown"};
    for (int value = 0; value < 9; ++value)
        EXPECT_EQ(EncodingName(value), names[value]) << value;
    EXPECT_EQ(EncodingName(-1), "Unknown");
}

TEST(DetectEncoding, GivesEachValueThatDetectionCanReach) {
    struct Case {
        QByteArray bytes;
        TextEncoding encoding;
        int markLength = 0;
    };
    const QString latin = QStringLiteral("Name \"setup\"\r\n");
    const Case cases[] = {
        {"; \xd6\xd0\xce\xc4\r\n", TextEncoding::Ansi},
        {"\xEF\xBB\xBF"
         "Name",
         TextEncoding::Utf8, 3},
        {"\xFE\xFF" + Utf16(latin, true), TextEncoding::Ucs2BigEndian, 2},
        {"\xFF\xFE" + Utf16(latin, false), TextEncoding::Ucs2LittleEndian, 2},
        {QStringLiteral("; 中文\r\n").toUtf8(), TextEncoding::Utf8NoBom},
        {"Name x\r\n", TextEncoding::SevenBit},
        {Utf16(latin, true), TextEncoding::Ucs2BigEndianNoBom},
        {Utf16(latin, false), TextEncoding::Ucs2LittleEndianNoBom},
    };
    for (const Case& c : cases) {
        const DetectedEncoding detected = DetectEncoding(c.bytes);
        EXPECT_EQ(detected.encoding, c.encoding) << int(c.encoding);
        EXPECT_EQ(detected.markLength, c.markLength) << int(c.encoding);
    }
}

// Big files are judged a piece at a time where they are UTF-8: the answer,
// and the text handed on, must be the whole-file detection's.
TEST(ReadFileAsUtf8, PiecewiseDetectionAgreesWithTheWholeFile) {
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    const QByteArray line = "DetailPrint \"step\"\r\n";
    const auto big = [&](QByteArray at, qsizetype where) {
        QByteArray text = line.repeated(3 * kPiece / line.size());
        return text.replace(where, at.size(), at);
    };
    const QByteArray han = QStringLiteral("中").toUtf8();
    const QByteArray cases[] = {
        big("", 0),
        big(han, 0),
        big(han, kPiece - 1),                        // a sequence across the first cut
        big("\xE4\xB8", kPiece - 2),                 // cut short just before the cut, then ASCII
        big("\xD6\xD0", 3 * kPiece - 100),           // GBK near the end
        "\xEF\xBB\xBF" + big(han, 5),                // the UTF-8 mark
        big(QByteArray("N\0a\0m\0e\0", 8), 0),       // UTF-16 by its zero bytes
        big(QByteArray(kPiece + 10, '\xA1'), 100),  // no ASCII for more than a piece
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("big.nsi");
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.left(8).toHex().toStdString());
        ASSERT_TRUE(WriteBytes(path, bytes));
        Utf8Collector collected;
        Utf8ReadRequest request;
        request.path = path;
        const Utf8ReadResult read = ReadFileAsUtf8(request, collected);
        const DetectedEncoding whole = DetectEncoding(bytes);
        ASSERT_TRUE(read.failure.isEmpty()) << read.failure.toStdString();
        EXPECT_EQ(read.detected.encoding, whole.encoding);
        EXPECT_EQ(read.detected.markLength, whole.markLength);
        EXPECT_EQ(read.detected.codePage, whole.codePage);
        if (whole.encoding == TextEncoding::SevenBit || whole.encoding == TextEncoding::Utf8NoBom
            || whole.encoding == TextEncoding::Utf8) {
            EXPECT_EQ(collected.text, bytes.sliced(whole.markLength));
        }
    }
}
