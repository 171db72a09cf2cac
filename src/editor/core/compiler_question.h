// AskCompilerFromWorker: one question to makensis from a worker thread, given up when the thread is told to quit.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <atomic>
#include <optional>

// The compiler's output for option (stderr too when merged); nothing when it
// cannot start or quit turns true first, in which case it is killed.
std::optional<QByteArray> AskCompilerFromWorker(const QString& compilerPath, const QString& option,
                                                QProcess::ProcessChannelMode channels, const std::atomic<bool>& quit);
