// The UTF-8 test of a whole buffer: seven-bit, UTF-8 or invalid.
#pragma once

#include "text/core/utf8_sequence.h"

#include <QByteArrayView>

enum class Utf8Check { SevenBit, Utf8, Invalid };

// SevenBit: only bytes 1..0x7F (or nothing). Utf8: well-formed UTF-8 with at
// least one multi-byte sequence; a sequence cut short by the end of the buffer
// still counts, since a file or a read may end in the middle of one. A zero
// byte makes the buffer Invalid: text never holds one, UTF-16 does.
Utf8Check CheckUtf8(QByteArrayView bytes, Surrogates surrogates);
