// The statistics client against a real HTTP server on loopback: codes, stored sign-in, transport limits.
#include "online/core/password_digest.h"
#include "online/core/user_info_logic.h"
#include "online/support/online_fixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class UserInfoTest : public OnlineTest {
protected:
    // Runs a sign-in to its end and returns its code.
    static int SignIn(CUserInfoLogic& user, const LoginAttempt& attempt) {
        std::optional<int> code;
        user.Login(attempt, nullptr, [&](int c) { code = c; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return code.has_value(); }, 30000));
        return code.value_or(-999);
    }

    static std::pair<int, QList<StatItem>> FetchList(CUserInfoLogic& user) {
        std::optional<std::pair<int, QList<StatItem>>> result;
        user.GetStatList(nullptr, [&](int code, const QList<StatItem>& items) { result.emplace(code, items); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 30000));
        return result.value_or(std::pair<int, QList<StatItem>>{-999, {}});
    }

    static LoginAttempt Attempt(const QString& password, bool remember = true, bool autoLogin = false) {
        return {u"user01"_s, password, remember, autoLogin, false};
    }
};

}  // namespace

TEST_F(UserInfoTest, EachAnswerGivesItsCode) {
    struct Case {
        const char* name;
        ScriptedAnswer answer;
        int code;
    };
    const Case cases[] = {
        {"good sign-in", ScriptedAnswer::Text("err:0"), 0},
        {"wrong password", ScriptedAnswer::Text("err:-1"), -1},
        {"no err line", ScriptedAnswer::Text("ct:0"), -32},
        {"status 500", ScriptedAnswer::Status(500), -31},
    };
    for (const Case& c : cases) {
        m_server.AnswerAlways(c.answer);
        auto user = NewUser();
        QSignalSpy changed(user.get(), &CUserInfoLogic::SignInChanged);
        EXPECT_EQ(SignIn(*user, Attempt(u"secret1"_s)), c.code) << c.name;
        EXPECT_EQ(user->CheckLogin(), c.code == 0 ? 0 : -1) << c.name;
        EXPECT_EQ(changed.count(), 1) << c.name;
    }
}

TEST_F(UserInfoTest, RequestIsWhatTheServiceReads) {
    auto user = NewUser();
    ASSERT_EQ(SignIn(*user, Attempt(u"secret1"_s)), 0);
    ASSERT_EQ(FetchList(*user).first, 0);
    ASSERT_EQ(m_server.Requests().size(), 2);
    for (int i = 0; i < 2; ++i) {
        const HttpExchange& sent = m_server.Requests()[i];
        EXPECT_EQ(sent.method, "POST");
        EXPECT_EQ(sent.target, "/instsvc/creq.php");
        EXPECT_EQ(sent.headers.value("user-agent"),
                  "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; scrivo-editor.example)");
        const DecodedStatRequest request = DecodeStatRequest(sent.body);
        EXPECT_TRUE(request.crcMatches);
        EXPECT_EQ(request.function, i == 0 ? 1 : 10);
        EXPECT_EQ(request.email, u"user01"_s);
        EXPECT_EQ(request.pwd, PasswordDigest(u"secret1"_s));
    }
}

TEST_F(UserInfoTest, EmptyFieldsAndListWhileSignedOutAreRefusedWithoutARequest) {
    auto user = NewUser();
    for (const LoginAttempt& attempt : {LoginAttempt{{}, u"secret1"_s}, LoginAttempt{u"user01"_s, {}}})
        EXPECT_EQ(SignIn(*user, attempt), -30);
    EXPECT_EQ(FetchList(*user).first, -1);
    EXPECT_TRUE(m_server.Requests().isEmpty());
}

TEST_F(UserInfoTest, StoredRecordFollowsTheChoices) {
    struct Case {
        const char* name;
        QString password;
        bool remember;
        bool autoLogin;
        LoginRecord stored;
    };
    const QString digest = PasswordDigest(u"secret1"_s);
    const Case cases[] = {
        {"remember nothing", u"secret1"_s, false, false, {{}, {}, 0, 0}},
        {"remember the account", u"secret1"_s, true, false, {u"user01"_s, {}, 1, 0}},
        {"sign in automatically", u"secret1"_s, true, true, {u"user01"_s, digest, 1, 1}},
        {"failed automatic sign-in", u"wrong1"_s, true, true, {u"user01"_s, {}, 1, 0}},
        {"failed, account not kept", u"wrong1"_s, false, false, {{}, {}, 0, 0}},
    };
    for (const Case& c : cases) {
        auto user = NewUser();
        SignIn(*user, Attempt(c.password, c.remember, c.autoLogin));
        EXPECT_EQ(m_config->Login(), c.stored) << c.name;
        // What was written reads back the same.
        user.reset();
        ReloadConfig();
        EXPECT_EQ(m_config->Login(), c.stored) << c.name;
    }
}

TEST_F(UserInfoTest, StoredAutomaticSignInCountsWithoutARequestAndSignOutKeepsTheAccount) {
    LoadConfig(StoredAutoLogin());
    auto user = NewUser();
    EXPECT_EQ(user->CheckLogin(), 0);
    EXPECT_TRUE(m_server.Requests().isEmpty());
    // The list is the first contact.
    const auto [code, items] = FetchList(*user);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(items, (QList<StatItem>{{u"A1"_s, u"Setup A"_s}, {u"7KFBDS3C"_s, u"演示安装"_s}}));
    EXPECT_EQ(m_server.Requests().size(), 1);

    QSignalSpy changed(user.get(), &CUserInfoLogic::SignInChanged);
    user->Logout();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(user->CheckLogin(), -1);
    EXPECT_EQ(Lacking(ConfigBytes(), {"<email Val=\"user01\"/>", "<pwd Val=\"\"/>", "<autol Val=\"0\"/>"}),
              QByteArrayList{});
    EXPECT_EQ(user->GetUserInfo().account, u"user01"_s);
    EXPECT_TRUE(user->GetUserInfo().password.isEmpty());
}

TEST_F(UserInfoTest, TransportRefusesWhatItMustNotFollow) {
    TestHttpServer elsewhere;
    elsewhere.AnswerAlways(ScriptedAnswer::Text("err:0"));
    QUrl target = elsewhere.Url();
    target.setPath(u"/instsvc/creq.php"_s);
    struct Case {
        const char* name;
        ScriptedAnswer answer;
    };
    const Case cases[] = {
        {"redirect to another host", ScriptedAnswer::Redirect(target)},
        {"5 MB body", ScriptedAnswer::Filler(5 * 1024 * 1024)},
        {"announced 2 MB", {200, QByteArray(2 * 1024 * 1024, 'x'), {}, false, 0}},
        {"stall beyond the time-out", ScriptedAnswer::Stall()},
    };
    for (const Case& c : cases) {
        m_server.AnswerAlways(c.answer);
        auto user = NewUser(300);
        EXPECT_EQ(SignIn(*user, Attempt(u"secret1"_s)), -31) << c.name;
    }
    EXPECT_TRUE(elsewhere.Requests().isEmpty());
}

TEST_F(UserInfoTest, CookiesAreNeitherKeptNorSent) {
    m_server.AnswerAlways({200, "err:0", {{"Set-Cookie", "session=abc; Path=/"}}, false, 0});
    auto user = NewUser();
    ASSERT_EQ(SignIn(*user, Attempt(u"secret1"_s)), 0);
    ASSERT_EQ(SignIn(*user, Attempt(u"secret1"_s)), 0);
    ASSERT_EQ(m_server.Requests().size(), 2);
    EXPECT_FALSE(m_server.Requests()[1].headers.contains("cookie"));
}
