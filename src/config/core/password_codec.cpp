// The stored form of the sign-in password: ANSI bytes, XOR with the program's key, base64 in lines.
#include "config/core/password_codec.h"

#include "text/core/ansi_code_page.h"
#include "text/core/iconv_converter.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<std::uint8_t, 10> kKey = {0x5A, 0x3C, 0x91, 0x17, 0xE4, 0x6B, 0x28, 0xD3, 0x0F, 0xA6};
// Full three-byte groups per base64 line: 19 groups are 76 characters.
constexpr int kGroupsPerLine = 19;

// A character the ANSI code page lacks would be lost, and a stored password
// must come back as it was, so such a text is written in GB18030, which
// agrees with CP936 on everything CP936 has.
constexpr char kAnsiFallback[] = "GB18030";

QByteArray ToAnsi(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray ansi;
    bool lossy = false;
    if (Utf8ToAnsi(utf8, ansi, lossy) && !lossy)
        return ansi;
    ansi.clear();
    if (ConvertExactly(kAnsiFallback, "UTF-8", utf8, ansi))
        return ansi;
    return utf8;
}

QString FromAnsi(const QByteArray& bytes) {
    QByteArray utf8;
    if (ConvertExactly("UTF-8", kAnsiCodePage, bytes, utf8) || ConvertExactly("UTF-8", kAnsiFallback, bytes, utf8))
        return QString::fromUtf8(utf8);
    // Damaged data: keep what can be read rather than nothing.
    return QString::fromLatin1(bytes);
}

bool IsBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

}  // namespace

void ScrambleWithProgramKey(QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(std::uint8_t(bytes[i]) ^ kKey[size_t(i % qsizetype(kKey.size()))]);
}

QByteArray EncodePassword(const QString& password) {
    QByteArray bytes = ToAnsi(password);
    ScrambleWithProgramKey(bytes);

    const qsizetype fullGroups = bytes.size() / 3;
    QByteArray out;
    for (qsizetype group = 0; group < fullGroups; ++group) {
        out += bytes.mid(group * 3, 3).toBase64();
        if ((group + 1) % kGroupsPerLine == 0)
            out += "\r\n";
    }
    // The last line, which may be empty, ends with CR LF too, and then the
    // very last CR LF goes: a multiple of 19 groups keeps one line break.
    out += "\r\n";
    out.chop(2);
    if (const qsizetype rest = bytes.size() % 3)
        out += bytes.right(rest).toBase64();
    return out;
}

QString DecodePassword(const QByteArray& stored) {
    QByteArray alphabet;
    alphabet.reserve(stored.size());
    for (const char c : stored) {
        if (IsBase64Character(c))
            alphabet += c;
    }
    // Padding was skipped with the rest; a trailing group of 2 or 3
    // characters still decodes to 1 or 2 bytes, and a lone 1 is noise.
    if (alphabet.size() % 4 == 1)
        alphabet.chop(1);
    QByteArray bytes = QByteArray::fromBase64(alphabet);
    ScrambleWithProgramKey(bytes);
    return FromAnsi(bytes);
}
