// The include search as makensis 3.08 does it on this platform, for the compiler's source index and the symbol index.
#include "nsis/core/include_search.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {
// A value may name other symbols in turn; a symbol that names itself must not loop.
constexpr int kMaxExpansions = 100;

std::optional<QString> DefineValue(QStringView name, const QHash<QString, QString>& defines) {
    if (const auto exact = defines.constFind(name.toString()); exact != defines.cend())
        return *exact;
    const QString key = NsisSymbolKey(name);
    for (auto it = defines.cbegin(); it != defines.cend(); ++it) {
        if (NsisSymbolKey(it.key()) == key)
            return it.value();
    }
    return std::nullopt;
}
}  // namespace

QString ExpandIncludePath(QString path, const QString& fromFile, const QHash<QString, QString>& defines) {
    path.replace(QStringLiteral("${__FILEDIR__}"), QFileInfo(fromFile).absolutePath());
    path.replace(QStringLiteral("${__FILE__}"), QFileInfo(fromFile).fileName());
    // makensis expands what a value names as well, and matches names without regard to case.
    qsizetype at = path.indexOf(u"${");
    for (int expansions = 0; at >= 0 && expansions < kMaxExpansions;) {
        const qsizetype close = path.indexOf(u'}', at + 2);
        if (close < 0)
            break;
        if (const std::optional<QString> value = DefineValue(QStringView(path).sliced(at + 2, close - at - 2), defines)) {
            path.replace(at, close - at + 1, *value);
            ++expansions;
        } else {
            at = close + 1;
        }
        at = path.indexOf(u"${", at);
    }
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

IncludeResolver MakeIncludeResolver(const QString& nsisDir, const QHash<QString, QString>& presetDefines) {
    return [nsisDir, presetDefines](const QString& includeText, const IncludeContext& context) -> std::optional<QString> {
        IncludeSearch search{QFileInfo(context.rootFile).absolutePath(), nsisDir, {}, presetDefines};
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
