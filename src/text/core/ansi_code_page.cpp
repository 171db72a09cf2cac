// Conversions between the ANSI code page (CP936) and UTF-8.
#include "text/core/ansi_code_page.h"

#include "text/core/iconv_converter.h"
#include "text/core/utf8_sequence.h"

#include <cstring>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// Length of the UTF-8 character, or broken sequence, at the start of bytes,
// so that one bad character becomes one '?'. The editor's lone surrogates
// count as characters.
qsizetype CharacterLength(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return ReadUtf8Sequence(p, p + bytes.size(), Surrogates::Kept).length;
}

// glibc's CP936 skips the tag characters U+E0000..U+E007F without an error,
// so they are looked for before iconv can lose them. The first one at or
// after p, or end.
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

qsizetype AnsiToUtf8Taken(QByteArrayView ansi, QByteArray& out, bool leaveCutCharacter) {
    IconvConverter converter("UTF-8", kAnsiCodePage);
    if (!converter.IsOpen())
        return -1;
    // Double-byte characters grow by half; ASCII keeps its size.
    return converter.Convert(ansi, out, ansi.size() + ansi.size() / 2, [=](QByteArrayView, bool cutShort) {
        return leaveCutCharacter && cutShort ? BadInputAnswer{} : BadInputAnswer{1, QByteArrayView(kReplacement)};
    });
}

}  // namespace

bool AnsiToUtf8(QByteArrayView ansi, QByteArray& out) { return AnsiToUtf8Taken(ansi, out, false) >= 0; }

qsizetype AnsiPieceToUtf8(QByteArrayView ansi, QByteArray& out) { return AnsiToUtf8Taken(ansi, out, true); }

bool Utf8ToAnsi(QByteArrayView utf8, QByteArray& out, bool& lossy) {
    IconvConverter converter(kAnsiCodePage, "UTF-8");
    if (!converter.IsOpen())
        return false;
    lossy = false;
    const BadInputHandler replace = [&lossy](QByteArrayView rest, bool cutShort) {
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
