// Detection of a script file's encoding from its bytes.
#pragma once

#include "editor/core/text_encoding.h"

#include <QByteArrayView>

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::SevenBit;
    int markLength = 0;
    CodePage codePage = kDefaultCodePage;  // what ANSI text is written in
};

DetectedEncoding DetectEncoding(QByteArrayView bytes);
