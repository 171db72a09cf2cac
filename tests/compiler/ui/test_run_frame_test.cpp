// The test-run command in the frame: built first, run in a throwaway prefix, leftovers highlighted and copyable; the toolchain page.
#include "compile_fixture.h"

#include "compiler/ui/test_run_controller.h"
#include "compiler/ui/test_run_pane.h"
#include "compiler/ui/toolchain_dlg.h"
#include "support/eventually.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>

class TestRunFrameTest : public CompileFrameTest {};

TEST_F(TestRunFrameTest, BuildsTheScriptThenReportsWhatTheUninstallerLeftHighlighted) {
    const QString script = Script(
        "forget.nsi",
        "Unicode true\nTarget amd64-unicode\nName Forget\nOutFile forget.exe\nInstallDir \"$PROGRAMFILES64\\Forget\"\n"
        "RequestExecutionLevel admin\nSection\n  SetOutPath $INSTDIR\n  FileOpen $0 \"$INSTDIR\\kept.txt\" w\n"
        "  FileClose $0\n  WriteUninstaller \"$INSTDIR\\u.exe\"\n"
        "  WriteRegStr HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Forget\" UninstallString "
        "'\"$INSTDIR\\u.exe\"'\nSectionEnd\nSection Uninstall\n  Delete \"$INSTDIR\\u.exe\"\n"
        "  DeleteRegKey HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Forget\"\nSectionEnd\n");
    ASSERT_TRUE(Docs().OpenDocument(script, false));
    CTestRunPane* pane = FrameTestRuns(*m_frame).Pane();
    EXPECT_FALSE(pane->isVisible());

    m_frame->OnCommand(Cmd::TestRun);
    EXPECT_TRUE(Logic().IsCompiling());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->StopButton()->isEnabled(); }, 60000));
    EXPECT_TRUE(pane->isVisible());
    EXPECT_FALSE(Enabled(Cmd::TestRun));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FrameTestRuns(*m_frame).IsRunning(); }, 300000));

    QTreeWidget* tree = pane->Tree();
    ASSERT_GE(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* left = tree->topLevelItem(1);
    EXPECT_EQ(left->text(0), "卸载: 遗留 1 个文件, 1 个文件夹, 0 个注册表项");
    ASSERT_EQ(left->childCount(), 2);
    EXPECT_EQ(left->child(1)->text(1), "C:\\ScrivoTest\\forget\\kept.txt");
    EXPECT_NE(left->child(1)->background(1), tree->topLevelItem(0)->child(0)->background(1));

    left->child(1)->setSelected(true);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "C:\\ScrivoTest\\forget\\kept.txt");
}

TEST_F(TestRunFrameTest, TheToolchainPageListsWhatWasFound) {
    m_frame->OnCommand(Cmd::ToolchainCheck);
    CToolchainDlg* page = FrameTestRuns(*m_frame).ToolchainDlg();
    ASSERT_NE(page, nullptr);
    ASSERT_EVENTUALLY(page->IsReady());
    QTreeWidget* tree = page->Tree();
    ASSERT_GT(tree->topLevelItemCount(), 0);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "NSIS 编译器 (makensis)");
    EXPECT_TRUE(tree->topLevelItem(0)->text(1).contains("makensis，版本 v3")) << tree->topLevelItem(0)->text(1).toStdString();
}
