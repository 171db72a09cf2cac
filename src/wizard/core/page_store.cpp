// What the wizard's pages store and the messages with which they refuse.
#include "wizard/core/page_store.h"

#include "platform/app_name.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/core/wizard_checks.h"

namespace {
StoreRefusal Warning(const char* text, WizardField field) {
    return {QString::fromUtf8(text), QStringLiteral("警告"), field};
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

StoreResult StoreAppOption(WizardData& data, const AppOptionInput& input) {
    const QString setupFile = input.setupFile.trimmed();
    if (setupFile.isEmpty())
        return Warning("请输入安装程序文件名!", WizardField::SetupFile);
    data.uiKind = input.uiKind;
    data.xpStyle = input.xpStyle;
    data.setupFile = setupFile;
    data.setupIcon = input.setupIcon.trimmed();
    data.setupLeftBitmap = input.setupLeftBitmap.trimmed();
    data.setupTopBitmap = input.setupTopBitmap.trimmed();
    data.language = input.language;
    data.compressor = input.compressor;
    return std::nullopt;
}

StoreResult StoreAppRoot(WizardData& data, const AppRootInput& input) {
    const QString installDir = input.installDir.trimmed();
    if (installDir.isEmpty())
        return Warning("请输入安装目录!", WizardField::InstallDir);
    const QString licenseFile = input.useLicense ? input.licenseFile.trimmed() : QString();
    if (input.useLicense && licenseFile.isEmpty())
        return Warning("请选择授权文件!", WizardField::LicenseFile);
    data.installDir = installDir;
    data.allowDirChange = input.allowDirChange;
    data.licenseFile = licenseFile;
    data.licenseMode = input.licenseMode;
    return std::nullopt;
}

void StoreAppRun(WizardData& data, const QString& program, const QString& parameters, const QString& readme) {
    data.runProgram = program.trimmed();
    data.runParameters = parameters.trimmed();
    data.readmeFile = readme.trimmed();
}

void StoreAppRemove(WizardData& data, const AppRemoveInput& input) {
    data.createUninstaller = input.createUninstaller;
    data.uninstIcon = input.uninstIcon.trimmed();
    data.uninstLeftBitmap = input.uninstLeftBitmap.trimmed();
    data.uninstTopBitmap = input.uninstTopBitmap.trimmed();
    data.removeMode = input.removeMode;
}

StoreResult StoreAppCount(WizardData& data, const QString& statNumber, const QString& installVersion,
                          const QList<StatListItem>& statList) {
    const QString number = statNumber.trimmed();
    const QString version = installVersion.trimmed();
    if (!number.isEmpty() && !CheckStatNumber(number).valid)
        return StoreRefusal{QStringLiteral("请输入有效的统计编号！"), kAppName, WizardField::StatNumber};
    if (!version.isEmpty() && !IsValidInstallVersion(version))
        return StoreRefusal{QStringLiteral("请输入有效的安装包版本号！\r\n\r\n注意：\r\n1、格式必须为x.x.x.x的4组整数；\r\n"
                                           "2、每组整数范围为0~65535；"),
                            kAppName, WizardField::InstallVersion};
    data.statNumber = number;
    data.installVersion = version;
    data.statItemName.clear();
    for (const StatListItem& item : statList) {
        if (item.number == number) {
            data.statItemName = item.itemName;
            break;
        }
    }
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
