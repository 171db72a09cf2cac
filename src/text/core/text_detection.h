// What a text file's bytes are: the character set and byte-order mark, judged from the bytes alone.
#pragma once

#include "text/core/code_page.h"
#include "text/core/utf16_conversion.h"

#include <QByteArrayView>

enum class TextCharset { SevenBit, Utf8, Utf16LittleEndian, Utf16BigEndian, AnsiCodePage };

struct DetectedText {
    TextCharset charset = TextCharset::SevenBit;
    int markLength = 0;                    // the byte-order mark's bytes at the start
    CodePage codePage = kDefaultCodePage;  // for AnsiCodePage: GuessCodePage's answer
};

// First rule that holds: a UTF-16 mark (FE FF, FF FE), the UTF-8 mark
// (EF BB BF), unmarked UTF-16 by its zero bytes, then the UTF-8 test: seven
// bit, UTF-8 (lone surrogates in three-byte form allowed, since the editor
// writes them), else the ANSI code page that GuessCodePage names.
DetectedText DetectText(QByteArrayView bytes);

// Stand-in for the platform's Unicode-text guess: UTF-16 text whose high
// bytes are mostly zero.
bool LooksLikeUtf16(QByteArrayView bytes, ByteOrder order);
