// The code page of bytes that are neither UTF-8 nor UTF-16: GBK when they are well formed GBK, else uchardet's guess.
#pragma once

#include "text/core/code_page.h"

#include <QByteArrayView>

// CP936 when the bytes are well formed GBK, so Chinese scripts read as they
// always did; else the code page uchardet names, when it is one we offer;
// else CP936.
CodePage GuessCodePage(QByteArrayView bytes);
