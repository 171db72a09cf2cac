// The folder of NSIS's own headers and examples, as the installed makensis reports it.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

// NSISDIR from makensis -HDRINFO; empty when makensis cannot say.
inline QString NsisDir() {
    QProcess makensis;
    makensis.start(QStringLiteral("makensis"), {QStringLiteral("-HDRINFO")});
    if (!makensis.waitForFinished(30000))
        return {};
    const QString output = QString::fromLocal8Bit(makensis.readAllStandardOutput());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("NSISDIR=([^,\\r\\n]+)")).match(output);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}
