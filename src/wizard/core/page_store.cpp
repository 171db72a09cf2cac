// What the wizard's pages store and the messages with which they refuse.
#include "wizard/core/page_store.h"

#include "platform/app_name.h"
#include "wizard/core/script_file_paths.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/core/wizard_checks.h"

namespace {
StoreRefusal Warning(const char* text, WizardField field) {
    return {QString::fromUtf8(text), QStringLiteral("警告"), field};
}

// A file the script names but that is not there would only fail the compile later.
StoreResult CheckFile(const QString& path, const QString& nsisDir, const char* missingText, WizardField field) {
    if (path.isEmpty() || FileExistsFor(path, nsisDir) != PathState::Missing)
        return std::nullopt;
    return StoreRefusal{QString::fromUtf8(missingText) + QStringLiteral("\r\n") + path, QStringLiteral("警告"), field};
}

StoreResult FirstRefusal(std::initializer_list<StoreResult> checks) {
    for (const StoreResult& check : checks) {
        if (check)
            return check;
    }
    return std::nullopt;
}
}  // namespace

StoreResult StoreAppInfo(WizardData& data, const AppInfoInput& input) {
    const QString name = input.name.trimmed();
    const QString version = input.version.trimmed();
    if (name.isEmpty())
        return Warning("请输入应用程序名称!", WizardField::AppName);
    if (version.isEmpty())
        return Warning("请输入应用程序版本!", WizardField::AppVersion);
    data.appName = name;
    data.appVersion = version;
    data.appPublisher = input.publisher.trimmed();
    data.appWebSite = input.webSite.trimmed();
    data.brandingText = BrandingTextFor(input.branding, input.customBranding);
    return std::nullopt;
}

StoreResult StoreAppOption(WizardData& data, const AppOptionInput& input, const QString& nsisDir) {
    const QString setupFile = input.setupFile.trimmed();
    const QString icon = input.setupIcon.trimmed();
    const QString left = input.setupLeftBitmap.trimmed();
    const QString top = input.setupTopBitmap.trimmed();
    if (setupFile.isEmpty())
        return Warning("请输入安装程序文件名!", WizardField::SetupFile);
    // Only the modern interface shows the two bitmaps.
    const bool modern = input.uiKind == UiKind::Modern;
    if (StoreResult refused = FirstRefusal(
            {CheckFile(icon, nsisDir, "找不到安装程序图标文件：", WizardField::SetupIcon),
             modern ? CheckFile(left, nsisDir, "找不到安装左侧图片：", WizardField::SetupLeftBitmap) : std::nullopt,
             modern ? CheckFile(top, nsisDir, "找不到安装顶部图片：", WizardField::SetupTopBitmap) : std::nullopt}))
        return refused;
    data.uiKind = input.uiKind;
    data.xpStyle = input.xpStyle;
    data.setupFile = setupFile;
    data.setupIcon = icon;
    data.setupLeftBitmap = left;
    data.setupTopBitmap = top;
    data.language = input.language;
    data.compressor = input.compressor;
    return std::nullopt;
}

StoreResult StoreAppRoot(WizardData& data, const AppRootInput& input, const QString& nsisDir) {
    const QString installDir = input.installDir.trimmed();
    if (installDir.isEmpty())
        return Warning("请输入安装目录!", WizardField::InstallDir);
    const QString licenseFile = input.useLicense ? input.licenseFile.trimmed() : QString();
    // A silent installer shows no license, and the page does not let the user change it.
    if (data.uiKind != UiKind::Silent) {
        if (input.useLicense && licenseFile.isEmpty())
            return Warning("请选择授权文件!", WizardField::LicenseFile);
        if (StoreResult refused = CheckFile(licenseFile, nsisDir, "找不到授权文件：", WizardField::LicenseFile))
            return refused;
    }
    data.installDir = installDir;
    data.allowDirChange = input.allowDirChange;
    data.licenseFile = licenseFile;
    data.licenseMode = input.licenseMode;
    return std::nullopt;
}

void StoreAppFile(WizardData& data, bool allowComponents) {
    data.allowComponents = allowComponents;
    LeaveFilesPage(data);
}

void StoreAppLink(WizardData& data, const AppLinkInput& input) {
    data.startMenuFolder = input.startMenuFolder;
    data.allowStartMenuChange = input.allowStartMenuChange;
    data.webShortcut = input.webShortcut;
    data.uninstShortcut = input.uninstShortcut;
}

void StoreAppRun(WizardData& data, const QString& program, const QString& parameters, const QString& readme) {
    data.runProgram = program.trimmed();
    data.runParameters = parameters.trimmed();
    data.readmeFile = readme.trimmed();
}

StoreResult StoreAppRemove(WizardData& data, const AppRemoveInput& input, const QString& nsisDir) {
    const QString icon = input.uninstIcon.trimmed();
    const QString left = input.uninstLeftBitmap.trimmed();
    const QString top = input.uninstTopBitmap.trimmed();
    if (input.createUninstaller) {
        const bool modern = data.uiKind == UiKind::Modern;
        if (StoreResult refused =
                FirstRefusal({CheckFile(icon, nsisDir, "找不到卸载程序图标文件：", WizardField::UninstIcon),
                              modern ? CheckFile(left, nsisDir, "找不到卸载左侧图片：", WizardField::UninstLeftBitmap)
                                     : std::nullopt,
                              modern ? CheckFile(top, nsisDir, "找不到卸载顶部图片：", WizardField::UninstTopBitmap)
                                     : std::nullopt}))
            return refused;
    }
    data.createUninstaller = input.createUninstaller;
    data.uninstIcon = icon;
    data.uninstLeftBitmap = left;
    data.uninstTopBitmap = top;
    data.removeMode = input.removeMode;
    return std::nullopt;
}

StoreResult CheckStatInputs(const QString& statNumber, const QString& installVersion) {
    const QString number = statNumber.trimmed();
    const QString version = installVersion.trimmed();
    if (!number.isEmpty() && !CheckStatNumber(number).valid)
        return StoreRefusal{QStringLiteral("请输入有效的统计编号！"), kAppName, WizardField::StatNumber};
    if (!version.isEmpty() && !IsValidInstallVersion(version))
        return StoreRefusal{
            QStringLiteral("请输入有效的安装包版本号！\r\n\r\n注意：\r\n1、格式必须为x.x.x.x的4组整数；\r\n"
                           "2、每组整数范围为0~65535；"),
            kAppName, WizardField::InstallVersion};
    return std::nullopt;
}

StoreResult StoreAppCount(WizardData& data, const QString& statNumber, const QString& installVersion,
                          const QList<StatItem>& statList) {
    if (StoreResult refused = CheckStatInputs(statNumber, installVersion))
        return refused;
    data.statNumber = statNumber.trimmed();
    data.installVersion = installVersion.trimmed();
    data.statItemName.clear();
    for (const StatItem& item : statList) {
        if (item.number == data.statNumber) {
            data.statItemName = item.name;
            break;
        }
    }
    return std::nullopt;
}

void StoreAppEnd(WizardData& data, bool saveScript, bool compileScript) {
    data.saveScript = saveScript;
    data.compileScript = saveScript && compileScript;
}

StoreResult CheckEntryInput(const EntryInput& input) {
    if (input.destDir.trimmed().isEmpty())
        return Warning("请输入目的目录!", WizardField::EntryDestination);
    return std::nullopt;
}

StoreResult CheckGroupName(const QString& name) {
    if (name.trimmed().isEmpty())
        return StoreRefusal{QStringLiteral("请输入安装组名称!"), QStringLiteral("安装组管理"), WizardField::GroupName};
    return std::nullopt;
}

StoreResult StoreShortcutRow(QList<ShortcutItem>& shortcuts, int row, const QString& linkPath, const QString& target) {
    const QString link = linkPath.trimmed();
    const QString to = target.trimmed();
    if (link.isEmpty())
        return Warning("请输入快捷方式!", WizardField::LinkPath);
    if (to.isEmpty())
        return Warning("请输入目的文件!", WizardField::LinkTarget);
    if (row >= 0 && row < shortcuts.size())
        shortcuts[row] = MakeShortcut(link, to);
    else
        shortcuts.append(MakeShortcut(link, to));
    return std::nullopt;
}
