// The password digest the statistics service knows a user's password by.
#include "online/core/password_digest.h"

#include <QCryptographicHash>

namespace {
// The service salts with the same two texts; they must not change without it.
constexpr char kPrefix[] = "www.scrivo.app.";
constexpr char kSuffix[] = ".instsvc.scrivo.io";
static_assert(sizeof(kPrefix) - 1 == 15 && sizeof(kSuffix) - 1 == 18);
}  // namespace

QString PasswordDigest(const QString& password) {
    const QByteArray salted = QByteArray(kPrefix) + password.toUtf8() + QByteArray(kSuffix);
    return QString::fromLatin1(QCryptographicHash::hash(salted, QCryptographicHash::Md5).toHex());
}
