// Installer descriptions shared by the golden-file and the compile tests.
#pragma once

#include "wizard/core/install_entries.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/core/wizard_data.h"

#include <QString>
#include <functional>
#include <ostream>
#include <vector>

namespace wizard_cases {

inline QString DataDir() { return QStringLiteral(SCRIVO_TEST_DATA "/wizard"); }

inline QString AppFile(const QString& name) { return DataDir() + QStringLiteral("/app/") + name; }

// What a user who keeps most defaults ends up with: one group with a program, a readme and
// a data folder, the two default shortcuts, a license.
inline WizardData ModernSimple() {
    WizardData data;
    data.appName = QStringLiteral("Demo");
    data.installDir = DefaultInstallDir(data.appName);
    data.licenseFile = DataDir() + QStringLiteral("/license.txt");
    InstallGroup& main = data.groups[0];
    AddEntries(main, FileEntries(AppFile("app.exe") + ";" + AppFile("readme.txt"), "$INSTDIR", OverwriteMode::IfNewer));
    AddEntries(main, {DirectoryEntry(AppFile("data"), "$INSTDIR\\data", OverwriteMode::On, true)});
    EnterShortcutPage(data);
    return data;
}

// Every option of the modern interface switched on, safe removal, a statistics number and a version.
inline WizardData ModernFull() {
    WizardData data;
    data.appName = QStringLiteral("Demo");
    data.appPublisher = QStringLiteral("Demo Soft");
    data.language = SetupLanguage::TradChinese;
    data.compressor = 6;
    data.installDir = DefaultInstallDir(data.appName);
    data.licenseFile = DataDir() + QStringLiteral("/license.txt");
    data.licenseMode = LicenseMode::CheckBox;
    data.allowComponents = true;
    data.groups[0].description = QStringLiteral("主程序");
    AddEntries(data.groups[0], FileEntries(AppFile("app.exe"), "$INSTDIR", OverwriteMode::IfNewer));
    AddEntries(data.groups[0], FileEntries(AppFile("readme.txt"), "$INSTDIR\\doc", OverwriteMode::On));
    InstallGroup tools{QStringLiteral("Tools"), QStringLiteral("附加工具"), {}};
    AddEntries(tools, FileEntries(AppFile("tool.exe"), "$INSTDIR\\doc", OverwriteMode::Try));
    AddEntries(tools, {DirectoryEntry(AppFile("data"), "$INSTDIR\\data", OverwriteMode::Off, false)});
    data.groups.append(tools);
    data.allowStartMenuChange = true;
    EnterShortcutPage(data);
    data.shortcuts.append(MakeShortcut("$ICONS_GROUP\\Extra\\Tool.lnk", "$INSTDIR\\doc\\tool.exe"));
    data.shortcuts.append(MakeShortcut("$QUICKLAUNCH\\Demo.lnk", "$INSTDIR\\doc\\tool.exe"));
    data.runProgram = QStringLiteral("$INSTDIR\\app.exe");
    data.runParameters = QStringLiteral("/first");
    data.readmeFile = QStringLiteral("$INSTDIR\\doc\\readme.txt");
    data.removeMode = RemoveMode::Safe;
    data.statNumber = QStringLiteral("7KFBDS3C");
    data.statItemName = QStringLiteral("演示安装");
    data.installVersion = QStringLiteral("2.0.1.2");
    return data;
}

// English modern installer without a web site or a program: the uninstaller link alone in
// the start menu, no App Paths entries.
inline WizardData ModernEnglishBare() {
    WizardData data;
    data.appName = QStringLiteral("Bare");
    data.appWebSite.clear();
    data.language = SetupLanguage::English;
    data.compressor = 5;
    data.installDir = DefaultInstallDir(data.appName);
    data.licenseFile = DataDir() + QStringLiteral("/license.txt");
    data.licenseMode = LicenseMode::RadioButtons;
    data.allowDirChange = false;
    data.brandingText = BrandingTextFor(BrandingChoice::None, QString());
    AddEntries(data.groups[0], FileEntries(AppFile("readme.txt"), "$INSTDIR", OverwriteMode::On));
    EnterShortcutPage(data);
    data.statNumber = QStringLiteral("ZQG5FRWN");
    return data;
}

// Classic interface in English with XP style, components and no uninstaller.
inline WizardData ClassicNoUninstaller() {
    WizardData data;
    data.appName = QStringLiteral("Classic");
    data.uiKind = UiKind::Classic;
    data.xpStyle = true;
    data.language = SetupLanguage::English;
    data.compressor = 1;
    data.installDir = QStringLiteral("$PROGRAMFILES\\Classic App");
    data.licenseFile = DataDir() + QStringLiteral("/license.txt");
    data.licenseMode = LicenseMode::RadioButtons;
    data.allowComponents = true;
    data.allowStartMenuChange = true;  // left over from the modern interface
    AddEntries(data.groups[0], FileEntries(AppFile("readme.txt"), "$INSTDIR", OverwriteMode::IfNewer));
    data.groups.append(InstallGroup{QStringLiteral("Data"), QString(), {}});
    AddEntries(data.groups[1], {DirectoryEntry(AppFile("data"), "$INSTDIR\\data", OverwriteMode::IfNewer, true)});
    EnterShortcutPage(data);
    data.shortcuts.append(MakeShortcut("$ICONS_GROUP\\Readme.lnk", "$INSTDIR\\readme.txt"));
    data.createUninstaller = false;
    data.installVersion = QStringLiteral("1.0.0.0");
    return data;
}

// Silent installer in Traditional Chinese, stored without compression.
inline WizardData SilentTrad() {
    WizardData data;
    data.appName = QStringLiteral("Quiet");
    data.uiKind = UiKind::Silent;
    data.language = SetupLanguage::TradChinese;
    data.compressor = 7;
    data.installDir = DefaultInstallDir(data.appName);
    data.licenseFile = DataDir() + QStringLiteral("/license.txt");
    data.uninstShortcut = false;
    AddEntries(data.groups[0], FileEntries(AppFile("app.exe"), "$INSTDIR", OverwriteMode::On));
    EnterShortcutPage(data);
    return data;
}

struct Case {
    const char* name;
    std::function<WizardData()> make;
};

inline void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

inline std::vector<Case> All() {
    return {{"modern_simple", ModernSimple},
            {"modern_full", ModernFull},
            {"modern_english_bare", ModernEnglishBare},
            {"classic_no_uninstaller", ClassicNoUninstaller},
            {"silent_trad", SilentTrad}};
}

}  // namespace wizard_cases
