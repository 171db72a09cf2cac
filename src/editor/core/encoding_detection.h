// Detection of a script file's encoding from its bytes.
#pragma once

#include "editor/core/text_encoding.h"
#include "editor/core/ucs2_conversion.h"

#include <QByteArrayView>

enum class Utf8Check { SevenBit, Utf8, Invalid };

// SevenBit: only bytes 1..0x7F (or nothing). Utf8: well-formed UTF-8 with at
// least one multi-byte sequence; a sequence cut short by the end of the buffer
// still counts. Encoded surrogates (ED A0..BF xx) are accepted because the
// editor keeps lone UCS-2 surrogates in that form and must read back what it
// wrote. A zero byte makes the buffer Invalid.
Utf8Check CheckUtf8(QByteArrayView bytes);

// Stand-in for the platform's Unicode-text guess: UTF-16 text whose high
// bytes are mostly zero.
bool LooksLikeUtf16(QByteArrayView bytes, ByteOrder order);

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::SevenBit;
    int markLength = 0;
};

DetectedEncoding DetectEncoding(QByteArrayView bytes);
