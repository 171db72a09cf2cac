// Conversions between file bytes and the editor's UTF-8: UCS-2 in both orders and CP936.
#include "editor/core/ansi_conversion.h"
#include "editor/core/ucs2_conversion.h"
#include "support/test_files.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray Units(std::initializer_list<char16_t> units, ByteOrder order) {
    return Utf16(QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size())),
                 order == ByteOrder::BigEndian);
}

QByteArray ToUtf8(const QByteArray& bytes, ByteOrder order) {
    QByteArray out;
    Ucs2ToUtf8(bytes, order, out);
    return out;
}

QByteArray ToUcs2(const QByteArray& utf8, ByteOrder order) {
    QByteArray out;
    Utf8ToUcs2(utf8, order, out);
    return out;
}

} // namespace

TEST(Ucs2Conversion, EncodesEachRangeAndMatchesQt) {
    const QString text = QStringLiteral("A\u00e9\u4e2d\uffff; 安装程序 😀𝄞 end of a longer line");
    for (ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian}) {
        const QByteArray bytes = Utf16(text, order == ByteOrder::BigEndian);
        EXPECT_EQ(ToUtf8(bytes, order), text.toUtf8());
        EXPECT_EQ(ToUcs2(text.toUtf8(), order), bytes);
    }
}

TEST(Ucs2Conversion, SurrogatePairsBecomeOneCharacterAndLoneOnesSurvive) {
    for (ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian}) {
        // A pair is one four-byte character.
        EXPECT_EQ(ToUtf8(Units({0xD83D, 0xDE00}, order), order), QByteArray("\xF0\x9F\x98\x80"));
        EXPECT_EQ(ToUcs2("\xF0\x9F\x98\x80", order), Units({0xD83D, 0xDE00}, order));
        // Lone surrogates in the wrong order keep their three-byte forms.
        EXPECT_EQ(ToUtf8(Units({0xDC00, 0xD800}, order), order), QByteArray("\xED\xB0\x80\xED\xA0\x80"));
        EXPECT_EQ(ToUcs2("\xED\xB0\x80\xED\xA0\x80", order), Units({0xDC00, 0xD800}, order));
    }
}

TEST(Ucs2Conversion, AnyUnitSequenceRoundTripsByteForByte) {
    // Random units with many surrogates and ASCII runs, so that every path and
    // every boundary of the vector blocks is crossed.
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        const int length = int(random() % 70);
        for (int i = 0; i < length; ++i) {
            const unsigned pick = random() % 6;
            const char16_t u = pick < 3 ? char16_t(random() % 0x80)
                : pick == 3             ? char16_t(0xD800 + random() % 0x800)
                                        : char16_t(random() % 0x10000);
            bytes.append(char(u & 0xFF));
            bytes.append(char(u >> 8));
        }
        for (ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian}) {
            QByteArray input = bytes;
            if (order == ByteOrder::BigEndian) {
                for (qsizetype i = 0; i < input.size(); i += 2)
                    std::swap(input[i], input[i + 1]);
            }
            ASSERT_EQ(ToUcs2(ToUtf8(input, order), order), input) << "round " << round;
        }
    }
}

TEST(Ucs2Conversion, MalformedUtf8BecomesReplacementCharacters) {
    // Truncated at the end, a stray continuation byte, an overlong form, a byte above F4, a cut four-byte form.
    const ByteOrder be = ByteOrder::BigEndian;
    EXPECT_EQ(ToUcs2("a\xC3", be), Units({'a', 0xFFFD}, be));
    EXPECT_EQ(ToUcs2("\x80z", be), Units({0xFFFD, 'z'}, be));
    EXPECT_EQ(ToUcs2("\xC0\xAF", be), Units({0xFFFD, 0xFFFD}, be));
    EXPECT_EQ(ToUcs2("\xF5\x80\x80\x80", be), Units({0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}, be));
    EXPECT_EQ(ToUcs2("\xF0\x9F\x98", be), Units({0xFFFD, 0xFFFD, 0xFFFD}, be));
}

TEST(AnsiConversion, UndecodableBytesBecomeReplacementAndReadingGoesOn) {
    QByteArray utf8;
    ASSERT_TRUE(AnsiToUtf8("a\xff" "b\xb0", utf8)); // FF is no GBK byte; B0 is cut short at the end
    EXPECT_EQ(utf8, QByteArray("a\xEF\xBF\xBD" "b\xEF\xBF\xBD"));
}

TEST(AnsiConversion, UnmappableCharactersBecomeOneQuestionMarkEach) {
    QByteArray out;
    bool lossy = false;
    // An emoji, a lone surrogate in the editor's form, a cut sequence at the end.
    ASSERT_TRUE(Utf8ToAnsi(QStringLiteral("中😀x").toUtf8() + "\xED\xA0\x80y\xE4\xB8", out, lossy));
    EXPECT_TRUE(lossy);
    EXPECT_EQ(out, QByteArray("\xd6\xd0?x?y?"));
    out.clear();
    ASSERT_TRUE(Utf8ToAnsi("plain", out, lossy));
    EXPECT_FALSE(lossy);
}

TEST(AnsiConversion, LargeInputGrowsTheOutputAsNeeded) {
    // The euro sign is one byte in CP936 but three in UTF-8: the output outgrows the first guess.
    const QByteArray ansi(100000, '\x80');
    QByteArray utf8;
    ASSERT_TRUE(AnsiToUtf8(ansi, utf8));
    EXPECT_EQ(utf8, QString(100000, QChar(0x20AC)).toUtf8());
    QByteArray back;
    bool lossy = false;
    ASSERT_TRUE(Utf8ToAnsi(utf8, back, lossy));
    EXPECT_EQ(back, ansi);
}

