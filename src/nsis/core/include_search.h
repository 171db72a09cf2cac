// The include search as makensis 3.08 does it on this platform, for the compiler's source index and the symbol index.
#pragma once

#include "nsis/core/symbol_index.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What an !include is searched with at one point of a script.
struct IncludeSearch {
    QString compileFolder;    // makensis's working folder: relative names start here
    QString nsisDir;          // NSISDIR: its Include folder comes second
    QStringList includeDirs;  // the !addincludedir folders so far, absolute, searched last
    QHash<QString, QString> defines;  // the symbols defined so far, NSISDIR among them
};

// ${__FILEDIR__}, ${__FILE__} and the known symbols expanded (names in any case, values naming
// symbols in turn), backslashes made slashes.
QString ExpandIncludePath(QString path, const QString& fromFile, const QHash<QString, QString>& defines);

// The file an !include in fromFile names: an absolute name as it is, a
// relative one in the compile folder, NSISDIR/Include, then each
// !addincludedir folder; the file name (not the folders) matches without
// regard to case. Empty when none.
QString ResolveNsisInclude(const QString& name, const QString& fromFile, const IncludeSearch& search);

// The existing file at path, its name compared without regard to case as makensis does; empty when none.
QString FileIgnoringCase(const QString& path);

// The symbol index's resolver: makensis compiles in the root script's folder;
// the !addincludedir folders are taken as written and made absolute there.
// presetDefines are the settings' symbols (name → value), known from the first line on.
IncludeResolver MakeIncludeResolver(const QString& nsisDir, const QHash<QString, QString>& presetDefines = {});
