// The commands on the real frame: enabling rules, status bar, find, log focus, web and help, About.
#include "support/commands_fixture.h"
#include "support/run_tool.h"
#include "support/url_recorder.h"

#include "app/ui/about_dlg.h"
#include "compiler/ui/compile_controller.h"
#include "app/ui/frame_commands.h"
#include "app/ui/frame_status_bar.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "editor/ui/find_replace_dlg.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QStatusTipEvent>
#include <QTimer>
#include <QtTest/QTest>

TEST_F(FrameCommandsTest, StatesFollowTheStartPageTypingTheEncodingAndTheActiveTab) {
    m_frame->OpenInitialDocuments({});
    // The start page: every document command off, parts 1 to 4 empty.
    for (int id : {Cmd::Save, Cmd::Find, Cmd::Compile, Cmd::SelectAll, Cmd::EncodingUtf8})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int part = 1; part <= 4; ++part)
        EXPECT_TRUE(Part(part).isEmpty()) << part;

    m_frame->OnCommand(Cmd::NewBlank);
    // Which command follows which state is pinned in the command-state rules; here, that the frame feeds them.
    for (int id : {Cmd::Save, Cmd::Cut, Cmd::StopCompile, Cmd::RunInstaller})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {Cmd::Compile, Cmd::CompileRun, Cmd::SaveAs, Cmd::Find, Cmd::GoToLine, Cmd::SelectAll})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(Cmd::EncodingUcs2Le));
    EXPECT_EQ(Part(1), u"状态:未登录"_s);
    EXPECT_EQ(Part(3), u"共 1 行, 0 字符"_s);
    Call().AppendText("abc");
    Settle();
    EXPECT_TRUE(Enabled(Cmd::Save));
    EXPECT_TRUE(Enabled(Cmd::Undo));
    m_frame->OnCommand(Cmd::EncodingUtf8);
    EXPECT_EQ(View()->Encoding(), TextEncoding::Utf8);
    EXPECT_TRUE(Checked(Cmd::EncodingUtf8));
    EXPECT_FALSE(Checked(Cmd::EncodingUcs2Le));
    EXPECT_EQ(Part(4), EncodingName(TextEncoding::Utf8));
    // A header is not compiled; a script is whatever the case of its extension.
    ASSERT_TRUE(Docs().OpenDocument(Script(u"lib.nsh"_s), false));
    EXPECT_FALSE(Enabled(Cmd::Compile));
    EXPECT_FALSE(Enabled(Cmd::OpenFolder));
    EXPECT_TRUE(Checked(Cmd::EncodingAnsi));
    ASSERT_TRUE(Docs().OpenDocument(Script(u"main.NSI"_s), false));
    EXPECT_TRUE(Enabled(Cmd::Compile));
}

TEST_F(FrameCommandsTest, StatusBarShowsCaretSelectionModeAndPrompts) {
    m_frame->OnCommand(Cmd::NewBlank);
    ShowActive();  // the editor reports caret moves as it paints
    EXPECT_EQ(Part(2), u"行 : 1,  列 : 1,  选择 : 0"_s);
    EXPECT_EQ(Part(5), u"CR LF"_s);
    EXPECT_EQ(Part(6), u"插入"_s);
    SetText("hello\nworld");
    Select(7, 10);
    Settle();
    EXPECT_EQ(Part(2), u"行 : 2,  列 : 5,  选择 : 3"_s);
    EXPECT_TRUE(Enabled(Cmd::Copy));
    Select(10, 7);
    Settle();
    EXPECT_EQ(Part(2), u"行 : 2,  列 : 2,  选择 : 3"_s);
    EXPECT_EQ(Part(3), u"共 2 行, 11 字符"_s);
    // Characters, not bytes: each Chinese character is three bytes of the text.
    SetText("安装\n程序");
    Settle();
    EXPECT_EQ(Part(3), u"共 2 行, 5 字符"_s);
    Call().SetOvertype(true);
    Select(0, 0);
    Settle();
    EXPECT_EQ(Part(6), u"覆盖"_s);

    FrameActions(*m_frame).Action(Cmd::Save)->showStatusText(m_frame.get());
    EXPECT_EQ(FrameStatus(*m_frame)->currentMessage(), u"保存当前脚本"_s);
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_frame.get(), &leave);
    EXPECT_TRUE(FrameStatus(*m_frame)->currentMessage().isEmpty());
    EXPECT_EQ(Part(0), u"完成"_s);
}

TEST_F(FrameCommandsTest, FindDialogAndFindNextWhileHidden) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("one two one");
    Select(0, 3);
    m_frame->OnCommand(Cmd::Find);
    CFindReplaceDlg* dlg = FrameEditing(*m_frame).FindDialog();
    ASSERT_TRUE(dlg->isVisible());
    dlg->hide();
    m_frame->OnCommand(Cmd::FindNext);
    EXPECT_EQ(Call().SelectionStart(), 8);
    m_frame->OnCommand(Cmd::FindPrevious);
    EXPECT_EQ(Call().SelectionStart(), 0);
    EXPECT_TRUE(dlg->isHidden());
    m_frame->OnCommand(Cmd::Replace);
    EXPECT_EQ(dlg->CurrentMode(), CFindReplaceDlg::Mode::Replace);
    // A miss is told in the status bar.
    dlg->hide();
    dlg->findChild<QComboBox*>(u"findText"_s)->setEditText(u"three"_s);
    m_frame->OnCommand(Cmd::FindNext);
    EXPECT_EQ(FrameStatus(*m_frame)->PartText(0), u"未找到 “three”"_s);
}

TEST_F(FrameCommandsTest, WebCommandsSayWhenNoBrowserStarts) {
    // A handler that cannot take the address stands for a desktop without a browser.
    QObject nowhere;
    for (const char* scheme : {"http", "https"})
        QDesktopServices::setUrlHandler(QLatin1StringView(scheme), &nowhere, "NoSuchSlot");
    for (int id : {Cmd::ViewStatistics, Cmd::HomeSite, Cmd::OnlineHelp, Cmd::NsisSite})
        m_frame->OnCommand(id);
    for (const char* scheme : {"http", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1StringView(scheme));
    ASSERT_EQ(m_prompter.Messages().size(), 4u);
    for (const PromptMessage& message : m_prompter.Messages()) {
        EXPECT_TRUE(message.text.startsWith(u"无法启动网页浏览器打开：\nhttp"_s)) << message.text.toStdString();
        EXPECT_EQ(message.icon, PromptIcon::Warning);
    }
}

TEST_F(FrameCommandsTest, CopyAndSelectAllActOnTheFocusedLog) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("document");
    m_frame->OnCommand(Cmd::ToggleLog);
    CCompileLogCtrl* log = FrameCompiler(*m_frame).Log();
    log->Append("compile output");
    ShowActive();
    log->Call().Widget()->setFocus();
    Settle();
    ASSERT_TRUE(log->Call().Widget()->hasFocus() || log->Call().Widget()->viewport()->hasFocus());
    m_frame->OnCommand(Cmd::SelectAll);
    EXPECT_EQ(log->Call().SelectionEnd(), 14);
    EXPECT_EQ(Call().SelectionEnd(), Call().SelectionStart());
}

TEST_F(FrameCommandsTest, WebHelpAndFolderCommandsOpenTheirPages) {
    UrlRecorder recorder({u"http"_s, u"https"_s, u"file"_s});
    for (int id : {Cmd::ViewStatistics, Cmd::HomeSite, Cmd::OnlineHelp, Cmd::NsisSite})
        m_frame->OnCommand(id);
    // The makers' three pages are checked whole against a configured server in the online tests.
    ASSERT_EQ(recorder.urls.size(), 4);
    EXPECT_EQ(recorder.urls[3].path(), u"/Docs/"_s);

    // A missing manual falls back to the online help.
    const QString manual = Script(u"manual.html"_s, "<html></html>");
    m_config->Base().HelpPath = manual;
    m_frame->OnCommand(Cmd::Manual);
    m_config->Base().HelpPath = m_dir.filePath(u"missing.chm"_s);
    m_frame->OnCommand(Cmd::Manual);
    ASSERT_EQ(recorder.urls.size(), 6);
    EXPECT_EQ(recorder.urls[4], QUrl::fromLocalFile(manual));
    EXPECT_EQ(recorder.urls[5].query(), u"q=help"_s);

    // No file manager on a bus that is not there: the folder alone opens.
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    m_frame->OnCommand(Cmd::NewBlank);
    m_frame->OnCommand(Cmd::OpenFolder);  // no path: nothing
    ASSERT_TRUE(Docs().OpenDocument(Script(u"setup.nsi"_s), false));
    EXPECT_TRUE(Enabled(Cmd::OpenFolder));
    m_frame->OnCommand(Cmd::OpenFolder);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.urls.size() > 6; }, 5000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    ASSERT_EQ(recorder.urls.size(), 7);
    EXPECT_EQ(recorder.urls[6], QUrl::fromLocalFile(m_dir.path()));
}

TEST_F(FrameCommandsTest, AboutShowsTheInstalledCompilersVersion) {
    const QString reported =
        QString::fromLocal8Bit(RunTool(m_config->GetCompilerPath(), {u"-VERSION"_s}).output).trimmed();
    ASSERT_FALSE(reported.isEmpty());

    QStringList labels;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* dlg = QApplication::activeModalWidget();
        ASSERT_NE(dlg, nullptr);
        title = dlg->windowTitle();
        for (auto* label : dlg->findChildren<QLabel*>())
            labels << label->text();
        static_cast<QDialog*>(dlg)->accept();
    });
    m_frame->OnCommand(Cmd::About);
    EXPECT_EQ(title, u"关于"_s);
    EXPECT_TRUE(labels.contains(u"软件版本：2.0.1"_s)) << labels.join(u'|').toStdString();
    EXPECT_TRUE(labels.contains(u"NSIS版本："_s + reported)) << labels.join(u'|').toStdString();
}

TEST(AboutDialog, BannerLetteringStandsOnItsDarkBand) {
    CAboutDlg about(u"v3.08"_s, QUrl(u"http://example.org/"_s), nullptr);
    const auto* banner = about.findChild<QLabel*>(u"banner"_s);
    ASSERT_NE(banner, nullptr);
    const QImage picture = banner->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    // The corners are band, not the dialog's light grey showing through.
    for (const QPoint corner : {QPoint(1, 1), QPoint(picture.width() - 2, picture.height() - 2)}) {
        const QColor colour = picture.pixelColor(corner);
        EXPECT_EQ(colour.alpha(), 255);
        EXPECT_LT(colour.lightness(), 160);
    }
}
