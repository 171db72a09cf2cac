// What the wizard's pages store: their inputs trimmed and checked into WizardData, or the reason they refuse.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QList>
#include <QString>
#include <optional>

// The input a refusal points at; the page focuses it and selects its text.
enum class WizardField { AppName, AppVersion, SetupFile, InstallDir, LicenseFile, StatNumber, InstallVersion,
                         GroupName, LinkPath, LinkTarget };

struct StoreRefusal {
    QString text;
    QString caption;
    WizardField field;
};
// Empty when the page stored; a refusing page leaves the record as it was.
using StoreResult = std::optional<StoreRefusal>;

struct AppInfoInput {
    QString name, version, publisher, webSite;
    BrandingChoice branding = BrandingChoice::Maker;
    QString customBranding;
};
StoreResult StoreAppInfo(WizardData& data, const AppInfoInput& input);

struct AppOptionInput {
    UiKind uiKind = UiKind::Modern;
    bool xpStyle = false;
    QString setupFile, setupIcon, setupLeftBitmap, setupTopBitmap;
    SetupLanguage language = SetupLanguage::SimpChinese;
    int compressor = 4;
};
StoreResult StoreAppOption(WizardData& data, const AppOptionInput& input);

struct AppRootInput {
    QString installDir;
    bool allowDirChange = true;
    bool useLicense = true;
    QString licenseFile;
    LicenseMode licenseMode = LicenseMode::ClassicButton;
};
StoreResult StoreAppRoot(WizardData& data, const AppRootInput& input);

void StoreAppRun(WizardData& data, const QString& program, const QString& parameters, const QString& readme);

struct AppRemoveInput {
    bool createUninstaller = true;
    QString uninstIcon, uninstLeftBitmap, uninstTopBitmap;
    RemoveMode removeMode = RemoveMode::Simple;
};
void StoreAppRemove(WizardData& data, const AppRemoveInput& input);

// One row of the signed-in user's statistics list.
struct StatListItem {
    QString number;
    QString itemName;
};
StoreResult StoreAppCount(WizardData& data, const QString& statNumber, const QString& installVersion,
                          const QList<StatListItem>& statList);

// The group dialog: a group needs a name.
StoreResult CheckGroupName(const QString& name);
// The shortcut dialog: a link and a target make a new row (row -1) or replace the given row.
StoreResult StoreShortcutRow(QList<ShortcutItem>& shortcuts, int row, const QString& linkPath, const QString& target);
