// Starting a built installer.
#pragma once

#include <QString>

enum class RunInstallerResult { Started, NoInstaller, NoWine, Failed };

// The message shown when an installer cannot run because wine is missing.
QString NoWineMessage();

// Starts the installer at installerPath through wine (wineProgram: the wine
// found on PATH, or empty when there is none); nothing waits for it.
RunInstallerResult RunInstaller(const QString& installerPath, const QString& wineProgram);

// The wine on PATH, or empty.
QString FindWine();
