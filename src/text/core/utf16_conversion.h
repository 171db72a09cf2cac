// Conversions between UTF-16 bytes (UCS-2 with surrogate pairs, either byte order) and UTF-8.
#pragma once

#include "text/core/utf8_sequence.h"

#include <QByteArray>
#include <QByteArrayView>

enum class ByteOrder { LittleEndian, BigEndian };

// Appends the UTF-8 form of the whole 16-bit units in bytes to out; a
// trailing odd byte is not read. A surrogate pair becomes one four-byte
// character. A lone surrogate keeps its three-byte form with
// Surrogates::Kept, so that it is written back unchanged, and becomes U+FFFD
// with Surrogates::Refused.
void Utf16ToUtf8(QByteArrayView bytes, ByteOrder order, Surrogates lone, QByteArray& out);

// As Utf16ToUtf8 with lone surrogates kept, for a whole text that must come
// back byte for byte from Utf8ToUtf16: an odd last byte b is carried as the
// lone surrogates U+DBFF and U+DC00 + b, each in its three-byte form. Read
// from UTF-16 a high surrogate before a low one always makes a pair, so
// this spelling never stands for real units.
void Utf16ToUtf8Lossless(QByteArrayView bytes, ByteOrder order, QByteArray& out);

// Appends the 16-bit units of utf8 to out. Four-byte characters become
// surrogate pairs, three-byte encoded surrogates the unit they hold, and the
// odd-byte spelling of Utf16ToUtf8Lossless at the very end its byte again.
// Bytes that are not UTF-8 become U+FFFD; lossy tells whether any did.
void Utf8ToUtf16(QByteArrayView utf8, ByteOrder order, QByteArray& out, bool& lossy);
