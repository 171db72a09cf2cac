// Where the configuration files live and where NSIS and its manual are found.
#pragma once

#include <QString>
#include <QStringList>

// The three files the program keeps in its folder.
QStringList ConfigFileNames();

// programFolder when it is writable; otherwise userFolder, into which the
// files missing there are copied first. Falls back to programFolder when the
// copy cannot be made, so the files are at least read.
QString ChooseConfigFolder(const QString& programFolder, const QString& userFolder);

// programFolder when it holds makensis, else the folder of makensis on PATH, else "".
QString FindNsisFolder(const QString& programFolder);

// The start page of the HTML manual of Debian's nsis-doc package, or "".
QString FindNsisManual();

// $XDG_CONFIG_HOME/scrivo, by default ~/.config/scrivo: where an installed copy keeps its files.
QString DefaultUserConfigFolder();

// Where the shipped XML files lie: the executable's folder (a build tree), else
// <prefix>/share/scrivo for an executable installed as <prefix>/bin/scrivo.
QString ProgramDataFolder(const QString& executableFolder);
