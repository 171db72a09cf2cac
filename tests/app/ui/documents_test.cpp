// Document operations of the frame: open, close, prompts, exit, stored tabs, templates, drops.
#include "support/frame_fixture.h"

#include "app/ui/file_tab_ctrl.h"
#include "editor/ui/scintilla_call.h"

namespace {

void Edit(CScrivoView* view) { view->AppendText("; edited\r\n"); }

}  // namespace

TEST_F(FrameTest, StartPageAppearsWhenNothingIsOpenAndItsLastTabStays) {
    m_frame->OpenInitialDocuments({});
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Docs().ActiveItem()->GetKind(), CTabViewItem::Kind::StartPage);
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("起始页  - Korvane安装"));
    EXPECT_EQ(FrameTabs(*m_frame)->TabImage(0), 2);
    EXPECT_FALSE(Docs().CloseTab(0));
    EXPECT_EQ(Docs().Count(), 1);

    Docs().NewBlank();
    ASSERT_TRUE(Docs().CloseTab(0));  // the start page, now that another tab exists
    ASSERT_EQ(Docs().Count(), 1);
    ASSERT_TRUE(Docs().CloseTab(0));  // the only document: the start page returns
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Docs().ActiveItem()->GetKind(), CTabViewItem::Kind::StartPage);
}

TEST_F(FrameTest, OpeningTheSameFileTwiceOnlyActivatesIt) {
    const QString a = Script(QStringLiteral("a.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(a, false));
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("b.nsi")), false));
    ASSERT_EQ(Docs().ActiveIndex(), 1);
    EXPECT_TRUE(Docs().OpenDocument(m_dir.path() + QStringLiteral("/./a.nsi"), false));
    EXPECT_EQ(Docs().Count(), 2);
    EXPECT_EQ(Docs().ActiveIndex(), 0);
    EXPECT_EQ(Title(0), QStringLiteral("a.nsi "));
}

// Which tab becomes active is pinned in ShellRules; here, that the set and the strip follow it.
TEST_F(FrameTest, ClosingTheActiveThirdOfFiveTabs) {
    for (int i = 0; i < 5; ++i)
        Docs().NewBlank();
    Docs().Activate(2);
    ASSERT_TRUE(Docs().CloseTab(2));
    EXPECT_EQ(Docs().ActiveIndex(), 2);
    EXPECT_EQ(Title(2), QStringLiteral("New(4) "));
    EXPECT_EQ(FrameTabs(*m_frame)->currentIndex(), 2);
    for (int i = 0; i < Docs().Count(); ++i)
        EXPECT_EQ(FrameTabs(*m_frame)->tabText(i), Title(i));
}

TEST_F(FrameTest, YesThenCancelledSaveAsKeepsTheDocument) {
    Docs().NewBlank();
    Edit(Docs().ActiveView());
    m_prompter.QueueAnswer(PromptAnswer::Yes);  // save? yes; then no file chosen
    ASSERT_FALSE(Docs().CloseTab(0));
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_TRUE(Docs().ActiveView()->IsModified());
    EXPECT_EQ(m_prompter.Messages(),
              (std::vector<PromptMessage>{{"是否保存对 \"New(1) \" 的更改？", "Korvane安装", PromptIcon::Question,
                                           PromptButtons::YesNoCancel}}));
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_EQ(m_prompter.FileRequests()[0].title, QStringLiteral("保存NSIS文件"));
    EXPECT_EQ(m_prompter.FileRequests()[0].fileName, QStringLiteral("New(1)"));

    const QString target = m_dir.filePath(QStringLiteral("saved.nsi"));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    m_prompter.QueueFiles({target});
    EXPECT_TRUE(Docs().CloseTab(0));
    EXPECT_TRUE(ReadBytes(target).startsWith(QByteArray("\xFF\xFE;\0", 4)));  // a new script is UCS-2 LE
    EXPECT_EQ(m_config->RecentFiles().last(), target);
}

TEST_F(FrameTest, ExitPromptCancelledOnTheSecondOfThreeWritesNothing) {
    QStringList paths;
    for (const char* name : {"one.nsi", "two.nsi", "three.nsi"}) {
        paths << Script(QLatin1StringView(name));
        ASSERT_TRUE(Docs().OpenDocument(paths.last(), false));
        Edit(Docs().ActiveView());
    }
    m_config->Base().ShowToolbar = 1;
    const QByteArray before = ConfigBytes();
    m_prompter.QueueAnswer(PromptAnswer::No);
    m_prompter.QueueAnswer(PromptAnswer::Cancel);
    m_frame->OnCommand(Cmd::ToggleToolbar);  // a state change that would be stored
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(Docs().Count(), 3);
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
    // Each question brought its document to the front; the exit stopped at the second.
    EXPECT_EQ(Docs().ActiveView()->Path(), paths[1]);
    EXPECT_EQ(ConfigBytes(), before);

    for (int i = 0; i < 3; ++i)
        m_prompter.QueueAnswer(PromptAnswer::No);
    Docs().Activate(1);
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(m_config->ReadOpenFiles(),
              (QStringList{QLatin1Char('0') + paths[0], QLatin1Char('1') + paths[1], QLatin1Char('0') + paths[2]}));
    EXPECT_EQ(m_config->Base().ShowToolbar, 0);
    EXPECT_NE(ConfigBytes(), before);
}

TEST_F(FrameTest, StoredTabsComeBackWithTheActiveOneOrTheLastOpened) {
    const QString a = Script(QStringLiteral("a.nsi"));
    const QString b = Script(QStringLiteral("b.nsi"));
    const auto restartWith = [this](const QStringList& stored) {
        m_config->WriteOpenFiles(stored);
        m_config->SaveBaseConfig();
        CreateFrame();
        m_frame->OpenInitialDocuments({});
    };
    restartWith({QLatin1Char('0') + a, QStringLiteral("1") + m_dir.filePath(QStringLiteral("gone.nsi")),
                 QLatin1Char('0') + b, QString()});
    ASSERT_EQ(Docs().Count(), 2);
    EXPECT_EQ(Docs().ActiveIndex(), 1);
    EXPECT_TRUE(m_prompter.Messages().empty());  // a vanished file is skipped silently

    restartWith({QStringLiteral("0#StartPage#"), QStringLiteral("1") + a, QStringLiteral("0#StartPage#")});
    ASSERT_EQ(Docs().Count(), 2);
    EXPECT_EQ(Docs().Item(0)->GetKind(), CTabViewItem::Kind::StartPage);
    EXPECT_EQ(Docs().ActiveIndex(), 1);
    // The command-line file joins them and becomes active.
    CreateFrame();
    m_frame->OpenInitialDocuments({false, b});
    EXPECT_EQ(Docs().Count(), 3);
    EXPECT_EQ(Docs().ActiveItem()->GetTitle(), QStringLiteral("b.nsi "));
}

TEST_F(FrameTest, TemplateAndWizardScriptOpenAsModifiedUntitledOutsideTheRecentFiles) {
    Docs().NewBlank();
    const QString tpl = Script(QStringLiteral("tpl.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(tpl, true));
    CScrivoView* view = Docs().ActiveView();
    EXPECT_EQ(Docs().ActiveItem()->GetTitle(), QStringLiteral("New(2) "));
    EXPECT_TRUE(view->IsModified());
    EXPECT_FALSE(m_config->RecentFiles().contains(tpl));
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("*New(2)  - Korvane安装"));
    // Undoing an edit does not make the unsaved template look saved.
    Edit(view);
    view->Call().Undo();
    EXPECT_TRUE(view->IsModified());

    // A script from the wizard opens the same way.
    CEditerTabViewItem* document = Docs().NewWithText(QStringLiteral("Name \"测试\"\r\n"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), QStringLiteral("New(3) "));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->View()->Text(), QStringLiteral("Name \"测试\"\r\n").toUtf8());
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("*New(3)  - Korvane安装"));
}

TEST_F(FrameTest, ModifiedDocumentShowsStarAndTabImageUntilSaved) {
    const QString a = Script(QStringLiteral("a.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(a, false));
    EXPECT_EQ(m_frame->windowTitle(), a + QStringLiteral(" - Korvane安装"));
    Edit(Docs().ActiveView());
    EXPECT_EQ(m_frame->windowTitle(), QLatin1Char('*') + a + QStringLiteral(" - Korvane安装"));
    EXPECT_EQ(FrameTabs(*m_frame)->TabImage(0), 1);
    EXPECT_TRUE(Enabled(Cmd::Save));
    m_frame->OnCommand(Cmd::Save);
    EXPECT_EQ(m_frame->windowTitle(), a + QStringLiteral(" - Korvane安装"));
    EXPECT_EQ(FrameTabs(*m_frame)->TabImage(0), 0);
    EXPECT_FALSE(Enabled(Cmd::Save));
    EXPECT_EQ(ReadBytes(a), QByteArray("Name \"x\"\r\n; edited\r\n"));

    m_config->Base().CaptionShowFName = 1;
    m_frame->UpdateCaption();
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("a.nsi - Korvane安装"));
}

TEST_F(FrameTest, DroppedFilesOpenByExtension) {
    const QString nsi = Script(QStringLiteral("drop.nsi"));
    const QString exe = Script(QStringLiteral("drop.exe"));
    // Which names count is pinned in ShellRules.
    Docs().DropFiles({nsi, exe, m_dir.filePath(QStringLiteral("missing.nsi"))});
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Title(0), QStringLiteral("drop.nsi "));
}

TEST_F(FrameTest, CloseOthersKeepsTheActiveTabEvenTheStartPage) {
    Docs().NewBlank();
    Docs().NewBlank();
    Docs().ShowStartPage();
    Docs().CloseOthers();
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Docs().ActiveItem()->GetKind(), CTabViewItem::Kind::StartPage);

    Docs().NewBlank();  // New(3)
    Docs().NewBlank();  // New(4), then modified, and the prompt cancelled
    Edit(Docs().ActiveView());
    Docs().NewBlank();  // New(5)
    Docs().Activate(1);
    m_prompter.QueueAnswer(PromptAnswer::Cancel);
    Docs().CloseOthers();
    // The start page went; the cancel stopped the walk at New(4).
    ASSERT_EQ(Docs().Count(), 3);
    EXPECT_EQ(Docs().ActiveItem()->GetTitle(), QStringLiteral("New(3) "));
    EXPECT_EQ(FrameTabs(*m_frame)->currentIndex(), Docs().ActiveIndex());
}

TEST_F(FrameTest, FailedOpenReportsAndLeavesTheRecentFiles) {
    const QString a = Script(QStringLiteral("a.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(a, false));
    ASSERT_TRUE(m_config->RecentFiles().contains(a));
    ASSERT_TRUE(Docs().CloseTab(0));
    QFile::remove(a);
    m_prompter.QueueAnswer(PromptAnswer::Ok);
    EXPECT_FALSE(Docs().OpenDocument(a, false));
    // The message is TextDocumentTest.UnreadableFilesAreReportedAndChangeNothing's.
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_FALSE(m_config->RecentFiles().contains(a));
    EXPECT_EQ(Docs().Count(), 1);  // only the start page
}

TEST_F(FrameTest, SidePaneTogglesAndTheLayoutOutliveARestart) {
    // How the two views share the pane is SidePaneTest.TogglesPutOneViewInTheSidePaneAndTheFirstTabDecidesForTheOutline's.
    Docs().NewBlank();
    m_frame->OnCommand(Cmd::ToggleThumbnail);
    ASSERT_TRUE(ThumbnailShown(*m_frame));
    m_frame->OnCommand(Cmd::PaneClose);
    EXPECT_FALSE(FrameCodePane(*m_frame)->isVisibleTo(m_frame.get()));
    EXPECT_FALSE(FrameActions(*m_frame).Action(Cmd::ToggleThumbnail)->isChecked());

    EXPECT_FALSE(LogShown(*m_frame));
    m_frame->OnCommand(Cmd::ToggleLog);
    EXPECT_TRUE(LogShown(*m_frame));
    m_frame->OnCommand(Cmd::CompressorFirst + 5);
    EXPECT_EQ(FrameCompiler(*m_frame).Compressor(), 5);
    m_frame->OnCommand(Cmd::ToggleStatusBar);
    ASSERT_TRUE(m_frame->close());

    CreateFrame();
    EXPECT_EQ(FrameCompiler(*m_frame).Compressor(), 5);
    EXPECT_TRUE(FrameActions(*m_frame).Action(Cmd::CompressorFirst + 5)->isChecked());
    EXPECT_FALSE(FrameActions(*m_frame).Action(Cmd::CompressorFirst)->isChecked());
    EXPECT_EQ(m_config->Base().ShowCodeTree, 0);
    EXPECT_FALSE(OutlineShown(*m_frame));
    EXPECT_TRUE(FrameStatus(*m_frame)->isHidden());
    EXPECT_FALSE(LogShown(*m_frame));  // the log pane always starts hidden
}
