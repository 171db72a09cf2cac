// HandOverMessage: what a second start passes to the first, and its wire form.
#include "app/core/hand_over_message.h"

#include "app/core/command_ids.h"

#include <QtEndian>

QByteArray EncodeHandOver(int identifier, const QString& text) {
    const quint32 count = quint32((text.size() + 1) * 2);
    QByteArray bytes(kHandOverHeaderBytes, '\0');
    qToLittleEndian<quint32>(quint32(identifier), bytes.data());
    qToLittleEndian<quint32>(count, bytes.data() + 4);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        bytes.append(char(unit & 0xFF));
        bytes.append(char(unit >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

DecodedHandOver DecodeHandOver(QByteArrayView bytes) {
    DecodedHandOver decoded;
    if (bytes.size() < kHandOverHeaderBytes)
        return decoded;
    const quint32 identifier = qFromLittleEndian<quint32>(bytes.data());
    const quint32 count = qFromLittleEndian<quint32>(bytes.data() + 4);
    if (count < 2 || count % 2 != 0 || count > quint32(kMaxHandOverBytes)) {
        decoded.read = HandOverRead::Malformed;
        return decoded;
    }
    if (bytes.size() < qsizetype(kHandOverHeaderBytes + count))
        return decoded;
    decoded.bytes = kHandOverHeaderBytes + count;

    const auto* units = reinterpret_cast<const uchar*>(bytes.data() + kHandOverHeaderBytes);
    QString text;
    for (quint32 i = 0; i + 1 < count; i += 2)
        text.append(QChar(char16_t(units[i] | (units[i + 1] << 8))));
    if (identifier != quint32(COPYDATA_OPEN_FILE) || !text.endsWith(QChar(0))) {
        decoded.read = HandOverRead::Ignored;
        return decoded;
    }
    text.chop(1);
    // Anything after an embedded terminator is not part of the string.
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        text.truncate(nul);
    decoded.read = HandOverRead::Message;
    decoded.message.compile = text.startsWith(u'1');
    decoded.message.path = text.mid(1);
    return decoded;
}
