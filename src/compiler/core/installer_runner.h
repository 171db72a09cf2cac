// Starting a built installer, and the compile commands' enabled states.
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

struct CompileCommandStates {
    bool compile = false;  // also compile-and-run and open-folder
    bool stop = false;
    bool runInstaller = false;
};

// documentPath empty: an untitled document, which compiling saves first.
CompileCommandStates ComputeCompileCommandStates(const QString& documentPath, bool compiling,
                                                 const QString& installerPath);
