// The one UTF-8 rule set: single sequences under both surrogate rules, and the whole-buffer test.
#include "text/core/utf8_check.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

namespace {

Utf8Sequence Read(const QByteArray& bytes, Surrogates surrogates) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    return ReadUtf8Sequence(p, p + bytes.size(), surrogates);
}

struct SequenceCase {
    const char* why;
    QByteArray bytes;
    Utf8Status status;
    int length;
    char32_t codePoint = 0;
};

}  // namespace

TEST(Utf8Sequence, FollowsRfc3629) {
    const auto V = Utf8Status::Valid, T = Utf8Status::Truncated, I = Utf8Status::Invalid;
    const SequenceCase cases[] = {
        {"ASCII", "A", V, 1, 'A'},
        {"zero is a character", QByteArray(1, '\0'), V, 1, 0},
        {"two bytes", "\xC3\xA9", V, 2, 0xE9},
        {"three bytes", "\xE4\xB8\xAD", V, 3, 0x4E2D},
        {"four bytes", "\xF0\x9F\x98\x80", V, 4, 0x1F600},
        {"lowest three-byte", "\xE0\xA0\x80", V, 3, 0x800},
        {"highest", "\xF4\x8F\xBF\xBF", V, 4, 0x10FFFF},
        {"last before the surrogates", "\xED\x9F\xBF", V, 3, 0xD7FF},
        {"stray continuation", "\x80", I, 1},
        {"overlong lead C0", "\xC0\x80", I, 1},
        {"overlong lead C1", "\xC1\xBF", I, 1},
        {"overlong three-byte", "\xE0\x9F\xBF", I, 1},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", I, 1},
        {"above U+10FFFF", "\xF4\x90\x80\x80", I, 1},
        {"lead F5", "\xF5\x80\x80\x80", I, 1},
        {"lead F8", "\xF8\x88\x80\x80", I, 1},
        {"lead FF", "\xFF", I, 1},
        {"third byte wrong",
         "\xE4\xB8"
         "A",
         I, 2},
        {"fourth byte wrong",
         "\xF0\x9F\x98"
         "A",
         I, 3},
        {"cut after the lead", "\xE4", T, 1},
        {"cut after two of four", "\xF0\x9F", T, 2},
        {"a wrong second byte is no cut", "\xE0\x80", I, 1},
    };
    for (const SequenceCase& c : cases) {
        for (Surrogates surrogates : {Surrogates::Refused, Surrogates::Kept}) {
            const Utf8Sequence sequence = Read(c.bytes, surrogates);
            EXPECT_EQ(sequence.status, c.status) << c.why;
            EXPECT_EQ(sequence.length, c.length) << c.why;
            if (c.status == V) {
                EXPECT_EQ(sequence.codePoint, c.codePoint) << c.why;
            }
        }
    }
}

TEST(Utf8Sequence, EncodedSurrogatesOnlyWhereKept) {
    for (const QByteArray& surrogate : {QByteArray("\xED\xA0\x80"), QByteArray("\xED\xBF\xBF")}) {
        EXPECT_EQ(Read(surrogate, Surrogates::Refused).status, Utf8Status::Invalid);
        EXPECT_EQ(Read(surrogate, Surrogates::Refused).length, 1);
        const Utf8Sequence kept = Read(surrogate, Surrogates::Kept);
        EXPECT_EQ(kept.status, Utf8Status::Valid);
        EXPECT_EQ(kept.length, 3);
    }
    EXPECT_EQ(Read("\xED\xA0\x80", Surrogates::Kept).codePoint, 0xD800u);
}

TEST(CheckUtf8, JudgesTheWholeBuffer) {
    struct Case {
        const char* why;
        QByteArray bytes;
        Utf8Check refused;
        Utf8Check kept;
    };
    const auto S = Utf8Check::SevenBit, U = Utf8Check::Utf8, I = Utf8Check::Invalid;
    const Case cases[] = {
        {"empty", {}, S, S},
        {"ASCII", "Name x\r\n", S, S},
        {"Chinese", QStringLiteral("; 中文注释\r\n").toUtf8(), U, U},
        {"zero byte", QByteArray("\xC3\xA9\0x", 4), I, I},
        {"zero in ASCII", QByteArray("ab\0c", 4), I, I},
        {"cut at the end counts", "ab\xE4\xB8", U, U},
        {"broken before the end",
         "a\xE4"
         "b",
         I, I},
        {"F5 inside text",
         "abc\xF5\x80\x80\x80"
         "d",
         I, I},
        {"lone surrogate",
         "a\xED\xA0\x80"
         "b",
         I, U},
        {"GBK", "; \xd6\xd0\xce\xc4\r\n", I, I},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckUtf8(c.bytes, Surrogates::Refused), c.refused) << c.why;
        EXPECT_EQ(CheckUtf8(c.bytes, Surrogates::Kept), c.kept) << c.why;
    }
}

TEST(CheckUtf8, FastPathFindsTheOddByteAtEveryOffset) {
    // The vector scan works in blocks; put the interesting byte at every place in and around them.
    for (int length : {15, 16, 17, 63, 64, 65, 130}) {
        for (int at = 0; at < length; ++at) {
            QByteArray bytes(length, 'x');
            bytes[at] = '\0';
            EXPECT_EQ(CheckUtf8(bytes, Surrogates::Kept), Utf8Check::Invalid) << length << " zero at " << at;
            bytes[at] = char(0x80);
            EXPECT_EQ(CheckUtf8(bytes, Surrogates::Kept), Utf8Check::Invalid) << length << " 0x80 at " << at;
            bytes[at] = char(0xC3);
            EXPECT_EQ(CheckUtf8(bytes, Surrogates::Kept), at + 1 < length ? Utf8Check::Invalid : Utf8Check::Utf8)
                << length << " at " << at;
        }
        EXPECT_EQ(CheckUtf8(QByteArray(length, 'x'), Surrogates::Kept), Utf8Check::SevenBit);
    }
}
