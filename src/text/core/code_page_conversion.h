// Conversions between a legacy code page and UTF-8 that keep every byte, through iconv.
#pragma once

#include "text/core/code_page.h"

#include <QByteArray>
#include <QByteArrayView>

// What becomes of bytes that the code page cannot decode.
enum class Undecodable {
    // Each byte b as the lone surrogate U+DC00 + b in its three-byte form,
    // the editor's way of carrying what is not text (as for UCS-2), and
    // written back as b.
    Escaped,
    // Each byte as U+FFFD, for text that is only passed on.
    Replaced,
};

// Appends the UTF-8 form of bytes to out. Zero bytes are carried through.
// With Undecodable::Escaped the text converts back to exactly these bytes,
// whatever they are: a character whose bytes would not come back the same
// is escaped byte by byte too. False when iconv lacks the code page.
bool CodePageToUtf8(QByteArrayView bytes, CodePage page, Undecodable undecodable, QByteArray& out);

// Appends the code page form of utf8 to out. Escaped bytes become their
// byte again; each character without a mapping, and each broken UTF-8
// sequence, becomes one '?' and sets lossy. False when iconv lacks the code page.
bool Utf8ToCodePage(QByteArrayView utf8, CodePage page, QByteArray& out, bool& lossy);
