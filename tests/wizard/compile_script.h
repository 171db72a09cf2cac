// Builds a script with the installed makensis in a temporary folder and reports what happened.
#pragma once

#include "support/run_tool.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>

struct ScriptBuild {
    int exitCode = -1;
    QString output;
    bool installerWritten = false;
    QByteArray installer;  // the built setup.exe
};

inline ScriptBuild CompileScript(const QString& script) {
    QTemporaryDir dir;
    const QString file = dir.filePath("setup.nsi");
    if (!dir.isValid() || !WriteBytes(file, script.toUtf8()))
        return {};
    const ToolRun run = RunTool("makensis", {"-V2", "-INPUTCHARSET", "UTF8", "--", file}, {.workDir = dir.path()});
    const QString installer = dir.filePath("setup.exe");
    ScriptBuild build{run.exitCode, QString::fromUtf8(run.output), QFile::exists(installer), {}};
    if (build.installerWritten)
        build.installer = ReadBytes(installer);
    return build;
}
