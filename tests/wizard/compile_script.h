// Builds a script with the installed makensis in a temporary folder and reports what happened.
#pragma once

#include "support/test_files.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

struct ScriptBuild {
    int exitCode = -1;
    QString output;
    bool installerWritten = false;
    QByteArray installer;  // the built setup.exe
};

inline ScriptBuild CompileScript(const QString& script) {
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString file = dir.filePath("setup.nsi");
    if (!WriteBytes(file, script.toUtf8()))
        return {};
    const QString makensis = QStandardPaths::findExecutable("makensis");
    ScriptBuild build;
    if (makensis.isEmpty()) {
        build.output = "makensis not found";
        return build;
    }
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(makensis, {"-V2", "-INPUTCHARSET", "UTF8", "--", file});
    if (!process.waitForFinished(120000)) {
        build.output = "makensis did not finish";
        return build;
    }
    const QString installer = dir.filePath("setup.exe");
    build.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    build.output = QString::fromUtf8(process.readAll());
    build.installerWritten = QFile::exists(installer);
    if (build.installerWritten)
        build.installer = ReadBytes(installer);
    return build;
}
