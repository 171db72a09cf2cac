// TextEncoding: a script file's encoding on disk, its display name, and the conversions to and from the editor's UTF-8.
#pragma once

#include "text/core/code_page.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The numbers are stored and shown elsewhere, so they stay fixed.
enum class TextEncoding {
    Ansi = 0,
    Utf8 = 1,
    Ucs2BigEndian = 2,
    Ucs2LittleEndian = 3,
    Utf8NoBom = 4,
    SevenBit = 5,
    Ucs2BigEndianNoBom = 6,
    Ucs2LittleEndianNoBom = 7,
};

// "ANSI", "UTF-8", ...; "Unknown" for a value outside 0..7.
QString EncodingName(int value);
inline QString EncodingName(TextEncoding encoding) { return EncodingName(int(encoding)); }

// As EncodingName, with the code page of ANSI text when it is not the
// system's: "ANSI (Windows-1252)".
QString EncodingName(TextEncoding encoding, CodePage page);

// The byte-order mark written before the text; empty for encodings without one.
QByteArrayView ByteOrderMark(TextEncoding encoding);

// Converts a file's bytes after its mark into the editor's UTF-8; ANSI text
// is read in page. The result is appended to utf8Out and, encoded again,
// gives back exactly these bytes: what the code page cannot decode is
// carried as escapes. False only when the conversion could not run at all
// (iconv lacks the code page).
bool DecodeToUtf8(QByteArrayView bytes, TextEncoding encoding, CodePage page, QByteArray& utf8Out);

// Converts the editor's UTF-8 into the file's bytes, mark included; ANSI
// text is written in page. lossy is set when characters had to be replaced:
// the code page lacks them, or the text holds bytes that are not UTF-8 and
// UCS-2 cannot carry. False only when the conversion could not run at all.
bool EncodeFromUtf8(QByteArrayView utf8, TextEncoding encoding, CodePage page, QByteArray& bytesOut, bool& lossy);
