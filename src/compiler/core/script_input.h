// ScriptInput: how a script reaches makensis, as its own file or converted to UTF-8 on standard input.
#pragma once

#include "text/core/code_page.h"

#include <QByteArray>
#include <QString>

struct ScriptInput {
    bool onStdin = false;   // the script is given as "-" and written to standard input
    QByteArray stdinText;   // the UTF-8 script when onStdin
    QString workingFolder;  // makensis's working folder
    QString compileFolder;  // where makensis compiles: relative paths resolve here
};

// Decides how the script at scriptPath is handed over. A script that Debian's
// makensis cannot read itself (ANSI, or UCS-2 without a mark), and one whose
// statistics line must become a definition, go on standard input as UTF-8,
// with the working folder their own, so relative paths, !include and the
// output resolve as they would for the file; nothing is written next to the
// user's file. With noCd makensis stays in editorFolder, as it would for the
// file itself. codePage is that of an open ANSI document, which the file is
// read in; without it the file's code page is detected as the editor would.
ScriptInput PrepareScriptInput(const QString& scriptPath, bool noCd, const QString& editorFolder,
                               std::optional<CodePage> codePage = {});

// Unsaved UTF-8 text as makensis gets it on standard input: stock makensis
// knows no statistics command, so that line becomes a definition.
QByteArray StdinScriptText(QByteArray utf8);
