// COutputDecoder: turns the compiler's output, chunk by chunk, into UTF-8 without cutting characters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The output's encoding is decided once, from its start, and kept, so the
// text never depends on where the pipe cut it: a second byte 0 means
// UTF-16LE; otherwise the first line holding a byte above 0x7F decides
// between UTF-8 (Debian's makensis writes it) and the ANSI code page, CP936,
// by whether that line is valid UTF-8. Until then the output is ASCII, which
// reads the same either way and passes at once. The bytes of a character
// that a chunk boundary cuts are held back and decoded with the next chunk;
// bytes that are no character become U+FFFD.
class COutputDecoder {
public:
    QByteArray Decode(QByteArrayView chunk);
    // The bytes still held back at the end of the output.
    QByteArray Finish();

private:
    enum class Encoding { Unknown, Ascii, Utf8, Utf16, Ansi };

    QByteArray DecodeHeld(const QByteArray& data, bool atEnd);

    Encoding m_encoding = Encoding::Unknown;
    QByteArray m_pending;
};
