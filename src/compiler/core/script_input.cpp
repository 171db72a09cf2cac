// ScriptInput: the hand-over of a script to makensis.
#include "compiler/core/script_input.h"

#include "editor/core/encoding_detection.h"
#include "online/core/stat_symbol.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {
bool MakensisReadsItself(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::Ucs2BigEndianNoBom:
    case TextEncoding::Ucs2LittleEndianNoBom:
        return false;
    default:
        return true;
    }
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
    const DetectedEncoding detected = DetectEncoding(bytes);
    QByteArray utf8;
    if (!DecodeToUtf8(QByteArrayView(bytes).sliced(detected.markLength), detected.encoding, utf8))
        return input;
    // Stock makensis knows no statistics command; it gets the line as a definition.
    const bool statLineDefined = DefineStatSymbol(utf8);
    if (statLineDefined || !MakensisReadsItself(detected.encoding)) {
        input.onStdin = true;
        input.stdinText = std::move(utf8);
        // makensis changes to a file's folder itself, never to stdin's.
        input.workingFolder = input.compileFolder;
    }
    return input;
}
