// The ANSI code page, CP936 (GBK), and conversions between it and UTF-8 through iconv.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

inline constexpr char kAnsiCodePage[] = "CP936";

// Appends the UTF-8 form of CP936 bytes to out. Zero bytes are carried
// through; a byte that CP936 cannot decode becomes U+FFFD. False when the
// converter is unavailable.
bool AnsiToUtf8(QByteArrayView ansi, QByteArray& out);

// As AnsiToUtf8 for one piece of a longer input: a double-byte character
// that the end of the piece cuts is left for the next one. Returns the bytes
// taken, or -1 when the converter is unavailable.
qsizetype AnsiPieceToUtf8(QByteArrayView ansi, QByteArray& out);

// Utf8ToCodePage for CP936: appends the CP936 form of utf8 to out. Each
// character without a mapping, and each broken UTF-8 sequence, becomes one
// '?'; lossy tells whether any did. False when the converter is unavailable.
bool Utf8ToAnsi(QByteArrayView utf8, QByteArray& out, bool& lossy);
