// ScriptInput: the hand-over of a script to makensis.
#include "compiler/core/script_input.h"

#include "text/core/ansi_code_page.h"
#include "text/core/text_detection.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Converts what Debian's makensis cannot read itself (ANSI, or UTF-16 without
// a mark) to UTF-8; false for what it reads as it is.
bool ConvertForMakensis(QByteArrayView bytes, DetectedText detected, QByteArray& utf8) {
    switch (detected.charset) {
    case TextCharset::AnsiCodePage:
        return AnsiToUtf8(bytes, utf8);
    case TextCharset::Utf16LittleEndian:
    case TextCharset::Utf16BigEndian:
        if (detected.markLength > 0)
            return false;
        Utf16ToUtf8(bytes,
                    detected.charset == TextCharset::Utf16BigEndian ? ByteOrder::BigEndian : ByteOrder::LittleEndian,
                    Surrogates::Kept, utf8);
        return true;
    case TextCharset::SevenBit:
    case TextCharset::Utf8:
        break;
    }
    return false;
}
}  // namespace

ScriptInput PrepareScriptInput(const QString& scriptPath, bool noCd, const QString& editorFolder) {
    ScriptInput input;
    const QFileInfo info(scriptPath);
    input.compileFolder = noCd ? editorFolder : info.absolutePath();
    input.workingFolder = editorFolder;

    // A script that cannot be read goes to makensis as it is: its message
    // in the log says what is wrong.
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly))
        return input;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return input;
    if (ConvertForMakensis(bytes, DetectText(bytes), input.stdinText)) {
        input.onStdin = true;
        // makensis changes to a file's folder itself, never to stdin's.
        input.workingFolder = input.compileFolder;
    }
    return input;
}
