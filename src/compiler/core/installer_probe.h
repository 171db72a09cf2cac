// Facts about a built installer and a script that the test run needs: the installer's machine, the registered uninstaller, the directory choice.
#pragma once

#include "compiler/core/wine_registry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class ExeMachine { Unknown, X86, Amd64, Arm64 };

// The machine a Windows executable's PE header names; Unknown for anything else.
ExeMachine ReadExeMachine(const QByteArray& fileStart);
ExeMachine ReadExeMachineOf(const QString& path);

// The ELF class of a Linux program: 32, 64, or 0 when it is no ELF file.
int ReadElfClass(const QByteArray& fileStart);

struct WindowsCommand {
    QString program;  // a Windows path
    QStringList arguments;
    bool IsEmpty() const { return program.isEmpty(); }
};

// An UninstallString as Windows reads it: a quoted program, or an unquoted one
// up to ".exe", then the arguments separated by blanks.
WindowsCommand ParseUninstallString(const QString& text);

// The UninstallString of an Uninstall key (either hive, 64- or 32-bit view)
// that the installation added; empty when it registered none.
QString FindUninstallString(const QList<RegistryChange>& installChanges);

// Whether /D= means something to the installer: the script sets an install
// folder or shows a directory page.
bool ScriptChoosesDirectory(const QString& script);
// The same for a script file, read in the encoding its byte order mark names (UTF-8 without one).
bool ScriptFileChoosesDirectory(const QString& path);
