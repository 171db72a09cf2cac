// A file's detected encoding as the document's TextEncoding, and the display names.
#include "editor/core/encoding_detection.h"

#include "support/test_files.h"

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
