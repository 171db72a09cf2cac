// TextEncoding: display names, byte-order marks and the conversions to and from the editor's UTF-8.
#include "editor/core/text_encoding.h"

#include "editor/core/ansi_conversion.h"
#include "editor/core/ucs2_conversion.h"

QString EncodingName(int value)
{
    switch (value) {
    case int(TextEncoding::Ansi):
    case int(TextEncoding::SevenBit):
        return QStringLiteral("ANSI");
    case int(TextEncoding::Utf8):
        return QStringLiteral("UTF-8");
    case int(TextEncoding::Ucs2BigEndian):
    case int(TextEncoding::Ucs2BigEndianNoBom):
        return QStringLiteral("UCS-2 Big Endian");
    case int(TextEncoding::Ucs2LittleEndian):
    case int(TextEncoding::Ucs2LittleEndianNoBom):
        return QStringLiteral("UCS-2 Little Endian");
    case int(TextEncoding::Utf8NoBom):
        return QStringLiteral("UTF-8 无BOM");
    default:
        return QStringLiteral("Unknown");
    }
}

QByteArrayView ByteOrderMark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case TextEncoding::Ucs2BigEndian:
        return QByteArrayView("\xFE\xFF", 2);
    case TextEncoding::Ucs2LittleEndian:
        return QByteArrayView("\xFF\xFE", 2);
    default:
        return {};
    }
}

namespace {

bool IsBigEndian(TextEncoding encoding)
{
    return encoding == TextEncoding::Ucs2BigEndian || encoding == TextEncoding::Ucs2BigEndianNoBom;
}

} // namespace

bool DecodeToUtf8(QByteArrayView bytes, TextEncoding encoding, QByteArray& utf8Out)
{
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::SevenBit:
        return AnsiToUtf8(bytes, utf8Out);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoBom:
        utf8Out.append(bytes);
        return true;
    case TextEncoding::Ucs2BigEndian:
    case TextEncoding::Ucs2LittleEndian:
    case TextEncoding::Ucs2BigEndianNoBom:
    case TextEncoding::Ucs2LittleEndianNoBom:
        Ucs2ToUtf8(bytes, IsBigEndian(encoding) ? ByteOrder::BigEndian : ByteOrder::LittleEndian, utf8Out);
        return true;
    }
    return false;
}

bool EncodeFromUtf8(QByteArrayView utf8, TextEncoding encoding, QByteArray& bytesOut, bool& lossy)
{
    lossy = false;
    bytesOut.append(ByteOrderMark(encoding));
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::SevenBit:
        return Utf8ToAnsi(utf8, bytesOut, lossy);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoBom:
        bytesOut.append(utf8);
        return true;
    case TextEncoding::Ucs2BigEndian:
    case TextEncoding::Ucs2LittleEndian:
    case TextEncoding::Ucs2BigEndianNoBom:
    case TextEncoding::Ucs2LittleEndianNoBom:
        Utf8ToUcs2(utf8, IsBigEndian(encoding) ? ByteOrder::BigEndian : ByteOrder::LittleEndian, bytesOut);
        return true;
    }
    return false;
}
