// IUserInfo: the statistics-service user as the rest of the program sees it: sign-in state, account and numbers.
#pragma once

#include "online/core/stat_protocol.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// The account and the flags the sign-in dialog starts from; password is the stored digest.
struct UserInfoRecord {
    QString account;
    QString password;
    bool rememberAccount = false;
    bool autoLogin = false;
};

// What the sign-in dialog hands over. passwordIsDigest: the text is the
// stored digest the dialog was opened with, not a typed password.
struct LoginAttempt {
    QString account;
    QString password;
    bool rememberAccount = false;
    bool autoLogin = false;
    bool passwordIsDigest = false;
};

// Requests run in the background; each handler runs once on the UI thread,
// unless its context object has been destroyed by then.
class IUserInfo {
public:
    using CodeHandler = std::function<void(int code)>;
    using ListHandler = std::function<void(int code, const QList<StatItem>& items)>;

    virtual ~IUserInfo() = default;
    // 0 when signed in; a stored automatic sign-in counts without a request.
    virtual int CheckLogin() = 0;
    // A sign-in still running is cancelled first: only one runs at a time.
    virtual void Login(const LoginAttempt& attempt, QObject* context, CodeHandler done) = 0;
    // Ends a running sign-in: its request is aborted, its outcome dropped, the user stays signed out.
    virtual void CancelLogin() = 0;
    virtual void Logout() = 0;
    // -1 without a request while signed out.
    virtual void GetStatList(QObject* context, ListHandler done) = 0;
    virtual UserInfoRecord GetUserInfo() const = 0;
};
