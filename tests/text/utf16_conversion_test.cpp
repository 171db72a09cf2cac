// Conversions between UTF-16 bytes in both orders and UTF-8: ranges, surrogates, odd bytes, broken UTF-8.
#include "text/core/utf16_conversion.h"

#include "support/test_files.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

namespace {

const ByteOrder kOrders[] = {ByteOrder::LittleEndian, ByteOrder::BigEndian};

QByteArray Units(std::initializer_list<char16_t> units, ByteOrder order) {
    return Utf16(QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size())),
                 order == ByteOrder::BigEndian);
}

QByteArray ToUtf8(const QByteArray& bytes, ByteOrder order, Surrogates lone = Surrogates::Kept) {
    QByteArray out;
    Utf16ToUtf8(bytes, order, lone, out);
    return out;
}

QByteArray ToUtf8Lossless(const QByteArray& bytes, ByteOrder order) {
    QByteArray out;
    Utf16ToUtf8Lossless(bytes, order, out);
    return out;
}

QByteArray ToUtf16(const QByteArray& utf8, ByteOrder order, bool* lossyOut = nullptr) {
    QByteArray out;
    bool lossy = true;
    Utf8ToUtf16(utf8, order, out, lossy);
    if (lossyOut)
        *lossyOut = lossy;
    return out;
}

// Random units with many surrogates and ASCII runs, so that every path and
// every boundary of the vector blocks is crossed.
QByteArray RandomUnits(std::mt19937& random, ByteOrder order) {
    QByteArray bytes;
    const int length = int(random() % 70);
    for (int i = 0; i < length; ++i) {
        const unsigned pick = random() % 6;
        const char16_t u = pick < 3 ? char16_t(random() % 0x80)
            : pick == 3             ? char16_t(0xD800 + random() % 0x800)
                                    : char16_t(random() % 0x10000);
        bytes += Units({u}, order);
    }
    return bytes;
}

}  // namespace

TEST(Utf16Conversion, EncodesEachRangeAndMatchesQt) {
    const QString text = QStringLiteral("A\u00e9\u4e2d\uffff; 安装程序 😀𝄞 end of a longer line");
    for (ByteOrder order : kOrders) {
        const QByteArray bytes = Utf16(text, order == ByteOrder::BigEndian);
        EXPECT_EQ(ToUtf8(bytes, order), text.toUtf8());
        EXPECT_EQ(ToUtf8(bytes, order, Surrogates::Refused), text.toUtf8());
        bool lossy = true;
        EXPECT_EQ(ToUtf16(text.toUtf8(), order, &lossy), bytes);
        EXPECT_FALSE(lossy);
    }
}

TEST(Utf16Conversion, SurrogatePairsBecomeOneCharacterAndLoneOnesSurviveOrAreReplaced) {
    for (ByteOrder order : kOrders) {
        // A pair is one four-byte character.
        EXPECT_EQ(ToUtf8(Units({0xD83D, 0xDE00}, order), order), QByteArray("\xF0\x9F\x98\x80"));
        EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80", order), Units({0xD83D, 0xDE00}, order));
        // Lone surrogates in the wrong order keep their three-byte forms.
        const QByteArray wrongOrder = Units({0xDC00, 0xD800}, order);
        EXPECT_EQ(ToUtf8(wrongOrder, order), QByteArray("\xED\xB0\x80\xED\xA0\x80"));
        EXPECT_EQ(ToUtf16("\xED\xB0\x80\xED\xA0\x80", order), wrongOrder);
        // Text that is only shown gets a replacement for each instead.
        EXPECT_EQ(ToUtf8(wrongOrder + Units({'a'}, order), order, Surrogates::Refused),
                  QByteArray("\xEF\xBF\xBD\xEF\xBF\xBD"
                             "a"));
    }
}

TEST(Utf16Conversion, AnyUnitSequenceRoundTripsByteForByte) {
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
        for (ByteOrder order : kOrders) {
            const QByteArray units = RandomUnits(random, order);
            ASSERT_EQ(ToUtf16(ToUtf8Lossless(units, order), order), units) << "round " << round;
            // With an odd byte after them, a lone surrogate or a pair half before it included.
            const QByteArray odd = units + char(random() % 256);
            ASSERT_EQ(ToUtf16(ToUtf8Lossless(odd, order), order), odd) << "odd, round " << round;
        }
    }
}

TEST(Utf16Conversion, AnOddLastByteIsKeptAndStaysApartFromRealSurrogates) {
    for (ByteOrder order : kOrders) {
        // The odd byte is spelled U+DBFF U+DC00+b; the units before it are untouched.
        const QByteArray odd = Units({'A'}, order) + '\x42';
        EXPECT_EQ(ToUtf8Lossless(odd, order), QByteArray("A\xED\xAF\xBF\xED\xB1\x82"));
        // Real units that look like it are a pair, never that spelling.
        const QByteArray pair = Units({'A', 0xDBFF, 0xDC42}, order);
        EXPECT_EQ(ToUtf8Lossless(pair, order), QByteArray("A\xF4\x8F\xB1\x82"));
        EXPECT_EQ(ToUtf16(ToUtf8Lossless(pair, order), order), pair);
        // A real lone low surrogate at the end stays two bytes.
        const QByteArray lone = Units({'A', 0xDC42}, order);
        EXPECT_EQ(ToUtf16(ToUtf8Lossless(lone, order), order), lone);
        // The spelling means a byte only at the very end.
        EXPECT_EQ(ToUtf16("\xED\xAF\xBF\xED\xB1\x82"
                          "A",
                          order),
                  Units({0xDBFF, 0xDC42, 'A'}, order));
    }
}

TEST(Utf16Conversion, BrokenUtf8BecomesReplacementsAndIsReportedLossy) {
    struct Case {
        const char* why;
        QByteArray utf8;
        std::initializer_list<char16_t> units;
    };
    const Case cases[] = {
        {"cut at the end", "a\xC3", {'a', 0xFFFD}},
        {"stray continuation", "\x80z", {0xFFFD, 'z'}},
        {"overlong lead and its continuation", "\xC0\xAF", {0xFFFD, 0xFFFD}},
        {"F5 lead and three continuations", "\xF5\x80\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},
        {"a cut four-byte character is one", "\xF0\x9F\x98", {0xFFFD}},
        {"broken before ASCII",
         "\xE4\xB8"
         "abc",
         {0xFFFD, 'a', 'b', 'c'}},
    };
    for (const Case& c : cases) {
        bool lossy = false;
        EXPECT_EQ(ToUtf16(c.utf8, ByteOrder::BigEndian, &lossy), Units(c.units, ByteOrder::BigEndian)) << c.why;
        EXPECT_TRUE(lossy) << c.why;
    }
}
