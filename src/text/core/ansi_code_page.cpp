// Conversions between the ANSI code page (CP936) and UTF-8.
#include "text/core/ansi_code_page.h"

#include "text/core/iconv_converter.h"
#include "text/core/utf8_sequence.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// Length of the UTF-8 character, or broken sequence, at the start of bytes,
// so that one bad character becomes one '?'. The editor's lone surrogates
// count as characters.
qsizetype CharacterLength(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return ReadUtf8Sequence(p, p + bytes.size(), Surrogates::Kept).length;
}

qsizetype AnsiToUtf8Taken(QByteArrayView ansi, QByteArray& out, bool leaveCutCharacter)
{
    IconvConverter converter("UTF-8", kAnsiCodePage);
    if (!converter.IsOpen())
        return -1;
    // Double-byte characters grow by half; ASCII keeps its size.
    return converter.Convert(ansi, out, ansi.size() + ansi.size() / 2, [=](QByteArrayView, bool cutShort) {
        return leaveCutCharacter && cutShort ? BadInputAnswer{} : BadInputAnswer{1, QByteArrayView(kReplacement)};
    });
}

} // namespace

bool AnsiToUtf8(QByteArrayView ansi, QByteArray& out) { return AnsiToUtf8Taken(ansi, out, false) >= 0; }

qsizetype AnsiPieceToUtf8(QByteArrayView ansi, QByteArray& out) { return AnsiToUtf8Taken(ansi, out, true); }

bool Utf8ToAnsi(QByteArrayView utf8, QByteArray& out, bool& lossy)
{
    IconvConverter converter(kAnsiCodePage, "UTF-8");
    if (!converter.IsOpen())
        return false;
    lossy = false;
    converter.Convert(utf8, out, utf8.size(), [&lossy](QByteArrayView rest, bool cutShort) {
        lossy = true;
        return BadInputAnswer{cutShort ? rest.size() : CharacterLength(rest), QByteArrayView("?")};
    });
    return true;
}
