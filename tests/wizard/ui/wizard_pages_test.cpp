// The wizard's pages driven as a user drives them: checks and messages, what each page stores, and what Finish generates.
#include "wizard_fixture.h"

#include "wizard/ui/group_dlg.h"
#include "wizard/ui/link_list_dlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

TEST_F(WizardTest, NavigationShowsTheButtonsOfEachPlace) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Korvane安装向导"));
    EXPECT_FALSE(Find("back")->isVisible());
    EXPECT_FALSE(Find("finish")->isVisible());
    EXPECT_EQ(Find<QAbstractButton>("next")->text(), QStringLiteral("下一步(&N) >"));
    ASSERT_TRUE(GoTo(kInfo));
    EXPECT_TRUE(Find("back")->isVisible() && Find("back")->isEnabled());
    Back();
    EXPECT_EQ(m_dialog->PageIndex(), kWelcome);
    EXPECT_FALSE(Find("back")->isVisible());
    ASSERT_TRUE(GoTo(kEnd));
    EXPECT_FALSE(Find("next")->isVisible());
    EXPECT_TRUE(Find("finish")->isVisible() && Find("finish")->isEnabled());
    Back();
    EXPECT_EQ(m_dialog->PageIndex(), kCount);
    EXPECT_TRUE(Find("next")->isVisible());
    EXPECT_FALSE(Find("finish")->isVisible());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(WizardTest, EmptyNameStaysOnTheFirstPageWithTheNameSelected) {
    ASSERT_TRUE(GoTo(kInfo));
    auto* name = Find<QLineEdit>("appName");
    Type(name, QStringLiteral("   "));
    Next();
    EXPECT_EQ(m_dialog->PageIndex(), kInfo);
    EXPECT_EQ(m_prompter.Messages(),
              (std::vector<PromptMessage>{{"请输入应用程序名称!", "警告", PromptIcon::Warning, PromptButtons::Ok}}));
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(name->selectedText(), QStringLiteral("   "));
}

TEST_F(WizardTest, BackNeverStoresAndTheInstallDirectoryFollowsTheName) {
    ASSERT_TRUE(GoTo(kInfo));
    Type(Find<QLineEdit>("appName"), QStringLiteral(" Demo "));
    Back();
    EXPECT_EQ(m_dialog->Data().appName, QStringLiteral("My application"));
    ASSERT_TRUE(GoTo(kRoot));
    EXPECT_EQ(m_dialog->Data().appName, QStringLiteral("Demo"));
    auto* dir = Find<QComboBox>("installDir");
    EXPECT_EQ(dir->currentText(), QStringLiteral("$PROGRAMFILES\\Demo"));
    dir->setEditText(QStringLiteral("$TEMP\\Elsewhere"));
    ASSERT_TRUE(GoTo(kFile));
    EXPECT_EQ(m_dialog->Data().installDir, QStringLiteral("$TEMP\\Elsewhere"));
    Back();
    Back();
    ASSERT_TRUE(GoTo(kRoot));
    EXPECT_EQ(dir->currentText(), QStringLiteral("$PROGRAMFILES\\Demo"));
}

TEST_F(WizardTest, BrandingChoicesAndTheCustomText) {
    ASSERT_TRUE(GoTo(kInfo));
    auto* branding = Find<QComboBox>("branding");
    auto* custom = Find<QLineEdit>("customBranding");
    EXPECT_EQ(branding->currentText(), QStringLiteral("Korvane安装(www.scrivo-editor.example)"));
    EXPECT_FALSE(custom->isEnabled());
    branding->setCurrentIndex(1);
    EXPECT_TRUE(custom->isEnabled());
    EXPECT_TRUE(custom->hasFocus());
    QTest::keyClicks(custom, QStringLiteral("  Mine  "));
    ASSERT_TRUE(GoTo(kOption));
    EXPECT_EQ(m_dialog->Data().brandingText, QStringLiteral("Mine"));
    Back();
    branding->setCurrentIndex(2);
    EXPECT_FALSE(custom->isEnabled());
}

TEST_F(WizardTest, InterfaceKindDecidesWhatPagesTwoThreeSixAndSevenOffer) {
    struct Case {
        int kind;
        bool xp, bitmaps, license, run, uninstBitmaps;
    };
    for (const Case& c : {Case{0, false, true, true, true, true}, Case{1, true, false, true, false, false},
                          Case{2, false, false, false, false, false}}) {
        while (m_dialog->PageIndex() > kOption)
            Back();
        ASSERT_TRUE(GoTo(kOption));
        Find<QComboBox>("uiKind")->setCurrentIndex(c.kind);
        EXPECT_EQ(Find("xpStyle")->isEnabled(), c.xp) << c.kind;
        EXPECT_EQ(Find("setupLeftBitmapBrowse")->isEnabled(), c.bitmaps) << c.kind;
        EXPECT_EQ(Find("setupTopBitmap")->isEnabled(), c.bitmaps) << c.kind;
        ASSERT_TRUE(GoTo(kRoot));
        EXPECT_EQ(Find("useLicense")->isEnabled(), c.license) << c.kind;
        EXPECT_EQ(Find("licenseFile")->isEnabled(), c.license) << c.kind;
        ASSERT_TRUE(GoTo(kRun));
        EXPECT_EQ(Find("runProgram")->isEnabled(), c.run) << c.kind;
        ASSERT_TRUE(GoTo(kRemove));
        EXPECT_TRUE(Find("uninstIcon")->isEnabled()) << c.kind;
        EXPECT_EQ(Find("uninstLeftBitmap")->isEnabled(), c.uninstBitmaps) << c.kind;
    }
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(WizardTest, LicenseSwitchAndMissingFiles) {
    ASSERT_TRUE(GoTo(kOption));
    auto* icon = Find<QLineEdit>("setupIcon");
    Type(icon, QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Icons\\korvane-install.ico"));
    Next();
    EXPECT_EQ(OnlyMessage(),
              QStringLiteral("找不到安装程序图标文件：\r\n${NSISDIR}\\Contrib\\Graphics\\Icons\\korvane-install.ico"));
    EXPECT_TRUE(icon->hasFocus());
    Type(icon, QString());
    ASSERT_TRUE(GoTo(kRoot));
    EXPECT_FALSE(Find<QLineEdit>("licenseFile")->text().isEmpty());  // a license this system has

    auto* license = Find<QLineEdit>("licenseFile");
    Type(license, QStringLiteral("${NSISDIR}\\license-missing.txt"));
    Next();
    EXPECT_EQ(OnlyMessage(), QStringLiteral("找不到授权文件：\r\n${NSISDIR}\\license-missing.txt"));
    EXPECT_EQ(m_dialog->PageIndex(), kRoot);
    EXPECT_TRUE(license->hasFocus());
    Find<QAbstractButton>("useLicense")->click();
    EXPECT_FALSE(license->isEnabled());
    ASSERT_TRUE(GoTo(kFile));
    EXPECT_TRUE(m_dialog->Data().licenseFile.isEmpty());

    // The browse button's choice replaces the path, in the dialog the user expects.
    Back();
    Find<QAbstractButton>("useLicense")->click();
    m_prompter.QueueFiles({WizardAppFile("readme.txt")});
    Click("licenseFileBrowse");
    EXPECT_EQ(license->text(), WizardAppFile("readme.txt"));
    ASSERT_EQ(m_prompter.FileRequests().size(), 1u);
    EXPECT_EQ(m_prompter.FileRequests()[0].title, QStringLiteral("请选择授权文件"));
    EXPECT_EQ(m_prompter.FileRequests()[0].defaultSuffix, QStringLiteral("rtf"));
    ASSERT_TRUE(GoTo(kFile));
    EXPECT_EQ(m_dialog->Data().licenseFile, WizardAppFile("readme.txt"));
}

TEST_F(WizardTest, TheOnlyGroupStaysAndASecondOneGoesAfterTheQuestion) {
    ASSERT_TRUE(GoTo(kFile));
    auto* groups = Find<QListWidget>("groups");
    Click("deleteGroup");
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_EQ(groups->count(), 1);

    CGroup* group = OpenDialog<CGroup>("newGroup");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->windowTitle(), QStringLiteral("新建安装组"));
    group->accept();
    EXPECT_EQ(
        m_prompter.Messages(),
        (std::vector<PromptMessage>{{"请输入安装组名称!", "安装组管理", PromptIcon::Warning, PromptButtons::Ok}}));
    m_prompter.ClearRecord();
    group->findChild<QLineEdit*>("groupName")->setText(QStringLiteral(" Tools "));
    group->findChild<QPlainTextEdit*>("groupDescription")->setPlainText(QStringLiteral("第一行\n第二行"));
    group->accept();
    EXPECT_FALSE(group->isVisible());
    ASSERT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->currentRow(), 1);
    EXPECT_EQ(groups->item(1)->text(), QStringLiteral("Tools"));
    EXPECT_EQ(Find<QLabel>("groupDescriptionView")->text(), QStringLiteral("第一行\n第二行"));

    // A double click edits the group in place.
    Q_EMIT groups->itemDoubleClicked(groups->item(1));
    group = OpenDialog<CGroup>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->windowTitle(), QStringLiteral("编辑安装组"));
    EXPECT_EQ(group->findChild<QPlainTextEdit*>("groupDescription")->toPlainText(), QStringLiteral("第一行\n第二行"));
    group->findChild<QLineEdit*>("groupName")->setText(QStringLiteral("Tools 2"));
    group->accept();
    EXPECT_EQ(m_dialog->Data().groups[1].name, QStringLiteral("Tools 2"));

    Click("deleteGroup");  // No keeps it
    EXPECT_EQ(groups->count(), 2);
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    Click("deleteGroup");
    EXPECT_EQ(m_prompter.Messages(),
              std::vector<PromptMessage>(
                  2, {"您确认要删除该组吗?", "安装组管理", PromptIcon::Question, PromptButtons::YesNo}));
    ASSERT_EQ(groups->count(), 1);
    EXPECT_EQ(groups->currentRow(), 0);
    EXPECT_EQ(m_dialog->Data().groups.size(), 1);
}

TEST_F(WizardTest, TheSameFileTwiceIsOneEntryAndEntriesCanBeEditedAndDeleted) {
    ASSERT_TRUE(GoTo(kFile));
    AddFiles({WizardAppFile("app.exe"), WizardAppFile("readme.txt")});
    AddFiles({WizardAppFile("app.exe")});
    auto* files = Find<QTreeWidget>("files");
    EXPECT_EQ(Column(files, 0), QStringList({WizardAppFile("app.exe"), WizardAppFile("readme.txt")}));
    EXPECT_EQ(Column(files, 1), QStringList({"$INSTDIR", "$INSTDIR"}));
    EXPECT_EQ(m_dialog->Data().groups[0].files[0].overwrite, OverwriteMode::IfNewer);

    // A directory, then edited to its subfolders; double click opens the edit dialog.
    CFileList* dialog = OpenDialog<CFileList>("addDirectory");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("添加安装目录"));
    m_prompter.QueueFiles({WizardAppFile("data")});
    QTest::mouseClick(dialog->findChild<QAbstractButton*>("sourceBrowse"), Qt::LeftButton);
    dialog->findChild<QComboBox*>("destDir")->setEditText(QStringLiteral("$INSTDIR\\data"));
    dialog->accept();
    ASSERT_EQ(files->topLevelItemCount(), 3);
    EXPECT_EQ(files->topLevelItem(2)->text(0), WizardAppFile("data") + QStringLiteral("\\*.*"));

    files->setCurrentItem(files->topLevelItem(2));
    Q_EMIT files->itemDoubleClicked(files->topLevelItem(2), 0);
    dialog = OpenDialog<CFileList>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("编辑安装目录"));
    EXPECT_EQ(dialog->findChild<QLineEdit*>("source")->text(), WizardAppFile("data"));
    EXPECT_FALSE(dialog->findChild<QCheckBox*>("eachFile")->isEnabled());
    dialog->findChild<QCheckBox*>("recursive")->setChecked(true);
    dialog->findChild<QComboBox*>("destDir")->setEditText(QStringLiteral(" "));
    dialog->accept();
    EXPECT_EQ(OnlyMessage(), QStringLiteral("请输入目的目录!"));
    dialog->findChild<QComboBox*>("destDir")->setEditText(QStringLiteral("$INSTDIR\\d"));
    dialog->accept();
    ASSERT_EQ(files->topLevelItemCount(), 3);
    EXPECT_EQ(files->topLevelItem(2)->text(1), QStringLiteral("$INSTDIR\\d"));
    EXPECT_TRUE(m_dialog->Data().groups[0].files[2].recursive);

    files->clearSelection();
    files->topLevelItem(0)->setSelected(true);
    files->topLevelItem(2)->setSelected(true);
    Click("deleteEntries");
    EXPECT_EQ(Column(files, 0), QStringList({WizardAppFile("readme.txt")}));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(WizardTest, ChosenNamesWithASemicolonStayWholeAndAnEditMayNotTakeAnotherRowsFile) {
    ASSERT_TRUE(GoTo(kFile));
    const QString odd = QStringLiteral("/srv/app;v2.exe");
    AddFiles({odd, WizardAppFile("readme.txt")});
    auto* files = Find<QTreeWidget>("files");
    const QStringList sources{odd, WizardAppFile("readme.txt")};
    EXPECT_EQ(Column(files, 0), sources);

    // Edited without touching its name, the entry keeps it whole.
    files->setCurrentItem(files->topLevelItem(0));
    CFileList* dialog = OpenDialog<CFileList>("editEntry");
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>("destDir")->setEditText(QStringLiteral("$INSTDIR\\bin"));
    dialog->accept();
    EXPECT_EQ(Column(files, 0), sources);
    EXPECT_EQ(Column(files, 1), QStringList({"$INSTDIR\\bin", "$INSTDIR"}));

    // Edited into the other row's file: refused, the dialog stays and both rows too.
    files->setCurrentItem(files->topLevelItem(0));
    dialog = OpenDialog<CFileList>("editEntry");
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("source")->setText(WizardAppFile("readme.txt"));
    dialog->accept();
    EXPECT_EQ(OnlyMessage(), QStringLiteral("该安装组中已有此文件：\n") + WizardAppFile("readme.txt"));
    EXPECT_TRUE(dialog->isVisible());
    dialog->reject();
    EXPECT_EQ(Column(files, 0), sources);
}

TEST_F(WizardTest, TwoGroupsWithAProgramGiveFourShortcutsRebuiltOnEveryEntry) {
    ASSERT_TRUE(GoTo(kInfo));
    Type(Find<QLineEdit>("appName"), QStringLiteral("Demo"));
    ASSERT_TRUE(GoTo(kFile));
    AddFiles({WizardAppFile("readme.txt"), WizardAppFile("app.exe")});
    CGroup* group = OpenDialog<CGroup>("newGroup");
    ASSERT_NE(group, nullptr);
    group->findChild<QLineEdit*>("groupName")->setText(QStringLiteral("Tools"));
    group->accept();
    AddFiles({WizardAppFile("tool.exe")});
    ASSERT_TRUE(GoTo(kLink));
    // Which rows the rules build is theirs to test; the list shows them all.
    auto* shortcuts = Find<QTreeWidget>("shortcuts");
    EXPECT_EQ(Column(shortcuts, 1),
              QStringList({"$INSTDIR\\app.exe", "$INSTDIR\\app.exe", "$INSTDIR\\tool.exe", "$INSTDIR\\tool.exe"}));
    EXPECT_EQ(Find<QLineEdit>("startMenuFolder")->text(), QStringLiteral("Demo"));

    // A row added by hand, refused first without a link.
    CLinkList* link = OpenDialog<CLinkList>("addShortcut");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->windowTitle(), QStringLiteral("添加快捷方式"));
    link->findChild<QComboBox*>("linkPath")->setEditText(QString());
    link->accept();
    EXPECT_EQ(OnlyMessage(), QStringLiteral("请输入快捷方式!"));
    auto* target = link->findChild<QComboBox*>("linkTarget");
    EXPECT_EQ(target->count(), 2);
    link->findChild<QComboBox*>("linkPath")->setEditText(QStringLiteral("$QUICKLAUNCH\\Tool.lnk"));
    target->setCurrentIndex(1);
    link->accept();
    ASSERT_EQ(shortcuts->topLevelItemCount(), 5);
    EXPECT_EQ(shortcuts->topLevelItem(4)->text(1), QStringLiteral("$INSTDIR\\tool.exe"));

    // Leaving backwards and coming again rebuilds the list.
    Back();
    ASSERT_TRUE(GoTo(kLink));
    EXPECT_EQ(shortcuts->topLevelItemCount(), 4);
    shortcuts->topLevelItem(1)->setSelected(true);
    shortcuts->topLevelItem(3)->setSelected(true);
    Click("deleteShortcuts");
    EXPECT_EQ(Column(shortcuts, 0), QStringList({"$ICONS_GROUP\\Demo.lnk", "$ICONS_GROUP\\Demo.lnk"}));
}

TEST_F(WizardTest, ShortcutPageSwitchesFollowInterfaceAndWebSite) {
    ASSERT_TRUE(GoTo(kInfo));
    Type(Find<QLineEdit>("appWebSite"), QString());
    ASSERT_TRUE(GoTo(kLink));
    EXPECT_TRUE(Find("allowStartMenuChange")->isEnabled());
    EXPECT_FALSE(Find("webShortcut")->isEnabled());
    Find<QAbstractButton>("uninstShortcut")->click();
    Find<QLineEdit>("startMenuFolder")->setText(QStringLiteral("Other"));
    ASSERT_TRUE(GoTo(kRun));
    EXPECT_FALSE(m_dialog->Data().uninstShortcut);
    EXPECT_EQ(m_dialog->Data().startMenuFolder, QStringLiteral("Other"));
}

TEST_F(WizardTest, RunPageOffersTheInstalledProgramsAndReadmes) {
    ASSERT_TRUE(GoTo(kFile));
    AddFiles({WizardAppFile("app.exe"), WizardAppFile("readme.txt")});
    ASSERT_TRUE(GoTo(kRun));
    auto* program = Find<QComboBox>("runProgram");
    ASSERT_EQ(program->count(), 1);
    EXPECT_EQ(program->itemText(0), QStringLiteral("$INSTDIR\\app.exe"));
    EXPECT_EQ(Find<QComboBox>("readmeFile")->itemText(0), QStringLiteral("$INSTDIR\\readme.txt"));
    program->setCurrentIndex(0);
    Find<QLineEdit>("runParameters")->setText(QStringLiteral(" /first "));
    ASSERT_TRUE(GoTo(kRemove));
    EXPECT_EQ(m_dialog->Data().runProgram, QStringLiteral("$INSTDIR\\app.exe"));
    EXPECT_EQ(m_dialog->Data().runParameters, QStringLiteral("/first"));
    EXPECT_TRUE(m_dialog->Data().readmeFile.isEmpty());

    // The program removed on the files page is no longer run; a choice still offered stays.
    Back();
    Find<QComboBox>("readmeFile")->setCurrentIndex(0);
    while (m_dialog->PageIndex() > kFile)
        Back();
    auto* files = Find<QTreeWidget>("files");
    files->clearSelection();
    files->topLevelItem(0)->setSelected(true);
    Click("deleteEntries");
    ASSERT_TRUE(GoTo(kRemove));
    EXPECT_TRUE(m_dialog->Data().runProgram.isEmpty());
    EXPECT_EQ(m_dialog->Data().readmeFile, QStringLiteral("$INSTDIR\\readme.txt"));
}

TEST_F(WizardTest, BadStatisticsNumberOrVersionKeepsTheLastNumberedPage) {
    ASSERT_TRUE(GoTo(kCount));
    auto* number = Find<QLineEdit>("statNumber");
    EXPECT_TRUE(number->hasFocus());
    auto* version = Find<QLineEdit>("installVersion");
    // The texts are the page rules'; the page keeps its place and puts the caret into the refused field.
    for (const auto& [numberText, versionText, field] :
         {std::tuple{"ABC", "", number}, std::tuple{"7KFBDS3C", "1.2.3", version}}) {
        Type(number, QString::fromLatin1(numberText));
        Type(version, QString::fromLatin1(versionText));
        Next();
        EXPECT_EQ(m_dialog->PageIndex(), kCount) << numberText << versionText;
        EXPECT_EQ(m_prompter.Messages().size(), 1u);
        EXPECT_TRUE(field->hasFocus()) << numberText << versionText;
        m_prompter.ClearRecord();
    }
    Type(number, QStringLiteral(" 7KFBDS3C "));
    Type(version, QStringLiteral("2.0.1.2"));
    Next();
    EXPECT_EQ(m_dialog->PageIndex(), kEnd);
    EXPECT_EQ(m_dialog->Data().statNumber, QStringLiteral("7KFBDS3C"));
    EXPECT_EQ(m_dialog->Data().installVersion, QStringLiteral("2.0.1.2"));
}

TEST_F(WizardTest, NoUninstallerWhenItsBoxIsCleared) {
    ASSERT_TRUE(GoTo(kRemove));
    auto* create = Find<QAbstractButton>("createUninstaller");
    create->click();
    for (const char* name : {"uninstIcon", "uninstLeftBitmap", "safeRemoval", "simpleRemoval"})
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
    create->click();
    EXPECT_TRUE(Find("uninstIcon")->isEnabled());
    create->click();
    ASSERT_TRUE(GoTo(kEnd));
    Click("finish");
    EXPECT_FALSE(m_dialog->Result().script.contains(QStringLiteral("WriteUninstaller")));
    EXPECT_FALSE(m_dialog->Result().saveScript);
}

TEST_F(WizardTest, SafeRemovalNoteFollowsTheCompiler) {
    EXPECT_FALSE(Find("safeRemovalNote")->isHidden());  // Debian's makensis keeps no install log
    EXPECT_TRUE(Find<QLabel>("safeRemovalNote")->text().contains(QStringLiteral("NSIS_CONFIG_LOG")));
    InstalledNsis withLog{true, QStringLiteral("/usr/share/nsis"), {}, true};
    Open(withLog);
    EXPECT_TRUE(Find("safeRemovalNote")->isHidden());
}

TEST_F(WizardTest, EndPageCompilesOnlyWhatItSaves) {
    ASSERT_TRUE(GoTo(kEnd));
    auto* save = Find<QAbstractButton>("saveScript");
    auto* compile = Find<QAbstractButton>("compileScript");
    EXPECT_FALSE(save->isChecked());
    EXPECT_FALSE(compile->isEnabled());
    save->click();
    EXPECT_TRUE(compile->isEnabled());
    compile->click();
    save->click();
    EXPECT_FALSE(compile->isEnabled());
    EXPECT_FALSE(compile->isChecked());
}

TEST_F(WizardTest, CancelAsksAndOnlyYesCloses) {
    ASSERT_TRUE(GoTo(kOption));
    m_prompter.QueueAnswer(PromptAnswer::No);
    Click("cancel");
    EXPECT_EQ(
        m_prompter.Messages(),
        (std::vector<PromptMessage>{
            {"Korvane安装 向导并未完成，如果您现在退出，将不会生成新的脚本文件。\r\n您确认要退出 Korvane安装 向导吗？",
             "退出向导", PromptIcon::Question, PromptButtons::YesNo}}));
    EXPECT_TRUE(m_dialog->isVisible());
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
}
