// Whether a file a script names is there.
#include "wizard/core/script_file_paths.h"

#include <QDir>
#include <QFileInfo>

PathState FileExistsFor(const QString& scriptPath, const QString& nsisDir) {
    const QLatin1StringView kNsisDir("${NSISDIR}");
    QString local = scriptPath.trimmed();
    if (local.startsWith(kNsisDir)) {
        if (nsisDir.isEmpty())
            return PathState::Unknown;
        local = nsisDir + local.mid(kNsisDir.size());
    }
    if (local.contains(QLatin1Char('$')))
        return PathState::Unknown;
    // makensis takes either separator on this system.
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QDir::isAbsolutePath(local))
        return PathState::Unknown;
    return QFileInfo(local).isFile() ? PathState::Exists : PathState::Missing;
}
