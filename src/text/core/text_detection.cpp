// What a text file's bytes are, judged from the bytes alone.
#include "text/core/text_detection.h"

#include "text/core/code_page_detection.h"
#include "text/core/utf8_check.h"

bool LooksLikeUtf16(QByteArrayView bytes, ByteOrder order) {
    const qsizetype units = bytes.size() / 2;
    if (units == 0)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const int high = order == ByteOrder::BigEndian ? 0 : 1;
    qsizetype lowZeros = 0;
    qsizetype highZeros = 0;
    for (qsizetype i = 0; i < units; ++i) {
        lowZeros += p[2 * i + 1 - high] == 0;
        highZeros += p[2 * i + high] == 0;
    }
    // Latin text in UTF-16: high bytes nearly all zero, low bytes almost never.
    return highZeros * 2 > units && lowZeros * 8 < units;
}

DetectedText DetectText(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    if (n > 1 && at(0) == 0xFE && at(1) == 0xFF)
        return {TextCharset::Utf16BigEndian, 2};
    if (n > 1 && at(0) == 0xFF && at(1) == 0xFE)
        return {TextCharset::Utf16LittleEndian, 2};
    if (n > 2 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return {TextCharset::Utf8, 3};
    if (n > 1 && at(0) != 0 && at(1) == 0 && LooksLikeUtf16(bytes, ByteOrder::LittleEndian))
        return {TextCharset::Utf16LittleEndian, 0};
    // The mirror image, so that an unmarked big-endian file is not read as ANSI full of zero bytes.
    if (n > 1 && at(0) == 0 && at(1) != 0 && LooksLikeUtf16(bytes, ByteOrder::BigEndian))
        return {TextCharset::Utf16BigEndian, 0};
    switch (CheckUtf8(bytes, Surrogates::Kept)) {
    case Utf8Check::SevenBit: return {TextCharset::SevenBit, 0};
    case Utf8Check::Utf8: return {TextCharset::Utf8, 0};
    case Utf8Check::Invalid: break;
    }
    return {TextCharset::AnsiCodePage, 0, GuessCodePage(bytes)};
}
