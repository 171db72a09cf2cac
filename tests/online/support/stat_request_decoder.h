// Reads a statistics request as the service does: checks the CRC, unscrambles, splits the fields.
#pragma once

#include "config/core/password_codec.h"

#include <QByteArray>
#include <QString>
#include <zlib.h>

struct DecodedStatRequest {
    bool crcMatches = false;
    QByteArray body;  // unscrambled
    int function = 0;
    QString email;
    QString pwd;
};

inline DecodedStatRequest DecodeStatRequest(const QByteArray& sent) {
    DecodedStatRequest request;
    const qsizetype newline = sent.indexOf('\n');
    if (!sent.startsWith('#') || newline < 0)
        return request;
    const quint32 crc = sent.mid(1, newline - 1).toUInt();
    request.body = sent.mid(newline + 1);
    ScrambleWithProgramKey(request.body);
    request.crcMatches =
        crc == crc32(0L, reinterpret_cast<const Bytef*>(request.body.constData()), uInt(request.body.size()));
    for (const QByteArray& line : request.body.split('\n')) {
        if (line.startsWith("f:"))
            request.function = line.mid(2).toInt();
        else if (line.startsWith("email:"))
            request.email = QString::fromUtf8(line.mid(6));
        else if (line.startsWith("pwd:"))
            request.pwd = QString::fromUtf8(line.mid(4));
    }
    return request;
}
