// The password digest the statistics service knows a user's password by.
#pragma once

#include <QString>

// MD5 over a fixed prefix, the UTF-8 password and a fixed suffix, as 32 lowercase hex digits.
QString PasswordDigest(const QString& password);
