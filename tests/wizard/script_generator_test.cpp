// Generator edge cases: the parts of a script that depend on single choices of the description.
#include "wizard/core/install_entries.h"
#include "wizard/core/script_generator.h"
#include "wizard/core/shortcut_rules.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
WizardData Demo() {
    WizardData data;
    data.appName = QStringLiteral("Demo");
    data.licenseFile.clear();
    data.webShortcut = false;
    data.uninstShortcut = false;
    return data;
}

QStringList Lines(const WizardData& data) {
    QString text = GenerateScript(data);
    EXPECT_TRUE(text.endsWith(QLatin1String("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) << line.toStdString();
    return lines.mid(0, lines.size() - 1);
}

// The lines between the first line equal to `from` and the next line equal to `to`.
QStringList Block(const QStringList& lines, const QString& from, const QString& to) {
    const qsizetype start = lines.indexOf(from);
    const qsizetype end = start < 0 ? -1 : lines.indexOf(to, start + 1);
    return end < 0 ? QStringList() : lines.mid(start + 1, end - start - 1);
}

QStringList SectionBody(const WizardData& data, const char* header) {
    return Block(Lines(data), QString::fromUtf8(header), QStringLiteral("SectionEnd"));
}
}  // namespace

TEST(Generator, CompressorLines) {
    const std::vector<QStringList> expected = {{"SetCompressor zlib"},
                                               {"SetCompressor /SOLID zlib"},
                                               {"SetCompressor bzip2"},
                                               {"SetCompressor /SOLID bzip2"},
                                               {"SetCompressor lzma"},
                                               {"SetCompressor /SOLID lzma"},
                                               {"SetCompressor /SOLID lzma", "SetCompressorDictSize 32"},
                                               {"SetCompress off"},
                                               {"SetCompressor lzma"}};
    for (int value = 0; value < 9; ++value) {
        WizardData data = Demo();
        data.compressor = value;
        const QStringList lines = Lines(data);
        const qsizetype at = lines.indexOf(QStringLiteral("; 提升安装程序权限(vista,win7,win8)"));
        EXPECT_EQ(lines.mid(9, at - 10), expected[value]) << value;
    }
}

TEST(Generator, OutputPathAndOverwriteOnlyWhenTheyChange) {
    WizardData data = Demo();
    InstallGroup& main = data.groups[0];
    AddEntries(main, FileEntries("/s/a.txt", "$INSTDIR", OverwriteMode::IfNewer));
    AddEntries(main, FileEntries("/s/b.txt", "$INSTDIR\\x", OverwriteMode::IfNewer));
    AddEntries(main, FileEntries("/s/c.txt", "$INSTDIR", OverwriteMode::On));
    AddEntries(main, {DirectoryEntry("/s/d", "$INSTDIR", OverwriteMode::On, false)});
    main.files.append(InstallFile{"/s/e.txt", "$INSTDIR", "$INSTDIR\\e.txt", OverwriteMode::On, true, true});
    data.groups.append(InstallGroup{"Two", {}, FileEntries("/s/f.txt", "$INSTDIR", OverwriteMode::On)});
    EXPECT_EQ(
        SectionBody(data, "Section \"MainSection\" SEC01"),
        QStringList({"  SetOutPath \"$INSTDIR\"", "  SetOverwrite ifnewer", "  File \"/s/a.txt\"",
                     "  SetOutPath \"$INSTDIR\\x\"", "  File \"/s/b.txt\"", "  SetOutPath \"$INSTDIR\"",
                     "  SetOverwrite on", "  File \"/s/c.txt\"", "  File \"/s/d\\*.*\"", "  File \"/s/e.txt\"", ""}));
    EXPECT_EQ(SectionBody(data, "Section \"Two\" SEC02"),
              QStringList({"  SetOutPath \"$INSTDIR\"", "  File \"/s/f.txt\""}));
}

TEST(Generator, ShortcutFoldersComparedWhole) {
    WizardData data = Demo();
    data.shortcuts = {MakeShortcut("$ICONS_GROUP\\App.lnk", "$INSTDIR\\a.exe"),
                      MakeShortcut("$ICONS_GROUP\\Help.lnk", "$INSTDIR\\h.chm"),
                      MakeShortcut("$DESKTOP\\App.lnk", "$INSTDIR\\a.exe")};
    EXPECT_EQ(SectionBody(data, "Section \"MainSection\" SEC01"),
              QStringList({"", "  CreateDirectory \"$SMPROGRAMS\\Demo\"",
                           "  CreateShortCut \"$SMPROGRAMS\\Demo\\App.lnk\" \"$INSTDIR\\a.exe\"",
                           "  CreateShortCut \"$SMPROGRAMS\\Demo\\Help.lnk\" \"$INSTDIR\\h.chm\"",
                           "  CreateShortCut \"$DESKTOP\\App.lnk\" \"$INSTDIR\\a.exe\""}));

    // A desktop link creates no folder, so the uninstaller leaves the start menu alone.
    data.shortcuts = {MakeShortcut("$DESKTOP\\App.lnk", "$INSTDIR\\a.exe")};
    const QStringList uninstall = SectionBody(data, "Section Uninstall");
    EXPECT_TRUE(uninstall.contains("  Delete \"$DESKTOP\\App.lnk\""));
    EXPECT_TRUE(uninstall.filter("RMDir \"$SMPROGRAMS").isEmpty());

    // "Tools" ends the first folder's name but is a folder of its own.
    data.shortcuts = {MakeShortcut("$ICONS_GROUP\\Tools\\a.lnk", "a"), MakeShortcut("Tools\\b.lnk", "b")};
    EXPECT_EQ(SectionBody(data, "Section \"MainSection\" SEC01").filter("CreateDirectory"),
              QStringList({"  CreateDirectory \"$SMPROGRAMS\\Demo\\Tools\"", "  CreateDirectory \"Tools\""}));
}

TEST(Generator, AdditionalIconsCreateTheFolderTheyUse) {
    WizardData data = Demo();
    data.allowStartMenuChange = true;
    data.webShortcut = true;
    data.language = SetupLanguage::English;
    EXPECT_EQ(
        SectionBody(data, "Section -AdditionalIcons").mid(1, 3),
        QStringList(
            {"  WriteINIStr \"$INSTDIR\\${PRODUCT_NAME}.url\" \"InternetShortcut\" \"URL\" \"${PRODUCT_WEB_SITE}\"",
             "  CreateDirectory \"$SMPROGRAMS\\$ICONS_GROUP\"",
             "  CreateShortCut \"$SMPROGRAMS\\$ICONS_GROUP\\Demo Homepage.lnk\" \"$INSTDIR\\${PRODUCT_NAME}.url\""}));

    data.appWebSite.clear();
    EXPECT_EQ(SectionBody(data, "Section -AdditionalIcons"),
              QStringList(
                  {"  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application", "  !insertmacro MUI_STARTMENU_WRITE_END"}));
}

TEST(Generator, DescriptionsOnlyForTheModernInterface) {
    WizardData data = Demo();
    data.allowComponents = true;
    EXPECT_TRUE(Lines(data).contains("  !insertmacro MUI_DESCRIPTION_TEXT ${SEC01} \"\""));
    data.uiKind = UiKind::Silent;
    EXPECT_FALSE(Lines(data).contains("!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN"));
}

TEST(Generator, UninstallerRemovesDirectoriesInsideTheInstallFolderOnly) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir source(tmp.path());
    ASSERT_TRUE(source.mkpath("data/b") && source.mkpath("data/a"));
    WizardData data = Demo();
    data.removeMode = RemoveMode::Safe;
    InstallGroup& main = data.groups[0];
    AddEntries(main, FileEntries("/s/x.txt;/s/y.txt", "$INSTDIR\\data", OverwriteMode::On));
    AddEntries(main, FileEntries("/s/z.txt", "$INSTDIR", OverwriteMode::On));
    AddEntries(main,
               {DirectoryEntry(source.filePath("data"), "$INSTDIR\\data", OverwriteMode::On, true),
                DirectoryEntry(source.filePath("data") + "/", "$WINDIR", OverwriteMode::On, true),
                DirectoryEntry(source.filePath("gone"), "$INSTDIR\\gone", OverwriteMode::On, true)});
    const QStringList uninstall = SectionBody(data, "Section Uninstall");
    EXPECT_TRUE(uninstall.filter(QRegularExpression("^  Delete ")).isEmpty());
    EXPECT_EQ(uninstall.filter("RMDir"),
              QStringList({"  RMDir \"$INSTDIR\\data\"", "  RMDir /r \"$INSTDIR\\data\\a\"",
                           "  RMDir /r \"$INSTDIR\\data\\b\"", "  RMDir \"$INSTDIR\\gone\"", "  RMDir \"$INSTDIR\""}));
}

TEST(Generator, InterfaceKindsAndLanguages) {
    WizardData data = Demo();
    data.uiKind = UiKind::Classic;
    data.createUninstaller = false;
    data.licenseFile = QStringLiteral("/l.txt");
    data.language = SetupLanguage::TradChinese;
    const QStringList lines = Lines(data);
    EXPECT_TRUE(lines.contains("LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\TradChinese.nlf\""));
    EXPECT_TRUE(
        lines.contains("LicenseText \"如果您接受所有協議條款，選擇“我願意”繼續。您必須接受協議才能安裝 $(^Name)。\""));

    data.uiKind = UiKind::Modern;
    EXPECT_TRUE(Lines(data).filter("MUI_UNICON").isEmpty());

    data.uiKind = UiKind::Silent;
    data.createUninstaller = true;
    data.language = static_cast<SetupLanguage>(7);  // unknown values take the Simplified Chinese texts
    EXPECT_EQ(Block(Lines(data), "Function un.onUninstSuccess", "FunctionEnd"),
              QStringList({"  MessageBox MB_ICONINFORMATION|MB_OK \"$(^Name) 已成功地从您的计算机移除。\""}));

    data.uiKind = static_cast<UiKind>(5);
    EXPECT_TRUE(Lines(data).filter("OutFile").isEmpty());
}
