// Go to definition and find references through the frame, on a project spread over headers.
#include "compile_fixture.h"

#include "compiler/ui/navigation_controller.h"
#include "compiler/ui/rename_symbol_dlg.h"
#include "compiler/ui/symbol_uses_list.h"
#include "support/eventually.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {
const QString kProject = QStringLiteral(SCRIVO_TEST_DATA "/nsis/project");
}  // namespace

class NavigationFrameTest : public CompileFrameTest {
protected:
    void SetUp() override {
        CompileFrameTest::SetUp();
        for (const char* name : {"main.nsi", "sub/level1.nsh", "sub/lib/funcs.nsh"}) {
            const QString relative = QString::fromLatin1(name);
            QDir(m_dir.path()).mkpath(QFileInfo(relative).path());
            ASSERT_TRUE(QFile::copy(kProject + u'/' + relative, m_dir.filePath(relative))) << name;
        }
    }

    // Opens main.nsi with the caret on a column of a 1-based line, once the index knows the symbol there.
    CScrivoView* OpenMainAt(int line, int column) {
        if (!Docs().OpenDocument(m_dir.filePath(QStringLiteral("main.nsi")), false))
            return nullptr;
        CScrivoView* view = Docs().ActiveView();
        view->Call().GotoPos(view->Call().PositionFromLine(line - 1) + column);
        return QTest::qWaitFor([this] { return Enabled(Cmd::GoToDefinition); }, 10000) ? view : nullptr;
    }

    CSymbolUsesList& Uses() const { return *m_frame->findChild<CSymbolUsesList*>(); }
};

TEST_F(NavigationFrameTest, F12OpensTheHeaderAtTheDefinitionLine) {
    CScrivoView* main = OpenMainAt(30, 10);  // Call InstallFiles
    ASSERT_TRUE(main);
    QTest::keyClick(main->Call().Widget(), Qt::Key_F12);
    CScrivoView* header = Docs().ActiveView();
    ASSERT_NE(header, main);
    EXPECT_EQ(header->Path(), m_dir.filePath(QStringLiteral("sub/lib/funcs.nsh")));
    EXPECT_EVENTUALLY(CaretLine(*header) == 3);

    // A define with a definition in each !ifdef branch offers both.
    Docs().OpenDocument(main->Path(), false);
    main->Call().GotoPos(main->Call().PositionFromLine(18) + 27);  // ${GREETING}
    m_frame->OnCommand(Cmd::GoToDefinition);
    EXPECT_EQ(Docs().ActiveView(), main);
    ASSERT_EQ(Uses().Rows().size(), 2u);
    EXPECT_TRUE(Uses().isVisible());
}

TEST_F(NavigationFrameTest, ShiftF12ListsTheUsesAndEnterGoesThere) {
    CScrivoView* main = OpenMainAt(19, 12);  // $INSTDIR_DATA
    ASSERT_TRUE(main);
    // Unsaved text counts: a new use above the others.
    main->Call().InsertText(0, "!define COPY \"$INSTDIR_DATA\"\n");
    main->Call().GotoPos(main->Call().PositionFromLine(19) + 12);
    QTest::keyClick(main->Call().Widget(), Qt::Key_F12, Qt::ShiftModifier);
    const std::vector<SymbolUseRow>& rows = Uses().Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(rows[0].definition);
    EXPECT_EQ(QFileInfo(rows[0].file).fileName(), QStringLiteral("level1.nsh"));
    EXPECT_EQ(rows[0].text, QStringLiteral("Var INSTDIR_DATA"));
    std::vector<int> lines;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_FALSE(rows[i].definition);
        lines.push_back(rows[i].line);
    }
    EXPECT_EQ(lines, (std::vector<int>{0, 19, 23, 32}));

    // F4 still walks the problems: there are none, so it stays disabled.
    EXPECT_FALSE(Enabled(Cmd::NextDiagnostic));

    Uses().Tree()->setCurrentItem(Uses().Tree()->topLevelItem(0));
    QTest::keyClick(Uses().Tree(), Qt::Key_Return);
    CScrivoView* header = Docs().ActiveView();
    EXPECT_EQ(header->Path(), m_dir.filePath(QStringLiteral("sub/level1.nsh")));
    EXPECT_EVENTUALLY(CaretLine(*header) == 3);
}

TEST_F(NavigationFrameTest, RestingOnASymbolTipsItsDefinitionWithTheCommentAbove) {
    CScrivoView* main = OpenMainAt(30, 10);
    ASSERT_TRUE(main);
    NavigationController& navigation = *m_frame->findChild<NavigationController*>();
    const long call = long(main->Call().PositionFromLine(29) + 9);
    EXPECT_EQ(navigation.SymbolTip(call),
              QStringLiteral("函数 InstallFiles    funcs.nsh:4\n; Copies the files.\nFunction InstallFiles"));
    EXPECT_EQ(navigation.SymbolTip(call - 3), QString());  // on "Call"
}

TEST_F(NavigationFrameTest, F2RenamesAcrossTwoOpenFilesInOneUndoStepEach) {
    ASSERT_TRUE(Docs().OpenDocument(m_dir.filePath(QStringLiteral("sub/level1.nsh")), false));
    CScrivoView* header = Docs().ActiveView();
    const QByteArray headerText = header->Text();
    CScrivoView* main = OpenMainAt(19, 12);  // $INSTDIR_DATA
    ASSERT_TRUE(main);
    const QByteArray mainText = main->Text();

    QTest::keyClick(main->Call().Widget(), Qt::Key_F2);
    CRenameSymbolDlg* dialog = m_frame->findChild<CRenameSymbolDlg*>();
    ASSERT_TRUE(dialog);
    QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    dialog->NameEdit()->setText(QStringLiteral("ShowPage"));
    EXPECT_TRUE(ok->isEnabled()) << "a function's name is free for a variable";
    dialog->NameEdit()->setText(QStringLiteral("data folder"));
    EXPECT_FALSE(ok->isEnabled());
    dialog->NameEdit()->setText(QStringLiteral("DataFolder"));
    ASSERT_TRUE(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);

    EXPECT_EQ(Docs().ActiveView(), main);
    EXPECT_EQ(main->Text().count("$DataFolder"), 3);
    EXPECT_TRUE(header->Text().contains("Var DataFolder\n"));
    EXPECT_TRUE(main->IsModified() && header->IsModified());
    for (CScrivoView* view : {main, header})
        view->Call().Undo();
    EXPECT_EQ(main->Text(), mainText);
    EXPECT_EQ(header->Text(), headerText);
}
