// HandOverMessage: what a second start passes to the first, and its wire form.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct HandOverMessage {
    bool compile = false;
    QString path;
};

// Wire form: identifier (uint32 LE), byte count (uint32 LE), then the UTF-16 LE
// text "1"/"0" + path with its terminator, the count including it.
QByteArray EncodeHandOver(int identifier, const QString& text);
inline constexpr int kMaxHandOverBytes = 64 * 1024;
inline constexpr int kHandOverHeaderBytes = 8;

enum class HandOverRead {
    NeedMore,   // the message is not complete yet
    Malformed,  // the header cannot start a message: drop the connection
    Ignored,    // a whole message, but foreign or not a terminated string
    Message,
};

struct DecodedHandOver {
    HandOverRead read = HandOverRead::NeedMore;
    qsizetype bytes = 0;  // what the message took from the input, once whole
    HandOverMessage message;
};

// Reads one message from the start of bytes, which may hold less or more.
DecodedHandOver DecodeHandOver(QByteArrayView bytes);
