// The stored form of the sign-in password: ANSI bytes, XOR with the program's key, base64 in lines.
#include "config/core/password_codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr std::array<std::uint8_t, 10> kKey = {0x5A, 0x3C, 0x91, 0x17, 0xE4,
                                               0x6B, 0x28, 0xD3, 0x0F, 0xA6};
// Full three-byte groups per base64 line: 19 groups are 76 characters.
constexpr int kGroupsPerLine = 19;

// The ANSI code page is CP936. A character it lacks would be lost, and a
// stored password must come back as it was, so such a text is written in
// GB18030, which agrees with CP936 on everything CP936 has.
constexpr char kAnsi[] = "CP936";
constexpr char kAnsiFallback[] = "GB18030";

// Converts all of `input`; nullopt when a character cannot be converted.
std::optional<QByteArray> Convert(const char* to, const char* from, const QByteArray& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    QByteArray output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == size_t(-1) || inLeft != 0)
        return std::nullopt;
    output.truncate(output.size() - qsizetype(outLeft));
    return output;
}

QByteArray ToAnsi(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (auto ansi = Convert(kAnsi, "UTF-8", utf8))
        return *ansi;
    if (auto ansi = Convert(kAnsiFallback, "UTF-8", utf8))
        return *ansi;
    return utf8;
}

QString FromAnsi(const QByteArray& bytes) {
    if (auto utf8 = Convert("UTF-8", kAnsi, bytes))
        return QString::fromUtf8(*utf8);
    if (auto utf8 = Convert("UTF-8", kAnsiFallback, bytes))
        return QString::fromUtf8(*utf8);
    // Damaged data: keep what can be read rather than nothing.
    return QString::fromLatin1(bytes);
}

bool IsBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '+' || c == '/';
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
