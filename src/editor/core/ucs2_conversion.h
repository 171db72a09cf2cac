// Conversions between UCS-2 / UTF-16 bytes and the editor's UTF-8.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

enum class ByteOrder { LittleEndian, BigEndian };

// Appends the UTF-8 form of the 16-bit units in bytes to out. A surrogate
// pair becomes one four-byte character; a lone surrogate keeps its own
// three-byte form so that it is written back unchanged. A trailing odd byte
// is dropped.
void Ucs2ToUtf8(QByteArrayView bytes, ByteOrder order, QByteArray& out);

// Appends the 16-bit units of utf8 to out. Four-byte characters become
// surrogate pairs, three-byte encoded surrogates become the unit they hold.
// Bytes that are not UTF-8 become U+FFFD.
void Utf8ToUcs2(QByteArrayView utf8, ByteOrder order, QByteArray& out);
