// The stored form of the sign-in password: ANSI bytes, XOR with the program's key, base64 in lines.
#pragma once

#include <QByteArray>
#include <QString>

// XOR of byte i with byte (i mod 10) of the program's key; applying it twice restores the bytes.
// The statistics service shares the key, so its requests are scrambled by this same routine.
void ScrambleWithProgramKey(QByteArray& bytes);

QByteArray EncodePassword(const QString& password);
// Characters outside the base64 alphabet, line breaks included, are skipped.
QString DecodePassword(const QByteArray& stored);
