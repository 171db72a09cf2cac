// The wizard's checks and page rules: statistics number, version, file entries, groups, shortcuts, stored pages.
#include "wizard/core/install_entries.h"
#include "wizard/core/page_controls.h"
#include "wizard/core/page_store.h"
#include "wizard/core/shortcut_rules.h"
#include "nsis/core/stat_line.h"
#include "wizard/core/wizard_checks.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StatNumber, AcceptsOnlyLargeNumbersWithTheirCheckValue) {
    // 0x8A12345678: hi>>7 = 1, lo = 0x12345678, (1 + lo) % 127 = 0x0A = hi & 0x7F.
    const StatNumberCheck ok = CheckStatNumber(QStringLiteral("  7kfbds3c "));
    EXPECT_TRUE(ok.valid);
    EXPECT_EQ(ok.high, 1u);
    EXPECT_EQ(ok.low, 0x12345678u);
    EXPECT_TRUE(CheckStatNumber(QStringLiteral("7KFBDS3C-extra")).valid);  // conversion stops at '-'

    const StatNumberCheck wrongCheck = CheckStatNumber(QStringLiteral("7KFBDS3D"));
    EXPECT_FALSE(wrongCheck.valid);
    EXPECT_EQ(wrongCheck.high, 0u);
    EXPECT_EQ(wrongCheck.low, 0u);
    // 0x0500000005 passes the check value but lies below 2^39.
    EXPECT_FALSE(CheckStatNumber(QString::number(0x0500000005ULL, 36)).valid);
    EXPECT_FALSE(CheckStatNumber(QString()).valid);
    EXPECT_FALSE(CheckStatNumber(QStringLiteral("统计编号")).valid);
    EXPECT_FALSE(CheckStatNumber(QStringLiteral("ZZZZZZZZZZZZZZZZZZZZ")).valid);  // overflows 64 bits
}

TEST(InstallVersion, NeedsFourPartsOfAtMost65535) {
    EXPECT_TRUE(IsValidInstallVersion(QStringLiteral("2.0.1.2")));
    EXPECT_TRUE(IsValidInstallVersion(QStringLiteral("65535.0.0.00065535")));
    for (const char* bad : {"2.0.1", "2.0.1.2.3", "2..1.2", "1.2.3.65536", "1.2.3.a", "", "1.2.3.4 ",
                            "1.2.3.99999999999999999999", "１.2.3.4"})
        EXPECT_FALSE(IsValidInstallVersion(QString::fromUtf8(bad))) << bad;
}

// Both forms of the line are in the golden scripts; a '%' in the item name must stay text.
TEST(StatLine, ItemNameIsNoFormatString) {
    EXPECT_EQ(WizardStatLine(QStringLiteral("7KFBDS3C"), QStringLiteral("%s 项"), QStringLiteral("Demo")),
              QStringLiteral("KorvaneID 7KFBDS3C     /*  安装统计项名称：【%s 项】  */"));
}

TEST(WizardDefaults, StartWithOneGroupAndStockGraphics) {
    const WizardData data;
    ASSERT_EQ(data.groups.size(), 1);
    EXPECT_EQ(BrandingTextFor(BrandingChoice::Custom, QStringLiteral("  Mine ")), QStringLiteral("Mine"));
    const QString nsisDir = QStringLiteral("/usr/share/nsis/");
    for (QString path : {data.setupIcon, data.setupLeftBitmap, data.setupTopBitmap, data.uninstIcon,
                         data.uninstLeftBitmap, data.uninstTopBitmap}) {
        path.replace(QStringLiteral("${NSISDIR}\\"), nsisDir).replace(QLatin1Char('\\'), QLatin1Char('/'));
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
}

TEST(FileEntries, TakeTheNameAfterEitherSeparator) {
    EXPECT_EQ(InstalledPath(QStringLiteral("/home/u/app.exe"), QStringLiteral("$INSTDIR")),
              QStringLiteral("$INSTDIR\\app.exe"));
    EXPECT_EQ(InstalledPath(QStringLiteral("C:\\x\\a.txt"), QStringLiteral("$TEMP")), QStringLiteral("$TEMP\\a.txt"));
    EXPECT_EQ(InstalledPath(QStringLiteral("a.txt"), QStringLiteral("$TEMP")), QStringLiteral("$TEMP\\a.txt"));

    const QList<InstallFile> files =
        FileEntries(QStringLiteral("/a/one.exe; /b/two.txt;;"), "$INSTDIR", OverwriteMode::Try);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[1].source, QStringLiteral("/b/two.txt"));
    EXPECT_TRUE(files[1].isFile);
    EXPECT_EQ(files[1].overwrite, OverwriteMode::Try);

    const InstallFile dir = DirectoryEntry(QStringLiteral("/a/data/"), "$INSTDIR\\data", OverwriteMode::On, true);
    EXPECT_EQ(dir.source, QStringLiteral("/a/data\\*.*"));
    EXPECT_EQ(dir.installedPath, QStringLiteral("$INSTDIR\\data\\*.*"));
    EXPECT_FALSE(dir.isFile);
    EXPECT_TRUE(dir.recursive);
}

TEST(FileEntries, EachFileOfADirectoryWithItsSubdirectories) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir root(tmp.path());
    ASSERT_TRUE(root.mkpath("sub/deeper"));
    for (const char* name : {"b.txt", "a.exe", "sub/c.txt", "sub/deeper/d.txt"})
        ASSERT_TRUE(WriteBytes(root.filePath(name), {}));
    const QList<InstallFile> flat = EachFileEntries(tmp.path(), "$INSTDIR", OverwriteMode::IfNewer, false);
    ASSERT_EQ(flat.size(), 2);
    EXPECT_EQ(flat[0].source, root.filePath("a.exe"));

    const QList<InstallFile> deep = EachFileEntries(tmp.path(), "$INSTDIR", OverwriteMode::IfNewer, true);
    ASSERT_EQ(deep.size(), 4);
    EXPECT_EQ(deep[2].source, root.filePath("sub/c.txt"));
    EXPECT_EQ(deep[2].destDir, QStringLiteral("$INSTDIR\\sub"));
    EXPECT_EQ(deep[3].installedPath, QStringLiteral("$INSTDIR\\sub\\deeper\\d.txt"));
    EXPECT_TRUE(EachFileEntries(tmp.path() + "/missing", "$INSTDIR", OverwriteMode::On, true).isEmpty());
}

TEST(Groups, KeepOneEntryPerSourceAndAtLeastOneGroup) {
    InstallGroup group;
    EXPECT_EQ(AddEntries(group, FileEntries("/a/x.exe;/a/x.exe", "$INSTDIR", OverwriteMode::On)), 1);
    EXPECT_EQ(AddEntries(group, FileEntries("/a/x.exe;/a/y.txt;/a/z.txt", "$TEMP", OverwriteMode::On)), 2);
    RemoveEntries(group, {2, 0, 2, 9});
    ASSERT_EQ(group.files.size(), 1);
    EXPECT_EQ(group.files[0].source, QStringLiteral("/a/y.txt"));

    QList<InstallGroup> groups{InstallGroup{"MainSection", {}, {}}};
    EXPECT_EQ(DeleteGroup(groups, 0), -1);
    EXPECT_EQ(groups.size(), 1);
    groups.append(InstallGroup{"Second", {}, {}});
    groups.append(InstallGroup{"Third", {}, {}});
    EXPECT_EQ(DeleteGroup(groups, 2), 1);
    EXPECT_EQ(DeleteGroup(groups, 0), 0);
    EXPECT_EQ(groups[0].name, QStringLiteral("Second"));
}

TEST(Shortcuts, RebuiltFromTheFirstProgramOfEachGroup) {
    WizardData data;
    data.appName = QStringLiteral("Demo");
    data.shortcuts.append(MakeShortcut("$DESKTOP\\Old.lnk", "x"));
    AddEntries(data.groups[0], FileEntries("/a/readme.TXT", "$INSTDIR", OverwriteMode::On));
    EnterShortcutPage(data);
    EXPECT_TRUE(data.shortcuts.isEmpty());
    EXPECT_TRUE(data.mainExeName.isEmpty());

    AddEntries(data.groups[0], FileEntries("/a/main.EXE;/a/second.exe", "$INSTDIR", OverwriteMode::On));
    data.groups.append(
        InstallGroup{"Tools", {}, FileEntries("/t/notes.rtf;/t/tool.exe", "$INSTDIR\\t", OverwriteMode::On)});
    EnterShortcutPage(data);
    EXPECT_EQ(data.mainExeName, QStringLiteral("tool.exe"));
    EXPECT_EQ(data.mainExePath, QStringLiteral("$INSTDIR\\t\\tool.exe"));
    // The rows' links and folders are the golden scripts' to check.
    ASSERT_EQ(data.shortcuts.size(), 4);
    EXPECT_EQ(data.shortcuts[0].target, QStringLiteral("$INSTDIR\\main.EXE"));

    LeaveFilesPage(data);
    EXPECT_TRUE(data.mainExePath.isEmpty());
    EXPECT_EQ(ExecutablePaths(data.groups),
              QStringList({"$INSTDIR\\main.EXE", "$INSTDIR\\second.exe", "$INSTDIR\\t\\tool.exe"}));
    EXPECT_EQ(ReadmePaths(data.groups), QStringList({"$INSTDIR\\readme.TXT", "$INSTDIR\\t\\notes.rtf"}));
    EXPECT_FALSE(NeedsFolder("$QUICKLAUNCH\\a.lnk"));
    EXPECT_TRUE(NeedsFolder("$QUICKLAUNCH\\Sub\\a.lnk"));
    EXPECT_TRUE(NeedsFolder("a.lnk"));
}

TEST(PageStore, InfoOptionsAndRootRefuseMissingRequiredTexts) {
    WizardData data;
    StoreResult refused = StoreAppInfo(data, {"  ", "1.0", "P", "W", BrandingChoice::Maker, {}});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, QStringLiteral("请输入应用程序名称!"));
    EXPECT_EQ(refused->caption, QStringLiteral("警告"));
    EXPECT_EQ(StoreAppInfo(data, {"Demo", " ", "", "", BrandingChoice::Maker, {}})->field, WizardField::AppVersion);
    EXPECT_EQ(data.appName, QStringLiteral("My application"));
    EXPECT_FALSE(StoreAppInfo(data, {" Demo ", " 2.0", " Pub ", " http://x ", BrandingChoice::None, "x"}));
    EXPECT_EQ(data.appName, QStringLiteral("Demo"));
    EXPECT_EQ(data.appWebSite, QStringLiteral("http://x"));
    EXPECT_EQ(data.brandingText, QStringLiteral(" "));

    AppOptionInput option{UiKind::Classic, false, "  ", "i", "l", "t", SetupLanguage::English, 7};
    EXPECT_EQ(StoreAppOption(data, option)->text, QStringLiteral("请输入安装程序文件名!"));
    EXPECT_EQ(data.uiKind, UiKind::Modern);
    option.setupFile = " out.exe ";
    EXPECT_FALSE(StoreAppOption(data, option));
    EXPECT_EQ(data.setupFile, QStringLiteral("out.exe"));
    EXPECT_EQ(data.compressor, 7);

    EXPECT_EQ(StoreAppRoot(data, {" ", true, false, {}, LicenseMode::ClassicButton})->text,
              QStringLiteral("请输入安装目录!"));
    EXPECT_EQ(StoreAppRoot(data, {"$TEMP\\x", true, true, "  ", LicenseMode::ClassicButton})->field,
              WizardField::LicenseFile);
    EXPECT_FALSE(StoreAppRoot(data, {"$TEMP\\x", false, false, "/kept/elsewhere.txt", LicenseMode::CheckBox}));
    EXPECT_TRUE(data.licenseFile.isEmpty());
    EXPECT_FALSE(data.allowDirChange);
}

TEST(PageStore, StatisticsPageChecksNumberAndVersionAndFindsTheItemName) {
    WizardData data;
    const QList<StatItem> list{{"7KFBDS3C", "演示"}, {"7KFBDS3C", "second"}};
    EXPECT_EQ(StoreAppCount(data, "ABC", "", list)->text, QStringLiteral("请输入有效的统计编号！"));
    for (const char* version : {"1.2.3", "1.2.3.70000"}) {
        const StoreResult refused = StoreAppCount(data, "", version, list);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->field, WizardField::InstallVersion);
        EXPECT_EQ(refused->caption, QStringLiteral("Korvane安装"));
    }
    EXPECT_FALSE(StoreAppCount(data, " 7KFBDS3C ", " 2.0.1.2 ", list));
    EXPECT_EQ(data.statItemName, QStringLiteral("演示"));
    EXPECT_EQ(data.installVersion, QStringLiteral("2.0.1.2"));
    EXPECT_FALSE(StoreAppCount(data, "7kfbds3c", "", list));  // valid, but named only when spelt alike
    EXPECT_TRUE(data.statItemName.isEmpty());
    EXPECT_FALSE(StoreAppCount(data, "", "", {}));
    EXPECT_TRUE(data.statNumber.isEmpty());
}

TEST(PageStore, DialogsOfGroupsAndShortcuts) {
    EXPECT_EQ(CheckGroupName(" \n")->caption, QStringLiteral("安装组管理"));
    EXPECT_FALSE(CheckGroupName("Main"));

    QList<ShortcutItem> rows;
    EXPECT_EQ(StoreShortcutRow(rows, -1, " ", "t")->text, QStringLiteral("请输入快捷方式!"));
    EXPECT_EQ(StoreShortcutRow(rows, -1, "$DESKTOP\\a.lnk", "")->text, QStringLiteral("请输入目的文件!"));
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_FALSE(StoreShortcutRow(rows, -1, " $DESKTOP\\a.lnk ", "$INSTDIR\\a.exe"));
    EXPECT_FALSE(StoreShortcutRow(rows, 0, "$SMPROGRAMS\\Demo\\a.lnk", "$INSTDIR\\a.exe"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].linkPath, QStringLiteral("$SMPROGRAMS\\Demo\\a.lnk"));
    EXPECT_TRUE(rows[0].createFolder);
}

TEST(PageStore, NamedFilesMustExistWhereTheScriptUsesThem) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString there = tmp.filePath("there.bmp");
    ASSERT_TRUE(WriteBytes(there, "b"));
    const QString missing = tmp.filePath("missing.bmp");
    WizardData data;

    AppOptionInput option{UiKind::Modern, false, "setup.exe", there, there, missing, SetupLanguage::English, 4};
    StoreResult refused = StoreAppOption(data, option, tmp.path());
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, QStringLiteral("找不到安装顶部图片：\r\n") + missing);
    EXPECT_EQ(refused->field, WizardField::SetupTopBitmap);
    EXPECT_EQ(data.language, SetupLanguage::SimpChinese);
    option.uiKind = UiKind::Classic;  // the bitmaps are not written for it
    EXPECT_FALSE(StoreAppOption(data, option, tmp.path()));
    option.setupIcon = "${NSISDIR}\\missing.ico";
    EXPECT_EQ(StoreAppOption(data, option, tmp.path())->field, WizardField::SetupIcon);
    EXPECT_FALSE(StoreAppOption(data, option, {}));  // ${NSISDIR} unknown: makensis will tell

    EXPECT_EQ(StoreAppRoot(data, {"$TEMP\\x", true, true, missing, LicenseMode::ClassicButton})->text,
              QStringLiteral("找不到授权文件：\r\n") + missing);
    EXPECT_FALSE(StoreAppRoot(data, {"$TEMP\\x", true, false, missing, LicenseMode::ClassicButton}));
    data.uiKind = UiKind::Silent;  // shows no license: neither a missing nor an empty one stops it
    EXPECT_FALSE(StoreAppRoot(data, {"$TEMP\\x", true, true, missing, LicenseMode::ClassicButton}));
    EXPECT_FALSE(StoreAppRoot(data, {"$TEMP\\x", true, true, " ", LicenseMode::ClassicButton}));

    data.uiKind = UiKind::Modern;
    AppRemoveInput remove{true, there, missing, there, RemoveMode::Safe};
    EXPECT_EQ(StoreAppRemove(data, remove)->field, WizardField::UninstLeftBitmap);
    EXPECT_EQ(data.removeMode, RemoveMode::Simple);
    data.uiKind = UiKind::Silent;
    EXPECT_FALSE(StoreAppRemove(data, remove));
    EXPECT_EQ(data.removeMode, RemoveMode::Safe);
    data.uiKind = UiKind::Modern;
    remove = {false, missing, missing, missing, RemoveMode::Simple};
    EXPECT_FALSE(StoreAppRemove(data, remove));  // no uninstaller, nothing named
    EXPECT_FALSE(data.createUninstaller);
}

TEST(PageStore, FilesLinksAndEndPages) {
    WizardData data;
    data.mainExeName = QStringLiteral("a.exe");
    data.mainExePath = QStringLiteral("$INSTDIR\\a.exe");
    StoreAppFile(data, true);
    EXPECT_TRUE(data.allowComponents);
    EXPECT_TRUE(data.mainExeName.isEmpty() && data.mainExePath.isEmpty());

    StoreAppLink(data, {"Folder", true, false, false});
    EXPECT_EQ(data.startMenuFolder, QStringLiteral("Folder"));
    EXPECT_TRUE(data.allowStartMenuChange);
    EXPECT_FALSE(data.webShortcut || data.uninstShortcut);

    StoreAppEnd(data, false, true);
    EXPECT_FALSE(data.saveScript || data.compileScript);
    StoreAppEnd(data, true, true);
    EXPECT_TRUE(data.saveScript && data.compileScript);

    EXPECT_EQ(CheckEntryInput({EntryKind::Files, "/a", "  ", OverwriteMode::On, false, false})->text,
              QStringLiteral("请输入目的目录!"));
    EXPECT_FALSE(CheckEntryInput({EntryKind::Files, "", "$INSTDIR", OverwriteMode::On, false, false}));
}

TEST(PageControls, FollowTheInterfaceAndThePageSwitches) {
    struct Case {
        UiKind kind;
        bool xp, bitmaps, rootSwitches, startMenu, run, uninstBitmaps;
    };
    const Case cases[] = {
        {UiKind::Modern, false, true, true, true, true, true},
        {UiKind::Classic, true, false, true, false, false, false},
        {UiKind::Silent, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const int kind = int(c.kind);
        EXPECT_EQ(OptionControlsFor(c.kind).xpStyle, c.xp) << kind;
        EXPECT_EQ(OptionControlsFor(c.kind).bitmaps, c.bitmaps) << kind;
        EXPECT_EQ(RootControlsFor(c.kind, true).pageSwitches, c.rootSwitches) << kind;
        EXPECT_EQ(RootControlsFor(c.kind, true).licenseControls, c.rootSwitches) << kind;
        EXPECT_FALSE(RootControlsFor(c.kind, false).licenseControls) << kind;
        EXPECT_EQ(CanChangeStartMenu(c.kind), c.startMenu) << kind;
        EXPECT_EQ(CanRunAfterInstall(c.kind), c.run) << kind;
        EXPECT_TRUE(RemoveControlsFor(c.kind, true).iconAndModes) << kind;
        EXPECT_EQ(RemoveControlsFor(c.kind, true).bitmaps, c.uninstBitmaps) << kind;
        EXPECT_FALSE(RemoveControlsFor(c.kind, false).iconAndModes || RemoveControlsFor(c.kind, false).bitmaps) << kind;
    }
    EXPECT_FALSE(CanLinkWebSite(QString()));
    EXPECT_TRUE(CanLinkWebSite(QStringLiteral("http://x")));
}

TEST(FileEntries, EditedEntryKeepsItsPlaceAndNoSourceTwice) {
    InstallGroup group;
    AddEntries(group, FileEntries("/a/1.txt;/a/2.txt;/a/3.txt", "$INSTDIR", OverwriteMode::On));
    AddEntries(group, {DirectoryEntry("/a/dir", "$INSTDIR\\d", OverwriteMode::Try, true)});

    EntryInput input = InputOf(group.files[3]);
    EXPECT_EQ(input.kind, EntryKind::Directory);
    EXPECT_EQ(input.source, QStringLiteral("/a/dir"));
    EXPECT_TRUE(input.recursive);
    input.recursive = false;
    ReplaceEntry(group, 3, EntriesFrom(input));
    ASSERT_EQ(group.files.size(), 4);
    EXPECT_EQ(group.files[3].source, QStringLiteral("/a/dir\\*.*"));
    EXPECT_FALSE(group.files[3].recursive);
    EXPECT_EQ(group.files[3].overwrite, OverwriteMode::Try);

    input = InputOf(group.files[1]);
    EXPECT_EQ(input.kind, EntryKind::Files);
    input.source = "/a/new.txt;/a/3.txt;/a/more.txt";
    input.destDir = " $TEMP ";
    ReplaceEntry(group, 1, EntriesFrom(input));
    QStringList sources;
    for (const InstallFile& file : group.files)
        sources << file.source;
    EXPECT_EQ(sources, QStringList({"/a/1.txt", "/a/new.txt", "/a/more.txt", "/a/3.txt", "/a/dir\\*.*"}));
    EXPECT_EQ(group.files[1].installedPath, QStringLiteral("$TEMP\\new.txt"));

    EXPECT_TRUE(EntriesFrom({EntryKind::Directory, " ", "$INSTDIR", OverwriteMode::On, true, true}).isEmpty());

    // Chosen files stay whole while the text is still theirs; a text typed over is split at ";".
    EntryInput chosen{EntryKind::Files, "/a/x;y.txt", "$INSTDIR", OverwriteMode::On, false, false, {"/a/x;y.txt"}};
    ASSERT_EQ(EntriesFrom(chosen).size(), 1);
    EXPECT_EQ(EntriesFrom(chosen)[0].source, QStringLiteral("/a/x;y.txt"));
    chosen.source = "/a/x;y.txt;/a/z.txt";
    EXPECT_EQ(EntriesFrom(chosen).size(), 3);
}
