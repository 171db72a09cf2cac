// ScriptInput: the hand-over of a script to makensis.
#include "compiler/core/script_input.h"

#include "compiler/core/output_decoder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

bool IsAnsiScript(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    const bool hasNonAscii =
        std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return hasNonAscii && !QByteArrayView(bytes).isValidUtf8();
}

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
    if (file.error() == QFileDevice::NoError && IsAnsiScript(bytes)) {
        input.onStdin = true;
        input.stdinText = AnsiTextToUtf8(bytes);
        // makensis changes to a file's folder itself, never to stdin's.
        input.workingFolder = input.compileFolder;
    }
    return input;
}
