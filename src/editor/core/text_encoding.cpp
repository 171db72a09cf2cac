// TextEncoding: display names, byte-order marks and the conversions to and from the editor's UTF-8.
#include "editor/core/text_encoding.h"

#include "text/core/code_page_conversion.h"
#include "text/core/utf16_conversion.h"

QString EncodingName(int value) {
    switch (value) {
    case int(TextEncoding::Ansi):
    case int(TextEncoding::SevenBit): return QStringLiteral("ANSI");
    case int(TextEncoding::Utf8): return QStringLiteral("UTF-8");
    case int(TextEncoding::Ucs2BigEndian):
    case int(TextEncoding::Ucs2BigEndianNoBom): return QStringLiteral("UCS-2 Big Endian");
    case int(TextEncoding::Ucs2LittleEndian):
    case int(TextEncoding::Ucs2LittleEndianNoBom): return QStringLiteral("UCS-2 Little Endian");
    case int(TextEncoding::Utf8NoBom): return QStringLiteral("UTF-8 无BOM");
    default: return QStringLiteral("Unknown");
    }
}

QString EncodingName(TextEncoding encoding, CodePage page) {
    const bool ansi = encoding == TextEncoding::Ansi || encoding == TextEncoding::SevenBit;
    if (!ansi || page == kDefaultCodePage)
        return EncodingName(encoding);
    return EncodingName(encoding) + QStringLiteral(" (") + CodePageName(page) + u')';
}

QByteArrayView ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8: return QByteArrayView("\xEF\xBB\xBF", 3);
    case TextEncoding::Ucs2BigEndian: return QByteArrayView("\xFE\xFF", 2);
    case TextEncoding::Ucs2LittleEndian: return QByteArrayView("\xFF\xFE", 2);
    default: return {};
    }
}

namespace {

ByteOrder OrderOf(TextEncoding encoding) {
    const bool big = encoding == TextEncoding::Ucs2BigEndian || encoding == TextEncoding::Ucs2BigEndianNoBom;
    return big ? ByteOrder::BigEndian : ByteOrder::LittleEndian;
}

}  // namespace

bool DecodeToUtf8(QByteArrayView bytes, TextEncoding encoding, CodePage page, QByteArray& utf8Out) {
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::SevenBit: return CodePageToUtf8(bytes, page, Undecodable::Escaped, utf8Out);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoBom: utf8Out.append(bytes); return true;
    case TextEncoding::Ucs2BigEndian:
    case TextEncoding::Ucs2LittleEndian:
    case TextEncoding::Ucs2BigEndianNoBom:
    case TextEncoding::Ucs2LittleEndianNoBom: Utf16ToUtf8Lossless(bytes, OrderOf(encoding), utf8Out); return true;
    }
    return false;
}

bool EncodeFromUtf8(QByteArrayView utf8, TextEncoding encoding, CodePage page, QByteArray& bytesOut, bool& lossy) {
    lossy = false;
    bytesOut.append(ByteOrderMark(encoding));
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::SevenBit: return Utf8ToCodePage(utf8, page, bytesOut, lossy);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoBom: bytesOut.append(utf8); return true;
    case TextEncoding::Ucs2BigEndian:
    case TextEncoding::Ucs2LittleEndian:
    case TextEncoding::Ucs2BigEndianNoBom:
    case TextEncoding::Ucs2LittleEndianNoBom: Utf8ToUtf16(utf8, OrderOf(encoding), bytesOut, lossy); return true;
    }
    return false;
}
