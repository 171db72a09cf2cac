// ScriptInput: the hand-over of a script to makensis.
#include "compiler/core/script_input.h"

#include "nsis/core/stat_symbol.h"
#include "text/core/code_page_conversion.h"
#include "text/core/text_detection.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {
// The script's text as UTF-8 whatever its character set; false when it cannot be converted.
bool ToUtf8(QByteArrayView bytes, DetectedText detected, QByteArray& utf8) {
    const QByteArrayView text = bytes.sliced(detected.markLength);
    switch (detected.charset) {
    case TextCharset::AnsiCodePage: return CodePageToUtf8(text, detected.codePage, Undecodable::Replaced, utf8);
    case TextCharset::Utf16LittleEndian:
    case TextCharset::Utf16BigEndian:
        Utf16ToUtf8(text,
                    detected.charset == TextCharset::Utf16BigEndian ? ByteOrder::BigEndian : ByteOrder::LittleEndian,
                    Surrogates::Kept, utf8);
        return true;
    case TextCharset::SevenBit:
    case TextCharset::Utf8: utf8 = text.toByteArray(); return true;
    }
    return false;
}

// Debian's makensis cannot read ANSI text or UTF-16 without a mark itself.
bool MakensisReadsItself(DetectedText detected) {
    switch (detected.charset) {
    case TextCharset::AnsiCodePage: return false;
    case TextCharset::Utf16LittleEndian:
    case TextCharset::Utf16BigEndian: return detected.markLength > 0;
    case TextCharset::SevenBit:
    case TextCharset::Utf8: break;
    }
    return true;
}
}  // namespace

ScriptInput PrepareScriptInput(const QString& scriptPath, bool noCd, const QString& editorFolder,
                               std::optional<CodePage> codePage) {
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
    DetectedText detected = DetectText(bytes);
    // Plain ASCII reads the same in every code page and goes as its own file.
    if (codePage && detected.charset != TextCharset::SevenBit)
        detected = {TextCharset::AnsiCodePage, 0, *codePage};
    QByteArray utf8;
    if (!ToUtf8(bytes, detected, utf8))
        return input;
    // Stock makensis knows no statistics command; it gets the line as a definition.
    const bool statLineDefined = DefineStatSymbol(utf8);
    if (statLineDefined || !MakensisReadsItself(detected)) {
        input.onStdin = true;
        input.stdinText = std::move(utf8);
        // makensis changes to a file's folder itself, never to stdin's.
        input.workingFolder = input.compileFolder;
    }
    return input;
}

QByteArray StdinScriptText(QByteArray utf8) {
    DefineStatSymbol(utf8);
    return utf8;
}
