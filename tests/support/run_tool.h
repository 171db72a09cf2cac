// Runs a program to its end for a test: its exit code and what it printed.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ToolRun {
    int exitCode = -1;  // -1 when it crashed or did not finish
    QByteArray output;  // standard output, with standard error unless stdoutOnly
};

struct ToolOptions {
    QString workDir = {};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    bool stdoutOnly = false;
    int timeoutMs = 240000;
};

// The system's environment without a display, with a home folder of the test's.
inline QProcessEnvironment WithoutDisplay(const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    return environment;
}

inline ToolRun RunTool(const QString& program, const QStringList& arguments, const ToolOptions& options = {}) {
    QProcess process;
    process.setWorkingDirectory(options.workDir);
    process.setProcessEnvironment(options.environment);
    process.setProcessChannelMode(options.stdoutOnly ? QProcess::SeparateChannels : QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
        return {-1, "did not start or did not finish"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput()};
}
