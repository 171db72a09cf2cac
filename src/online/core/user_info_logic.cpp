// CUserInfoLogic: the statistics-service client: sign-in state, the stored sign-in and the two requests.
#include "online/core/user_info_logic.h"

#include "config/core/configurator.h"
#include "online/core/http_request.h"
#include "online/core/password_digest.h"

#include <QPointer>

#include <utility>

CUserInfoLogic::CUserInfoLogic(Configurator& config, QUrl serviceUrl, int timeoutMs, QObject* parent)
    : QObject(parent),
      m_config(config),
      m_http(new HttpClient(this)),
      m_signInHttp(new HttpClient(this)),
      m_serviceUrl(std::move(serviceUrl)),
      m_timeoutMs(timeoutMs) {
    const LoginRecord& stored = config.Login();
    m_account = stored.email;
    m_password = stored.password;
    m_rememberAccount = stored.save != 0;
    m_autoLogin = stored.autoLogin != 0;
}

int CUserInfoLogic::CheckLogin() {
    if (m_state != 0 && m_autoLogin && !m_account.isEmpty() && !m_password.isEmpty())
        m_state = 0;
    return m_state;
}

void CUserInfoLogic::Login(const LoginAttempt& attempt, QObject* context, CodeHandler done) {
    if (attempt.account.isEmpty() || attempt.password.isEmpty()) {
        done(StatCode::BadParameters);
        return;
    }
    m_account = attempt.account;
    m_password = attempt.passwordIsDigest ? attempt.password : PasswordDigest(attempt.password);
    m_rememberAccount = attempt.rememberAccount;
    m_autoLogin = attempt.autoLogin;
    CancelRunningSignIn();
    const unsigned serial = m_signInSerial;
    // The outcome is recorded even when the dialog that asked is gone, unless it was cancelled.
    Request(*m_signInHttp, StatFunction::SignIn, this,
            [this, serial, target = QPointer<QObject>(context), guarded = context != nullptr, done = std::move(done)](
                int code, const StatResponse&) {
                if (serial != m_signInSerial)
                    return;
                if (code == StatCode::Ok)
                    m_state = 0;
                else
                    SignOutKeeping();
                Store();
                Q_EMIT SignInChanged();
                if (!guarded || target)
                    done(code);
            });
}

void CUserInfoLogic::CancelLogin() {
    CancelRunningSignIn();
    SignOutKeeping();
}

void CUserInfoLogic::CancelRunningSignIn() {
    // The aborted request still ends, and finds its outcome outdated.
    ++m_signInSerial;
    m_signInHttp->AbortAll();
}

void CUserInfoLogic::Logout() {
    SignOutKeeping();
    Store();
    Q_EMIT SignInChanged();
}

void CUserInfoLogic::GetStatList(QObject* context, ListHandler done) {
    if (CheckLogin() != 0) {
        done(-1, {});
        return;
    }
    Request(*m_http, StatFunction::StatList, context, [done = std::move(done)](int code, const StatResponse& answer) {
        done(code, code == StatCode::Ok ? answer.Items() : QList<StatItem>());
    });
}

UserInfoRecord CUserInfoLogic::GetUserInfo() const { return {m_account, m_password, m_rememberAccount, m_autoLogin}; }

void CUserInfoLogic::Request(HttpClient& http, StatFunction function, QObject* context,
                             std::function<void(int, const StatResponse&)> done) {
    const QByteArray request = FrameStatRequest(StatRequestBody(function, m_account, m_password));
    http.Send(m_serviceUrl, request, m_timeoutMs, context, [done = std::move(done)](const HttpResult& result) {
        const StatResponse answer(result.body);
        done(result.ok ? answer.Code() : StatCode::Transport, answer);
    });
}

void CUserInfoLogic::SignOutKeeping() {
    m_state = -1;
    m_autoLogin = false;
    m_password.clear();
    if (!m_rememberAccount)
        m_account.clear();
}

void CUserInfoLogic::Store() {
    LoginRecord& stored = m_config.Login();
    stored.email = m_rememberAccount ? m_account : QString();
    stored.password = m_rememberAccount && m_autoLogin ? m_password : QString();
    stored.save = m_rememberAccount ? 1 : 0;
    stored.autoLogin = m_rememberAccount && m_autoLogin ? 1 : 0;
    m_config.SaveUserInfo();
}
