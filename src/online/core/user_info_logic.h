// CUserInfoLogic: the statistics-service client: sign-in state, the stored sign-in and the two requests.
#pragma once

#include "online/core/user_info.h"

#include <QUrl>

class Configurator;
class HttpClient;

class CUserInfoLogic : public QObject, public IUserInfo {
    Q_OBJECT
public:
    // Starts from the sign-in stored in config; serviceUrl is the address of
    // the service's request page, timeoutMs the time-out of each request.
    CUserInfoLogic(Configurator& config, QUrl serviceUrl, int timeoutMs, QObject* parent = nullptr);

    int CheckLogin() override;
    void Login(const LoginAttempt& attempt, QObject* context, CodeHandler done) override;
    void CancelLogin() override;
    void Logout() override;
    void GetStatList(QObject* context, ListHandler done) override;
    UserInfoRecord GetUserInfo() const override;

Q_SIGNALS:
    // After every sign-in attempt and sign-out: the frame refreshes its status and menu.
    void SignInChanged();

private:
    void Request(HttpClient& http, StatFunction function, QObject* context,
                 std::function<void(int code, const StatResponse& answer)> done);
    void SignOutKeeping();
    void CancelRunningSignIn();
    void Store();

    Configurator& m_config;
    HttpClient* m_http;
    HttpClient* m_signInHttp;     // sign-ins only, so that cancelling one leaves the lists alone
    unsigned m_signInSerial = 0;  // of the sign-in whose outcome counts
    QUrl m_serviceUrl;
    int m_timeoutMs;
    int m_state = -1;
    QString m_account;
    QString m_password;  // the digest, never the typed password
    bool m_rememberAccount = false;
    bool m_autoLogin = false;
};
