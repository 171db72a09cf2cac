// Compiler output to UTF-8, chunk by chunk, with characters cut at chunk boundaries.
#include "compiler/core/output_decoder.h"

#include <QString>
#include <gtest/gtest.h>

namespace {
// "编译 OK 中文" in CP936.
const QByteArray kGbk("\xB1\xE0\xD2\xEB OK \xD6\xD0\xCE\xC4");
const QByteArray kUtf8 = QString::fromUtf8("编译 OK 中文").toUtf8();

// Feeds bytes cut at every position into two chunks; each cut must give the whole text.
void ExpectEverySplitDecodesTo(const QByteArray& bytes, const QByteArray& expected) {
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        COutputDecoder decoder;
        QByteArray out = decoder.Decode(bytes.left(cut));
        out += decoder.Decode(bytes.mid(cut));
        out += decoder.Finish();
        EXPECT_EQ(out, expected) << "cut at " << cut;
    }
}
}  // namespace

TEST(OutputDecoder, Utf8PassesThroughEvenWhenACharacterIsCut) {
    ExpectEverySplitDecodesTo(kUtf8, kUtf8);
    ExpectEverySplitDecodesTo("\xF0\x9F\x98\x80 emoji", "\xF0\x9F\x98\x80 emoji");
}

TEST(OutputDecoder, AnsiChunksAreCp936AndACutLeadByteWaits) {
    COutputDecoder decoder;
    EXPECT_EQ(decoder.Decode(kGbk), kUtf8);
    ExpectEverySplitDecodesTo(kGbk, kUtf8);
}

TEST(OutputDecoder, SecondByteZeroIsUtf16LittleEndian) {
    const QString text = QString::fromUtf8("Error 中文");
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    COutputDecoder decoder;
    EXPECT_EQ(decoder.Decode(utf16), text.toUtf8());
    // An odd byte left over waits for its partner.
    COutputDecoder halves;
    QByteArray out = halves.Decode(utf16.left(3));
    out += halves.Decode(utf16.mid(3));
    EXPECT_EQ(out, text.toUtf8());
}

TEST(OutputDecoder, BadBytesBecomeReplacementsAndNothingIsLost) {
    COutputDecoder decoder;
    // 0xFF is neither UTF-8 nor CP936.
    const QByteArray out = decoder.Decode("ab\xFF" "cd");
    EXPECT_EQ(out, "ab\xEF\xBF\xBD" "cd");
    // A lead byte at the very end of the output is shown, not dropped.
    COutputDecoder ending;
    QByteArray text = ending.Decode("x\xD6\xD0y\xB1");
    text += ending.Finish();
    EXPECT_EQ(text, QString::fromUtf8("x中y\uFFFD").toUtf8());
    EXPECT_TRUE(ending.Finish().isEmpty());
}
