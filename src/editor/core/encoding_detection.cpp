// Detection of a script file's encoding from its bytes.
#include "editor/core/encoding_detection.h"

#include "text/core/text_detection.h"

namespace {

TextEncoding EncodingOf(DetectedText detected) {
    const bool marked = detected.markLength > 0;
    switch (detected.charset) {
    case TextCharset::SevenBit: return TextEncoding::SevenBit;
    case TextCharset::Utf8: return marked ? TextEncoding::Utf8 : TextEncoding::Utf8NoBom;
    case TextCharset::Utf16LittleEndian:
        return marked ? TextEncoding::Ucs2LittleEndian : TextEncoding::Ucs2LittleEndianNoBom;
    case TextCharset::Utf16BigEndian: return marked ? TextEncoding::Ucs2BigEndian : TextEncoding::Ucs2BigEndianNoBom;
    case TextCharset::AnsiCodePage: break;
    }
    return TextEncoding::Ansi;
}

}  // namespace

DetectedEncoding DetectEncoding(QByteArrayView bytes) {
    const DetectedText detected = DetectText(bytes);
    return {EncodingOf(detected), detected.markLength, detected.codePage};
}
