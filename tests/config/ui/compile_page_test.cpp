// The compiler page: paths through browse dialogs, the compile switches and the symbol list with its dialog.
#include "settings_fixture.h"

#include "platform/app_name.h"

#include <QCheckBox>
#include <QStandardPaths>
#include <QTreeWidget>

class CompilePageTest : public SettingsTest {
protected:
    QTreeWidget* Symbols() const { return Window()->findChild<QTreeWidget*>(); }
    QList<std::pair<QString, QString>> Rows() const {
        QList<std::pair<QString, QString>> rows;
        for (int i = 0; i < Symbols()->topLevelItemCount(); ++i)
            rows.append({Symbols()->topLevelItem(i)->text(0), Symbols()->topLevelItem(i)->text(1)});
        return rows;
    }
    void Press(const QString& text) { Button(text)->click(); }
    // Fills the symbol dialog and presses one of its buttons.
    std::function<void(QWidget*)> FillSymbol(const QString& name, const QString& value,
                                             const QString& button = u"确定"_s) {
        return [=, this](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), u"编辑符号"_s);
            auto* nameBox = Field<QLineEdit>(u"符号："_s, dialog);
            auto* valueBox = Field<QLineEdit>(u"数值："_s, dialog);
            QAbstractButton* press = Button(button, dialog);
            if (nameBox && valueBox && press) {
                nameBox->setText(name);
                valueBox->setText(value);
                press->click();
            }
        };
    }
};

TEST_F(CompilePageTest, SymbolsAddedBecomeDefsAndComeBackOnReopening) {
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    ASSERT_NE(Symbols(), nullptr);
    EXPECT_TRUE(Rows().isEmpty());

    WithModal(FillSymbol(u"VER"_s, u"1.0"_s), [this] { Press(u"添加"_s); });
    // An empty name is refused and the dialog stays open.
    bool stayedOpen = false;
    WithModal(
        [&](QWidget* dialog) {
            FillSymbol({}, u"1"_s)(dialog);
            stayedOpen = dialog->isVisible();
            FillSymbol(u"DEBUG"_s, {})(dialog);
        },
        [this] { Press(u"添加"_s); });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(m_prompter.Messages(),
              (std::vector<PromptMessage>{{u"符号不能为空！"_s, u"错误"_s, PromptIcon::Warning, PromptButtons::Ok}}));
    WithModal(FillSymbol(u"NOT"_s, u"ADDED"_s, u"取消"_s), [this] { Press(u"添加"_s); });
    EXPECT_EQ(m_config->Base().Defs, u"/DVER=1.0\n/DDEBUG"_s);
    CloseSettings();

    // Written on close: the next start reads the same rows.
    CreateFrame();
    EXPECT_EQ(m_config->Base().Defs, u"/DVER=1.0\n/DDEBUG"_s);
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    EXPECT_EQ(Rows(), (QList<std::pair<QString, QString>>{{u"VER"_s, u"1.0"_s}, {u"DEBUG"_s, {}}}));
}

TEST_F(CompilePageTest, EditAndDeleteActOnTheSelectedRowOnly) {
    m_config->Base().Defs = u"=x\n/DA=1\n/DB"_s;
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    QTreeWidget* list = Symbols();
    EXPECT_EQ(Rows(), (QList<std::pair<QString, QString>>{{{}, u"x"_s}, {u"A"_s, u"1"_s}, {u"B"_s, {}}}));

    // Without a selected row nothing happens: no dialog, no change.
    list->clearSelection();
    Press(u"编辑"_s);
    Press(u"删除"_s);
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(m_config->Base().Defs, u"=x\n/DA=1\n/DB"_s);

    list->setCurrentItem(list->topLevelItem(1));
    WithModal(FillSymbol(u"A"_s, u"2 3"_s), [this] { Press(u"编辑"_s); });
    EXPECT_EQ(m_config->Base().Defs, u"/D=x\n/DA=2 3\n/DB"_s);

    list->setCurrentItem(list->topLevelItem(0));
    Press(u"删除"_s);  // at once, without a question
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_EQ(m_config->Base().Defs, u"/DA=2 3\n/DB"_s);
}

TEST_F(CompilePageTest, CompilerMustRunBeforeItIsStoredAndTheHelpFileIsTakenAsChosen) {
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    auto* compiler = Field<QLineEdit>(u"编译器："_s);
    auto* help = Field<QLineEdit>(u"帮  助："_s);
    ASSERT_TRUE(compiler && help);
    EXPECT_TRUE(compiler->isReadOnly());
    const QString found = QStandardPaths::findExecutable(u"makensis"_s);
    EXPECT_EQ(compiler->text(), found);
    EXPECT_TRUE(m_config->Base().CompilePath.isEmpty());
    const QList<QPushButton*> browse = BrowseButtons();
    ASSERT_EQ(browse.size(), 2);

    const QString fake = m_dir.filePath(u"makensis"_s);
    ASSERT_TRUE(WriteExecutable(fake, "#!/bin/sh\necho broken >&2\nexit 1\n"));
    m_prompter.QueueFiles({fake});
    browse[0]->click();
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_EQ(m_prompter.FileRequests()[0].fileName, u"makensis"_s);
    ASSERT_EVENTUALLY(m_prompter.Messages().size() == 1u);
    EXPECT_EQ(m_prompter.Messages()[0].caption, kAppName);
    EXPECT_EQ(m_prompter.Messages()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(m_prompter.Messages()[0].text.contains(fake));
    EXPECT_TRUE(m_prompter.Messages()[0].text.contains(u"错误码 1"_s)) << m_prompter.Messages()[0].text.toStdString();
    EXPECT_TRUE(m_config->Base().CompilePath.isEmpty());
    EXPECT_EQ(compiler->text(), found);

    // A compiler that answers only once the test lets it: the window is back at once, busy, the path not taken yet.
    const QString go = m_dir.filePath(u"go"_s);
    const QString slow = m_dir.filePath(u"slow/makensis"_s);
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"slow"_s)));
    ASSERT_TRUE(
        WriteExecutable(slow, "#!/bin/sh\nwhile [ ! -e '" + go.toUtf8() + "' ]; do sleep 0.02; done\necho v3.08\n"));
    m_prompter.QueueFiles({slow});
    browse[0]->click();
    EXPECT_FALSE(browse[0]->isEnabled());
    EXPECT_TRUE(m_config->Base().CompilePath.isEmpty());
    ASSERT_TRUE(WriteBytes(go, "go"));
    ASSERT_EVENTUALLY(m_config->Base().CompilePath == slow);
    EXPECT_TRUE(browse[0]->isEnabled());
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(compiler->text(), slow);

    const QString manual = m_dir.filePath(u"Contents.html"_s);
    m_prompter.QueueFiles({manual});
    browse[1]->click();
    EXPECT_TRUE(m_prompter.FileRequests().back().filter.contains(u"*.html"_s));
    EXPECT_TRUE(m_prompter.FileRequests().back().filter.contains(u"*.chm"_s));
    EXPECT_EQ(m_config->Base().HelpPath, manual);
    EXPECT_EQ(help->text(), manual);

    CloseSettings();
    EXPECT_TRUE(ConfigBytes().contains("<CompilePath Val=\"" + slow.toUtf8() + "\""));
}

TEST_F(CompilePageTest, SwitchesAreStoredWhenClicked) {
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    const std::pair<QString, int BaseConfig::*> switches[] = {
        {u"禁用配置文件 (nsisconf.nsh) 的包含"_s, &BaseConfig::DisNsh},
        {u"禁用当前的目录更改到 .NSI 文件"_s, &BaseConfig::DisNsi},
        {u"编译前先保存文件"_s, &BaseConfig::SaveCompile},
        {u"输入时检查脚本 (不运行脚本中的命令)"_s, &BaseConfig::LiveCheck},
    };
    for (const auto& [text, key] : switches) {
        auto* check = Button<QCheckBox>(text);
        ASSERT_NE(check, nullptr);
        const int before = m_config->Base().*key;
        EXPECT_EQ(check->isChecked(), before != 0) << text.toStdString();
        check->click();
        EXPECT_EQ(m_config->Base().*key, before ? 0 : 1) << text.toStdString();
    }
    const BaseConfig clicked = m_config->Base();
    CloseSettings();
    CreateFrame();
    EXPECT_EQ(m_config->Base(), clicked);
}
