// What a wine prefix holds at one moment (drive_c's files, the machine and user registry), and what changed between two moments.
#pragma once

#include "compiler/core/wine_registry.h"

#include <QList>
#include <QString>

#include <map>

struct FileEntry {
    bool dir = false;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    bool operator==(const FileEntry&) const = default;
};

// Paths relative to drive_c with "/" separators.
using FileTree = std::map<QString, FileEntry>;

struct FileChange {
    ChangeKind kind = ChangeKind::Added;
    QString path;
    bool dir = false;
    bool operator==(const FileChange&) const = default;
};

struct PrefixSnapshot {
    FileTree files;
    RegistryKeys registry;  // HKLM from system.reg and HKCU from user.reg
    bool readable = false;  // both registry files could be read
};

struct PrefixChanges {
    QList<FileChange> files;
    QList<RegistryChange> registry;

    int FileCount() const;
    int FolderCount() const;
    int RegistryCount() const { return int(registry.size()); }
    // The shortcuts (.lnk) among the files added.
    QStringList Shortcuts() const;
    bool IsEmpty() const { return files.isEmpty() && registry.isEmpty(); }
};

// Files and folders below driveC; symbolic links are listed, never followed.
FileTree ScanFileTree(const QString& driveC);

// Added and removed entries, and files whose size or time changed. NSIS's own
// temporary copy of a running uninstaller is left out.
QList<FileChange> DiffFileTree(const FileTree& before, const FileTree& after);

PrefixSnapshot TakeSnapshot(const QString& prefix);
PrefixChanges ComparePrefix(const PrefixSnapshot& before, const PrefixSnapshot& after);
