// CUserLogin: the sign-in dialog of the statistics service.
#include "online/ui/user_login_dlg.h"

#include "online/core/user_info.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxAccount = 80;
constexpr int kMaxPassword = 32;
constexpr int kMinAccount = 6;
constexpr int kMinPassword = 4;

const QString kCaption = u"用户登录"_s;

QLabel* LinkLabel(const QString& text, const QUrl& url, QWidget* parent) {
    auto* label =
        new QLabel(u"<a href=\"%1\">%2</a>"_s.arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), text), parent);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    return label;
}

}  // namespace

CUserLogin::CUserLogin(IUserInfo& user, Prompter& prompter, const OnlineServers& servers, QWidget* parent)
    : QDialog(parent),
      m_user(user),
      m_prompter(prompter),
      m_account(new QLineEdit(this)),
      m_password(new QLineEdit(this)),
      m_remember(new QCheckBox(u"记住我的账号"_s, this)),
      m_autoLogin(new QCheckBox(u"自动登录账号"_s, this)),
      m_login(new QPushButton(u"登   录"_s, this)),
      m_busy(new QProgressBar(this)),
      m_busyText(new QLabel(u"正在登录，请稍候…"_s, this)) {
    setWindowTitle(kCaption);
    m_account->setObjectName(u"account"_s);
    m_password->setObjectName(u"password"_s);
    m_remember->setObjectName(u"remember"_s);
    m_autoLogin->setObjectName(u"autoLogin"_s);
    m_login->setObjectName(u"login"_s);
    m_busy->setObjectName(u"busy"_s);
    m_account->setMaxLength(kMaxAccount);
    m_password->setMaxLength(kMaxPassword);
    m_password->setEchoMode(QLineEdit::Password);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_account->setFont(fixed);
    m_password->setFont(fixed);
    m_login->setDefault(true);
    // A range of 0..0 makes the bar show activity without a known end.
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    // The dialog keeps its size when the busy row comes and goes.
    for (QWidget* part : std::initializer_list<QWidget*>{m_busy, m_busyText}) {
        QSizePolicy policy = part->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        part->setSizePolicy(policy);
    }

    auto* form = new QFormLayout;
    form->addRow(u"用户账号："_s, m_account);
    form->addRow(u"登录密码："_s, m_password);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_remember);
    checks->addWidget(m_autoLogin);
    checks->addStretch();
    auto* links = new QHBoxLayout;
    links->addWidget(LinkLabel(u"没有账号？立即注册"_s, MakerPageUrl(servers, u"reg"_s), this));
    links->addStretch();
    links->addWidget(LinkLabel(u"忘记密码？马上找回"_s, MakerPageUrl(servers, u"repas"_s), this));
    auto* busyRow = new QHBoxLayout;
    busyRow->addWidget(m_busyText);
    busyRow->addWidget(m_busy, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(checks);
    layout->addLayout(busyRow);
    layout->addWidget(m_login, 0, Qt::AlignHCenter);
    layout->addLayout(links);
    resize(sizeHint().expandedTo(QSize(380, 0)));

    connect(m_autoLogin, &QCheckBox::toggled, this, &CUserLogin::OnAutoLoginToggled);
    connect(m_login, &QPushButton::clicked, this, &CUserLogin::OnLogin);
    FillFromStored();
    SetBusy(false);
}

void CUserLogin::FillFromStored() {
    const UserInfoRecord stored = m_user.GetUserInfo();
    if (stored.rememberAccount) {
        m_account->setText(stored.account);
        m_remember->setChecked(true);
    }
    if (stored.autoLogin) {
        m_storedDigest = stored.password;
        m_password->setText(stored.password);
        m_autoLogin->setChecked(true);
    }
    m_account->setFocus();
}

void CUserLogin::OnAutoLoginToggled(bool checked) {
    if (checked)
        m_remember->setChecked(true);
    m_remember->setEnabled(!checked);
}

void CUserLogin::Refuse(const QString& text, QLineEdit* field) {
    m_prompter.Ask(text, kCaption, PromptIcon::Warning, PromptButtons::Ok);
    field->setFocus();
    field->selectAll();
}

void CUserLogin::OnLogin() {
    const QString account = m_account->text().trimmed();
    const QString password = m_password->text();
    if (account.size() < kMinAccount) {
        Refuse(u"请输入有效的登录账号！"_s, m_account);
        return;
    }
    if (password.size() < kMinPassword) {
        Refuse(u"请输入有效的登录密码！"_s, m_password);
        return;
    }
    LoginAttempt attempt{account, password, m_remember->isChecked(), m_autoLogin->isChecked(),
                         !m_storedDigest.isEmpty() && password == m_storedDigest};
    SetBusy(true);
    m_user.Login(attempt, this, [this](int code) { OnLoginDone(code); });
}

void CUserLogin::OnLoginDone(int code) {
    SetBusy(false);
    m_lastCode = code;
    if (code == 0) {
        accept();
        return;
    }
    m_prompter.Ask(StatCodeMessage(code), kCaption, PromptIcon::Error, PromptButtons::Ok);
    m_password->setFocus();
    m_password->selectAll();
}

void CUserLogin::done(int result) {
    // Closed while the service is asked: that sign-in ends with the dialog.
    if (m_signingIn)
        m_user.CancelLogin();
    SetBusy(false);
    QDialog::done(result);
}

void CUserLogin::SetBusy(bool busy) {
    m_signingIn = busy;
    m_busy->setVisible(busy);
    m_busyText->setVisible(busy);
    for (QWidget* input : std::initializer_list<QWidget*>{m_account, m_password, m_autoLogin, m_login})
        input->setEnabled(!busy);
    m_remember->setEnabled(!busy && !m_autoLogin->isChecked());
}
