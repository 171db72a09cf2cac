// The recent-files list as the menu and the start page show it, and the start page's links.
#include "support/eventually.h"
#include "support/frame_fixture.h"
#include "support/test_http_server.h"

#include "app/ui/command_actions.h"
#include "app/ui/frame_status_bar.h"
#include "app/ui/maker_content.h"
#include "app/ui/start_page_view.h"

#include <QAction>
#include <QMenu>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// Link text and address of every link as the browser reads the document.
QStringList Links(const QTextDocument& document) {
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.anchorHref().isEmpty())
                links << it.fragment().text() + QStringLiteral(" -> ") + format.anchorHref();
        }
    }
    return links;
}

QStringList Links(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return Links(document);
}

}  // namespace

TEST_F(FrameTest, RecentFilesKeepSixteenNewestFirstInMenuAndPage) {
    QStringList paths;
    for (int i = 0; i < 17; ++i) {
        paths << Script(QStringLiteral("f%1.nsi").arg(i));
        ASSERT_TRUE(Docs().OpenDocument(paths.last(), false));
    }
    // How many stay and in which order is pinned in ConfiguratorLists.
    QStringList menu = MenuTexts(FrameActions(*m_frame).RecentMenu());
    ASSERT_EQ(menu.size(), 18);
    EXPECT_EQ(menu[0], QStringLiteral("清除列表(&C)"));
    EXPECT_EQ(menu[2], QStringLiteral("&1 ") + paths[16]);
    EXPECT_EQ(menu[10], QStringLiteral("&9 ") + paths[8]);
    EXPECT_EQ(menu[11], QStringLiteral("10 ") + paths[7]);
    EXPECT_EQ(menu[17], QStringLiteral("16 ") + paths[1]);
    EXPECT_EQ(FrameStartPage(*m_frame)->Recent(), m_config->RecentFiles());

    // Re-opening a listed file moves it to the top without growing the list.
    Docs().CloseAll();
    ASSERT_TRUE(Docs().OpenDocument(paths[5], false));
    menu = MenuTexts(FrameActions(*m_frame).RecentMenu());
    EXPECT_EQ(menu.size(), 18);
    EXPECT_EQ(menu[2], QStringLiteral("&1 ") + paths[5]);
    EXPECT_EQ(FrameStartPage(*m_frame)->Recent().last(), paths[5]);

    // Past the list a recent-file command does nothing; one in it opens from the start page's link below.
    Docs().CloseAll();
    m_frame->OnCommand(ID_RECENT_FILE_FIRST + 40);
    EXPECT_EQ(Docs().ActiveView(), nullptr);
}

TEST_F(FrameTest, ClearingTheListAsksFirst) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("a.nsi")), false));
    m_prompter.QueueAnswer(PromptAnswer::No);
    m_frame->OnCommand(Cmd::ClearRecent);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("确定要清除最近打开文件列表吗？"));
    EXPECT_EQ(m_prompter.Messages()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(m_config->RecentFiles().size(), 1);
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    m_frame->OnCommand(Cmd::ClearRecent);
    EXPECT_TRUE(m_config->RecentFiles().isEmpty());
    EXPECT_EQ(MenuTexts(FrameActions(*m_frame).RecentMenu()).size(), 2);
    EXPECT_TRUE(FrameStartPage(*m_frame)->Recent().isEmpty());
}

TEST_F(FrameTest, StartPageLinksActAsTheirCommands) {
    const QString a = Script(QStringLiteral("a.nsi"));
    const QString b = Script(QStringLiteral("b.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(a, false));
    ASSERT_TRUE(Docs().OpenDocument(b, false));
    Docs().CloseAll();
    ASSERT_EQ(Docs().ActiveItem()->GetKind(), CTabViewItem::Kind::StartPage);
    CNewWizardDlg* page = FrameStartPage(*m_frame);
    // The page lists the newest first, each link naming its stored index.
    const QString text = page->toPlainText();
    ASSERT_GE(text.indexOf(QStringLiteral("b.nsi")), 0);
    EXPECT_LT(text.indexOf(QStringLiteral("b.nsi")), text.indexOf(QStringLiteral("a.nsi")));

    Q_EMIT page->anchorClicked(QUrl(QStringLiteral("CMD_ID_NEW")));
    Settle();
    EXPECT_EQ(Docs().ActiveItem()->GetTitle(), QStringLiteral("New(1) "));
    Q_EMIT page->anchorClicked(QUrl(QStringLiteral("?rf=0")));
    Settle();
    EXPECT_EQ(Docs().ActiveView()->Path(), a);
    Q_EMIT page->anchorClicked(QUrl(QStringLiteral("CMD_ID_OPEN")));
    Settle();
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_EQ(m_prompter.FileRequests()[0].title, QStringLiteral("打开NSIS脚本"));
    Q_EMIT page->anchorClicked(QUrl(QStringLiteral("CMD_ID_NEW_TPL")));
    Settle();
    ASSERT_EQ(m_prompter.FileRequests().size(), 2u);
    EXPECT_EQ(m_prompter.FileRequests()[1].title, QStringLiteral("打开NSIS模板"));

    Docs().ShowStartPage();
    EXPECT_FALSE(FrameStatus(*m_frame)->IsMultiPart());
    // Opening a from the page made it the newest entry.
    Q_EMIT page->highlighted(QUrl(QStringLiteral("qrc:/startpage/?rf=1")));
    EXPECT_EQ(FrameStatus(*m_frame)->SimpleText(), QStringLiteral("打开文件：") + a);
    Q_EMIT page->highlighted(QUrl(QStringLiteral("qrc:/startpage/CMD_ID_NEW_WIZARD")));
    // The button under the mouse shows its hover picture, and only that one.
    const auto hoverPictures = [page] { return page->toHtml().count(QStringLiteral("btn_hover.png")); };
    EXPECT_EQ(hoverPictures(), 1);
    Q_EMIT page->highlighted(QUrl());
    EXPECT_EQ(FrameStatus(*m_frame)->SimpleText(), QString());
    EXPECT_EQ(hoverPictures(), 0);
}

TEST(StartPageContent, OnlyWebLinksKeepTheirAddressHoweverTheAttributeIsSpelled) {
    // (content, the link left as the browser reads it, or "" for none)
    const std::pair<const char*, const char*> links[] = {
        {R"(<a href="http://example.org/news">n</a>)", "n -> http://example.org/news"},
        {R"(<a HREF='https://example.org/'>n</a>)", "n -> https://example.org/"},
        {R"(<a href="CMD_ID_NEW_WIZARD">w</a>)", ""},
        {R"(<a href="qrc:/startpage/CMD_ID_OPEN">o</a>)", ""},
        {R"(<a href=file:///etc/passwd>f</a>)", ""},
        {R"x(<a href="javascript:x()">j</a>)x", ""},
        {R"(<a href=" ?rf=0">r</a>)", ""},
        {R"(<a hr&#101;f="CMD_ID_OPEN">e</a>)", ""},
        {"<a href\u00a0=\"CMD_ID_OPEN\">s</a>", ""},
        {R"(<a href="CMD_ID_OPEN"><img src="logo.png"></a>)", ""},
    };
    for (const auto& [content, kept] : links) {
        const QString html = QString::fromUtf8(content);
        const QStringList expected = *kept ? QStringList{QString::fromUtf8(kept)} : QStringList{};
        EXPECT_EQ(Links(SafeMakerContent(html)), expected) << content;
    }
    // Text and images stay.
    const QString safe = SafeMakerContent(QStringLiteral(R"(<p>新版本 <img src="logo.png"></p>)"));
    EXPECT_TRUE(safe.contains(QStringLiteral("新版本"))) << safe.toStdString();
    EXPECT_TRUE(safe.contains(QStringLiteral("logo.png"))) << safe.toStdString();
}

TEST(StartPageContent, ShownWhenReachableAndHarmlessWhenNot) {
    // Which links are kept is pinned in OnlyWebLinksKeepTheirAddressHoweverTheAttributeIsSpelled.
    const QByteArray content =
        "<p>来自网站的消息</p><a hr&#101;f=\"CMD_ID_OPEN\">甲</a><a href=\"https://example.org/\">丙</a>";
    auto server = std::make_unique<TestHttpServer>();
    server->AnswerAlways({200, content, {{"Content-Type", "text/html; charset=utf-8"}}, false, 0});
    const QUrl url(server->Url().toString() + QStringLiteral("/content.html?v=2"));
    QWidget parent;
    CNewWizardDlg page(url, &parent);
    QSignalSpy loaded(&page, &CNewWizardDlg::ContentLoaded);
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_TRUE(page.toPlainText().contains(QStringLiteral("来自网站的消息")));
    EXPECT_TRUE(page.toPlainText().contains(QStringLiteral("最近打开列表：")));
    // Of the content's links only the web one still leads anywhere.
    const QStringList links = Links(*page.document());
    EXPECT_TRUE(links.contains(QStringLiteral("丙 -> https://example.org/"))) << links.join(u'|').toStdString();
    EXPECT_TRUE(links.filter(QStringLiteral("甲")).isEmpty()) << links.join(u'|').toStdString();

    server.reset();  // nobody listens any more
    CNewWizardDlg unreachable(url, &parent);
    QSignalSpy never(&unreachable, &CNewWizardDlg::ContentLoaded);
    // The request has ended once its reply is gone: it is deleted after the page heard the answer.
    ASSERT_FALSE(unreachable.findChildren<QNetworkReply*>().isEmpty());
    ASSERT_EVENTUALLY(unreachable.findChildren<QNetworkReply*>().isEmpty());
    EXPECT_EQ(never.count(), 0);
    EXPECT_TRUE(unreachable.toPlainText().contains(QStringLiteral("新建脚本：空白")));
}
