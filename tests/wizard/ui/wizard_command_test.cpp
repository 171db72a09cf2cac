// The wizard command in the frame: every way to open it, Cancel, and Finish with save and compile by the real makensis.
#include "support/shown_frame.h"
#include "wizard_fixture.h"

#include "app/ui/compile_controller.h"
#include "app/ui/frame_status_bar.h"
#include "app/ui/start_page_view.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "wizard/ui/group_dlg.h"
#include "wizard/ui/wizard_controller.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>

namespace {
QByteArray Utf16Le(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}
}  // namespace

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
    // Finish on the end page, saving to the named file and compiling it.
    void FinishSavingAndCompiling(const QString& name) {
        ASSERT_TRUE(GoTo(kEnd));
        Click("saveScript");
        Click("compileScript");
        m_prompter.QueueFiles({m_dir.filePath(name)});
        Click("finish");
    }
    bool WaitForCompile() {
        return QTest::qWaitFor([this] { return !m_frame->Compiler().IsCompiling(); }, 120000);
    }
    QString ScriptText() const { return QString::fromUtf8(Docs().ActiveView()->Text()); }
    DocumentSet& Docs() const { return m_frame->Documents(); }
};

TEST_F(WizardCommandTest, KeyMenuToolBarAndStartPageOpenTheWizardAndCancelCreatesNothing) {
    QAction* action = m_frame->Commands().Action(Cmd::NewWizard);
    EXPECT_TRUE(action->text().endsWith(QStringLiteral("\tCtrl+W")));
    auto* toolBar = m_frame->findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    QWidget* toolButton = nullptr;
    for (QAction* tool : toolBar->actions()) {
        if (tool->text() == action->text())
            toolButton = toolBar->widgetForAction(tool);
    }
    ASSERT_NE(toolButton, nullptr);

    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"key", [this] { QTest::keyClick(m_frame.get(), Qt::Key_W, Qt::ControlModifier); }},
        {"menu", [action] { action->trigger(); }},
        {"tool bar", [toolButton] { QTest::mouseClick(toolButton, Qt::LeftButton); }},
        {"start page",
         [this] { Q_EMIT m_frame->StartPage()->anchorClicked(QUrl(QStringLiteral("CMD_ID_NEW_WIZARD"))); }},
    };
    const int documents = Docs().Count();
    for (const auto& [name, open] : ways) {
        open();
        ASSERT_TRUE(WizardShown()) << name;
        EXPECT_TRUE(Wizard()->isModal()) << name;
        EXPECT_EQ(Wizard()->PageIndex(), kWelcome) << name;
        ASSERT_TRUE(GoTo(kOption)) << name;
        m_prompter.QueueAnswer(PromptAnswer::No);
        Click("cancel");
        EXPECT_TRUE(Wizard()->isVisible()) << name;
        CancelWizard();
        EXPECT_EQ(Docs().Count(), documents) << name;
        EXPECT_EQ(m_prompter.Messages().size(), 2u) << name;
        m_prompter.ClearRecord();
    }
}

TEST_F(WizardCommandTest, DefaultsWithOneFileBuildAnInstaller) {
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    ASSERT_TRUE(GoTo(kFile));
    AddFiles({WizardAppFile("app.exe")});
    FinishSavingAndCompiling(QStringLiteral("wizard.nsi"));
    ASSERT_EQ(m_prompter.FileRequests().back().title, QStringLiteral("保存NSIS文件"));
    EXPECT_FALSE(Wizard() && Wizard()->isVisible());

    CEditerTabViewItem* document = Docs().ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), QStringLiteral("wizard.nsi "));
    EXPECT_TRUE(QFileInfo(m_dir.filePath("wizard.nsi")).isFile());
    EXPECT_TRUE(ScriptText().contains(QStringLiteral("File \"") + WizardAppFile("app.exe") + QStringLiteral("\"")));
    ASSERT_TRUE(WaitForCompile());
    const QByteArray log = m_frame->Compiler().Log()->Text();
    EXPECT_FALSE(log.toLower().contains("error")) << log.constData();
    EXPECT_TRUE(QFileInfo(document->installerPath).isFile()) << log.constData();
    EXPECT_EQ(QFileInfo(document->installerPath).fileName(), QStringLiteral("setup.exe"));
}

TEST_F(WizardCommandTest, QuotesDollarsAndTwoLinesBuildAndShowAsTyped) {
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    ASSERT_TRUE(GoTo(kInfo));
    Type(Find<QLineEdit>("appName"), QStringLiteral("My \"best\" $APP"));
    ASSERT_TRUE(GoTo(kFile));
    auto* groups = Find<QListWidget>("groups");
    Q_EMIT groups->itemDoubleClicked(groups->item(0));
    CGroup* group = OpenDialog<CGroup>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->windowTitle(), QStringLiteral("编辑安装组"));
    group->findChild<QPlainTextEdit*>("groupDescription")
        ->setPlainText(QStringLiteral("主程序 \"core\"\n第二行 $HOME"));
    group->accept();
    Click("allowComponents");
    AddFiles({WizardAppFile("app.exe")});
    ASSERT_TRUE(GoTo(kCount));
    Type(Find<QLineEdit>("installVersion"), QStringLiteral("1.0.0.0"));
    FinishSavingAndCompiling(QStringLiteral("quoted.nsi"));

    const QString script = ScriptText();
    EXPECT_TRUE(script.contains(QStringLiteral("!define PRODUCT_NAME \"My $\\\"best$\\\" $$APP\"")));
    EXPECT_TRUE(script.contains(QStringLiteral("${SEC01} \"主程序 $\\\"core$\\\"$\\r$\\n第二行 $$HOME\"")));
    ASSERT_TRUE(WaitForCompile());
    const QByteArray log = m_frame->Compiler().Log()->Text();
    EXPECT_FALSE(log.toLower().contains("error")) << log.constData();
    const QString installer = Docs().ActiveDocument()->installerPath;
    ASSERT_TRUE(QFileInfo(installer).isFile()) << log.constData();
    EXPECT_TRUE(ReadBytes(installer).contains(Utf16Le(QStringLiteral("My \"best\" $APP"))));
}

TEST_F(WizardCommandTest, CancelledSaveLeavesTheNewDocumentUncompiled) {
    m_frame->OnCommand(Cmd::NewWizard);
    ASSERT_TRUE(WizardShown());
    ASSERT_TRUE(GoTo(kEnd));
    Click("saveScript");
    Click("compileScript");
    const int documents = Docs().Count();
    Click("finish");  // the Save As dialog gets no file
    ASSERT_EQ(Docs().Count(), documents + 1);
    EXPECT_TRUE(Docs().ActiveDocument()->GetTitle().startsWith(QStringLiteral("New(")));
    EXPECT_TRUE(Docs().ActiveDocument()->IsModified());
    EXPECT_FALSE(m_frame->Compiler().IsCompiling());
    EXPECT_FALSE(m_frame->IsLogShown());
    EXPECT_TRUE(ScriptText().startsWith(QStringLiteral("; 该脚本使用 Korvane安装(")));
}

TEST_F(WizardCommandTest, StartPageWizardButtonTellsWhatItDoesUnderTheMouse) {
    Docs().ShowStartPage();
    CNewWizardDlg* page = m_frame->StartPage();
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_frame->Status()->SimpleText() == prompt; }, 5000))
        << m_frame->Status()->SimpleText().toStdString();
}
