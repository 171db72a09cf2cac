// NSIS's own headers as one text: the real scripts the outline, the lexer and the benchmarks meet most.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>

// Every installed .nsh, each followed by a line end; empty without an installation.
inline QByteArray NsisHeadersText() {
    QByteArray text;
    const QDir include(QStringLiteral("/usr/share/nsis/Include"));
    for (const QString& name : include.entryList({QStringLiteral("*.nsh")}, QDir::Files)) {
        QFile file(include.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += file.readAll() + "\n";
    }
    return text;
}
