// What a wine prefix holds at one moment, and what changed between two moments.
#include "compiler/core/prefix_snapshot.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// The uninstaller's copy of itself in the temporary folder ($TEMP\~nsuN.tmp\Un.exe).
bool IsUninstallerCopy(const QString& path) {
    static const QRegularExpression own(uR"((^|/)Temp/~nsu[^/]*\.tmp(/|$))"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    return own.match(path).hasMatch();
}

bool ReadRegistry(const QString& path, const QString& root, RegistryKeys& into) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    into.merge(ParseWineRegistry(file.readAll(), root));
    return true;
}

}  // namespace

int PrefixChanges::FileCount() const {
    return int(std::count_if(files.begin(), files.end(), [](const FileChange& change) { return !change.dir; }));
}

int PrefixChanges::FolderCount() const { return int(files.size()) - FileCount(); }

QStringList PrefixChanges::Shortcuts() const {
    QStringList shortcuts;
    for (const FileChange& change : files) {
        if (change.kind == ChangeKind::Added && !change.dir && change.path.endsWith(u".lnk"_s, Qt::CaseInsensitive))
            shortcuts << change.path;
    }
    return shortcuts;
}

FileTree ScanFileTree(const QString& driveC) {
    FileTree tree;
    const QString base = QDir(driveC).absolutePath() + u'/';
    QDirIterator it(driveC, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const bool dir = info.isDir() && !info.isSymLink();
        tree[info.absoluteFilePath().mid(base.size())] =
            FileEntry{dir, dir ? 0 : info.size(), dir ? 0 : info.lastModified().toMSecsSinceEpoch()};
    }
    return tree;
}

QList<FileChange> DiffFileTree(const FileTree& before, const FileTree& after) {
    QList<FileChange> changes;
    for (const auto& [path, entry] : after) {
        const auto old = before.find(path);
        if (old == before.end())
            changes.append({ChangeKind::Added, path, entry.dir});
        else if (old->second != entry)
            changes.append({ChangeKind::Changed, path, entry.dir});
    }
    for (const auto& [path, entry] : before) {
        if (!after.contains(path))
            changes.append({ChangeKind::Removed, path, entry.dir});
    }
    changes.removeIf([](const FileChange& change) { return IsUninstallerCopy(change.path); });
    std::sort(changes.begin(), changes.end(),
              [](const FileChange& a, const FileChange& b) { return a.path < b.path; });
    return changes;
}

PrefixSnapshot TakeSnapshot(const QString& prefix) {
    PrefixSnapshot snapshot;
    snapshot.files = ScanFileTree(prefix + u"/drive_c"_s);
    const bool machine = ReadRegistry(prefix + u"/system.reg"_s, u"HKLM"_s, snapshot.registry);
    const bool user = ReadRegistry(prefix + u"/user.reg"_s, u"HKCU"_s, snapshot.registry);
    snapshot.readable = machine && user;
    return snapshot;
}

PrefixChanges ComparePrefix(const PrefixSnapshot& before, const PrefixSnapshot& after) {
    return {DiffFileTree(before.files, after.files), DiffRegistry(before.registry, after.registry)};
}
