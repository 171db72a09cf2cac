// The test run's report: what the installer wrote and what its uninstaller left behind, as text, JSON and an exit code.
#pragma once

#include "compiler/core/prefix_snapshot.h"

#include <QByteArray>
#include <QString>

enum class StepOutcome { NotRun, Finished, TimedOut, Stopped, Failed };

struct RoundTripStep {
    StepOutcome outcome = StepOutcome::NotRun;
    int exitCode = -1;
    QString detail;  // why it did not run or failed
};

struct RoundTripReport {
    QString installerPath;
    QString problem;  // set when the round trip could not run at all
    RoundTripStep install;
    RoundTripStep uninstall;
    PrefixChanges installed;   // after installing, against the fresh prefix
    PrefixChanges leftovers;   // after uninstalling, against the fresh prefix
    QString uninstallString;
    QString keptPrefix;  // the prefix left for a look; empty once removed
    int limitSeconds = 0;
    bool headless = false;  // no X display: windows the installer opens fail at once

    bool CouldNotRun() const { return !problem.isEmpty(); }
    bool Succeeded() const;
};

// 0: both steps succeeded and nothing was left behind; 1: something was left
// behind or a step failed; 2: the round trip could not run.
int RoundTripExitCode(const RoundTripReport& report);

// "安装: 退出码 0, 写入 132 个文件, 4 个注册表项", or what happened instead.
QString InstallSummary(const RoundTripReport& report);
// "卸载: 遗留 2 个文件, 1 个注册表项", or what happened instead.
QString UninstallSummary(const RoundTripReport& report);

// The whole report as plain text, lists included.
QString RoundTripText(const RoundTripReport& report);
QByteArray RoundTripJson(const RoundTripReport& report);

// "+", "~" or "-" before a path in the lists.
QString ChangeMark(ChangeKind kind);
// A path of drive_c as Windows names it: "C:\Program Files\App\a.txt".
QString WindowsPath(const QString& driveCPath);
