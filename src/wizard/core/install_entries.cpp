// Rules of the wizard's files page.
#include "wizard/core/install_entries.h"

#include "wizard/core/list_rows.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

QString SourceFileName(const QString& source) { return source.mid(LastSeparator(source) + 1); }

QString InstalledPath(const QString& source, const QString& destDir) {
    // The installed path is a path on the target machine, so it always takes NSIS's backslash.
    return destDir + QLatin1Char('\\') + SourceFileName(source);
}

namespace {
InstallFile SingleFile(const QString& source, const QString& destDir, OverwriteMode mode) {
    return InstallFile{source, destDir, InstalledPath(source, destDir), mode, false, true};
}

QString WithoutTrailingSeparator(QString dir) {
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    return dir;
}

void CollectFiles(const QString& dir, const QString& destDir, OverwriteMode mode, bool withSubdirectories,
                  QList<InstallFile>& out) {
    // Sorted by name so that the same folder always gives the same script.
    const QDir folder(dir);
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& file : files)
        out.append(SingleFile(file.filePath(), destDir, mode));
    if (!withSubdirectories)
        return;
    const QStringList subdirectories =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QString& name : subdirectories)
        CollectFiles(folder.filePath(name), destDir + QLatin1Char('\\') + name, mode, true, out);
}

// Inserts at `at` the entries whose source the group does not list yet.
int InsertUnlisted(InstallGroup& group, qsizetype at, const QList<InstallFile>& entries) {
    QSet<QString> listed;
    for (const InstallFile& file : group.files)
        listed.insert(file.source);
    int added = 0;
    for (const InstallFile& entry : entries) {
        if (listed.contains(entry.source))
            continue;
        listed.insert(entry.source);
        group.files.insert(at++, entry);
        ++added;
    }
    return added;
}
}  // namespace

QList<InstallFile> FileEntries(const QString& sourceText, const QString& destDir, OverwriteMode mode) {
    return FileEntries(sourceText.split(QLatin1Char(';')), destDir, mode);
}

QList<InstallFile> FileEntries(const QStringList& paths, const QString& destDir, OverwriteMode mode) {
    QList<InstallFile> entries;
    for (const QString& piece : paths) {
        const QString source = piece.trimmed();
        if (!source.isEmpty())
            entries.append(SingleFile(source, destDir, mode));
    }
    return entries;
}

InstallFile DirectoryEntry(const QString& dir, const QString& destDir, OverwriteMode mode, bool recursive) {
    const QString source = WithoutTrailingSeparator(dir.trimmed()) + QStringLiteral("\\*.*");
    return InstallFile{source, destDir, InstalledPath(source, destDir), mode, recursive, false};
}

QList<InstallFile> EachFileEntries(const QString& dir, const QString& destDir, OverwriteMode mode,
                                   bool withSubdirectories) {
    QList<InstallFile> entries;
    CollectFiles(WithoutTrailingSeparator(dir.trimmed()), destDir, mode, withSubdirectories, entries);
    return entries;
}

EntryInput InputOf(const InstallFile& entry) {
    EntryInput input;
    input.kind = entry.isFile ? EntryKind::Files : EntryKind::Directory;
    input.source = entry.isFile ? entry.source : entry.source.chopped(std::min<qsizetype>(4, entry.source.size()));
    if (entry.isFile)
        input.chosenFiles = {entry.source};
    input.destDir = entry.destDir;
    input.overwrite = entry.overwrite;
    input.recursive = entry.recursive;
    return input;
}

QList<InstallFile> EntriesFrom(const EntryInput& input) {
    const QString destDir = input.destDir.trimmed();
    if (input.kind == EntryKind::Files && !input.chosenFiles.isEmpty()
        && input.source == input.chosenFiles.join(QLatin1Char(';')))
        return FileEntries(input.chosenFiles, destDir, input.overwrite);
    if (input.kind == EntryKind::Files)
        return FileEntries(input.source, destDir, input.overwrite);
    if (input.source.trimmed().isEmpty())
        return {};
    if (input.eachFile)
        return EachFileEntries(input.source, destDir, input.overwrite, input.recursive);
    return {DirectoryEntry(input.source, destDir, input.overwrite, input.recursive)};
}

int AddEntries(InstallGroup& group, const QList<InstallFile>& entries) {
    return InsertUnlisted(group, group.files.size(), entries);
}

void ReplaceEntry(InstallGroup& group, int row, const QList<InstallFile>& entries) {
    if (row < 0 || row >= group.files.size())
        return;
    group.files.removeAt(row);
    InsertUnlisted(group, row, entries);
}

QString FirstListedSource(const QList<InstallFile>& entries, const QStringList& listed) {
    for (const InstallFile& entry : entries) {
        if (listed.contains(entry.source))
            return entry.source;
    }
    return {};
}

void RemoveEntries(InstallGroup& group, QList<int> rows) { RemoveRows(group.files, std::move(rows)); }

bool CanDeleteGroup(const QList<InstallGroup>& groups) { return groups.size() >= 2; }

int DeleteGroup(QList<InstallGroup>& groups, int row) {
    if (!CanDeleteGroup(groups) || row < 0 || row >= groups.size())
        return -1;
    groups.removeAt(row);
    return row > 0 ? row - 1 : 0;
}

void LeaveFilesPage(WizardData& data) {
    data.mainExeName.clear();
    data.mainExePath.clear();
}
