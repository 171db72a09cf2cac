// COutputDecoder: turns the compiler's output, chunk by chunk, into UTF-8 without cutting characters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Each chunk is judged on its own: valid UTF-8 (Debian's makensis writes it)
// stays as it is, a chunk whose second byte is 0 is UTF-16LE, anything else
// is the ANSI code page, CP936. The bytes of a character that a chunk boundary
// cuts are held back and decoded with the next chunk.
class COutputDecoder {
public:
    QByteArray Decode(QByteArrayView chunk);
    // The bytes still held back at the end of the output, decoded as CP936.
    QByteArray Finish();

private:
    QByteArray m_pending;
};
