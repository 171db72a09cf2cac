// LocateDiagnostics: puts each error and warning at the line the user has to change.
#pragma once

#include "compiler/core/diagnostic.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct LocateContext {
    QString scriptPath;     // the user's script, also for "<stdin>"
    QString compileFolder;  // where makensis compiled: its relative names start here
    QString nsisDir;        // NSISDIR, for headers found in its Include folder
    QStringList defines;    // "name[=value]", the symbols given to makensis with -D
};

// An error inside a macro goes to the line of the macro's body; macros of
// NSIS's own headers are passed over for the line of the user's that used
// them. A warning that names a variable, function or label goes to its
// definition, decided as makensis orders its warnings (the uninstaller's
// labels first); when the definitions and the warnings of a name cannot be
// paired up for certain, the warning stays without a place. File names
// become absolute. What cannot be found keeps the place makensis gave, or none.
void LocateDiagnostics(QList<Diagnostic>& diagnostics, const LocateContext& context);

// NSISDIR for the compiler at compilerPath: $NSISDIR, else the share/nsis
// folder beside its bin folder (Debian's layout), else its own folder.
QString NsisFolder(const QString& compilerPath, const QProcessEnvironment& environment);
