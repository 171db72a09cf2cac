// Conversions between a legacy code page and UTF-8 that keep every byte, through iconv.
#include "text/core/code_page_conversion.h"

#include "text/core/ascii_run.h"
#include "text/core/iconv_converter.h"
#include "text/core/utf8_sequence.h"

#include <array>
#include <cstring>

namespace {

constexpr char32_t kEscapeBase = 0xDC00;
constexpr char kReplacement[] = "\xEF\xBF\xBD";

using Escape = char[3];

void SpellEscape(unsigned char byte, Escape& escape) {
    const char32_t unit = kEscapeBase + byte;
    escape[0] = char(0xE0 | (unit >> 12));
    escape[1] = char(0x80 | ((unit >> 6) & 0x3F));
    escape[2] = char(0x80 | (unit & 0x3F));
}

// The byte that the escape at the start of utf8 stands for, or -1.
int EscapedByte(QByteArrayView utf8) {
    if (utf8.size() < 3)
        return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const Utf8Sequence sequence = ReadUtf8Sequence(p, p + 3, Surrogates::Kept);
    if (sequence.status != Utf8Status::Valid || sequence.codePoint < kEscapeBase
        || sequence.codePoint > kEscapeBase + 0xFF)
        return -1;
    return int(sequence.codePoint - kEscapeBase);
}

// Length of the UTF-8 character, or broken sequence, at the start of bytes,
// so that one bad character becomes one '?'. The editor's lone surrogates
// count as characters.
qsizetype CharacterLength(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return ReadUtf8Sequence(p, p + bytes.size(), Surrogates::Kept).length;
}

// glibc's iconv skips the tag characters U+E0000..U+E007F without an error
// when it converts to a legacy code page, so they are looked for before
// iconv can lose them. The first one at or after p, or end.
const char* FindSkippedCharacter(const char* p, const char* end) {
    const auto* const last = reinterpret_cast<const unsigned char*>(end);
    while (p < end) {
        const auto* lead = static_cast<const unsigned char*>(memchr(p, 0xF3, size_t(end - p)));
        if (!lead)
            break;
        const Utf8Sequence sequence = ReadUtf8Sequence(lead, last, Surrogates::Kept);
        if (sequence.status == Utf8Status::Valid && sequence.codePoint >= 0xE0000 && sequence.codePoint <= 0xE007F)
            return reinterpret_cast<const char*>(lead);
        p = reinterpret_cast<const char*>(lead) + 1;
    }
    return end;
}

bool DecodeWhole(QByteArrayView bytes, CodePage page, Undecodable undecodable, QByteArray& out) {
    IconvConverter converter("UTF-8", IconvName(page));
    if (!converter.IsOpen())
        return false;
    Escape escape;
    // Double-byte characters grow by half; ASCII keeps its size.
    converter.Convert(bytes, out, bytes.size() + bytes.size() / 2, [&](QByteArrayView rest, bool) {
        if (undecodable == Undecodable::Replaced)
            return BadInputAnswer{1, QByteArrayView(kReplacement)};
        SpellEscape(static_cast<unsigned char>(rest.front()), escape);
        return BadInputAnswer{1, QByteArrayView(escape, 3)};
    });
    return true;
}

// Decodes one character at a time and keeps it only when it encodes back
// to its own bytes.
class CharacterReader {
public:
    explicit CharacterReader(CodePage page)
        : m_decoder("UTF-8", IconvName(page)), m_encoder(IconvName(page), "UTF-8") {}

    bool IsOpen() const { return m_decoder.IsOpen() && m_encoder.IsOpen(); }

    // The UTF-8 of piece into character when piece is whole characters that
    // write back as piece itself.
    bool ReadExactly(QByteArrayView piece, QByteArray& character) {
        const auto stop = [](QByteArrayView, bool) { return BadInputAnswer{}; };
        character.clear();
        m_back.clear();
        return m_decoder.Convert(piece, character, 8, stop) == piece.size() && !character.isEmpty()
            && m_encoder.Convert(character, m_back, 8, stop) == character.size() && m_back == piece;
    }

private:
    IconvConverter m_decoder;
    IconvConverter m_encoder;
    QByteArray m_back;
};

QByteArray EscapeOf(unsigned char byte) {
    Escape escape;
    SpellEscape(byte, escape);
    return QByteArray(escape, 3);
}

// A single-byte code page as a table of each byte's UTF-8 form: a byte
// that does not come back the same is escaped. Building it costs 256 small
// conversions; reading through it costs a look-up per byte beyond ASCII.
bool DecodeSingleByte(QByteArrayView bytes, CodePage page, QByteArray& out) {
    CharacterReader reader(page);
    if (!reader.IsOpen())
        return false;
    std::array<QByteArray, 256> table;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        if (!reader.ReadExactly(QByteArrayView(&byte, 1), table[size_t(b)]))
            table[size_t(b)] = EscapeOf(static_cast<unsigned char>(b));
    }
    out.reserve(out.size() + bytes.size() + bytes.size() / 4);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const auto* const run = SkipAscii(p, end);
        out.append(reinterpret_cast<const char*>(p), run - p);
        if (run == end)
            break;
        out.append(table[*run]);
        p = run + 1;
    }
    return true;
}

// The slow way, for the rare text where a character's bytes do not come back
// the same (a code page with two spellings of one character).
bool DecodeCharacterByCharacter(QByteArrayView bytes, CodePage page, QByteArray& out) {
    CharacterReader reader(page);
    if (!reader.IsOpen())
        return false;
    QByteArray character;
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype taken = 0;
        for (qsizetype length = 1; length <= 4 && i + length <= bytes.size() && taken == 0; ++length) {
            if (reader.ReadExactly(bytes.sliced(i, length), character))
                taken = length;
        }
        if (taken > 0) {
            out.append(character);
            i += taken;
        } else {
            out.append(EscapeOf(static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return true;
}

}  // namespace

bool CodePageToUtf8(QByteArrayView bytes, CodePage page, Undecodable undecodable, QByteArray& out) {
    if (undecodable == Undecodable::Escaped && IsSingleByte(page))
        return DecodeSingleByte(bytes, page, out);
    const qsizetype start = out.size();
    if (!DecodeWhole(bytes, page, undecodable, out))
        return false;
    if (undecodable == Undecodable::Replaced || RoundTripsEveryCharacter(page))
        return true;
    // Proof that the text writes back unchanged; it nearly always does.
    QByteArray back;
    bool lossy = false;
    if (Utf8ToCodePage(QByteArrayView(out).sliced(start), page, back, lossy) && !lossy && back == bytes)
        return true;
    out.truncate(start);
    return DecodeCharacterByCharacter(bytes, page, out);
}

bool Utf8ToCodePage(QByteArrayView utf8, CodePage page, QByteArray& out, bool& lossy) {
    IconvConverter converter(IconvName(page), "UTF-8");
    if (!converter.IsOpen())
        return false;
    lossy = false;
    char byte = 0;
    const BadInputHandler replace = [&](QByteArrayView rest, bool cutShort) {
        if (const int escaped = EscapedByte(rest); escaped >= 0) {
            byte = char(escaped);
            return BadInputAnswer{3, QByteArrayView(&byte, 1)};
        }
        lossy = true;
        return BadInputAnswer{cutShort ? rest.size() : CharacterLength(rest), QByteArrayView("?")};
    };
    const char* p = utf8.begin();
    const char* const end = utf8.end();
    while (true) {
        const char* const skipped = FindSkippedCharacter(p, end);
        converter.Convert(QByteArrayView(p, skipped), out, skipped - p, replace);
        if (skipped == end)
            break;
        out.append('?');
        lossy = true;
        p = skipped + 4;
    }
    return true;
}
