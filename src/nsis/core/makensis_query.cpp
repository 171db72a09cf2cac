// Asking the installed makensis about itself.
#include "nsis/core/makensis_query.h"

#include <QFileInfo>
#include <QProcess>

std::optional<QByteArray> QueryMakensis(const QString& makensisPath, const QString& option, int timeoutMs) {
    if (makensisPath.isEmpty() || !QFileInfo(makensisPath).isExecutable())
        return std::nullopt;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(makensisPath, {option});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return process.readAll();
}
