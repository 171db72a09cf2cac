// The folder of NSIS's own headers and examples, as the installed makensis reports it.
#pragma once

#include "support/run_tool.h"

#include <QRegularExpression>
#include <QString>

// What makensis -HDRINFO prints.
inline QByteArray HdrInfo() {
    return RunTool(QStringLiteral("makensis"), {QStringLiteral("-HDRINFO")}, {.stdoutOnly = true}).output;
}

// NSISDIR from makensis -HDRINFO; empty when makensis cannot say.
inline QString NsisDir() {
    const QString output = QString::fromLocal8Bit(HdrInfo());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("NSISDIR=([^,\\r\\n]+)")).match(output);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}
