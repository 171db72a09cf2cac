// The statistics panel and the insert dialog against the loopback service, and the insertion in a real editor.
#include "editor/ui/scintilla_call.h"
#include "support/eventually.h"
#include "modal_script.h"
#include "online/support/online_fixture.h"
#include "online/ui/insert_num_dlg.h"
#include "online/ui/stat_code_inserter.h"
#include "online/ui/stat_panel.h"
#include "nsis/core/stat_line.h"
#include "wizard/ui/stat_number_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
namespace {

class InsertNumTest : public OnlineTest {
protected:
    void Open() {
        m_user = NewUser();
        m_dialog = std::make_unique<CInsertNum>(StatService{*m_user, Servers()}, m_prompter, nullptr);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    CStatPanel& Panel() const { return *m_dialog->Panel(); }
    CStatNumberPanel& Form() const { return *m_dialog->Form(); }
    QPushButton* Ok() const { return ButtonLabelled(*m_dialog, u"确    定"_s); }

    std::unique_ptr<CUserInfoLogic> m_user;
    std::unique_ptr<CInsertNum> m_dialog;
};

}  // namespace

TEST_F(InsertNumTest, SignedInPanelListsTheNumbersAndPicksOne) {
    LoadConfig(StoredAutoLogin());
    Open();
    EXPECT_TRUE(Form().findChild<QLineEdit*>(u"statNumber"_s)->hasFocus());
    EXPECT_FALSE(Panel().findChild<QPushButton*>(u"signIn"_s)->isVisible());
    QTreeWidget* list = Panel().List();
    ASSERT_EVENTUALLY(list->topLevelItemCount() == 2);
    const QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(QStringList({row->text(0), row->text(1), row->text(2)}), QStringList({u"1"_s, u"A1"_s, u"Setup A"_s}));
    EXPECT_EQ(Panel().ItemName(u"A1"_s), u"Setup A"_s);
    EXPECT_EQ(Panel().ItemName(u"a1"_s), QString());

    const QPoint at = list->visualItemRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Form().Number(), u"A1"_s);
    EXPECT_TRUE(m_dialog->isVisible());
    // A double-clicked row is taken as it is, without the number check.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->Number(), u"A1"_s);
    EXPECT_EQ(m_dialog->Comment(), StatComment(u"Setup A"_s));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(InsertNumTest, OkChecksTheNumber) {
    Open();
    // Which numbers pass is the number check's rule; here, that a refused one keeps the dialog open.
    Form().SetNumber(u"ABC"_s);
    QTest::mouseClick(Ok(), Qt::LeftButton);
    ASSERT_FALSE(m_prompter.Messages().empty());
    EXPECT_EQ(m_prompter.Messages().back(),
              (PromptMessage{u"请输入有效的统计编号！"_s, u"Korvane安装"_s, PromptIcon::Warning, PromptButtons::Ok}));
    EXPECT_TRUE(m_dialog->isVisible());
    Form().SetNumber(u"  7KFBDS3C "_s);
    Form().SetVersion(u"not read"_s);
    QTest::mouseClick(Ok(), Qt::LeftButton);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->Number(), u"7KFBDS3C"_s);
    EXPECT_EQ(m_dialog->Comment(), StatComment(QString()));
}

TEST_F(InsertNumTest, UsageNotesLinkToTheSignInPage) {
    Open();
    const QString notes = m_dialog->findChild<QLabel*>(u"usageNotes"_s)->text();
    EXPECT_TRUE(notes.contains(Servers().info.toString() + u"/goto.php?q=login"_s)) << notes.toStdString();
    EXPECT_TRUE(notes.contains(u"Korvane统计(127.0.0.1)"_s)) << notes.toStdString();
}

TEST(InsertStatCode, OneUndoStepAndTheNewLineSelected) {
    ScintillaCall editor;
    const QByteArray script = "Name x\r\n  OutFile a.exe\r\nKorvaneID 1ABC\r\nSection\r\nSectionEnd\r\n";
    editor.SetText(script);
    editor.EmptyUndoBuffer();
    InsertStatCode(editor, u"7KFBDS3C"_s, StatComment(u"演示"_s));

    const QByteArray line = "  KorvaneID 7KFBDS3C " + StatComment(u"演示"_s).toUtf8();
    EXPECT_EQ(editor.GetText(), "Name x\r\n  OutFile a.exe\r\n" + line + "\r\nSection\r\nSectionEnd\r\n");
    const long start = editor.PositionFromLine(2);
    EXPECT_EQ(editor.SelectionStart(), start);
    EXPECT_EQ(editor.SelectionEnd(), start + line.size());

    editor.Undo();
    EXPECT_EQ(editor.GetText(), script);
    EXPECT_FALSE(editor.CanUndo());
}
