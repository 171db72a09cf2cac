// Asking the installed makensis about itself: one short run with one switch and a time limit.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What makensis printed for the switch (-VERSION, -HDRINFO); nothing when it cannot
// run, crashes or does not finish within timeoutMs.
std::optional<QByteArray> QueryMakensis(const QString& makensisPath, const QString& option, int timeoutMs);
