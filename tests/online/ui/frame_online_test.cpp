// The statistics and update commands of the main frame, with its status bar and menu text, against loopback servers.
#include "support/frame_fixture.h"
#include "support/eventually.h"
#include "support/url_recorder.h"
#include "app/ui/about_dlg.h"
#include "app/ui/frame_status_bar.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "modal_script.h"
#include "online/support/online_fixture.h"
#include "online/ui/insert_num_dlg.h"
#include "online/ui/online_controller.h"
#include "online/ui/stat_panel.h"
#include "online/ui/update_dlg.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
namespace {

const QStringList kSignedOut{u"状态:未登录"_s, u"用户登录(&L)"_s};
const QStringList kSignedIn{u"状态:已登录"_s, u"注销登录(&L)"_s};

class FrameOnlineTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(m_server.IsListening());
        m_server.SetHandler([this](const HttpExchange& e) {
            if (e.target == "/korvane.inf")
                return ScriptedAnswer::Text(m_info);
            if (e.target == "/update.php")
                return ScriptedAnswer::Text("<input type=checkbox id=CHK_UPDATE_INFO value=7 checked>7天内不再提醒");
            return SignInAnswer(DecodeStatRequest(e.body));
        });
        Restart();
    }

    // A new frame over config.xml pointed at the loopback server, with extra elements.
    void Restart(const QByteArray& extra = {}) {
        m_frame.reset();
        const QByteArray servers = "<OnlineServers><StatServer Val=\"" + m_server.Url().toEncoded()
            + "\"/><InfoServer Val=\"" + m_server.Url().toEncoded() + "\"/></OnlineServers>";
        ASSERT_TRUE(WriteConfig(m_dir.filePath(u"config.xml"_s), servers + extra));
        CreateFrame();
        ASSERT_TRUE(
            Docs().OpenDocument(Script(u"setup.nsi"_s, "Name x\r\nOutFile a.exe\r\nSection\r\nSectionEnd\r\n"), false));
    }

    // The status bar's sign-in part and the sign-in command's menu text.
    QStringList SignInShown() const {
        return {FrameStatus(*m_frame)->PartText(1), FrameActions(*m_frame).Action(Cmd::SignIn)->text()};
    }
    QByteArray EditorText() const { return FrameActiveView(*m_frame)->Call().GetText(); }

    TestHttpServer m_server;
    QByteArray m_info = "VID:2";
};

}  // namespace

TEST_F(FrameOnlineTest, SignInAndOutChangeStatusAndMenu) {
    EXPECT_EQ(SignInShown(), kSignedOut);

    SignInWhenAsked();
    m_frame->OnCommand(Cmd::SignIn);
    EXPECT_EQ(SignInShown(), kSignedIn);

    m_frame->OnCommand(Cmd::SignIn);
    EXPECT_EQ(SignInShown(), kSignedOut);
    EXPECT_EQ(m_server.Requests().size(), 1);
}

TEST_F(FrameOnlineTest, StoredAutomaticSignInStartsSignedInAndInsertStatisticsEditsTheActiveScript) {
    Restart(StoredAutoLogin());
    EXPECT_EQ(SignInShown(), kSignedIn);
    EXPECT_TRUE(m_server.Requests().isEmpty());

    WhenModal<CInsertNum>([](CInsertNum& dialog) {
        // Waits for the signed-in list, then takes a row by double click.
        ASSERT_EVENTUALLY(dialog.Panel()->List()->topLevelItemCount() == 2);
        QTreeWidget* list = dialog.Panel()->List();
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(1), 1);
    });
    m_frame->OnCommand(Cmd::InsertStatistics);
    const QByteArray line = "KorvaneID 7KFBDS3C     /*  安装统计项名称：【演示安装】  */";
    EXPECT_EQ(EditorText(), "Name x\r\nOutFile a.exe\r\n" + line + "\r\nSection\r\nSectionEnd\r\n");
    EXPECT_TRUE(FrameActiveView(*m_frame)->IsModified());

    // Cancel inserts nothing.
    WhenModal<CInsertNum>([](CInsertNum& dialog) { dialog.reject(); });
    const QByteArray before = EditorText();
    m_frame->OnCommand(Cmd::InsertStatistics);
    EXPECT_EQ(EditorText(), before);
}

TEST_F(FrameOnlineTest, ManualUpdateCheckAndExitWithTheDialogOpen) {
    QSignalSpy done(&m_frame->Online().Update(), &CUpdateDlg::CheckDone);
    m_info = "VID:3";
    m_frame->OnCommand(Cmd::CheckUpdate);
    ASSERT_TRUE(done.wait(20000));
    CUpdateDlg& update = m_frame->Online().Update();
    ASSERT_EVENTUALLY(update.isVisible());
    ASSERT_EVENTUALLY(update.PostponeCheckBox()->isChecked());
    const std::int64_t before = QDateTime::currentSecsSinceEpoch();
    // The frame goes with the dialog open: it ends as with OK, the box's days stored.
    m_frame.reset();
    ASSERT_TRUE(m_config->NextUpdateTime() >= before + 7 * 86400);
    EXPECT_TRUE(ConfigBytes().contains("<nextSUDlg Val=\"" + QByteArray::number(m_config->NextUpdateTime()) + "\""));
}

TEST_F(FrameOnlineTest, MakersPagesFollowTheConfiguredServer) {
    UrlRecorder recorder({u"http"_s});
    for (int id : {Cmd::ViewStatistics, Cmd::HomeSite, Cmd::OnlineHelp})
        m_frame->OnCommand(id);
    const QString base = m_server.Url().toString();
    const QStringList expected{base + u"/goto.php?q=vstat"_s, base + u"/goto.php?q=home"_s,
                               base + u"/goto.php?q=help"_s};
    EXPECT_EQ(recorder.Opened().join(u' ').toStdString(), expected.join(u' ').toStdString());

    QString site;
    WhenModal<CAboutDlg>([&site](CAboutDlg& about) {
        site = about.findChild<QLabel*>(u"siteLink"_s)->text();
        about.accept();
    });
    m_frame->OnCommand(Cmd::About);
    EXPECT_TRUE(site.contains(base + u"/\""_s)) << site.toStdString();
}
