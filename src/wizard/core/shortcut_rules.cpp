// Rules of the wizard's shortcut and run pages.
#include "wizard/core/shortcut_rules.h"

#include "wizard/core/install_entries.h"
#include "wizard/core/nsis_text.h"

#include <algorithm>

namespace {
bool HasSuffix(const QString& source, QLatin1StringView suffix) { return source.endsWith(suffix, Qt::CaseInsensitive); }

QStringList InstalledPathsEndingIn(const QList<InstallGroup>& groups,
                                   std::initializer_list<QLatin1StringView> suffixes) {
    QStringList paths;
    for (const InstallGroup& group : groups) {
        for (const InstallFile& file : group.files) {
            for (QLatin1StringView suffix : suffixes) {
                if (HasSuffix(file.source, suffix)) {
                    paths.append(file.installedPath);
                    break;
                }
            }
        }
    }
    return paths;
}
}  // namespace

bool NeedsFolder(const QString& linkPath) {
    const QString folder = linkPath.left(std::max<qsizetype>(linkPath.lastIndexOf(QLatin1Char('\\')), 0));
    static const QStringList kSystemFolders{QStringLiteral("$DESKTOP"), QStringLiteral("$STARTMENU"),
                                            QStringLiteral("$SMPROGRAMS"), QStringLiteral("$QUICKLAUNCH")};
    return !kSystemFolders.contains(folder);
}

ShortcutItem MakeShortcut(const QString& linkPath, const QString& target) {
    return ShortcutItem{linkPath, target, NeedsFolder(linkPath)};
}

ShortcutPageState RebuildShortcuts(const QString& appName, const QList<InstallGroup>& groups) {
    ShortcutPageState state;
    const QString linkName = ProductFileName(appName) + QStringLiteral(".lnk");
    for (const InstallGroup& group : groups) {
        for (const InstallFile& file : group.files) {
            if (!HasSuffix(file.source, QLatin1StringView(".exe")))
                continue;
            state.mainExeName = SourceFileName(file.source);
            state.mainExePath = file.installedPath;
            state.shortcuts.append(ShortcutItem{QStringLiteral("$ICONS_GROUP\\") + linkName, state.mainExePath, true});
            state.shortcuts.append(ShortcutItem{QStringLiteral("$DESKTOP\\") + linkName, state.mainExePath, false});
            break;
        }
    }
    return state;
}

void EnterShortcutPage(WizardData& data) {
    ShortcutPageState state = RebuildShortcuts(data.appName, data.groups);
    data.mainExeName = std::move(state.mainExeName);
    data.mainExePath = std::move(state.mainExePath);
    data.shortcuts = std::move(state.shortcuts);
    data.startMenuFolder = data.appName;
}

QStringList ExecutablePaths(const QList<InstallGroup>& groups) {
    return InstalledPathsEndingIn(groups, {QLatin1StringView(".exe")});
}

QStringList ReadmePaths(const QList<InstallGroup>& groups) {
    return InstalledPathsEndingIn(groups, {QLatin1StringView(".txt"), QLatin1StringView(".rtf")});
}
