// ScriptInput: how a script reaches makensis, as its own file or converted to UTF-8 on standard input.
#pragma once

#include <QByteArray>
#include <QString>

struct ScriptInput {
    bool onStdin = false;     // the script is given as "-" and written to standard input
    QByteArray stdinText;     // the UTF-8 script when onStdin
    QString workingFolder;    // makensis's working folder
    QString compileFolder;    // where makensis compiles: relative paths resolve here
};

// True for bytes without a BOM that are not valid UTF-8 but hold non-ASCII
// bytes: a script in the ANSI code page, which Debian's makensis rejects.
bool IsAnsiScript(const QByteArray& bytes);

// Decides how the script at scriptPath is handed over. An ANSI script goes on
// standard input as UTF-8, with the working folder its own, so relative
// paths, !include and the output resolve as they would for the file; nothing
// is written next to the user's file. With noCd makensis stays in
// editorFolder, as it would for the file itself.
ScriptInput PrepareScriptInput(const QString& scriptPath, bool noCd, const QString& editorFolder);
