// AskCompilerFromWorker: one question to makensis from a worker thread, given up when the thread is told to quit.
#include "editor/core/compiler_question.h"

#include <QEventLoop>

namespace {
constexpr int kPollMs = 100;
}

std::optional<QByteArray> AskCompilerFromWorker(const QString& compilerPath, const QString& option,
                                                QProcess::ProcessChannelMode channels, const std::atomic<bool>& quit) {
    // QProcess needs an event dispatcher on this thread; an event loop makes one.
    QEventLoop dispatcherOwner;
    QProcess process;
    process.setProcessChannelMode(channels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(compilerPath, {option});
    if (!process.waitForStarted(-1))
        return std::nullopt;
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(kPollMs)) {
        if (quit) {
            process.kill();
            process.waitForFinished(-1);
            return std::nullopt;
        }
    }
    return process.readAllStandardOutput();
}
