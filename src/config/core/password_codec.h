// The stored form of the sign-in password: ANSI bytes, XOR with the program's key, base64 in lines.
#pragma once

#include <QByteArray>
#include <QString>

QByteArray EncodePassword(const QString& password);
// Characters outside the base64 alphabet, line breaks included, are skipped.
QString DecodePassword(const QByteArray& stored);
