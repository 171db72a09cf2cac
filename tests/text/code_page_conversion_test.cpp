// Code page conversions that keep every byte: escapes for what cannot be decoded, and the way back.
#include "text/core/code_page_conversion.h"
#include "text/core/iconv_converter.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

QByteArray Escape(unsigned char byte) {
    const char32_t unit = 0xDC00 + byte;
    const char spelling[] = {char(0xE0 | (unit >> 12)), char(0x80 | ((unit >> 6) & 0x3F)), char(0x80 | (unit & 0x3F))};
    return QByteArray(spelling, 3);
}

QByteArray Utf8(const char* text) { return QString::fromUtf8(text).toUtf8(); }

}  // namespace

TEST(CodePageConversion, EveryByteComesBackAndOnlyUndecodableBytesAreEscaped) {
    struct Case {
        const char* why;
        CodePage page;
        QByteArray bytes;
        QByteArray text;
    };
    const Case cases[] = {
        {"Latin letters", CodePage::Windows1252, "caf\xE9 \xA9", Utf8("café ©")},
        {"a byte 1252 leaves undefined", CodePage::Windows1252, "a\x81z", "a" + Escape(0x81) + "z"},
        {"Cyrillic", CodePage::Windows1251, "\xCF\xF0\xE8", Utf8("При")},
        {"no GBK byte", CodePage::Cp936,
         "a\xFF"
         "b",
         "a" + Escape(0xFF) + "b"},
        {"GBK cut by the end", CodePage::Cp936, "\xD6\xD0\xD6", Utf8("中") + Escape(0xD6)},
        {"GBK lead before ASCII", CodePage::Cp936,
         "\x81"
         "0x",
         Escape(0x81) + "0x"},
        {"GB18030 four bytes", CodePage::Gb18030, "\x95\x32\x82\x36", Utf8("𠀀")},
        {"Shift_JIS keeps the backslash", CodePage::ShiftJis, "C:\\\x83\x65", Utf8("C:\\テ")},
        {"zero bytes", CodePage::Windows1252, QByteArray("a\0b", 3), QByteArray("a\0b", 3)},
        // 87 90 reads as U+2252, which CP932 writes as 81 E0.
        {"Shift_JIS with two spellings", CodePage::ShiftJis, "x\x87\x90", "x" + Escape(0x87) + Escape(0x90)},
        {"two spellings in GB18030", CodePage::Gb18030, "\x95\x32\x90\x31", Escape(0x95) + "2" + Escape(0x90) + "1"},
    };
    for (const Case& c : cases) {
        QByteArray text;
        ASSERT_TRUE(CodePageToUtf8(c.bytes, c.page, Undecodable::Escaped, text)) << c.why;
        EXPECT_EQ(text, c.text) << c.why;
        QByteArray back;
        bool lossy = true;
        ASSERT_TRUE(Utf8ToCodePage(text, c.page, back, lossy)) << c.why;
        EXPECT_EQ(back, c.bytes) << c.why;
        EXPECT_FALSE(lossy) << c.why;
    }
}

// Multi-byte text in these code pages is read without a second conversion
// proving that it writes back unchanged; this holds glibc's tables to that.
TEST(CodePageConversion, EveryCharacterOfTheTrustedCodePagesWritesBackUnchanged) {
    const auto stop = [](QByteArrayView, bool) { return BadInputAnswer{}; };
    for (CodePage page : AllCodePages()) {
        if (!RoundTripsEveryCharacter(page) || IsSingleByte(page))
            continue;
        IconvConverter decoder("UTF-8", IconvName(page));
        IconvConverter encoder(IconvName(page), "UTF-8");
        int differing = 0;
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = 0; trail < 0x100; ++trail) {
                const char pair[] = {char(lead), char(trail)};
                QByteArray text;
                if (decoder.Convert(QByteArrayView(pair, 2), text, 8, stop) != 2)
                    continue;
                QByteArray back;
                encoder.Convert(text, back, 8, stop);
                differing += back != QByteArrayView(pair, 2);
            }
        }
        EXPECT_EQ(differing, 0) << IconvName(page);
    }
}

TEST(CodePageConversion, TypedCharactersTheCodePageLacksAreLossy) {
    QByteArray bytes;
    bool lossy = false;
    ASSERT_TRUE(Utf8ToCodePage(Utf8("é中") + Escape(0x90), CodePage::Windows1252, bytes, lossy));
    EXPECT_EQ(bytes, "\xE9?\x90");
    EXPECT_TRUE(lossy);
}

TEST(CodePageConversion, ReplacedBytesBecomeReplacementCharacters) {
    QByteArray text;
    ASSERT_TRUE(CodePageToUtf8("a\xFF", CodePage::Cp936, Undecodable::Replaced, text));
    EXPECT_EQ(text, Utf8("a\uFFFD"));
}
