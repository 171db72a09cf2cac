// The commands on the real frame: enabling rules, status bar, keys, compressor, encodings, web and help, About.
#include "app/frame_fixture.h"
#include "url_recorder.h"

#include "app/ui/frame_commands.h"
#include "app/ui/frame_status_bar.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QStatusTipEvent>
#include <QProcess>
#include <QTimer>
#include <QtTest/QTest>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

class FrameCommandsTest : public FrameTest {
protected:
    bool Enabled(int id) const { return m_frame->Commands().Action(id)->isEnabled(); }
    bool Checked(int id) const { return m_frame->Commands().Action(id)->isChecked(); }
    QString Part(int part) const { return m_frame->Status()->PartText(part); }
    CScrivoView* View() const { return m_frame->ActiveView(); }
    QsciScintillaBase& Editor() const { return *View()->Editor(); }
    long Send(unsigned int message, unsigned long w = 0, long l = 0) const { return Editor().SendScintilla(message, w, l); }
    QByteArray Text() const { return View()->Text(); }
    void SetText(const QByteArray& utf8) const {
        Editor().SendScintilla(Sci::SCI_SETTEXT, utf8.constData());
        Settle();
    }
    void ShowActive() {
        m_frame->show();
        QApplication::setActiveWindow(m_frame.get());
        Editor().setFocus();
        Settle();
    }
};

TEST_F(FrameCommandsTest, NewEmptyDocumentStates) {
    m_frame->OpenInitialDocuments({});
    // The start page: every document command off, parts 1 to 4 empty.
    for (int id : {Cmd::Save, Cmd::Find, Cmd::Compile, Cmd::SelectAll, Cmd::EncodingUtf8})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int part = 1; part <= 4; ++part)
        EXPECT_TRUE(Part(part).isEmpty()) << part;

    m_frame->OnCommand(Cmd::NewBlank);
    for (int id : {Cmd::Save, Cmd::Reload, Cmd::Cut, Cmd::Copy, Cmd::Delete, Cmd::UpperCase, Cmd::InvertCase,
                   Cmd::StopCompile, Cmd::RunInstaller})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {Cmd::Compile, Cmd::CompileRun, Cmd::SaveAs, Cmd::Find, Cmd::GoToLine, Cmd::SelectAll})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(Cmd::EncodingUcs2Le));
    EXPECT_EQ(Part(1), u"状态:未登录"_s);
    EXPECT_EQ(Part(2), u"行 : 1,  列 : 1,  选择 : 0"_s);
    EXPECT_EQ(Part(3), u"共 1 行, 0 字符"_s);
    EXPECT_EQ(Part(5), u"插入"_s);

    SetText("abc");
    EXPECT_TRUE(Enabled(Cmd::Save));
    EXPECT_TRUE(Enabled(Cmd::Undo));
    EXPECT_FALSE(Enabled(Cmd::Reload));  // no file to go back to
}

TEST_F(FrameCommandsTest, SavedHeaderAndRunningCompile) {
    ASSERT_TRUE(Docs().OpenDocument(Script(u"lib.nsh"_s), false));
    for (int id : {Cmd::Compile, Cmd::CompileRun, Cmd::OpenFolder})
        EXPECT_FALSE(Enabled(id)) << id;
    ASSERT_TRUE(Docs().OpenDocument(Script(u"setup.NSI"_s), false));
    EXPECT_TRUE(Enabled(Cmd::Compile));
    EXPECT_TRUE(Enabled(Cmd::OpenFolder));
    m_frame->SetCompiling(true);
    EXPECT_FALSE(Enabled(Cmd::Compile));
    EXPECT_TRUE(Enabled(Cmd::StopCompile));
    m_frame->SetCompiling(false);
    EXPECT_TRUE(Enabled(Cmd::Compile));
    EXPECT_FALSE(Enabled(Cmd::StopCompile));
}

TEST_F(FrameCommandsTest, SelectionLengthIsTheSameEitherWay) {
    m_frame->OnCommand(Cmd::NewBlank);
    ShowActive();  // the editor reports caret moves as it paints
    SetText("hello\nworld");
    Send(Sci::SCI_SETSEL, 7, 10);
    Settle();
    EXPECT_EQ(Part(2), u"行 : 2,  列 : 5,  选择 : 3"_s);
    EXPECT_TRUE(Enabled(Cmd::Copy));
    Send(Sci::SCI_SETSEL, 10, 7);
    Settle();
    EXPECT_EQ(Part(2), u"行 : 2,  列 : 2,  选择 : 3"_s);
    EXPECT_EQ(Part(3), u"共 2 行, 11 字符"_s);
    Send(Sci::SCI_SETOVERTYPE, 1);
    Send(Sci::SCI_SETSEL, 0, 0);
    Settle();
    EXPECT_EQ(Part(5), u"覆盖"_s);
}

TEST_F(FrameCommandsTest, CompressorSurvivesARestart) {
    m_frame->OnCommand(Cmd::CompressorFirst + 5);
    EXPECT_EQ(m_frame->Compressor(), 5);
    for (int id = Cmd::CompressorFirst; id <= Cmd::CompressorLast; ++id)
        EXPECT_EQ(Checked(id), id == Cmd::CompressorFirst + 5) << id;
    m_frame->close();
    CreateFrame();
    EXPECT_EQ(m_frame->Compressor(), 5);
    for (int id = Cmd::CompressorFirst; id <= Cmd::CompressorLast; ++id)
        EXPECT_EQ(Checked(id), id == Cmd::CompressorFirst + 5) << id;
}

TEST_F(FrameCommandsTest, EncodingItemsSetTheEncoding) {
    m_frame->OnCommand(Cmd::NewBlank);
    m_frame->OnCommand(Cmd::EncodingUtf8);
    EXPECT_EQ(View()->Encoding(), TextEncoding::Utf8);
    EXPECT_TRUE(Checked(Cmd::EncodingUtf8));
    EXPECT_FALSE(Checked(Cmd::EncodingUcs2Le));
    EXPECT_EQ(Part(4), EncodingName(TextEncoding::Utf8));
    m_frame->OnCommand(Cmd::EncodingAnsi);
    EXPECT_TRUE(Checked(Cmd::EncodingAnsi));
    EXPECT_FALSE(Checked(Cmd::EncodingUtf8));
}

TEST_F(FrameCommandsTest, EditCommandsReachTheActiveEditor) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("a\n;b\nc");
    Send(Sci::SCI_SETSEL, 0, 6);
    m_frame->OnCommand(Cmd::Comment);
    EXPECT_EQ(Text(), ";a\n;;b\n;c");
    m_frame->OnCommand(Cmd::Uncomment);
    EXPECT_EQ(Text(), "a\n;b\nc");
    m_frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(Text(), ";a\n;;b\n;c");
    m_frame->OnCommand(Cmd::Redo);
    Send(Sci::SCI_SETSEL, 0, 1);
    m_frame->OnCommand(Cmd::UpperCase);
    m_frame->OnCommand(Cmd::QuoteSelection);
    EXPECT_EQ(Text(), "\"A\"\n;b\nc");
    m_frame->OnCommand(Cmd::Delete);
    EXPECT_EQ(Text(), "\n;b\nc");
    m_frame->OnCommand(Cmd::SelectAll);
    EXPECT_EQ(Send(Sci::SCI_GETSELECTIONEND) - Send(Sci::SCI_GETSELECTIONSTART), 5);
    m_prompter.QueueColour(0x00FF00);
    Send(Sci::SCI_GOTOPOS, 0);
    m_frame->OnCommand(Cmd::InsertColour);
    EXPECT_EQ(Text(), "00FF00\n;b\nc");

    // On the start page the same commands do nothing and ask nothing.
    m_frame->OnCommand(Cmd::StartPage);
    m_frame->OnCommand(Cmd::InsertColour);
    m_frame->OnCommand(Cmd::GoToLine);
    EXPECT_EQ(m_prompter.UnusedAnswers(), 0);
}

TEST_F(FrameCommandsTest, KeysReachTheirCommands) {
    m_frame->OnCommand(Cmd::NewBlank);
    ShowActive();
    SetText("a\nb");
    Send(Sci::SCI_SETSEL, 0, 3);
    QTest::keyClick(&Editor(), Qt::Key_Semicolon, Qt::ControlModifier);
    EXPECT_EQ(Text(), ";a\n;b");
    QTest::keyClick(&Editor(), Qt::Key_Semicolon, Qt::ControlModifier);
    EXPECT_EQ(Text(), "a\nb");
    QTest::keyClick(&Editor(), Qt::Key_Backspace, Qt::AltModifier);  // undo
    EXPECT_EQ(Text(), ";a\n;b");
    Send(Sci::SCI_SETSEL, 0, 5);
    Settle();
    QTest::keyClick(&Editor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Text(), ";A\n;B");

    // With nothing selected lower case is disabled; its key must not cut the line instead.
    Send(Sci::SCI_SETSEL, 1, 1);
    Settle();
    ASSERT_FALSE(Enabled(Cmd::LowerCase));
    QTest::keyClick(&Editor(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Text(), ";A\n;B");
}

TEST_F(FrameCommandsTest, FindDialogAndFindNextWhileHidden) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("one two one");
    Send(Sci::SCI_SETSEL, 0, 3);
    m_frame->OnCommand(Cmd::Find);
    CFindReplaceDlg* dlg = m_frame->EditingCommands().FindDialog();
    ASSERT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->findChild<QComboBox*>(u"findText"_s)->currentText(), u"one"_s);
    dlg->hide();
    m_frame->OnCommand(Cmd::FindNext);
    EXPECT_EQ(Send(Sci::SCI_GETSELECTIONSTART), 8);
    m_frame->OnCommand(Cmd::FindPrevious);
    EXPECT_EQ(Send(Sci::SCI_GETSELECTIONSTART), 0);
    EXPECT_TRUE(dlg->isHidden());
    m_frame->OnCommand(Cmd::Replace);
    EXPECT_EQ(dlg->CurrentMode(), CFindReplaceDlg::Mode::Replace);
}

TEST_F(FrameCommandsTest, CopyAndSelectAllActOnTheFocusedLog) {
    m_frame->OnCommand(Cmd::NewBlank);
    SetText("document");
    m_frame->OnCommand(Cmd::ToggleLog);
    auto* log = new QsciScintillaBase(m_frame->LogPane());
    m_frame->LogPane()->layout()->addWidget(log);
    log->SendScintilla(Sci::SCI_SETTEXT, "compile output");
    ShowActive();
    log->setFocus();
    Settle();
    ASSERT_TRUE(log->hasFocus() || log->viewport()->hasFocus());
    m_frame->OnCommand(Cmd::SelectAll);
    EXPECT_EQ(log->SendScintilla(Sci::SCI_GETSELECTIONEND), 14);
    EXPECT_EQ(Send(Sci::SCI_GETSELECTIONEND), Send(Sci::SCI_GETSELECTIONSTART));
}

TEST_F(FrameCommandsTest, WebAndHelpCommandsOpenTheirPages) {
    UrlRecorder recorder({u"http"_s, u"https"_s, u"file"_s});
    m_frame->OnCommand(Cmd::ViewStatistics);
    m_frame->OnCommand(Cmd::HomeSite);
    m_frame->OnCommand(Cmd::OnlineHelp);
    m_frame->OnCommand(Cmd::NsisSite);
    ASSERT_EQ(recorder.urls.size(), 4);
    EXPECT_EQ(recorder.urls[0].path(), u"/goto.php"_s);
    EXPECT_EQ(recorder.urls[0].query(), u"q=vstat"_s);
    EXPECT_EQ(recorder.urls[1].query(), u"q=home"_s);
    EXPECT_EQ(recorder.urls[2].query(), u"q=help"_s);
    EXPECT_EQ(recorder.urls[0].host(), recorder.urls[1].host());
    EXPECT_EQ(recorder.urls[3].path(), u"/Docs/"_s);

    recorder.urls.clear();
    m_config->Base().HelpPath = Script(u"manual.html"_s, "<html></html>");
    m_frame->OnCommand(Cmd::Manual);
    m_config->Base().HelpPath = m_dir.filePath(u"missing.chm"_s);
    m_frame->OnCommand(Cmd::Manual);
    ASSERT_EQ(recorder.urls.size(), 2);
    EXPECT_EQ(recorder.urls[0], QUrl::fromLocalFile(m_config->Base().HelpPath.replace(u"missing.chm"_s, u"manual.html"_s)));
    EXPECT_EQ(recorder.urls[1].query(), u"q=help"_s);
}

TEST_F(FrameCommandsTest, OpenFolderFallsBackToTheFolder) {
    UrlRecorder recorder({u"file"_s});
    // No file manager on a bus that is not there: the folder alone opens.
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    m_frame->OnCommand(Cmd::NewBlank);
    m_frame->OnCommand(Cmd::OpenFolder);  // no path: nothing
    ASSERT_TRUE(Docs().OpenDocument(Script(u"setup.nsi"_s), false));
    m_frame->OnCommand(Cmd::OpenFolder);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.urls.isEmpty(); }, 5000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0], QUrl::fromLocalFile(m_dir.path()));
}

TEST_F(FrameCommandsTest, AboutShowsTheInstalledCompilersVersion) {
    QProcess makensis;
    makensis.start(m_config->GetCompilerPath(), {u"-VERSION"_s});
    ASSERT_TRUE(makensis.waitForFinished(5000));
    const QString reported = QString::fromLocal8Bit(makensis.readAll()).trimmed();
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

TEST_F(FrameCommandsTest, MenuPromptsInTheStatusBar) {
    m_frame->show();
    QAction* save = m_frame->Commands().Action(Cmd::Save);
    save->showStatusText(m_frame.get());
    EXPECT_EQ(m_frame->Status()->currentMessage(), u"保存当前脚本"_s);
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_frame.get(), &leave);
    EXPECT_TRUE(m_frame->Status()->currentMessage().isEmpty());
    EXPECT_EQ(Part(0), u"完成"_s);
}
