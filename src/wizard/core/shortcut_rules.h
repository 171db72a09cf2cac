// Rules of the wizard's shortcut and run pages: the main program, the default shortcuts, the choice lists.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QList>
#include <QString>
#include <QStringList>

// False when the link lies directly in one of the folders every Windows system has.
bool NeedsFolder(const QString& linkPath);
ShortcutItem MakeShortcut(const QString& linkPath, const QString& target);

struct ShortcutPageState {
    QString mainExeName;
    QString mainExePath;
    QList<ShortcutItem> shortcuts;
};

// What the shortcuts page shows on entry: per group, its first ".exe" gives the main program
// (later groups win) and a start menu and a desktop shortcut to it, named after the product.
ShortcutPageState RebuildShortcuts(const QString& appName, const QList<InstallGroup>& groups);
// Applies RebuildShortcuts to the record, as entering the page does.
void EnterShortcutPage(WizardData& data);

// Installed paths of every ".exe" entry: the run page's program list and the link targets.
QStringList ExecutablePaths(const QList<InstallGroup>& groups);
// Installed paths of every ".txt" and ".rtf" entry: the run page's readme list.
QStringList ReadmePaths(const QList<InstallGroup>& groups);
