// Starting a built installer, and the compile commands' enabled states.
#include "compiler/core/installer_runner.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString NoWineMessage() {
    return QStringLiteral(
        "无法运行安装程序：没有找到 wine。\n请先安装 wine（例如 sudo apt install wine），再运行安装程序。");
}

RunInstallerResult RunInstaller(const QString& installerPath, const QString& wineProgram) {
    if (installerPath.isEmpty() || !QFileInfo(installerPath).isFile())
        return RunInstallerResult::NoInstaller;
    if (wineProgram.isEmpty())
        return RunInstallerResult::NoWine;
    const bool started = QProcess::startDetached(wineProgram, {installerPath});
    return started ? RunInstallerResult::Started : RunInstallerResult::Failed;
}

QString FindWine() { return QStandardPaths::findExecutable(QStringLiteral("wine")); }
