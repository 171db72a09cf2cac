// Conversions between the ANSI code page (CP936, GBK) and the editor's UTF-8, through iconv.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends the UTF-8 form of CP936 bytes to out. Zero bytes are carried
// through; a byte that CP936 cannot decode becomes U+FFFD. False when the
// converter is unavailable.
bool AnsiToUtf8(QByteArrayView ansi, QByteArray& out);

// Appends the CP936 form of utf8 to out. A character without a mapping
// becomes '?' and sets lossy. False when the converter is unavailable.
bool Utf8ToAnsi(QByteArrayView utf8, QByteArray& out, bool& lossy);
