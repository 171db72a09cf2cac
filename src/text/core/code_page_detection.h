// The code page of bytes that are neither UTF-8 nor UTF-16: GBK when they are well formed GBK, else uchardet's guess.
#pragma once

#include "text/core/code_page.h"

#include <QByteArrayView>

// CP936 when the bytes are well formed GBK, so Chinese scripts read as they
// always did; else the code page uchardet names, when it is one we offer;
// else CP936.
CodePage GuessCodePage(QByteArrayView bytes);

// Every byte above 0x7F leads a GBK pair (81..FE, then 40..7E or 80..FE),
// or is the euro sign 80; a pair cut by the end still counts, as a file may
// end in the middle of one.
bool IsWellFormedGbk(QByteArrayView bytes);
