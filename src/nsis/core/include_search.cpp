// The include search as makensis 3.08 does it on this platform, for the compiler's source index and the symbol index.
#include "nsis/core/include_search.h"

#include <QDir>
#include <QFileInfo>

QString ExpandIncludePath(QString path, const QString& fromFile, const QHash<QString, QString>& defines) {
    path.replace(QStringLiteral("${__FILEDIR__}"), QFileInfo(fromFile).absolutePath());
    path.replace(QStringLiteral("${__FILE__}"), QFileInfo(fromFile).fileName());
    for (auto it = defines.cbegin(); it != defines.cend() && path.contains(u"${"); ++it)
        path.replace(QStringLiteral("${%1}").arg(it.key()), it.value());
    path.replace(u'\\', u'/');
    return path;
}

QString FileIgnoringCase(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile())
        return QDir::cleanPath(info.absoluteFilePath());
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        return {};
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(folder.filePath(entry));
    }
    return {};
}

QString ResolveNsisInclude(const QString& name, const QString& fromFile, const IncludeSearch& search) {
    const QString path = ExpandIncludePath(name, fromFile, search.defines);
    if (path.isEmpty())
        return {};
    if (QDir::isAbsolutePath(path))
        return FileIgnoringCase(path);
    QStringList folders{search.compileFolder, search.nsisDir + QStringLiteral("/Include")};
    folders << search.includeDirs;
    for (const QString& folder : folders) {
        const QString found = FileIgnoringCase(QDir(folder).absoluteFilePath(path));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

IncludeResolver MakeIncludeResolver(const QString& nsisDir) {
    return [nsisDir](const QString& includeText, const IncludeContext& context) -> std::optional<QString> {
        IncludeSearch search{QFileInfo(context.rootFile).absolutePath(), nsisDir, {}, {}};
        search.defines.insert(QStringLiteral("NSISDIR"), nsisDir);
        for (const QString& folder : context.includeDirs)
            search.includeDirs.append(
                QDir(search.compileFolder).absoluteFilePath(ExpandIncludePath(folder, context.fromFile, search.defines)));
        const QString found = ResolveNsisInclude(includeText, context.fromFile, search);
        if (found.isEmpty())
            return std::nullopt;
        return found;
    };
}
