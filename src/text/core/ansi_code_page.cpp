// Conversions between the ANSI code page (CP936) and UTF-8.
#include "text/core/ansi_code_page.h"

#include "text/core/iconv_converter.h"
#include "text/core/code_page_conversion.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

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
    return Utf8ToCodePage(utf8, CodePage::Cp936, out, lossy);
}
