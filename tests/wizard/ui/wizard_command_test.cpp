// The wizard command in the frame: every way to open it, Cancel, and Finish with save and compile by the real makensis.
#include "support/nsis_dir.h"
#include "support/shown_frame.h"
#include "wizard_fixture.h"

#include "wizard/ui/wizard_controller.h"

#include <QFileInfo>
#include <QToolBar>

class WizardCommandTest : public ShownFrameTest, protected WizardSteps {
protected:
    CMainDlg* Wizard() const override { return m_frame->findChild<WizardController*>()->Wizard(); }
    ScriptedPrompter& Answers() override { return m_prompter; }

    bool WizardShown() const {
        return QTest::qWaitFor([this] { return Wizard() && Wizard()->isVisible(); }, 5000);
    }
    // Cancels the open wizard with Yes to the question.
    void CancelWizard() {
        m_prompter.QueueAnswer(PromptAnswer::Yes);
        Click("cancel");
        EXPECT_FALSE(Wizard()->isVisible());
    }
    // Finish on the end page with save and compile, the Save As dialog answering saveAs.
    void FinishSavingAndCompiling(const QStringList& saveAs) {
        ASSERT_TRUE(GoTo(kEnd));
        Click("saveScript");
        Click("compileScript");
        m_prompter.QueueFiles(saveAs);
        Click("finish");
    }
    QString ScriptText() const { return QString::fromUtf8(Docs().ActiveView()->Text()); }
    DocumentSet& Docs() const { return FrameDocuments(*m_frame); }
};

TEST_F(WizardCommandTest, KeyMenuToolBarAndStartPageOpenTheWizardAndCancelCreatesNothing) {
    QAction* action = FrameActions(*m_frame).Action(Cmd::NewWizard);
    EXPECT_TRUE(action->text().endsWith(QStringLiteral("\tCtrl+W")));
    auto* toolBar = m_frame->findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    QWidget* toolButton = toolBar->widgetForAction(action);
    ASSERT_NE(toolButton, nullptr);

    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"key", [this] { QTest::keyClick(m_frame.get(), Qt::Key_W, Qt::ControlModifier); }},
        {"menu", [action] { action->trigger(); }},
        {"tool bar", [toolButton] { QTest::mouseClick(toolButton, Qt::LeftButton); }},
        {"start page",
         [this] { Q_EMIT FrameStartPage(*m_frame)->anchorClicked(QUrl(QStringLiteral("CMD_ID_NEW_WIZARD"))); }},
    };
    const int documents = Docs().Count();
    for (const auto& [name, open] : ways) {
        open();
        ASSERT_TRUE(WizardShown()) << name;
        EXPECT_TRUE(Wizard()->isModal()) << name;
        EXPECT_EQ(Wizard()->PageIndex(), kWelcome) << name;
        // The question itself is the page scenes' to check.
        ASSERT_TRUE(GoTo(kOption)) << name;
        CancelWizard();
        EXPECT_EQ(Docs().Count(), documents) << name;
    }
}

TEST_F(WizardCommandTest, MakensisIsAskedInTheBackgroundOncePerCompilerFile) {
    // A compiler that tells what the real one tells, counts its runs, and answers only once let.
    ASSERT_TRUE(WriteBytes(m_dir.filePath("hdrinfo"), HdrInfo()));
    const QByteArray dir = m_dir.path().toUtf8();
    const QString fake = m_dir.filePath("makensis");
    ASSERT_TRUE(WriteExecutable(fake,
                                "#!/bin/sh\necho run >> '" + dir + "/runs'\nwhile [ ! -e '" + dir
                                    + "/go' ]; do sleep 0.02; done\ncat '" + dir + "/hdrinfo'\n"));
    m_config->Base().CompilePath = fake;
    const auto runs = [this] { return ReadBytes(m_dir.filePath("runs")).count('\n'); };

    m_frame->OnCommand(Cmd::NewWizard);
    // Back at once and busy, no wizard yet; a second command meanwhile adds nothing.
    EXPECT_EQ(Wizard(), nullptr);
    EXPECT_EQ(m_frame->cursor().shape(), Qt::BusyCursor);
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WriteBytes(m_dir.filePath("go"), "go"));
    ASSERT_TRUE(WizardShown());
    EXPECT_NE(m_frame->cursor().shape(), Qt::BusyCursor);
    CancelWizard();

    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    CancelWizard();
    EXPECT_EQ(runs(), 1);

    // Another compiler file in its place is asked again.
    QFile file(fake);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QFileInfo(fake).lastModified().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    CancelWizard();
    EXPECT_EQ(runs(), 2);
}

TEST_F(WizardCommandTest, DefaultsWithOneFileBuildAnInstaller) {
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    ASSERT_TRUE(GoTo(kFile));
    AddFiles({WizardAppFile("app.exe")});
    FinishSavingAndCompiling({m_dir.filePath("wizard.nsi")});
    ASSERT_EQ(m_prompter.FileRequests().back().title, QStringLiteral("保存NSIS文件"));
    EXPECT_FALSE(Wizard() && Wizard()->isVisible());

    CEditerTabViewItem* document = Docs().ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), QStringLiteral("wizard.nsi "));
    EXPECT_TRUE(QFileInfo(m_dir.filePath("wizard.nsi")).isFile());
    EXPECT_TRUE(ScriptText().contains(QStringLiteral("File \"") + WizardAppFile("app.exe") + QStringLiteral("\"")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !FrameCompiler(*m_frame).IsCompiling(); }, 120000));
    const QByteArray log = FrameCompiler(*m_frame).Log()->Text();
    EXPECT_FALSE(log.toLower().contains("error")) << log.constData();
    EXPECT_TRUE(QFileInfo(FrameCompiler(*m_frame).InstallerOf(document->View())).isFile()) << log.constData();
    EXPECT_EQ(QFileInfo(FrameCompiler(*m_frame).InstallerOf(document->View())).fileName(), QStringLiteral("setup.exe"));
}

TEST_F(WizardCommandTest, CancelledSaveLeavesTheNewDocumentUncompiled) {
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    const int documents = Docs().Count();
    FinishSavingAndCompiling({});
    ASSERT_EQ(Docs().Count(), documents + 1);
    EXPECT_TRUE(Docs().ActiveDocument()->GetTitle().startsWith(QStringLiteral("New(")));
    EXPECT_TRUE(Docs().ActiveDocument()->IsModified());
    EXPECT_FALSE(FrameCompiler(*m_frame).IsCompiling());
    EXPECT_FALSE(LogShown(*m_frame));
    EXPECT_TRUE(ScriptText().startsWith(QStringLiteral("; 该脚本使用 Korvane安装(")));
}

TEST_F(WizardCommandTest, StartPageWizardButtonTellsWhatItDoesUnderTheMouse) {
    Docs().ShowStartPage();
    CNewWizardDlg* page = FrameStartPage(*m_frame);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page));
    QPoint button(-1, -1);
    for (int y = 0; y < page->viewport()->height() && button.x() < 0; y += 4) {
        for (int x = 0; x < page->viewport()->width(); x += 8) {
            if (page->anchorAt(QPoint(x, y)) == QStringLiteral("CMD_ID_NEW_WIZARD")) {
                button = QPoint(x, y);
                break;
            }
        }
    }
    ASSERT_GE(button.x(), 0) << "no wizard button on the start page";
    QTest::mouseMove(page->viewport(), button);
    const QString prompt = QStringLiteral("利用向导的帮助创建新脚本");
    EXPECT_TRUE(QTest::qWaitFor([&] { return FrameStatus(*m_frame)->SimpleText() == prompt; }, 5000))
        << FrameStatus(*m_frame)->SimpleText().toStdString();
}
