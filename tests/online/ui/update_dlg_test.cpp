// The update check against the loopback information server: when it speaks, what it shows, what it stores.
#include "online/support/online_fixture.h"
#include "support/eventually.h"
#include "online/ui/update_dlg.h"
#include "online/ui/update_html_view.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t kNow = 1'700'000'000;
const QByteArray kPage =
    "<html><body><p>Korvane 3</p><input type=\"checkbox\" id=\"CHK_UPDATE_INFO\" value=\"7\">7天内不再提醒"
    "<img src=\"/logo.png\"></body></html>";

class UpdateTest : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        Serve("VID:2");
    }
    // The information file and the pages of the information server.
    void Serve(const QByteArray& info) {
        m_server.SetHandler([info](const HttpExchange& e) {
            if (e.target == "/korvane.inf")
                return ScriptedAnswer::Text(info);
            if (e.target == "/update.php" || e.target == "/news.html")
                return ScriptedAnswer::Text(kPage);
            return ScriptedAnswer::Status(404);
        });
    }
    void Create(int timeoutMs = 6000) {
        m_update = std::make_unique<CUpdateDlg>(
            *m_config, m_prompter, Servers(), timeoutMs, [] { return kNow; }, nullptr);
    }
    // Runs one check until it has decided.
    void Check(bool manual) {
        if (!m_update)
            Create();
        QSignalSpy done(m_update.get(), &CUpdateDlg::CheckDone);
        m_update->StartUpdateCheck(manual);
        ASSERT_TRUE(done.wait(20000));
    }
    QByteArrayList Fetched() const {
        QByteArrayList fetched;
        for (const HttpExchange& e : m_server.Requests())
            fetched << e.method + ' ' + e.target;
        return fetched;
    }
    QString PageText() const { return m_update->View()->toPlainText(); }

    std::unique_ptr<CUpdateDlg> m_update;
};

}  // namespace

TEST_F(UpdateTest, NewerVersionShowsItsPage) {
    // Which page the file names is the update rules' to read; the page without NVURL shows in the tests below.
    Serve("x:y\r\nVID:3\r\nNVURL:/news.html\r\n");
    Check(false);
    ASSERT_TRUE(m_update->isVisible());
    EXPECT_EQ(m_update->windowTitle(), u"新版本提示"_s);
    ASSERT_EVENTUALLY(PageText().contains(u"Korvane 3"_s));
    // The page's own references are never fetched.
    EXPECT_EQ(Fetched(), (QByteArrayList{"GET /korvane.inf", "GET /news.html"}));
    QCheckBox* box = m_update->PostponeCheckBox();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), u"7天内不再提醒"_s);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(PageText().contains(u"7天内不再提醒"_s));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(UpdateTest, WhenTheCheckSpeaks) {
    struct Case {
        const char* name;
        QByteArray info;
        std::int64_t nextReminder;
        bool manual;
        bool dialog;
        std::vector<PromptMessage> messages;
    };
    const PromptMessage upToDate{u"当前已是最新版本"_s, u"Korvane安装"_s, PromptIcon::None, PromptButtons::Ok};
    const PromptMessage failed{u"检查更新失败：服务器返回 HTTP 500"_s, u"Korvane安装"_s, PromptIcon::Warning,
                               PromptButtons::Ok};
    const Case cases[] = {
        {"automatic, reminder due", "VID:3", kNow - 1, false, true, {}},
        {"automatic, reminder later", "VID:3", kNow + 3600, false, false, {}},
        {"manual, reminder later", "VID:3", kNow + 3600, true, true, {}},
        {"manual, this version", "VID:2", 0, true, false, {upToDate}},
        {"automatic, this version", "VID:2", 0, false, false, {}},
        {"manual, no information file", "", 0, true, false, {failed}},
        {"automatic, no information file", "", 0, false, false, {}},
    };
    for (const Case& c : cases) {
        if (c.info.isEmpty())
            m_server.AnswerAlways(ScriptedAnswer::Status(500));
        else
            Serve(c.info);
        m_config->SetNextUpdateTime(c.nextReminder);
        m_prompter.ClearRecord();
        m_update.reset();
        Check(c.manual);
        EXPECT_EQ(m_update->isVisible(), c.dialog) << c.name;
        EXPECT_EQ(m_prompter.Messages(), c.messages) << c.name;
        m_update->reject();
    }
}

TEST_F(UpdateTest, AManualCheckRightAfterTheAutomaticOneDecidesOnce) {
    // Nobody listens at the address: the worker ends without this thread's help.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QUrl nowhere(u"http://127.0.0.1:%1"_s.arg(closed.serverPort()));
    closed.close();
    CUpdateDlg update(
        *m_config, m_prompter, {nowhere, nowhere}, 6000, [] { return kNow; }, nullptr);
    QSignalSpy done(&update, &CUpdateDlg::CheckDone);
    update.StartUpdateCheck(false);
    // The automatic check's worker has ended; its decision waits in the event queue.
    ASSERT_TRUE(update.WaitFor(std::chrono::seconds(20)));
    update.StartUpdateCheck(true);
    ASSERT_TRUE(done.wait(20000));
    // A second check would have ended by now, its decision queued behind.
    ASSERT_TRUE(update.WaitFor(std::chrono::seconds(20)));
    QCoreApplication::processEvents();
    EXPECT_EQ(done.size(), 1);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_TRUE(m_prompter.Messages()[0].text.startsWith(u"检查更新失败："_s));
}

TEST_F(UpdateTest, CheckedBoxPostponesTheReminder) {
    Serve("VID:3");
    for (const bool checked : {false, true}) {
        m_update.reset();
        m_config->SetNextUpdateTime(0);
        Check(false);
        ASSERT_EVENTUALLY(m_update->PostponeCheckBox()->isVisible());
        m_update->PostponeCheckBox()->setChecked(checked);
        // The close box, Esc, and Enter all end the dialog the same way.
        QTest::keyClick(m_update.get(), Qt::Key_Escape);
        EXPECT_FALSE(m_update->isVisible());
        const std::int64_t expected = checked ? kNow + 7 * 86400 : 0;
        EXPECT_EQ(m_config->NextUpdateTime(), expected) << checked;
        ReloadConfig();
        EXPECT_EQ(m_config->NextUpdateTime(), expected) << checked;
    }
}

TEST_F(UpdateTest, ShutdownDoesNotWaitForAStalledServer) {
    m_server.AnswerAlways(ScriptedAnswer::Stall());
    // A time-out far beyond the wait below: only the cancelled request ends the worker.
    Create(600000);
    m_update->StartUpdateCheck(true);
    ASSERT_EVENTUALLY(m_server.Requests().size() == 1);
    ASSERT_TRUE(m_update->IsRunning());
    m_update->Shutdown(std::chrono::milliseconds(500));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(!m_update->IsRunning()); }, 60000));
    EXPECT_TRUE(m_prompter.Messages().empty());
}
