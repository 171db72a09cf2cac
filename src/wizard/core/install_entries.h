// Rules of the wizard's files page: building install entries and keeping the group list.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QList>
#include <QString>
#include <QStringList>

// Index of the last path separator of a source path ('/' or '\'); -1 when there is none.
qsizetype LastSeparator(const QString& path);
// The part of a source path after its last separator.
QString SourceFileName(const QString& source);
// Where the entry lands on the target machine: destDir, a backslash and the source's name.
QString InstalledPath(const QString& source, const QString& destDir);

// One single-file entry per ";"-separated path of sourceText; blank pieces add nothing.
QList<InstallFile> FileEntries(const QString& sourceText, const QString& destDir, OverwriteMode mode);
// One single-file entry per path, each taken whole (a Linux name may hold ";").
QList<InstallFile> FileEntries(const QStringList& paths, const QString& destDir, OverwriteMode mode);
// The entry for a whole directory: the directory followed by "\*.*".
InstallFile DirectoryEntry(const QString& dir, const QString& destDir, OverwriteMode mode, bool recursive);
// One single-file entry per file of dir as it is on disk now; with subdirectories, their
// files land in the same-named subfolders of destDir.
QList<InstallFile> EachFileEntries(const QString& dir, const QString& destDir, OverwriteMode mode,
                                   bool withSubdirectories);

// What the add and edit dialog of the files page gathers.
enum class EntryKind { Files, Directory };
struct EntryInput {
    EntryKind kind = EntryKind::Files;
    QString source;  // files: paths separated by ";"; directory: the directory
    QString destDir = QStringLiteral("$INSTDIR");
    OverwriteMode overwrite = OverwriteMode::IfNewer;
    bool recursive = false;
    bool eachFile = false;  // a directory's files one by one instead of the whole directory
    // Files picked in the file dialog (or the entry edited), each whole; used
    // instead of source while source is still the text they were shown as
    // (joined by ";"), which a name holding ";" would not split back into.
    QStringList chosenFiles = {};
};
// The dialog's fields for an entry that is edited.
EntryInput InputOf(const InstallFile& entry);
// The entries the dialog's fields stand for; an empty source stands for none.
QList<InstallFile> EntriesFrom(const EntryInput& input);

// Appends the entries whose source is not listed in the group yet; returns how many were added.
int AddEntries(InstallGroup& group, const QList<InstallFile>& entries);
// Puts the entries in place of the one at row, leaving out sources the other rows list.
void ReplaceEntry(InstallGroup& group, int row, const QList<InstallFile>& entries);
// The first source of entries that listed holds; empty when none.
QString FirstListedSource(const QList<InstallFile>& entries, const QStringList& listed);
// Removes the entries at the given rows (any order, duplicates allowed).
void RemoveEntries(InstallGroup& group, QList<int> rows);

// The only group may not be deleted.
bool CanDeleteGroup(const QList<InstallGroup>& groups);
// Deletes the group and returns the row to select next (the previous one, else the first);
// -1 when nothing was deleted.
int DeleteGroup(QList<InstallGroup>& groups, int row);

// Leaving the files page forgets the main program; the shortcuts page finds it again.
void LeaveFilesPage(WizardData& data);
