// CUserLogin: the sign-in dialog of the statistics service.
#pragma once

#include "online/core/online_servers.h"

#include <QDialog>

class IUserInfo;
class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class CUserLogin : public QDialog {
    Q_OBJECT
public:
    CUserLogin(IUserInfo& user, Prompter& prompter, const OnlineServers& servers, QWidget* parent);

    // The code of the last sign-in attempt; 0 before any.
    int LastCode() const { return m_lastCode; }

    void done(int result) override;

private:
    void FillFromStored();
    void OnAutoLoginToggled(bool checked);
    void OnLogin();
    void OnLoginDone(int code);
    void SetBusy(bool busy);
    void Refuse(const QString& text, QLineEdit* field);

    IUserInfo& m_user;
    Prompter& m_prompter;
    QLineEdit* m_account;
    QLineEdit* m_password;
    QCheckBox* m_remember;
    QCheckBox* m_autoLogin;
    QPushButton* m_login;
    QProgressBar* m_busy;
    QLabel* m_busyText;
    QString m_storedDigest;  // filled in at opening; sent as it is while untouched
    int m_lastCode = 0;
    bool m_signingIn = false;
};
