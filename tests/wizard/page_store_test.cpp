// Pages store trimmed inputs, or refuse with their message and leave the record alone.
#include "wizard/core/page_store.h"

#include <gtest/gtest.h>

TEST(PageStore, InfoOptionsAndRootRefuseMissingRequiredTexts) {
    WizardData data;
    StoreResult refused = StoreAppInfo(data, {"  ", "1.0", "P", "W", BrandingChoice::Maker, {}});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, QStringLiteral("请输入应用程序名称!"));
    EXPECT_EQ(refused->caption, QStringLiteral("警告"));
    EXPECT_EQ(StoreAppInfo(data, {"Demo", " ", "", "", BrandingChoice::Maker, {}})->field, WizardField::AppVersion);
    EXPECT_EQ(data.appName, QStringLiteral("My application"));
    EXPECT_FALSE(StoreAppInfo(data, {" Demo ", " 2.0", " Pub ", " http://x ", BrandingChoice::None, {}}));
    EXPECT_EQ(data.appName, QStringLiteral("Demo"));
    EXPECT_EQ(data.appWebSite, QStringLiteral("http://x"));
    EXPECT_EQ(data.brandingText, QStringLiteral(" "));

    AppOptionInput option{UiKind::Silent, false, "  ", "i", "l", "t", SetupLanguage::English, 7};
    EXPECT_EQ(StoreAppOption(data, option)->text, QStringLiteral("请输入安装程序文件名!"));
    EXPECT_EQ(data.uiKind, UiKind::Modern);
    option.setupFile = " out.exe ";
    EXPECT_FALSE(StoreAppOption(data, option));
    EXPECT_EQ(data.setupFile, QStringLiteral("out.exe"));
    EXPECT_EQ(data.compressor, 7);

    EXPECT_EQ(StoreAppRoot(data, {" ", true, false, {}, LicenseMode::ClassicButton})->text, QStringLiteral("请输入安装目录!"));
    EXPECT_EQ(StoreAppRoot(data, {"$TEMP\\x", true, true, "  ", LicenseMode::ClassicButton})->field, WizardField::LicenseFile);
    EXPECT_FALSE(StoreAppRoot(data, {"$TEMP\\x", false, false, "/kept/elsewhere.txt", LicenseMode::CheckBox}));
    EXPECT_TRUE(data.licenseFile.isEmpty());
    EXPECT_FALSE(data.allowDirChange);
}

TEST(PageStore, StatisticsPageChecksNumberAndVersionAndFindsTheItemName) {
    WizardData data;
    const QList<StatListItem> list{{"7KFBDS3C", "演示"}, {"7KFBDS3C", "second"}};
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
