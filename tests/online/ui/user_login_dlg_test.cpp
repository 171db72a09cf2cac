// The sign-in dialog against the loopback service: field checks, stored sign-in, messages, busy state.
#include "support/url_recorder.h"
#include "support/eventually.h"
#include "online/core/password_digest.h"
#include "online/support/online_fixture.h"
#include "online/ui/user_login_dlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class UserLoginTest : public OnlineTest {
protected:
    void Open(int timeoutMs = 8000) {
        m_user = NewUser(timeoutMs);
        m_dialog = std::make_unique<CUserLogin>(*m_user, m_prompter, Servers(), nullptr);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    template <class T>
    T* Find(const char* name) const {
        return m_dialog->findChild<T*>(QLatin1StringView(name));
    }
    QLineEdit* Account() const { return Find<QLineEdit>("account"); }
    QLineEdit* Password() const { return Find<QLineEdit>("password"); }
    QCheckBox* Remember() const { return Find<QCheckBox>("remember"); }
    QCheckBox* AutoLogin() const { return Find<QCheckBox>("autoLogin"); }
    void Submit(const QString& account, const QString& password) {
        Account()->setText(account);
        Password()->setText(password);
        QTest::mouseClick(Find<QPushButton>("login"), Qt::LeftButton);
    }
    bool Asked(const QString& text, PromptIcon icon) const {
        return !m_prompter.Messages().empty()
            && m_prompter.Messages().back() == PromptMessage{text, u"用户登录"_s, icon, PromptButtons::Ok};
    }

    std::unique_ptr<CUserInfoLogic> m_user;
    std::unique_ptr<CUserLogin> m_dialog;
};

}  // namespace

TEST_F(UserLoginTest, FieldsAreCheckedBeforeAnyRequest) {
    Open();
    struct Case {
        QString account;
        QString password;
        QString message;
    };
    const Case cases[] = {
        {u"user0"_s, u"secret1"_s, u"请输入有效的登录账号！"_s},
        {u"   user0  "_s, u"secret1"_s, u"请输入有效的登录账号！"_s},
        {u"user01"_s, u"abc"_s, u"请输入有效的登录密码！"_s},
    };
    for (const Case& c : cases) {
        Submit(c.account, c.password);
        EXPECT_TRUE(Asked(c.message, PromptIcon::Warning)) << c.account.toStdString();
        QLineEdit* refused = c.message.contains(u"账号"_s) ? Account() : Password();
        EXPECT_TRUE(refused->hasFocus()) << c.account.toStdString();
        EXPECT_EQ(refused->selectedText(), refused->text()) << c.account.toStdString();
    }
    EXPECT_TRUE(m_server.Requests().isEmpty());
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(UserLoginTest, AnswersAndTheirMessages) {
    Open();
    // A six-character account and a four-character password pass the checks.
    Submit(u"user01"_s, u"abcd"_s);
    ASSERT_EVENTUALLY(Asked(u"账号或密码错误！"_s, PromptIcon::Error));
    EXPECT_EQ(m_dialog->LastCode(), -1);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(Password()->hasFocus());

    Submit(u" user01 "_s, u"secret1"_s);
    ASSERT_EVENTUALLY(!m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->LastCode(), 0);
    EXPECT_EQ(m_user->CheckLogin(), 0);
    EXPECT_EQ(DecodeStatRequest(m_server.Requests().last().body).email, u"user01"_s);
}

TEST_F(UserLoginTest, OpensWithTheStoredSignIn) {
    LoadConfig(StoredAutoLogin());
    Open();
    EXPECT_EQ(Account()->text(), u"user01"_s);
    EXPECT_EQ(Password()->text(), PasswordDigest(u"secret1"_s));
    EXPECT_TRUE(AutoLogin()->isChecked());
    EXPECT_TRUE(Remember()->isChecked());
    EXPECT_FALSE(Remember()->isEnabled());

    // The stored digest goes as it is, not digested again.
    QTest::mouseClick(Find<QPushButton>("login"), Qt::LeftButton);
    ASSERT_EVENTUALLY(!m_dialog->isVisible());
    EXPECT_EQ(m_dialog->LastCode(), 0);
    EXPECT_EQ(DecodeStatRequest(m_server.Requests().last().body).pwd, PasswordDigest(u"secret1"_s));
}

TEST_F(UserLoginTest, AutomaticSignInHoldsRememberChecked) {
    Open();
    // Remembering the account is the stored default.
    EXPECT_TRUE(Remember()->isChecked());
    Remember()->click();
    AutoLogin()->click();
    EXPECT_TRUE(Remember()->isChecked());
    EXPECT_FALSE(Remember()->isEnabled());
    AutoLogin()->click();
    EXPECT_TRUE(Remember()->isChecked());
    EXPECT_TRUE(Remember()->isEnabled());
}

TEST_F(UserLoginTest, StalledServiceEndsWithTransportErrorWhileTheDialogKeepsPainting) {
    m_server.AnswerAlways(ScriptedAnswer::Stall());
    Open(500);
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    m_dialog->installEventFilter(&counter);

    Submit(u"user01"_s, u"secret1"_s);
    ASSERT_TRUE(Find<QProgressBar>("busy")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("login")->isEnabled());
    EXPECT_FALSE(Account()->isEnabled());
    ASSERT_EVENTUALLY(m_server.Requests().size() == 1);
    ASSERT_TRUE(Find<QProgressBar>("busy")->isVisible());
    m_dialog->update();
    ASSERT_EVENTUALLY(paints > 0);
    EXPECT_TRUE(m_prompter.Messages().empty());

    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(Asked(u"网络传输错误！"_s, PromptIcon::Error)); }, 20000));
    EXPECT_FALSE(Find<QProgressBar>("busy")->isVisible());
    EXPECT_TRUE(Find<QPushButton>("login")->isEnabled());
    EXPECT_EQ(m_dialog->LastCode(), -31);
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(UserLoginTest, LinksOpenTheMakersPages) {
    UrlRecorder recorder({u"http"_s});
    Open();
    for (QLabel* label : m_dialog->findChildren<QLabel*>()) {
        if (label->text().contains(u"<a "_s))
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
    }
    const QString base = Servers().info.toString();
    EXPECT_EQ(recorder.Opened(), (QStringList{base + u"/goto.php?q=reg"_s, base + u"/goto.php?q=repas"_s}));
}

TEST_F(UserLoginTest, ClosingTheDialogCancelsItsSignIn) {
    // A service that answers only when the test says so.
    QTcpServer service;
    ASSERT_TRUE(service.listen(QHostAddress::LocalHost));
    QList<QPointer<QTcpSocket>> requests;
    QObject::connect(&service, &QTcpServer::newConnection, &service,
                     [&] { requests << QPointer<QTcpSocket>(service.nextPendingConnection()); });
    const QUrl url(u"http://127.0.0.1:%1"_s.arg(service.serverPort()));
    const OnlineServers servers{url, url};
    m_user = std::make_unique<CUserInfoLogic>(*m_config, StatServiceUrl(servers), 600000);
    const auto openDialog = [&] {
        m_dialog = std::make_unique<CUserLogin>(*m_user, m_prompter, servers, nullptr);
        m_dialog->show();
    };

    openDialog();
    Submit(u"user01"_s, u"secret1"_s);
    ASSERT_EVENTUALLY(requests.size() == 1);
    m_dialog->reject();
    // The service sees the request go away; the user stays signed out, without a word.
    ASSERT_EVENTUALLY(!requests[0] || requests[0]->state() == QAbstractSocket::UnconnectedState);
    EXPECT_NE(m_user->CheckLogin(), 0);
    EXPECT_TRUE(m_prompter.Messages().empty());

    openDialog();
    Submit(u"user01"_s, u"secret1"_s);
    ASSERT_EVENTUALLY(requests.size() == 2 && requests[1]->bytesAvailable() > 0);
    requests[1]->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nerr:0");
    ASSERT_EVENTUALLY(m_user->CheckLogin() == 0);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}
